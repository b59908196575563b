// The raw offset points: for every vertex of the working contour the point (or, at a wide
// outer corner, the two bevel points) at distance r beside both adjacent segments.

#include <cmath>

#include "model/geometry.h"
#include "toolpath/correction_steps.h"

namespace {
// Corners whose half angle on the path's side reaches 130 degrees get a bevel instead of one
// far-away point at the crossing of the offset lines.
constexpr double kWideCorner = 0.7222222222222222 * kPi;

void Push(std::vector<CPunkt>& raw, std::vector<std::int32_t>& source, const CPunkt& b, double len, double angle,
          int vertex) {
    const CPunkt p{b.x + len * std::cos(angle), b.y + len * std::sin(angle)};
    // A corner of angle 0 (a straight spike) puts the point at infinity; it is not used.
    if (!IsFinite(p)) return;
    raw.push_back(p);
    source.push_back(vertex);
}
}  // namespace

bool OffsetVertices(const std::vector<CPunkt>& w, bool closed, int side, double r, std::vector<CPunkt>& raw,
                    std::vector<std::int32_t>& source) {
    raw.clear();
    source.clear();
    const int m = static_cast<int>(w.size());
    if (m < 2) return false;
    raw.reserve(w.size() + w.size() / 4);
    source.reserve(raw.capacity());
    const bool left = side == 0;
    for (int k = 0; k < m - 1; ++k) {
        const CPunkt& b = w[static_cast<std::size_t>(k)];
        const CPunkt& c = w[static_cast<std::size_t>(k) + 1];
        const double aC = std::atan2(c.y - b.y, c.x - b.x);
        double h;
        double aA = 0;
        if (k == 0 && !closed) {
            // The open start: a point r along and r beside the first segment.
            h = left ? kPi / 4 : -kPi / 4;
        } else {
            const CPunkt& a = w[static_cast<std::size_t>(k == 0 ? m - 2 : k - 1)];
            aA = std::atan2(a.y - b.y, a.x - b.x);
            h = (aA - aC) / 2;
            if (left && h < 0) h += kPi;
            if (!left && h >= 0) h -= kPi;
        }
        if (left ? h < kWideCorner : h > -kWideCorner) {
            Push(raw, source, b, r / std::fabs(std::sin(h)), aC + h, k);
            continue;
        }
        const double q1 = left ? (-h - kPi / 2) / 2 : (kPi / 2 - h) / 2;
        const double q2 = left ? (kPi / 2 + h) / 2 : (h - kPi / 2) / 2;
        Push(raw, source, b, r / std::fabs(std::sin(q1)), aA + q1, k);
        Push(raw, source, b, r / std::fabs(std::sin(q2)), aC + q2, k);
    }
    if (closed) {
        if (!raw.empty()) {
            raw.push_back(raw.front());
            source.push_back(m - 1);
        }
    } else {
        // The open end: r before the last vertex and r beside the last segment.
        const CPunkt& b = w[static_cast<std::size_t>(m) - 1];
        const CPunkt& a = w[static_cast<std::size_t>(m) - 2];
        const double dir = std::atan2(b.y - a.y, b.x - a.x) + (left ? 0.75 * kPi : -0.75 * kPi);
        Push(raw, source, b, r * std::sqrt(2.0), dir, m - 1);
    }
    return !raw.empty();
}
