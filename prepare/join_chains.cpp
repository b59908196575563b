// "Zusammenfügen": joins the chains of each pen pairwise, nearest pair first, then closes
// chains whose own ends lie close together.
//
// Done the plain way, every join is followed by a search over all pairs of the pen, which is
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
#include <vector>

#include "model/document.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "model/progress.h"
#include "prepare/join.h"
#include "prepare/join_detail.h"

namespace {

using join_detail::EndKey;

// The plain search starts its minimum at this value and takes only smaller distances, so
// pairs this far apart are never joined, whatever the joining distance.
constexpr double kNoPairDistance = 2147483647.0;
// Any two 32-bit coordinates differ by less than this, so a larger joining distance reaches
// as far as this one, and grid cells never need to be wider.
constexpr std::int64_t kCoordinateRange = std::int64_t{1} << 33;

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

// The grid of end points: an open-addressing table from cell to the head of the cell's list
// of entries, the entries in one array. A chain that changed leaves stale entries behind,
// which the scans unlink as they meet them.
class EndGrid {
public:
    struct Entry {
        int chain;
        std::uint32_t version;
        int next;
    };

    explicit EndGrid(std::size_t expectedCells) {
        std::size_t cap = 16;
        while (cap < 2 * expectedCells) cap *= 2;
        m_slots.assign(cap, Slot{});
    }

    void Add(std::uint64_t cell, int chain, std::uint32_t version) {
        int& head = Head(cell);
        m_entries.push_back({chain, version, head});
        head = static_cast<int>(m_entries.size()) - 1;
    }

    // The link to the first entry of a cell, or nullptr when the cell never held one.
    int* Find(std::uint64_t cell) {
        for (std::size_t i = Hash(cell) & (m_slots.size() - 1);; i = (i + 1) & (m_slots.size() - 1)) {
            Slot& s = m_slots[i];
            if (s.head == kUnused) return nullptr;
            if (s.key == cell) return &s.head;
        }
    }
    Entry& At(int e) { return m_entries[static_cast<std::size_t>(e)]; }

private:
    static constexpr int kUnused = -2;
    struct Slot {
        std::uint64_t key = 0;
        int head = kUnused;
    };

    static std::size_t Hash(std::uint64_t k) {  // the splitmix64 finaliser
        k ^= k >> 30;
        k *= 0xbf58476d1ce4e5b9ULL;
        k ^= k >> 27;
        k *= 0x94d049bb133111ebULL;
        k ^= k >> 31;
        return static_cast<std::size_t>(k);
    }

    int& Head(std::uint64_t cell) {
        if (int* h = Find(cell)) return *h;
        if (2 * (m_used + 1) > m_slots.size()) Grow();
        ++m_used;
        std::size_t i = Hash(cell) & (m_slots.size() - 1);
        while (m_slots[i].head != kUnused) i = (i + 1) & (m_slots.size() - 1);
        m_slots[i] = {cell, -1};
        return m_slots[i].head;
    }

    void Grow() {
        std::vector<Slot> old(m_slots.size() * 2);
        old.swap(m_slots);
        for (const Slot& s : old) {
            if (s.head == kUnused) continue;
            std::size_t i = Hash(s.key) & (m_slots.size() - 1);
            while (m_slots[i].head != kUnused) i = (i + 1) & (m_slots.size() - 1);
            m_slots[i] = s;
        }
    }

    std::vector<Slot> m_slots;
    std::size_t m_used = 0;
    std::vector<Entry> m_entries;
};

class PenPairSearch {
public:
    PenPairSearch(std::vector<std::unique_ptr<CVector>>& chains, double joinDistance)
        : m_chains(chains),
          m_distance(joinDistance),
          m_reach(Reach(joinDistance)),
          m_cell(2 * m_reach + 1),
          m_grid(2 * chains.size()),
          m_state(chains.size()) {}

    // The notes of the merged chains' recomputations go to `notes` in the order of the merges.
    // Each merge is one step of the progress, counted on from `done`.
    void Run(DirectionNotes& notes, ProgressTicker& progress, std::size_t done) {
        // Nothing is within a negative (or undefined) distance.
        if (!(m_distance >= 0)) return;
        const int n = static_cast<int>(m_chains.size());
        for (int k = 0; k < n; ++k) Refresh(k);
        for (int k = 0; k < n; ++k)
            if (State(k).eligible) AddPairsOf(k, true);
        while (!m_heap.empty()) {
            const Candidate c = m_heap.top();
            m_heap.pop();
            if (c.versionA != State(c.a).version || c.versionB != State(c.b).version) continue;
            join_detail::MergeByCase(Chain(c.a), Chain(c.b), c.joinCase, notes);
            progress.Tick(++done);
            ++State(c.a).version;
            ++State(c.b).version;
            State(c.a).eligible = State(c.b).eligible = false;
            const int receiver = c.joinCase == 2 ? c.b : c.a;
            Refresh(receiver);
            if (State(receiver).eligible) AddPairsOf(receiver, false);
        }
    }

private:
    // What the search needs of a chain, kept together so that testing a pair touches two small
    // records instead of two whole chains.
    struct ChainState {
        join_detail::Ends ends{};
        std::uint32_t version = 0;
        std::uint32_t seen = 0;  // stamp of the last partner search that met the chain
        bool eligible = false;
    };

    // How far, in whole units per coordinate, a partner's end may lie: differences of integer
    // ends are integers, so the whole part of the distance is enough.
    static std::int64_t Reach(double joinDistance) {
        if (!(joinDistance >= 0)) return 0;
        if (joinDistance >= static_cast<double>(kCoordinateRange)) return kCoordinateRange;
        return static_cast<std::int64_t>(std::floor(joinDistance));
    }

    CVector& Chain(int k) { return *m_chains[static_cast<std::size_t>(k)]; }
    ChainState& State(int k) { return m_state[static_cast<std::size_t>(k)]; }

    std::uint64_t CellKey(std::int64_t cx, std::int64_t cy) const {
        return EndKey(static_cast<std::int32_t>(cx), static_cast<std::int32_t>(cy));
    }

    // Takes a chain's ends after it changed and enters them into the grid when it can join.
    void Refresh(int k) {
        const CVector& v = Chain(k);
        ChainState& st = State(k);
        st.eligible = Eligible(v);
        if (!st.eligible) return;
        st.ends = join_detail::EndsOf(v);
        const std::uint64_t s = CellKey(FloorDiv(st.ends.sx, m_cell), FloorDiv(st.ends.sy, m_cell));
        const std::uint64_t e = CellKey(FloorDiv(st.ends.ex, m_cell), FloorDiv(st.ends.ey, m_cell));
        m_grid.Add(s, k, st.version);
        if (e != s) m_grid.Add(e, k, st.version);
    }

    // Pushes every pair of chain k with a chain that has an end within the joining distance of
    // one of k's ends; with onlyLater, partners before k are left to their own turn.
    void AddPairsOf(int k, bool onlyLater) {
        ++m_stamp;
        const join_detail::Ends& e = State(k).ends;
        AddPairsNear(k, e.sx, e.sy, onlyLater);
        AddPairsNear(k, e.ex, e.ey, onlyLater);
    }

    // Cells are wider than twice the reach, so the ends within reach lie in at most two cells
    // per coordinate.
    void AddPairsNear(int k, std::int32_t x, std::int32_t y, bool onlyLater) {
        const std::int64_t x0 = FloorDiv(x - m_reach, m_cell), x1 = FloorDiv(x + m_reach, m_cell);
        const std::int64_t y0 = FloorDiv(y - m_reach, m_cell), y1 = FloorDiv(y + m_reach, m_cell);
        for (std::int64_t gx = x0; gx <= x1; ++gx) {
            for (std::int64_t gy = y0; gy <= y1; ++gy) {
                int* link = m_grid.Find(CellKey(gx, gy));
                if (!link) continue;
                while (*link >= 0) {
                    EndGrid::Entry& entry = m_grid.At(*link);
                    ChainState& other = State(entry.chain);
                    if (entry.version != other.version) {  // the chain changed since
                        *link = entry.next;
                        continue;
                    }
                    link = &entry.next;
                    const int m = entry.chain;
                    if (m == k || (onlyLater && m < k) || other.seen == m_stamp) continue;
                    other.seen = m_stamp;
                    Push(std::min(k, m), std::max(k, m));
                }
            }
        }
    }

    void Push(int a, int b) {
        const join_detail::PairDistance d = join_detail::NearestEnds(State(a).ends, State(b).ends);
        if (d.distance < kNoPairDistance && d.distance <= m_distance)
            m_heap.push({d.distance, a, b, d.joinCase, State(a).version, State(b).version});
    }

    std::vector<std::unique_ptr<CVector>>& m_chains;
    double m_distance;
    std::int64_t m_reach;
    std::int64_t m_cell;
    EndGrid m_grid;
    std::vector<ChainState> m_state;
    std::uint32_t m_stamp = 0;
    std::priority_queue<Candidate, std::vector<Candidate>, LaterThan> m_heap;
};

// A pen of n chains is n steps of the progress: at most n - 1 merges, then the closing.
void JoinPen(CStift& pen, double joinDistance, bool clearCorrections, DirectionNotes& notes,
             ProgressTicker& progress, std::size_t done) {
    if (clearCorrections)
        for (auto& v : pen.m_chains) v->ClearCorrection();
    PenPairSearch(pen.m_chains, joinDistance).Run(notes, progress, done);
    for (auto& chain : pen.m_chains) {
        CVector& v = *chain;
        if (v.m_empty || v.m_closed || v.PointCount() < 3) continue;
        const double gap = join_detail::EndDistance(v.m_startX, v.m_startY, v.m_endX, v.m_endY);
        if (gap <= joinDistance) notes.Add(join_detail::CloseChain(v));
    }
    progress.Tick(done + pen.m_chains.size());
}

std::size_t ChainsToJoin(const CQuenkDoc& doc) {
    std::size_t n = 0;
    for (const auto& layer : doc.m_layers)
        if (!layer->m_empty)
            for (const auto& pen : layer->m_pens)
                if (!pen->m_empty) n += pen->m_chains.size();
    return n;
}

}  // namespace

void JoinChains(CQuenkDoc& doc) {
    {
        WaitCursor wait(Ui());
        doc.m_joinDistanceUnits = doc.App().m_joinDistance / doc.m_plotterUnit;
        ProgressTicker progress(ChainsToJoin(doc));
        std::size_t done = 0;
        ShowingNotes([&](DirectionNotes& notes) {
            for (auto& layer : doc.m_layers) {
                if (layer->m_empty) continue;
                for (auto& pen : layer->m_pens) {
                    if (pen->m_empty) continue;
                    JoinPen(*pen, doc.m_joinDistanceUnits, doc.m_bCorrectionDone != 0, notes, progress, done);
                    done += pen->m_chains.size();
                }
            }
        });
        progress.Finish();
        doc.m_bCorrectionDone = 0;
        doc.RecomputeBox();
    }
    Ui().RequestRedraw();
}
