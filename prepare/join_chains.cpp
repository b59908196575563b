// "Zusammenfügen": joins the chains of each pen pairwise, nearest pair first, then closes
// chains whose own ends lie close together.
//
// Read literally, every join is followed by a search over all pairs of the pen, which is
// cubic in the number of strokes. Only pairs whose ends lie within the joining distance can
// ever be joined, so those are found once through a grid of end points and kept in a heap
// ordered exactly as the plain search decides: smallest distance, then the earlier first
// chain, then the earlier second chain, then the earlier case. A join changes only its two
// chains; their old heap entries are recognised as stale by a version number per chain, and
// the receiver's new pairs are added.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <queue>
#include <unordered_map>
#include <vector>

#include "model/document.h"
#include "model/quenk_app.h"
#include "model/session.h"
#include "prepare/join.h"
#include "prepare/join_detail.h"

namespace {

using join_detail::EndKey;

// The plain search starts its minimum at this value and takes only smaller distances, so
// pairs this far apart are never joined, whatever the joining distance.
constexpr double kNoPairDistance = 2147483647.0;
// Grid cells are at least one drawing unit wide (end points are integers) and at most this
// wide, which already holds any two 32-bit coordinates in neighbouring cells.
constexpr double kMaxCell = 8589934592.0;  // 2^33

struct Candidate {
    double distance;
    int a, b;  // list positions, a < b
    int joinCase;
    std::uint32_t versionA, versionB;
};

// Heap order: the candidate the plain search keeps comes out first.
struct LaterThan {
    bool operator()(const Candidate& l, const Candidate& r) const {
        if (l.distance != r.distance) return l.distance > r.distance;
        if (l.a != r.a) return l.a > r.a;
        if (l.b != r.b) return l.b > r.b;
        return l.joinCase > r.joinCase;
    }
};

bool Eligible(const CVector& v) { return !v.m_empty && !v.m_closed && v.PointCount() >= 2; }

std::int64_t FloorDiv(std::int64_t v, std::int64_t d) {
    const std::int64_t q = v / d;
    return (v % d != 0 && v < 0) ? q - 1 : q;
}

class PenPairSearch {
public:
    PenPairSearch(std::vector<std::unique_ptr<CVector>>& chains, double joinDistance)
        : m_chains(chains),
          m_distance(joinDistance),
          m_cell(static_cast<std::int64_t>(std::ceil(std::min(std::max(joinDistance, 1.0), kMaxCell)))),
          m_version(chains.size(), 0),
          m_seen(chains.size(), 0) {}

    void Run() {
        // Nothing is within a negative (or undefined) distance.
        if (!(m_distance >= 0)) return;
        const int n = static_cast<int>(m_chains.size());
        for (int k = 0; k < n; ++k)
            if (Eligible(Chain(k))) AddEnds(k);
        for (int k = 0; k < n; ++k)
            if (Eligible(Chain(k))) AddPairsOf(k, true);
        while (!m_heap.empty()) {
            const Candidate c = m_heap.top();
            m_heap.pop();
            if (c.versionA != Version(c.a) || c.versionB != Version(c.b)) continue;
            join_detail::MergeByCase(Chain(c.a), Chain(c.b), c.joinCase);
            ++Version(c.a);
            ++Version(c.b);
            const int receiver = c.joinCase == 2 ? c.b : c.a;
            if (Eligible(Chain(receiver))) {
                AddEnds(receiver);
                AddPairsOf(receiver, false);
            }
        }
    }

private:
    struct Entry {
        int chain;
        std::uint32_t version;
    };

    CVector& Chain(int k) { return *m_chains[static_cast<std::size_t>(k)]; }
    std::uint32_t& Version(int k) { return m_version[static_cast<std::size_t>(k)]; }

    std::uint64_t CellKey(std::int64_t cx, std::int64_t cy) const {
        return EndKey(static_cast<std::int32_t>(cx), static_cast<std::int32_t>(cy));
    }
    std::int64_t CellOf(std::int32_t v) const { return FloorDiv(v, m_cell); }

    void AddEnds(int k) {
        const CVector& v = Chain(k);
        const std::uint64_t s = CellKey(CellOf(v.m_startX), CellOf(v.m_startY));
        const std::uint64_t e = CellKey(CellOf(v.m_endX), CellOf(v.m_endY));
        m_grid[s].push_back({k, Version(k)});
        if (e != s) m_grid[e].push_back({k, Version(k)});
    }

    // Pushes every pair of chain k with a chain that has an end within the joining distance of
    // one of k's ends; with onlyLater, partners before k are left to their own turn.
    void AddPairsOf(int k, bool onlyLater) {
        ++m_stamp;
        const CVector& v = Chain(k);
        AddPairsNear(k, v.m_startX, v.m_startY, onlyLater);
        AddPairsNear(k, v.m_endX, v.m_endY, onlyLater);
    }

    void AddPairsNear(int k, std::int32_t x, std::int32_t y, bool onlyLater) {
        const std::int64_t cx = CellOf(x), cy = CellOf(y);
        for (std::int64_t gx = cx - 1; gx <= cx + 1; ++gx) {
            for (std::int64_t gy = cy - 1; gy <= cy + 1; ++gy) {
                auto it = m_grid.find(CellKey(gx, gy));
                if (it == m_grid.end()) continue;
                std::vector<Entry>& cell = it->second;
                for (std::size_t e = 0; e < cell.size();) {
                    const Entry entry = cell[e];
                    if (entry.version != Version(entry.chain)) {  // the chain changed since
                        cell[e] = cell.back();
                        cell.pop_back();
                        continue;
                    }
                    ++e;
                    const int m = entry.chain;
                    if (m == k || (onlyLater && m < k) || m_seen[static_cast<std::size_t>(m)] == m_stamp) continue;
                    m_seen[static_cast<std::size_t>(m)] = m_stamp;
                    Push(std::min(k, m), std::max(k, m));
                }
            }
        }
    }

    void Push(int a, int b) {
        const join_detail::PairDistance d = join_detail::NearestEnds(Chain(a), Chain(b));
        if (d.distance < kNoPairDistance && d.distance <= m_distance)
            m_heap.push({d.distance, a, b, d.joinCase, Version(a), Version(b)});
    }

    std::vector<std::unique_ptr<CVector>>& m_chains;
    double m_distance;
    std::int64_t m_cell;
    std::vector<std::uint32_t> m_version;
    std::vector<std::uint32_t> m_seen;
    std::uint32_t m_stamp = 0;
    std::unordered_map<std::uint64_t, std::vector<Entry>> m_grid;
    std::priority_queue<Candidate, std::vector<Candidate>, LaterThan> m_heap;
};

void JoinPen(CStift& pen, double joinDistance, bool clearCorrections) {
    if (clearCorrections)
        for (auto& v : pen.m_chains) v->ClearCorrection();
    PenPairSearch(pen.m_chains, joinDistance).Run();
    for (auto& chain : pen.m_chains) {
        CVector& v = *chain;
        if (v.m_empty || v.m_closed || v.PointCount() < 3) continue;
        const double gap = join_detail::EndDistance(v.m_startX, v.m_startY, v.m_endX, v.m_endY);
        if (gap <= joinDistance) join_detail::CloseChain(v);
    }
}

}  // namespace

void JoinChains(CQuenkDoc& doc) {
    {
        WaitCursor wait(Ui());
        doc.m_joinDistanceUnits = doc.App().m_joinDistance / doc.m_plotterUnit;
        for (auto& layer : doc.m_layers) {
            if (layer->m_empty) continue;
            for (auto& pen : layer->m_pens) {
                if (pen->m_empty) continue;
                JoinPen(*pen, doc.m_joinDistanceUnits, doc.m_bCorrectionDone != 0);
            }
        }
        doc.m_bCorrectionDone = 0;
        doc.RecomputeBox();
    }
    Ui().RequestRedraw();
}
