#pragma once
// Plain measures between path and contour for the correction's property test and fuzz
// harness: distances of points and segments, and the even-odd inside test.

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/geometry.h"

namespace measure {

inline double SegDist(const CPunkt& x, const CPunkt& a, const CPunkt& b) {
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((x.x - a.x) * dx + (x.y - a.y) * dy) / len2, 0.0, 1.0) : 0;
    return std::hypot(x.x - a.x - t * dx, x.y - a.y - t * dy);
}

inline double SegSegDist(const CPunkt& a, const CPunkt& b, const CPunkt& c, const CPunkt& d) {
    if (SegmentsCross(a, b, c, d)) return 0;
    return std::min({SegDist(a, c, d), SegDist(b, c, d), SegDist(c, a, b), SegDist(d, a, b)});
}

inline bool Inside(const CPunkt& x, const std::vector<CPunkt>& p) {
    bool in = false;
    for (std::size_t i = 1; i < p.size(); ++i)
        if ((p[i - 1].y > x.y) != (p[i].y > x.y) &&
            x.x < p[i - 1].x + (x.y - p[i - 1].y) * (p[i].x - p[i - 1].x) / (p[i].y - p[i - 1].y))
            in = !in;
    return in;
}

}  // namespace measure
