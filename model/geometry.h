#pragma once
// The small geometric helpers that joining, the radius correction, tabs and corners share.
// They follow the drawing's own rules exactly (exact comparisons with 0, the case order of
// the line intersection), because results must not depend on which caller computes them.

#include <cmath>
#include <optional>

#include "model/punkt.h"

inline constexpr double kPi = 3.141592653589793;

inline double Distance(const CPunkt& a, const CPunkt& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// +1, -1 or 0: the orientation of P0, P1, P2, with the collinear cases ordered along the line.
// Inline, as the crossing test below: the correction's searches ask them millions of times.
inline int Turn(const CPunkt& p0, const CPunkt& p1, const CPunkt& p2) {
    const double dx1 = p1.x - p0.x;
    const double dy1 = p1.y - p0.y;
    const double dx2 = p2.x - p0.x;
    const double dy2 = p2.y - p0.y;
    if (dx1 * dy2 > dy1 * dx2) return 1;
    if (dx1 * dy2 < dy1 * dx2) return -1;
    if (dx1 * dx2 < 0 || dy1 * dy2 < 0) return -1;
    if (dx1 * dx1 + dy1 * dy1 < dx2 * dx2 + dy2 * dy2) return 1;
    return 0;
}

// 1 when A-B and C-D cross properly; touching, overlap and shared ends are no crossing.
inline int SegmentsCross(const CPunkt& a, const CPunkt& b, const CPunkt& c, const CPunkt& d) {
    return (Turn(a, b, c) * Turn(a, b, d) < 0 && Turn(c, d, a) * Turn(c, d, b) < 0) ? 1 : 0;
}

// The crossing of the infinite lines A-B and C-D. Parallel lines give non-finite values;
// callers that cannot rule them out use TryLineIntersection.
CPunkt LineIntersection(const CPunkt& a, const CPunkt& b, const CPunkt& c, const CPunkt& d);

// LineIntersection, or nothing when the lines are parallel or the result is not finite.
std::optional<CPunkt> TryLineIntersection(const CPunkt& a, const CPunkt& b, const CPunkt& c,
                                          const CPunkt& d);

// The point on the ray from apex B through C at distance r from A (law of sines).
CPunkt PointOnRay(const CPunkt& a, const CPunkt& b, const CPunkt& c, double r);

// |a - b| < tol, without the square root for points clearly apart: the Euclidean length is
// never below the larger coordinate difference, so the answer is the same.
inline bool Nearer(const CPunkt& a, const CPunkt& b, double tol) {
    if (std::fabs(a.x - b.x) >= tol || std::fabs(a.y - b.y) >= tol) return false;
    return Distance(a, b) < tol;
}

inline bool IsFinite(const CPunkt& p) { return std::isfinite(p.x) && std::isfinite(p.y); }
