#pragma once
// Distances in the correction's inner loops. std::hypot guards against overflow that drawing
// coordinates never reach, and it cost a fifth of the correction's time.

#include <algorithm>
#include <cmath>

#include "model/punkt.h"

inline double PlainLength(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }
inline double PlainDistance(const CPunkt& a, const CPunkt& b) { return PlainLength(a.x - b.x, a.y - b.y); }

// The square of the distance from x to the nearest point of segment a->b.
inline double PlainSegmentDistance2(const CPunkt& x, const CPunkt& a, const CPunkt& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((x.x - a.x) * dx + (x.y - a.y) * dy) / len2, 0.0, 1.0) : 0;
    const double ex = x.x - (a.x + t * dx), ey = x.y - (a.y + t * dy);
    return ex * ex + ey * ey;
}

// From x to the nearest point of segment a->b.
inline double PlainSegmentDistance(const CPunkt& x, const CPunkt& a, const CPunkt& b) {
    return std::sqrt(PlainSegmentDistance2(x, a, b));
}
