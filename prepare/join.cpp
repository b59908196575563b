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
#include <mutex>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "model/document.h"
#include "model/parallel.h"
#include "model/core_context.h"
#include "prepare/join_detail.h"
#include "prepare/join_growing.h"
#include "prepare/texts.h"

namespace {

using join_detail::EndKey;
using join_detail::GrowingChain;

// A joined chain's raw correction points no longer fit it; a chain without correction lists
// keeps none, and clearing must not make them for it.
void ClearRawPoints(CVector& v) {
    if (v.HasCorrectionLists()) v.Correction().m_correctionPointsA.RemoveAll();
}

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
// positions of the chains ending there, sorted. One open-addressed table holds the end
// points; nearly all of them have one or two chains, kept in the slot itself, and only the
// rare crowded end point gets a sorted list of its own. Keys are never removed; a joined chain
// nearly always ends where one of its parts ended, so the table seldom has to grow.
class EndIndex {
public:
    explicit EndIndex(int n) {
        std::size_t capacity = 16;  // two ends per chain at most half the slots
        while (capacity < 4 * static_cast<std::size_t>(n)) capacity *= 2;
        m_slots.resize(capacity);
        m_mask = capacity - 1;
    }

    void Add(std::uint64_t key, int k) {
        Slot& s = Find(key, true);
        if (s.crowd >= 0) {
            m_crowds[static_cast<std::size_t>(s.crowd)].insert(k);
            return;
        }
        if ((s.count >= 1 && s.inl[0] == k) || (s.count == 2 && s.inl[1] == k)) return;
        if (s.count < 2) {
            s.inl[s.count++] = k;
            if (s.count == 2 && s.inl[0] > s.inl[1]) std::swap(s.inl[0], s.inl[1]);
            return;
        }
        std::set<int> at{s.inl[0], s.inl[1], k};
        s.crowd = static_cast<int>(m_crowds.size());
        m_crowds.push_back(std::move(at));
    }
    void Remove(std::uint64_t key, int k) {
        Slot& s = Find(key, false);
        if (s.count < 0) return;
        if (s.crowd >= 0) {
            m_crowds[static_cast<std::size_t>(s.crowd)].erase(k);
            return;
        }
        if (s.count >= 1 && s.inl[0] == k) {
            s.inl[0] = s.inl[1];
            --s.count;
        } else if (s.count == 2 && s.inl[1] == k) {
            --s.count;
        }
    }
    // The first chain after position `after` with an end at one of the two keys, or none.
    int NextTouching(std::uint64_t start, std::uint64_t end, int after, int none) {
        return std::min(First(start, after, none), start == end ? none : First(end, after, none));
    }

private:
    struct Slot {
        std::uint64_t key = 0;
        int count = -1;  // -1: slot unused
        int inl[2] = {0, 0};
        int crowd = -1;  // index into m_crowds once more than two chains shared the key
    };

    Slot& Find(std::uint64_t key, bool create) {
        for (std::size_t at = Home(key);; at = (at + 1) & m_mask) {
            Slot& s = m_slots[at];
            if (s.count < 0) {
                if (!create) return s;
                if (2 * (m_used + 1) > m_slots.size()) {
                    Grow();
                    return Find(key, true);
                }
                ++m_used;
                s.key = key;
                s.count = 0;
                return s;
            }
            if (s.key == key) return s;
        }
    }
    void Grow() {
        std::vector<Slot> old(2 * m_slots.size());
        old.swap(m_slots);
        m_mask = m_slots.size() - 1;
        for (const Slot& s : old) {
            if (s.count < 0) continue;
            std::size_t at = Home(s.key);
            while (m_slots[at].count >= 0) at = (at + 1) & m_mask;
            m_slots[at] = s;
        }
    }
    std::size_t Home(std::uint64_t key) const {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & m_mask;
    }
    int First(std::uint64_t key, int after, int none) {
        const Slot& s = Find(key, false);
        if (s.count < 0) return none;
        if (s.crowd >= 0) {
            const std::set<int>& at = m_crowds[static_cast<std::size_t>(s.crowd)];
            auto it = at.upper_bound(after);
            return it == at.end() ? none : *it;
        }
        for (int i = 0; i < s.count; ++i)
            if (s.inl[i] > after) return s.inl[i];
        return none;
    }

    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
    std::size_t m_used = 0;
    std::vector<std::set<int>> m_crowds;
};

struct EndKeys {
    std::uint64_t start, end;
};
EndKeys KeysOf(const CVector& v) { return {EndKey(v.m_startX, v.m_startY), EndKey(v.m_endX, v.m_endY)}; }

}  // namespace

bool join_detail::JoinPenEndPoints(CStift& pen, ChainPoints before, SpentPoints& spent, DirectionNotes& notes) {
    std::vector<std::unique_ptr<CVector>>& chains = pen.m_chains;
    const int n = static_cast<int>(chains.size());
    // Fewer than two chains that may take part make no pair, and the walk below would touch
    // nothing: a file of a million pens with a stroke each must not pay for its tables a
    // million times.
    int mayJoin = 0;
    for (const auto& c : chains)
        if (!c->m_empty && !c->m_closed && ++mayJoin == 2) break;
    if (mayJoin < 2) return false;
    // Chains whose points are as their last Recompute left them: after a join only the
    // points that B brought in need reading.
    std::vector<std::uint8_t> current(static_cast<std::size_t>(n), before == ChainPoints::Unchanged ? 1 : 0);
    // Chains whose storage this joining made (on this thread).
    std::vector<std::uint8_t> made(static_cast<std::size_t>(n), 0);
    // Chains that may still take part: neither empty nor closed. A closed chain is never
    // joined, also not as the first chain of a pair: a stroke starting where a circle starts
    // would otherwise reopen the circle. Chains only ever leave this set.
    ShrinkingSet open(n);
    // Chains whose first correction list may still need emptying.
    ShrinkingSet uncleared(n);
    EndIndex index(n);
    // The chains lie scattered in memory, and the walk meets them in the order of their ends,
    // not of their places: what it asks of a chain it has not joined yet is kept here, read in
    // one pass in list order. A chain changes only when the walk joins it.
    std::vector<EndKeys> ends(static_cast<std::size_t>(n));
    std::vector<std::uint8_t> hasLists(static_cast<std::size_t>(n), 0);
    for (int k = 0; k < n; ++k) {
        if (k + 8 < n) PrefetchChain(chains[static_cast<std::size_t>(k + 8)].get());
        const CVector& v = *chains[static_cast<std::size_t>(k)];
        hasLists[static_cast<std::size_t>(k)] = v.HasCorrectionLists() ? 1 : 0;
        if (v.m_empty || v.m_closed) {
            open.Remove(k);
        } else {
            const EndKeys keys = KeysOf(v);
            ends[static_cast<std::size_t>(k)] = keys;
            index.Add(keys.start, k);
            index.Add(keys.end, k);
        }
    }
    auto clear = [&](int k) {
        if (hasLists[static_cast<std::size_t>(k)]) ClearRawPoints(*chains[static_cast<std::size_t>(k)]);
    };
    auto meet = [&](int k) {  // the plain walk met chain k as one of a pair
        if (!uncleared.Contains(k)) return;
        clear(k);
        uncleared.Remove(k);
    };
    // The plain walk meets every open chain in lo..hi; chains that are empty or closed now
    // stay so, and are never met later either.
    auto meetRange = [&](int lo, int hi) {
        for (int k = uncleared.Next(lo); k <= hi; k = uncleared.Next(k + 1)) {
            if (open.Contains(k)) clear(k);
            uncleared.Remove(k);
        }
    };
    GrowingChain growing;
    bool joinedAny = false;
    for (;;) {
        bool joined = false;
        for (int i = open.Next(0); i < n; i = open.Next(i + 1)) {
            const int nextA = open.Next(i + 1);
            if (nextA >= n) break;  // no later partner for this or any later A
            PrefetchChain(chains[static_cast<std::size_t>(nextA)].get());
            CVector& a = *chains[static_cast<std::size_t>(i)];
            meet(i);
            EndKeys keysA = ends[static_cast<std::size_t>(i)];
            for (int after = i;;) {
                const int j = index.NextTouching(keysA.start, keysA.end, after, n);
                if (j < n) PrefetchChain(chains[static_cast<std::size_t>(j)].get());
                meetRange(after + 1, j < n ? j : n - 1);
                if (j >= n) break;
                CVector& b = *chains[static_cast<std::size_t>(j)];
                const EndKeys keysB = ends[static_cast<std::size_t>(j)];
                index.Remove(keysB.start, j);
                index.Remove(keysB.end, j);
                open.Remove(j);
                growing.Join(a, b, current[static_cast<std::size_t>(i)] != 0, made[static_cast<std::size_t>(i)],
                             made[static_cast<std::size_t>(j)] != 0, spent, notes);
                current[static_cast<std::size_t>(i)] = 1;
                hasLists[static_cast<std::size_t>(i)] = a.HasCorrectionLists() ? 1 : 0;
                hasLists[static_cast<std::size_t>(j)] = b.HasCorrectionLists() ? 1 : 0;
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
                ends[static_cast<std::size_t>(i)] = now;
                keysA = now;
                after = j;
            }
            growing.Finish(a);
        }
        if (!joined) break;
        joinedAny = true;
    }
    return joinedAny;
}

bool JoinEndPoints(CQuenkDoc& doc, CLayer& layer, ChainPoints before) {
    // Pens never share chains: each is joined on its own, side by side where there are cores.
    // Storage that the chains had from this thread and that other threads give up comes back
    // here to be freed, after each of this thread's own pens and at the end.
    const std::thread::id fillingThread = std::this_thread::get_id();
    join_detail::HandedBack handed;
    std::vector<std::uint8_t> joinedPen(layer.m_pens.size(), 0);
    std::size_t chains = 0;
    for (const auto& pen : layer.m_pens) chains += pen->m_chains.size();
    ShowingNotes([&](DirectionNotes& notes) {
        RunPiecesInOrder(layer.m_pens.size(), [&](std::size_t k, DirectionNotes& found) {
            const bool filling = std::this_thread::get_id() == fillingThread;
            join_detail::SpentPoints spent(filling);
            joinedPen[k] = join_detail::JoinPenEndPoints(*layer.m_pens[k], before, spent, found) ? 1 : 0;
            if (filling)
                handed.FreeAll();
            else
                handed.Give(spent);
        }, chains, notes);
    });
    handed.FreeAll();
    const bool joined = std::find(joinedPen.begin(), joinedPen.end(), 1) != joinedPen.end();
    // Every chain the joining touched was recomputed by it.
    doc.RecomputeBox(before);
    if (joined) Ui().Message(prepare_texts::kJoinedMessage);
    Ui().RequestRedraw();
    return joined;
}
