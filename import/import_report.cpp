#include "import/import_report.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include "model/layer.h"
#include "prepare/join_detail.h"

namespace {

std::uint64_t Mix(std::uint64_t h) {
    h ^= h >> 30;
    h *= 0xbf58476d1ce4e5b9ULL;
    h ^= h >> 27;
    h *= 0x94d049bb133111ebULL;
    return h ^ (h >> 31);
}

std::uint64_t Bits(double v) {
    // -0.0 == 0.0, so both must hash alike.
    return v == 0.0 ? 0 : std::bit_cast<std::uint64_t>(v);
}

std::uint64_t PointHash(const CPunkt& p) { return Mix(Bits(p.x) * 0x9e3779b97f4a7c15ULL + Bits(p.y)); }

// Open addressing from 64-bit keys (already mixed) to indexes. Several entries may share a
// key, and a lookup walks them all; callers keep such sharing to true hash collisions, since
// a long run of one key would lengthen the walk of every key that lands in it.
class IndexTable {
public:
    explicit IndexTable(std::size_t entries) {
        std::size_t capacity = 16;
        while (capacity < 2 * entries) capacity *= 2;
        m_slots.assign(capacity, Slot{0, kFree});
        m_mask = capacity - 1;
    }
    // Calls f(index) for every entry of the key until it returns true; answers whether one did.
    template <typename F>
    bool Any(std::uint64_t key, F&& f) const {
        for (std::size_t s = key & m_mask; m_slots[s].index != kFree; s = (s + 1) & m_mask)
            if (m_slots[s].key == key && f(m_slots[s].index)) return true;
        return false;
    }
    // The index of the key's first entry, or null.
    std::uint32_t* Find(std::uint64_t key) {
        for (std::size_t s = key & m_mask; m_slots[s].index != kFree; s = (s + 1) & m_mask)
            if (m_slots[s].key == key) return &m_slots[s].index;
        return nullptr;
    }
    void Add(std::uint64_t key, std::uint32_t index) {
        std::size_t s = key & m_mask;
        while (m_slots[s].index != kFree) s = (s + 1) & m_mask;
        m_slots[s] = Slot{key, index};
    }

private:
    static constexpr std::uint32_t kFree = std::numeric_limits<std::uint32_t>::max();
    struct Slot {
        std::uint64_t key;
        std::uint32_t index;
    };
    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
};

bool IsStroke(const CVector& c) { return c.PointCount() >= 2; }

void PrefetchEnds(const CVector& c) {
#if defined(__GNUC__)
    const std::vector<CPunkt>& p = c.m_points.Raw();
    if (p.empty()) return;
    __builtin_prefetch(p.data());
    __builtin_prefetch(p.data() + p.size() - 1);
#else
    (void)c;
#endif
}

// Equal whichever way the stroke runs: the ends as an unordered pair, and the count.
std::uint64_t EndsKey(const CVector& c) {
    const std::uint64_t a = PointHash(c.m_points.Raw().front()), b = PointHash(c.m_points.Raw().back());
    return Mix(std::min(a, b) + 31 * std::max(a, b) + static_cast<std::uint64_t>(c.PointCount()));
}

// Every point, equal for a stroke and its reverse.
std::uint64_t PointsKey(const CVector& c) {
    const std::vector<CPunkt>& p = c.m_points.Raw();
    std::uint64_t forward = 0, backward = 0;
    for (std::size_t k = 0, n = p.size(); k < n; ++k) {
        forward = forward * 0x100000001b3ULL + PointHash(p[k]);
        backward = backward * 0x100000001b3ULL + PointHash(p[n - 1 - k]);
    }
    return Mix(std::min(forward, backward) + 31 * std::max(forward, backward));
}

bool SameStroke(const CVector& a, const CVector& b) {
    const std::vector<CPunkt>& p = a.m_points.Raw();
    const std::vector<CPunkt>& q = b.m_points.Raw();
    return p.size() == q.size() && (std::equal(p.begin(), p.end(), q.begin()) ||
                                    std::equal(p.begin(), p.end(), q.rbegin()));
}

}  // namespace

std::int64_t CountDoubleStrokes(const std::vector<std::unique_ptr<CVector>>& chains) {
    if (chains.size() >= std::numeric_limits<std::uint32_t>::max()) return 0;
    // Most strokes share their ends and point count with no other: those are settled by a
    // look at their ends. Only strokes that do are hashed over all their points; the first of
    // each such group joins the second table when the group gets its second member.
    IndexTable byEnds(chains.size());
    std::vector<bool> inPoints(chains.size(), false);
    std::unique_ptr<IndexTable> byPoints;
    std::int64_t doubles = 0;
    for (std::uint32_t i = 0; i < chains.size(); ++i) {
        // The chains and their points lie scattered between other pens' chains: each is asked
        // for from memory a few chains ahead, its ends once its own fields have come.
        if (i + 8 < chains.size()) PrefetchChain(chains[i + 8].get());
        if (i + 4 < chains.size()) PrefetchEnds(*chains[i + 4]);
        const CVector& c = *chains[i];
        if (!IsStroke(c)) continue;
        const std::uint64_t ends = EndsKey(c);
        const std::uint32_t* firstOfEnds = byEnds.Find(ends);
        if (!firstOfEnds) {
            byEnds.Add(ends, i);
            continue;
        }
        const std::uint32_t first = *firstOfEnds;
        if (!byPoints) byPoints = std::make_unique<IndexTable>(chains.size());
        if (!inPoints[first]) {
            byPoints->Add(PointsKey(*chains[first]), first);
            inPoints[first] = true;
        }
        const std::uint64_t key = PointsKey(c);
        if (byPoints->Any(key, [&](std::uint32_t j) { return SameStroke(*chains[j], c); })) {
            ++doubles;
        } else {
            byPoints->Add(key, i);
            inPoints[i] = true;
        }
    }
    return doubles;
}

namespace {

struct End {
    std::int32_t x, y;
    std::uint32_t chain;  // position among the pen's ends' chains
};

// The near ends of one pen. A grid whose cells are small enough that any two ends in one
// cell are near: an end finds its answer in its own cell, and only an end that is alone
// there (or with its own chain's other end) looks at the cells around, so the search stays
// linear however the ends crowd.
void NearEndsOfPen(const CStift& pen, double near, std::vector<CPunkt>& out) {
    std::vector<End> ends;
    std::vector<const CVector*> owners;
    for (const auto& c : pen.m_chains) {
        if (c->m_empty || c->m_closed || !IsStroke(*c)) continue;
        const auto chain = static_cast<std::uint32_t>(owners.size());
        owners.push_back(c.get());
        ends.push_back({c->m_startX, c->m_startY, chain});
        ends.push_back({c->m_endX, c->m_endY, chain});
    }
    if (ends.size() < 2) return;
    // Integer ends in cells of half a unit never share a cell unless they coincide.
    const double side = std::max(near / std::sqrt(2.0), 0.5);
    const int reach = near > 0.0 ? static_cast<int>(std::ceil(near / side)) : 0;
    auto cellOf = [&](std::int32_t v) { return static_cast<std::int64_t>(std::floor(v / side)); };
    auto cellKey = [](std::int64_t cx, std::int64_t cy) {
        return Mix(static_cast<std::uint64_t>(cx) * 0x9e3779b97f4a7c15ULL + static_cast<std::uint64_t>(cy));
    };
    // One entry per cell, heading the list of its ends in `next`.
    constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
    IndexTable cells(ends.size());
    std::vector<std::uint32_t> next(ends.size(), kNone);
    for (std::uint32_t k = 0; k < ends.size(); ++k) {
        const std::uint64_t key = cellKey(cellOf(ends[k].x), cellOf(ends[k].y));
        if (std::uint32_t* head = cells.Find(key)) {
            next[k] = *head;
            *head = k;
        } else {
            cells.Add(key, k);
        }
    }

    auto nearTo = [&](std::uint32_t k, std::uint32_t o) {
        const End& a = ends[k];
        const End& b = ends[o];
        if (o == k || (a.chain == b.chain && owners[a.chain]->PointCount() < 3)) return false;
        return join_detail::EndDistance(a.x, a.y, b.x, b.y) <= near;
    };
    for (std::uint32_t k = 0; k < ends.size(); ++k) {
        const std::int64_t cx = cellOf(ends[k].x), cy = cellOf(ends[k].y);
        // Two cells may share a key: the distance decides.
        auto inCell = [&](std::int64_t x, std::int64_t y) {
            std::uint32_t* head = cells.Find(cellKey(x, y));
            for (std::uint32_t o = head ? *head : kNone; o != kNone; o = next[o])
                if (nearTo(k, o)) return true;
            return false;
        };
        bool found = inCell(cx, cy);
        for (int dx = -reach; dx <= reach && !found; ++dx)
            for (int dy = -reach; dy <= reach && !found; ++dy)
                if (dx != 0 || dy != 0) found = inCell(cx + dx, cy + dy);
        if (!found) continue;
        const CVector& c = *owners[ends[k].chain];
        out.push_back(k % 2 == 0 ? c.m_points.Raw().front() : c.m_points.Raw().back());
    }
}

}  // namespace

void CountChainsAndEnds(ImportReport& report, const CLayer& layer, double near) {
    for (const auto& pen : layer.m_pens)
        for (const auto& c : pen->m_chains) {
            if (c->m_empty) continue;
            ++report.chains;
            ++(c->m_closed ? report.closed : report.open);
        }
    // Broken settings may give no distance at all; then no end is near.
    if (!(near >= 0.0)) return;
    for (const auto& pen : layer.m_pens) NearEndsOfPen(*pen, near, report.nearEnds);
}
