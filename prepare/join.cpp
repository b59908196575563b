// The end-point joining that every import runs on its new layer.
//
// Read literally it walks every chain A against every later chain B and repeats the walk
// until nothing joins, which is cubic in the number of strokes. Here the same walk is driven
// by an index: for A, the next B that can join is the first later chain with an end at one
// of A's integer end points, found in an ordered set of (end point, chain) entries. Chains
// between A's position and that B cannot join, so skipping them changes nothing except the
// emptying of their first correction list, which is done for exactly the chains the plain
// walk would have met.

#include "prepare/join.h"

#include <algorithm>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "model/document.h"
#include "model/session.h"
#include "prepare/join_detail.h"

namespace {

constexpr const char* kJoinedMessage = " Vektorkette in die gleiche Richtung gedreht !! ";

using join_detail::EndKey;

// Indices 0..n-1 that can only ever leave the set; Next(k) is the smallest member >= k, or n.
class ShrinkingSet {
public:
    explicit ShrinkingSet(int n) : m_next(static_cast<std::size_t>(n) + 1) {
        for (int k = 0; k <= n; ++k) m_next[static_cast<std::size_t>(k)] = k;
    }
    void Remove(int k) { m_next[static_cast<std::size_t>(k)] = k + 1; }
    bool Contains(int k) { return Next(k) == k; }
    int Next(int k) {
        int root = k;
        while (m_next[static_cast<std::size_t>(root)] != root) root = m_next[static_cast<std::size_t>(root)];
        while (k != root) {  // path compression keeps later look-ups short
            const int up = m_next[static_cast<std::size_t>(k)];
            m_next[static_cast<std::size_t>(k)] = root;
            k = up;
        }
        return root;
    }

private:
    std::vector<int> m_next;
};

// Open, non-empty chains of one pen by their integer end points.
class EndIndex {
public:
    void Add(const CVector& v, int k) {
        m_entries.emplace(EndKey(v.m_startX, v.m_startY), k);
        m_entries.emplace(EndKey(v.m_endX, v.m_endY), k);
    }
    void Remove(const CVector& v, int k) {
        m_entries.erase({EndKey(v.m_startX, v.m_startY), k});
        m_entries.erase({EndKey(v.m_endX, v.m_endY), k});
    }
    // The first chain after position `after` with an end at one of v's end points, or none.
    int NextTouching(const CVector& v, int after, int none) const {
        return std::min(First(EndKey(v.m_startX, v.m_startY), after, none),
                        First(EndKey(v.m_endX, v.m_endY), after, none));
    }

private:
    int First(std::uint64_t key, int after, int none) const {
        auto it = m_entries.lower_bound({key, after + 1});
        return (it != m_entries.end() && it->first == key) ? it->second : none;
    }
    std::set<std::pair<std::uint64_t, int>> m_entries;
};

bool JoinPenEndPoints(CStift& pen) {
    std::vector<std::unique_ptr<CVector>>& chains = pen.m_chains;
    const int n = static_cast<int>(chains.size());
    // Chains that may still take part: neither empty nor closed. A closed chain is never
    // joined, also not as the first chain of a pair: a stroke starting where a circle starts
    // would otherwise reopen the circle. Chains only ever leave this set.
    ShrinkingSet open(n);
    // Chains whose first correction list may still need emptying.
    ShrinkingSet uncleared(n);
    EndIndex index;
    for (int k = 0; k < n; ++k) {
        const CVector& v = *chains[static_cast<std::size_t>(k)];
        if (v.m_empty || v.m_closed)
            open.Remove(k);
        else
            index.Add(v, k);
    }
    auto meet = [&](int k) {  // the plain walk met chain k as one of a pair
        if (!uncleared.Contains(k)) return;
        chains[static_cast<std::size_t>(k)]->m_correctionPointsA.RemoveAll();
        uncleared.Remove(k);
    };
    // The plain walk meets every open chain in lo..hi; chains that are empty or closed now
    // stay so, and are never met later either.
    auto meetRange = [&](int lo, int hi) {
        for (int k = uncleared.Next(lo); k <= hi; k = uncleared.Next(k + 1)) {
            if (open.Contains(k)) chains[static_cast<std::size_t>(k)]->m_correctionPointsA.RemoveAll();
            uncleared.Remove(k);
        }
    };

    bool joinedAny = false;
    for (;;) {
        bool joined = false;
        for (int i = open.Next(0); i < n; i = open.Next(i + 1)) {
            if (open.Next(i + 1) >= n) break;  // no later partner for this or any later A
            CVector& a = *chains[static_cast<std::size_t>(i)];
            meet(i);
            for (int after = i;;) {
                const int j = index.NextTouching(a, after, n);
                meetRange(after + 1, j < n ? j : n - 1);
                if (j >= n) break;
                CVector& b = *chains[static_cast<std::size_t>(j)];
                index.Remove(a, i);
                index.Remove(b, j);
                open.Remove(j);
                join_detail::JoinTouchingPair(a, b);
                joined = true;
                if (a.m_empty || a.m_closed) {
                    open.Remove(i);
                    break;
                }
                index.Add(a, i);
                after = j;
            }
        }
        if (!joined) break;
        joinedAny = true;
    }
    return joinedAny;
}

}  // namespace

bool JoinEndPoints(CQuenkDoc& doc, CLayer& layer) {
    bool joined = false;
    for (auto& pen : layer.m_pens)
        if (JoinPenEndPoints(*pen)) joined = true;
    doc.RecomputeBox();
    if (joined) Ui().Message(kJoinedMessage);
    Ui().RequestRedraw();
    return joined;
}
