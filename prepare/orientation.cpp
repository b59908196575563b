// Sense of rotation and the small edits a user makes on one chain.

#include "prepare/orientation.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "model/core_context.h"
#include "model/vector.h"
#include "prepare/texts.h"

namespace {

// At the leftmost point both neighbours must be this far away for its angles to count.
constexpr double kLeftNeighbourMin = 0.01;
// At the rightmost and the lowest point a smaller distance is enough.
constexpr double kNeighbourMin = 0.001;

double Angle(const CPunkt& from, const CPunkt& to) { return std::atan2(to.y - from.y, to.x - from.x); }

// Neighbours of point i of a closed chain: the first and the last point are one corner.
void Neighbours(const std::vector<CPunkt>& p, int i, CPunkt& before, CPunkt& self, CPunkt& after) {
    const int n = static_cast<int>(p.size());
    if (i <= 0 || i >= n - 1) {
        before = p[static_cast<std::size_t>(n - 2)];
        self = p[0];
        after = p[1];
    } else {
        before = p[static_cast<std::size_t>(i - 1)];
        self = p[static_cast<std::size_t>(i)];
        after = p[static_cast<std::size_t>(i + 1)];
    }
}

}  // namespace

namespace orientation {

std::int32_t DetermineDirection(CVector& v) {
    if (v.m_empty || !v.m_closed) return DetermineDirection(v, CBoxExtremes{});
    const std::vector<CPunkt>& p = v.m_points.Raw();
    const int n = static_cast<int>(p.size());
    // For each box value, the lowest index whose coordinate equals it exactly.
    CBoxExtremes at;
    for (int i = n - 1; i >= 0; --i) {
        const CPunkt& q = p[static_cast<std::size_t>(i)];
        if (q.x == v.m_minX) at.minX = i;
        if (q.x == v.m_maxX) at.maxX = i;
        if (q.y == v.m_minY) at.minY = i;
        if (q.y == v.m_maxY) at.maxY = i;
    }
    return DetermineDirection(v, at);
}

std::int32_t DetermineDirection(CVector& v, const CBoxExtremes& at) {
    v.m_directionNote = DirectionNote::None;
    if (v.m_empty || !v.m_closed) {
        v.m_direction = kDirOpen;
        return kDirOpen;
    }
    const std::vector<CPunkt>& p = v.m_points.Raw();
    const int n = static_cast<int>(p.size());
    const int iMinX = at.minX, iMaxX = at.maxX, iMinY = at.minY, iMaxY = at.maxY;

    std::int32_t result = kDirUnknown;
    if (iMinX < iMaxX) {
        if (iMinX < iMinY && iMinY < iMaxX)
            result = kDirCounterClockwise;
        else if (iMinX < iMaxY && iMaxY < iMaxX)
            result = kDirClockwise;
    } else {
        if (iMaxX < iMinY && iMinY < iMinX)
            result = kDirClockwise;
        else if (iMaxX < iMaxY && iMaxY < iMinX)
            result = kDirCounterClockwise;
    }

    if (result == kDirUnknown && n < 4) {
        v.m_direction = kDirUnknown;
        return kDirUnknown;
    }

    if (result == kDirUnknown) {
        // A box that does not match the points finds no extreme index; nothing to decide then.
        if (iMinX < 0 || iMaxX < 0) {
            v.m_directionNote = DirectionNote::ChainTooSmall;
            v.m_direction = kDirUnknown;
            return kDirUnknown;
        }
        CPunkt a, c, b;
        double anglePrev = 0.0, angleNext = 0.0;
        bool decided = false;
        Neighbours(p, iMinX, a, c, b);
        if (Distance(a, c) >= kLeftNeighbourMin && Distance(b, c) >= kLeftNeighbourMin) {
            anglePrev = Angle(c, a);
            angleNext = Angle(c, b);
            decided = true;
        } else {
            Neighbours(p, iMaxX, a, c, b);
            if (Distance(c, a) >= kNeighbourMin && Distance(c, b) >= kNeighbourMin) {
                anglePrev = Angle(a, c);
                angleNext = Angle(b, c);
                decided = true;
            }
        }
        if (!decided) {
            v.m_directionNote = DirectionNote::ChainTooSmall;
        } else if (angleNext < anglePrev) {
            result = kDirCounterClockwise;
        } else if (anglePrev < angleNext) {
            result = kDirClockwise;
        } else {
            v.m_directionNote = DirectionNote::Undeterminable;
        }
    }
    v.m_direction = result;
    return result;
}

namespace {
// The direction test of a command, its message shown at once.
void DetermineAndShow(CVector& v) {
    DetermineDirection(v);
    ShowDirectionNote(v.m_directionNote);
}
}  // namespace

void SetDirection(CVector& v, std::int32_t clockwise) {
    if (v.m_empty || !v.m_closed) return;
    const std::vector<CPunkt>& p = v.m_points.Raw();
    const int n = static_cast<int>(p.size());

    // The lowest point; its exact y is the box's m_minY while the box matches the points.
    int k = -1;
    for (int i = 0; i < n; ++i) {
        if (p[static_cast<std::size_t>(i)].y == v.m_minY) {
            k = i;
            break;
        }
    }
    if (k < 0) {
        k = static_cast<int>(std::min_element(p.begin(), p.end(),
                                              [](const CPunkt& l, const CPunkt& r) { return l.y < r.y; }) -
                             p.begin());
    }
    CPunkt a, low, b;
    Neighbours(p, k, a, low, b);
    if (Distance(a, low) < kNeighbourMin || Distance(b, low) < kNeighbourMin) WarnDirectionUndeterminable();

    const double anglePrev = Angle(low, a);
    const double angleNext = Angle(low, b);
    if ((clockwise == 0 && anglePrev < angleNext) || (clockwise == 1 && angleNext < anglePrev)) Reverse(v);
    if (anglePrev == angleNext) Ui().Message(prepare_texts::kReverseFailed);
    DetermineAndShow(v);
}

void Reverse(CVector& v) {
    std::reverse(v.m_points.begin(), v.m_points.end());
    if (v.m_hasCorrection) v.Correct();
    DetermineAndShow(v);
}

void SetStartPoint(CVector& v, int k) {
    if (!v.m_closed) return;
    const int n = v.m_points.Size();
    if (k < 0 || k >= n) throw std::invalid_argument("CVector::SetStartPoint: index outside the chain");
    if (k == 0) {
        if (v.m_hasCorrection) v.Correct();
        return;
    }
    // P[k..n-1] then P[1..k]: the old closing point disappears, P[k] closes the chain.
    std::vector<CPunkt>& p = v.m_points.Raw();
    p.erase(p.begin());
    std::rotate(p.begin(), p.begin() + (k - 1), p.end());
    p.push_back(p.front());
    if (v.m_hasCorrection) v.Correct();
}

void DeletePoint(CVector& v, int k) {
    v.Correction().m_undoPoints = v.m_points;
    const int n = v.m_points.Size();
    if (k < 0 || k >= n) return;
    v.m_points.RemovePoints(k, 1);
    if (v.m_closed && (k == 0 || k == n - 1) && v.m_points.Size() > 0) {
        if (k == 0)
            v.m_points.RemovePoints(v.m_points.Size() - 1, 1);
        else
            v.m_points.RemovePoints(0, 1);
        if (v.m_points.Size() > 0) v.m_points.AddPoint(v.m_points[0]);
    }
    // The box, closure and direction are refreshed so that later direction tests, which look
    // up the extreme points by exact comparison with the box, see the chain as it now is.
    ShowDirectionNote(v.Recompute());
    if (v.m_hasCorrection) v.Correct();
}

void ClearChain(CVector& v) {
    const std::int32_t had = v.m_hasCorrection;
    v.ClearCorrection();
    v.Correction().m_offsetPoints.RemoveAll();
    v.m_hasCorrection = had;
    v.Correction().m_undoPoints = v.m_points;
    v.m_points.RemoveAll();
    ShowDirectionNote(v.Recompute());
}

void RestorePoints(CVector& v) {
    v.m_points = v.Correction().m_undoPoints;
    v.Correction().m_undoPoints.RemoveAll();
    // Recomputed first: the correction skips an empty chain, and a chain restored after
    // ClearChain is still marked empty until it is recomputed.
    ShowDirectionNote(v.Recompute());
    if (v.m_hasCorrection) v.Correct();
}

void RemoveNearDuplicates(CVector& v) {
    std::vector<CPunkt>& p = v.m_points.Raw();
    const std::size_t n = p.size();
    if (n < 3) return;

    // 1. From the second-to-last point down to index 1, a point close to its predecessor is
    //    removed and hands its coordinates to the predecessor; done as one backward pass in
    //    which the surviving point is carried along.
    //    Survivors are written from the back; the write position never overtakes the read.
    std::size_t w = n - 1;  // the last point stays where it is
    CPunkt carry = p[n - 2];
    for (std::size_t i = n - 2; i >= 1; --i) {
        if (Nearer(carry, p[i - 1], kNearDuplicate)) continue;  // p[i-1] takes carry's place
        p[--w] = carry;
        carry = p[i - 1];
    }
    p[--w] = carry;
    p.erase(p.begin(), p.begin() + static_cast<std::ptrdiff_t>(w));

    // 2. No interior point may lie within the tolerance of the start point.
    if (p.size() > 2) {
        const CPunkt s = p.front();
        const CPunkt last = p.back();
        std::size_t w = 1;
        for (std::size_t i = 1; i + 1 < p.size(); ++i)
            if (!Nearer(s, p[i], kNearDuplicate)) p[w++] = p[i];
        p[w++] = last;
        p.resize(w);
    }

    // 3. A closed chain ends exactly where it starts.
    if (v.m_closed) p.back() = p.front();
}

}  // namespace orientation

std::int32_t CVector::DetermineDirection() { return orientation::DetermineDirection(*this); }
std::int32_t CVector::DetermineDirection(const CBoxExtremes& at) { return orientation::DetermineDirection(*this, at); }
void CVector::SetDirection(std::int32_t clockwise) { orientation::SetDirection(*this, clockwise); }
void CVector::Reverse() { orientation::Reverse(*this); }
void CVector::SetStartPoint(int k) { orientation::SetStartPoint(*this, k); }
void CVector::DeletePoint(int k) { orientation::DeletePoint(*this, k); }
void CVector::ClearChain() { orientation::ClearChain(*this); }
void CVector::RestorePoints() { orientation::RestorePoints(*this); }
void CVector::RemoveNearDuplicates() { orientation::RemoveNearDuplicates(*this); }
