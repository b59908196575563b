// Joining one pair of chains: the end-point cases, the treatment of two meeting ends, and the
// closing of one chain.

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <vector>

#include "model/geometry.h"
#include "model/vector.h"
#include "prepare/join_detail.h"

namespace join_detail {

double EndDistance(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    // Differences of 32-bit integers are exact in a double.
    const double dx = static_cast<double>(x2) - static_cast<double>(x1);
    const double dy = static_cast<double>(y2) - static_cast<double>(y1);
    return std::sqrt(dx * dx + dy * dy);
}

namespace {
// Puts the points first..last in front of or behind A's. Where A's storage is too small, the
// merged points go into new storage of twice the size in one copy (a prepend then moves
// nothing twice); the old storage goes to `spent`.
template <typename It>
void PutPoints(std::vector<CPunkt>& pa, bool atFront, It first, It last, SpentPoints& spent, std::uint8_t& made) {
    const auto k = static_cast<std::size_t>(std::distance(first, last));
    if (pa.size() + k <= pa.capacity()) {
        pa.insert(atFront ? pa.begin() : pa.end(), first, last);
        return;
    }
    std::vector<CPunkt> grown;
    grown.reserve(std::max(2 * pa.capacity(), pa.size() + k));
    if (atFront) grown.insert(grown.end(), first, last);
    grown.insert(grown.end(), pa.begin(), pa.end());
    if (!atFront) grown.insert(grown.end(), first, last);
    pa.swap(grown);
    spent.Release(grown, made != 0);
    made = 1;
}
}  // namespace

bool JoinTouchingPair(CVector& a, CVector& b, ChainPoints aSince, SpentPoints& spent, std::uint8_t& aMade,
                      bool bMade, DirectionNotes& notes) {
    const auto [startStart, startEnd, endStart, endEnd] = EndsTouching(a, b);
    if (!(startStart || startEnd || endStart || endEnd)) return false;

    std::vector<CPunkt>& pa = a.m_points.Raw();
    // Only the first case that holds finds points in B; the later ones find B empty and
    // merely recompute, as the case tests run on the end points taken before the first.
    bool aCurrent = aSince == ChainPoints::Unchanged;
    std::size_t sizeBefore = 0;
    auto finish = [&](bool atFront) {
        if (!b.m_points.IsEmpty()) spent.Release(b.m_points.Raw(), bMade);
        notes.Add(aCurrent ? a.RecomputeAfterAdding(pa.size() - sizeBefore, atFront) : a.Recompute());
        aCurrent = true;
        notes.Add(b.Recompute());
    };
    const std::vector<CPunkt>& pb = b.m_points.Raw();
    if (startStart) {  // A = B reversed without its first point, then A
        sizeBefore = pa.size();
        if (pb.size() > 1) PutPoints(pa, true, pb.rbegin(), pb.rend() - 1, spent, aMade);
        finish(true);
    }
    if (startEnd) {  // A = B without its last point, then A
        sizeBefore = pa.size();
        if (pb.size() > 1) PutPoints(pa, true, pb.begin(), pb.end() - 1, spent, aMade);
        finish(true);
    }
    if (endStart) {  // A, then B without its first point
        sizeBefore = pa.size();
        if (pb.size() > 1) PutPoints(pa, false, pb.begin() + 1, pb.end(), spent, aMade);
        finish(false);
    }
    if (endEnd) {  // A, then B reversed without its last point
        sizeBefore = pa.size();
        if (pb.size() > 1) PutPoints(pa, false, pb.rbegin() + 1, pb.rend(), spent, aMade);
        finish(false);
    }
    return true;
}

namespace {

enum class Joint { Bridge, RToCrossing, RToD, DToR };

// Which treatment the two meeting ends R (neighbour Rn, in A) and D (neighbour Dn, in B) get.
Joint ChooseJoint(const CPunkt& r, const CPunkt& rn, const CPunkt& d, const CPunkt& dn) {
    if (SegmentsCross(r, rn, d, dn)) return Joint::RToCrossing;
    const int rSideD = Turn(r, rn, d) * Turn(r, rn, dn);
    const int dSideR = Turn(d, dn, r) * Turn(d, dn, rn);
    if (Turn(r, rn, dn) == 0 && dSideR == -1) return Joint::RToD;
    if (Turn(d, dn, r) == 0 && rSideD == -1) return Joint::DToR;
    if (rSideD == -1 || dSideR == -1) return Joint::RToCrossing;
    return Joint::Bridge;
}

}  // namespace

void MergeByCase(CVector& a, CVector& b, int joinCase, DirectionNotes& notes) {
    std::vector<CPunkt>& pa = a.m_points.Raw();
    std::vector<CPunkt>& pb = b.m_points.Raw();
    const bool atStartOfA = joinCase == 1 || joinCase == 2;
    const bool atStartOfB = joinCase == 1 || joinCase == 3;
    const std::size_t ri = atStartOfA ? 0 : pa.size() - 1;
    const std::size_t rn = atStartOfA ? 1 : pa.size() - 2;
    const std::size_t di = atStartOfB ? 0 : pb.size() - 1;
    const std::size_t dn = atStartOfB ? 1 : pb.size() - 2;

    switch (ChooseJoint(pa[ri], pa[rn], pb[di], pb[dn])) {
        case Joint::RToCrossing:
            // Parallel or coincident end segments have no crossing point; such a joint keeps
            // both ends and is bridged instead of taking a point far off or at infinity.
            if (std::optional<CPunkt> x = TryLineIntersection(pa[ri], pa[rn], pb[di], pb[dn])) {
                pa[ri] = *x;
                pb.erase(pb.begin() + static_cast<std::ptrdiff_t>(di));
            }
            break;
        case Joint::RToD:
            pa[ri] = pb[di];
            pb.erase(pb.begin() + static_cast<std::ptrdiff_t>(di));
            break;
        case Joint::DToR:
            pb[di] = pa[ri];
            pa.erase(pa.begin() + static_cast<std::ptrdiff_t>(ri));
            break;
        case Joint::Bridge:
            break;
    }

    switch (joinCase) {
        case 1: pa.insert(pa.begin(), pb.rbegin(), pb.rend()); break;
        case 2: pb.insert(pb.end(), pa.begin(), pa.end()); break;
        case 3: pa.insert(pa.end(), pb.begin(), pb.end()); break;
        default: pa.insert(pa.end(), pb.rbegin(), pb.rend()); break;
    }
    if (joinCase == 2)
        a.m_points.RemoveAll();
    else
        b.m_points.RemoveAll();
    notes.Add(a.Recompute());
    notes.Add(b.Recompute());
}

Ends EndsOf(const CVector& v) { return {v.m_startX, v.m_startY, v.m_endX, v.m_endY}; }

PairDistance NearestEnds(const Ends& a, const Ends& b) {
    const double d[4] = {
        EndDistance(a.sx, a.sy, b.sx, b.sy),
        EndDistance(a.sx, a.sy, b.ex, b.ey),
        EndDistance(a.ex, a.ey, b.sx, b.sy),
        EndDistance(a.ex, a.ey, b.ex, b.ey),
    };
    PairDistance best{d[0], 1};
    for (int c = 1; c < 4; ++c)
        if (d[c] < best.distance) best = {d[c], c + 1};
    return best;
}

DirectionNote CloseChain(CVector& v) {
    std::vector<CPunkt>& p = v.m_points.Raw();
    const std::size_t n = p.size();
    std::optional<CPunkt> x;
    if (SegmentsCross(p[0], p[1], p[n - 2], p[n - 1])) x = TryLineIntersection(p[0], p[1], p[n - 2], p[n - 1]);
    if (x) {
        p[0] = *x;
        p[n - 1] = *x;
    } else {
        const CPunkt first = p[0];
        p.push_back(first);
    }
    return v.Recompute();
}

}  // namespace join_detail
