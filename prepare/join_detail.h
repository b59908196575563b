#pragma once
// The operations on one pair of chains that both joinings share with their indexes. Kept
// apart from the searches so that the searches decide only which pair comes next.

#include <cstdint>
#include <mutex>
#include <vector>

#include "model/vector.h"

class CStift;

namespace join_detail {

// Where the point storage goes that joined chains give up. On the thread that filled the
// chains everything is freed at once. Another thread frees at once only the storage it made
// itself and keeps the rest for the filling thread: freeing memory of another thread's making
// while that thread allocates makes both wait on each other at every call.
class SpentPoints {
public:
    explicit SpentPoints(bool onFillingThread) : m_onFillingThread(onFillingThread) {}
    // Takes a chain's storage, leaving the chain without points.
    void Release(std::vector<CPunkt>& points, bool madeHere) {
        if (m_onFillingThread || madeHere)
            std::vector<CPunkt>().swap(points);
        else
            m_kept.push_back(std::move(points));
        points.clear();
    }
    std::vector<std::vector<CPunkt>>& Kept() { return m_kept; }

private:
    bool m_onFillingThread;
    std::vector<std::vector<CPunkt>> m_kept;
};

// Storage that other threads kept back for the filling thread, which frees it when it finds
// the time.
class HandedBack {
public:
    void Give(SpentPoints& spent) {
        if (spent.Kept().empty()) return;  // most pens give nothing back; a million pens may pass
        std::lock_guard<std::mutex> hold(m_lock);
        m_lists.push_back(std::move(spent.Kept()));
    }
    void FreeAll() {
        std::vector<std::vector<std::vector<CPunkt>>> taken;
        std::lock_guard<std::mutex> hold(m_lock);
        taken.swap(m_lists);
    }  // freed here, after the lock is given back

private:
    std::mutex m_lock;
    std::vector<std::vector<std::vector<CPunkt>>> m_lists;
};

// The end-point joining of one pen without the document's box recomputation; true when
// anything was joined. The recomputed chains' notes go to `notes` in the order of the walk.
bool JoinPenEndPoints(CStift& pen, ChainPoints before, SpentPoints& spent, DirectionNotes& notes);

// Distance of two integer end points. Every comparison of end distances goes through this
// one formula, so equal distances come out bit-equal and ties are decided the same way
// wherever they are compared.
double EndDistance(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);

// Hash key of an integer end point.
inline std::uint64_t EndKey(std::int32_t x, std::int32_t y) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) |
           static_cast<std::uint32_t>(y);
}

// Which of A's integer ends meet which of B's, as the end-point joining tests them.
struct TouchingEnds {
    bool startStart, startEnd, endStart, endEnd;
    // B's points go in front of A's: the first case that holds is one of A's start.
    bool AtFront() const { return startStart || startEnd; }
};
inline TouchingEnds EndsTouching(const CVector& a, const CVector& b) {
    return {a.m_startX == b.m_startX && a.m_startY == b.m_startY, a.m_startX == b.m_endX && a.m_startY == b.m_endY,
            a.m_endX == b.m_startX && a.m_endY == b.m_startY, a.m_endX == b.m_endX && a.m_endY == b.m_endY};
}

// End-point joining of A with a later chain B: the four cases, each tested with the end
// points as they were before the first one ran; B gives its points and is left empty.
// Returns whether any case held. aSince tells whether A's points are as its last Recompute
// left them, so that only B's points need reading afterwards.
// Storage that B and a growing A give up goes to `spent`; aMade and bMade tell whether the
// chains' storage was made on this thread during the joining, and aMade is updated. The notes
// of the recomputations go to `notes`.
bool JoinTouchingPair(CVector& a, CVector& b, ChainPoints aSince, SpentPoints& spent, std::uint8_t& aMade,
                      bool bMade, DirectionNotes& notes);

// Joins A with the later chain B at the ends named by joinCase (1: start/start, 2: start/end,
// 3: end/start, 4: end/end), treating the two meeting ends first. The receiver is B for
// case 2, A otherwise; the donor is left empty. Both must have at least two points. The notes
// of the two recomputations go to `notes`.
void MergeByCase(CVector& a, CVector& b, int joinCase, DirectionNotes& notes);

// A chain's integer end points, as Recompute left them.
struct Ends {
    std::int32_t sx, sy, ex, ey;
};
Ends EndsOf(const CVector& v);

// The pair's smallest end distance and its case (the first of equal ones), A before B.
struct PairDistance {
    double distance;
    int joinCase;
};
PairDistance NearestEnds(const Ends& a, const Ends& b);

// Closes an open chain of at least three points whose ends lie close together; returns the
// note of its recomputation.
DirectionNote CloseChain(CVector& v);

}  // namespace join_detail
