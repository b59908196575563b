// The end-point joining that every import runs on its new layer.
//
// Done the plain way it walks every chain A against every later chain B and repeats the walk
// until nothing joins, which is cubic in the number of strokes. Here the same walk is driven
// by an index: for A, the next B that can join is the first later chain with an end at one
// of A's integer end points, found through a hash map from end point to sorted chain
// positions. Chains between A's position and that B cannot join, so skipping them changes
// nothing except the emptying of their first correction list, which is done for exactly the
// chains the plain walk would have met. Which A takes which B in which pass stays the same,
// and with it the order of the joined points.

#include "prepare/join.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
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

// Open, non-empty chains of one pen by their integer end points: for each end point the list
// positions of the chains ending there, sorted. Few chains share an end point, so the sorted
// lists stay short and a hash look-up plus a short search finds the next partner.
class EndIndex {
public:
    explicit EndIndex(int n) { m_chainsAt.reserve(2 * static_cast<std::size_t>(n)); }

    void Add(std::uint64_t key, int k) {
        std::vector<int>& at = m_chainsAt[key];
        auto it = std::lower_bound(at.begin(), at.end(), k);
        if (it == at.end() || *it != k) at.insert(it, k);
    }
    void Remove(std::uint64_t key, int k) {
        auto found = m_chainsAt.find(key);
        if (found == m_chainsAt.end()) return;
        std::vector<int>& at = found->second;
        auto it = std::lower_bound(at.begin(), at.end(), k);
        if (it != at.end() && *it == k) at.erase(it);
    }
    // The first chain after position `after` with an end at one of the two keys, or none.
    int NextTouching(std::uint64_t start, std::uint64_t end, int after, int none) const {
        return std::min(First(start, after, none), start == end ? none : First(end, after, none));
    }

private:
    int First(std::uint64_t key, int after, int none) const {
        auto found = m_chainsAt.find(key);
        if (found == m_chainsAt.end()) return none;
        const std::vector<int>& at = found->second;
        auto it = std::upper_bound(at.begin(), at.end(), after);
        return it == at.end() ? none : *it;
    }
    std::unordered_map<std::uint64_t, std::vector<int>> m_chainsAt;
};

struct EndKeys {
    std::uint64_t start, end;
};
EndKeys KeysOf(const CVector& v) { return {EndKey(v.m_startX, v.m_startY), EndKey(v.m_endX, v.m_endY)}; }

bool JoinPenEndPoints(CStift& pen) {
    std::vector<std::unique_ptr<CVector>>& chains = pen.m_chains;
    const int n = static_cast<int>(chains.size());
    // Chains that may still take part: neither empty nor closed. A closed chain is never
    // joined, also not as the first chain of a pair: a stroke starting where a circle starts
    // would otherwise reopen the circle. Chains only ever leave this set.
    ShrinkingSet open(n);
    // Chains whose first correction list may still need emptying.
    ShrinkingSet uncleared(n);
    EndIndex index(n);
    for (int k = 0; k < n; ++k) {
        const CVector& v = *chains[static_cast<std::size_t>(k)];
        if (v.m_empty || v.m_closed) {
            open.Remove(k);
        } else {
            const EndKeys keys = KeysOf(v);
            index.Add(keys.start, k);
            index.Add(keys.end, k);
        }
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
            EndKeys keysA = KeysOf(a);
            for (int after = i;;) {
                const int j = index.NextTouching(keysA.start, keysA.end, after, n);
                meetRange(after + 1, j < n ? j : n - 1);
                if (j >= n) break;
                CVector& b = *chains[static_cast<std::size_t>(j)];
                const EndKeys keysB = KeysOf(b);
                index.Remove(keysB.start, j);
                index.Remove(keysB.end, j);
                open.Remove(j);
                join_detail::JoinTouchingPair(a, b);
                joined = true;
                const EndKeys now = KeysOf(a);
                const bool stays = !a.m_empty && !a.m_closed;
                // Only the ends that moved change their entries; usually one end stays.
                if (!stays || now.start != keysA.start) index.Remove(keysA.start, i);
                if (!stays || now.end != keysA.end) index.Remove(keysA.end, i);
                if (!stays) {
                    open.Remove(i);
                    break;
                }
                index.Add(now.start, i);
                index.Add(now.end, i);
                keysA = now;
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
