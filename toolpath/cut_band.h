#pragma once
// The cutter band that the view's "Fräsbahn" draws: along every segment of every path of a
// chain, the segment's ends shifted by the tool radius to both sides perpendicular to it,
// one quadrilateral per segment. It is worked out from the paths as they are when the view
// asks, so that it follows the tabs, corner drills and deleted points made after the
// correction (a band kept from the correction showed the cutter passing over a tab where it
// lifts), and the correction does not keep four points per path segment, as much memory as
// all its other lists together, for a display that is usually off.

#include <array>
#include <cstddef>
#include <vector>

#include "model/radius.h"
#include "model/vector.h"
#include "toolpath/plain_distance.h"

using BandQuad = std::array<CPunkt, 4>;

// a->b's quadrilateral: a and b shifted to the left of a->b, then b and a to the right. A
// segment without length gives its point four times.
inline BandQuad CutBandQuad(const CPunkt& a, const CPunkt& b, double r) {
    const double len = PlainDistance(a, b);
    const CPunkt o = len > 0 ? CPunkt{-(b.y - a.y) / len * r, (b.x - a.x) / len * r} : CPunkt{};
    return {CPunkt{a.x + o.x, a.y + o.y}, CPunkt{b.x + o.x, b.y + o.y}, CPunkt{b.x - o.x, b.y - o.y},
            CPunkt{a.x - o.x, a.y - o.y}};
}

// Hands the quadrilateral of every segment of v's paths to f, path by path in order.
template <class F>
void ForEachBandQuad(const CVector& v, F&& f) {
    for (const auto& path : v.m_radiusList) {
        const std::vector<CPunkt>& p = path->m_path.Raw();
        for (std::size_t i = 1; i < p.size(); ++i) f(CutBandQuad(p[i - 1], p[i], v.m_toolRadius));
    }
}
