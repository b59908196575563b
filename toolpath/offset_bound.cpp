// The offset of a simple polygon, grown or shrunk by |delta| with squared corners, is bounded
// by the raw offset polygon: every edge shifted by delta, a cut tangent to the circle of
// |delta| at each corner that turns away from the offset, and at each corner that turns
// towards it two spokes to the corner and back. The region whose winding number that raw
// polygon makes positive is the offset, so its boundary lies on the raw polygon, and there
// only where it is |delta| or farther from the polygon: a point nearer lies within the offset
// (or, shrinking, outside it) with all its surroundings. The length of the raw polygon's
// pieces that lie that far is the bound; the spokes and the loops at concave stretches lie
// nearer and drop out.
//
// The robust offset works on the rounded integer raw polygon: its corners lie within a unit
// of the ones computed here in floating point, and its crossings within a unit of the exact
// ones. So a raw edge counts where it lies farther than |delta| less kNearer units from the
// polygon, and each raw edge adds kEdgeSlack units for the rounding of the ends of the
// boundary's pieces along it.

#include "toolpath/offset_bound.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "model/punkt.h"
#include "toolpath/blocked_spans.h"
#include "toolpath/plain_distance.h"

namespace {
// Above this many corners the bound's searches cost more than the offset they stand in for.
constexpr std::size_t kMostCorners = 1024;
// Coordinates stay below this, so that the exact tests' products fit 64 bits.
constexpr std::int64_t kLargestCoordinate = std::int64_t{1} << 29;
// Twice the least area in square units that the bound takes.
constexpr double kThinnest = 1e7;
// Offsets smaller than this many units: the rounding would not be small beside them.
constexpr double kSmallestDelta = 1000;
// Units by which the rounded raw polygon and its crossings may come nearer than |delta|.
constexpr double kNearer = 16;
// The edges searched around a raw edge's vertex: this many times reach of the polygon's mean
// edge length either way, and one edge more. Fewer edges only make the bound looser, never
// wrong; on wobbly rings this many leave it as tight as a window a third wider did.
constexpr double kNearbyReaches = 1.5;
// Units per raw edge for the rounding of the boundary's corners along it.
constexpr double kEdgeSlack = 8;

std::int64_t Cross(const IntCorner& o, const IntCorner& a, const IntCorner& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

int Turn(const IntCorner& o, const IntCorner& a, const IntCorner& b) {
    const std::int64_t c = Cross(o, a, b);
    return c > 0 ? 1 : c < 0 ? -1 : 0;
}

// x on segment a->b, given that the three lie on one line.
bool Within(const IntCorner& x, const IntCorner& a, const IntCorner& b) {
    return std::min(a.x, b.x) <= x.x && x.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= x.y &&
           x.y <= std::max(a.y, b.y);
}

// Whether the closed segments a->b and c->d have a point in common.
bool Meet(const IntCorner& a, const IntCorner& b, const IntCorner& c, const IntCorner& d) {
    const int t1 = Turn(a, b, c), t2 = Turn(a, b, d), t3 = Turn(c, d, a), t4 = Turn(c, d, b);
    if (t1 == 0 && t2 == 0) return Within(c, a, b) || Within(d, a, b) || Within(a, c, d) || Within(b, c, d);
    // Not on one line: the lines cross in one point, which lies on both segments when each
    // segment's ends lie on both sides of (or on) the other's line.
    return t1 * t2 <= 0 && t3 * t4 <= 0;
}

// Whether the polygon is simple: no corner where its two edges run back over each other, and
// no two edges but neighbours with a point in common. A sweep along x sets each pair of edges
// whose boxes overlap side by side once.
bool Simple(const std::vector<IntCorner>& q) {
    const std::size_t n = q.size();
    struct Box {
        std::int64_t loX, hiX, loY, hiY;
        std::size_t edge;
    };
    std::vector<Box> boxes;
    boxes.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const IntCorner& a = q[i];
        const IntCorner& b = q[(i + 1) % n];
        const IntCorner& c = q[(i + 2) % n];
        // Two edges running back over each other at a corner.
        if (Turn(a, b, c) == 0 && (b.x - a.x) * (c.x - b.x) + (b.y - a.y) * (c.y - b.y) < 0) return false;
        boxes.push_back({std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y), std::max(a.y, b.y), i});
    }
    std::sort(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) { return a.loX < b.loX; });
    std::vector<const Box*> open;
    open.reserve(n);
    for (const Box& box : boxes) {
        std::size_t kept = 0;
        for (const Box* other : open) {
            if (other->hiX < box.loX) continue;  // passed: it meets no box further on
            open[kept++] = other;
            if (other->loY > box.hiY || other->hiY < box.loY) continue;
            const std::size_t i = std::min(box.edge, other->edge), j = std::max(box.edge, other->edge);
            if (j == i + 1 || (i == 0 && j == n - 1)) continue;  // neighbours share their corner
            if (Meet(q[i], q[(i + 1) % n], q[j], q[(j + 1) % n])) return false;
        }
        open.resize(kept);
        open.push_back(&box);
    }
    return true;
}

// The raw offset polygon of the counter-clockwise polygon p; normal gets the unit normals of
// its edges, vertexOf the vertex of every raw point.
std::vector<CPunkt> RawOffset(const std::vector<CPunkt>& p, double delta, std::vector<CPunkt>& normal,
                              std::vector<std::size_t>& vertexOf, std::vector<std::uint8_t>& spoke) {
    const std::size_t n = p.size();
    std::vector<CPunkt> unit(n);
    normal.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const CPunkt& a = p[i];
        const CPunkt& b = p[(i + 1) % n];
        const double len = PlainDistance(a, b);
        unit[i] = {(b.x - a.x) / len, (b.y - a.y) / len};
        normal[i] = {unit[i].y, -unit[i].x};  // right of the edge: outward
    }
    std::vector<CPunkt> raw;
    raw.reserve(3 * n);
    spoke.clear();
    spoke.reserve(3 * n);
    // spoke[m]: raw edge m runs to the corner or back (a concave corner's two spokes).
    const auto at = [&](const CPunkt& x, double fx, double fy, std::uint8_t toCorner = 0) {
        raw.push_back({x.x + delta * fx, x.y + delta * fy});
        spoke.push_back(toCorner);
    };
    for (std::size_t j = 0; j < n; ++j) {
        vertexOf.resize(raw.size(), j == 0 ? 0 : j - 1);  // the points of the vertex before
        const std::size_t k = (j + n - 1) % n;
        const CPunkt &nk = normal[k], &nj = normal[j], &uk = unit[k], &uj = unit[j];
        const CPunkt& x = p[j];
        double sinA = nk.x * nj.y - nj.x * nk.y;
        const double cosA = nk.x * nj.x + nk.y * nj.y;
        if (std::fabs(sinA * delta) < 1 && cosA > 0) {
            at(x, nk.x, nk.y);  // nearly straight on: one corner within a unit of both edges
            continue;
        }
        sinA = std::clamp(sinA, -1.0, 1.0);
        if (sinA * delta < 0) {
            at(x, nk.x, nk.y, 1);
            at(x, 0, 0, 1);
            at(x, nj.x, nj.y);
            continue;
        }
        // The cut tangent to the circle at the corner: each edge runs on by delta times the
        // tangent of a quarter of the turn, from the tangent of half of it.
        const double half = cosA > -0.5 ? sinA / (1 + cosA) : (1 - cosA) / sinA;
        const double t = std::fabs(half) < 1e150 ? half / (1 + std::sqrt(1 + half * half)) : std::copysign(1.0, half);
        at(x, nk.x + uk.x * t, nk.y + uk.y * t);
        at(x, nj.x - uj.x * t, nj.y - uj.y * t);
    }
    vertexOf.resize(raw.size(), n - 1);
    return raw;
}

// What the measure asks of each polygon edge, worked out once for all raw edges near it.
struct NearEdge {
    NearEdge(const CPunkt& c, const CPunkt& d, const CPunkt& normal, double reach)
        : c(c), d(d), normal(normal), mid{(c.x + d.x) / 2, (c.y + d.y) / 2}, loX(std::min(c.x, d.x)),
          hiX(std::max(c.x, d.x)), loY(std::min(c.y, d.y)), hiY(std::max(c.y, d.y)), frame(c, d) {
        const double clear = reach + frame.len / 2;
        clear2 = clear * clear;
    }
    CPunkt c, d, normal, mid;
    double loX, hiX, loY, hiY;
    SegmentFrame frame;
    // Every point of the edge lies within reach plus half its length of its middle: a raw
    // edge farther than that from the middle (squared) keeps its distance from all of it.
    double clear2 = 0;
};

// How much of a->b lies reach or farther from the polygon's edges centre - side .. centre +
// side (counted around). The edges left out can only make it longer: the bound stays one.
// The edges nearest along the polygon come first, since one of them most often covers a->b
// whole; the result does not depend on the order.
double FreeLength(const CPunkt& a, const CPunkt& b, const std::vector<NearEdge>& edges, std::size_t centre,
                  std::size_t side, double reach, std::vector<std::pair<double, double>>& spans) {
    spans.clear();
    const std::size_t n = edges.size();
    const double loX = std::min(a.x, b.x) - reach, hiX = std::max(a.x, b.x) + reach;
    const double loY = std::min(a.y, b.y) - reach, hiY = std::max(a.y, b.y) + reach;
    for (std::size_t s = 0; s < 2 * side + 1; ++s) {
        // centre, centre - 1, centre + 1, centre - 2, ...
        const std::size_t step = (s + 1) / 2;
        std::size_t i = centre;
        if (s % 2 == 1)
            i = i >= step ? i - step : i + n - step;
        else if ((i += step) >= n)
            i -= n;
        const NearEdge& e = edges[i];
        if (e.hiX < loX || e.loX > hiX || e.hiY < loY || e.loY > hiY) continue;
        // Both ends reach or farther on one side of the edge's line: so is all of a->b.
        // Rounding here can only leave a blocked piece uncounted, which makes the bound larger.
        const CPunkt& m = e.normal;
        const double sa = m.x * (a.x - e.c.x) + m.y * (a.y - e.c.y);
        const double sb = m.x * (b.x - e.c.x) + m.y * (b.y - e.c.y);
        if ((sa >= reach && sb >= reach) || (sa <= -reach && sb <= -reach)) continue;
        if (PlainSegmentDistance2(e.mid, a, b) >= e.clear2) continue;
        double lo = 0, hi = 0;
        if (!BlockedSpans(a, b, e.c, e.d, e.frame).Within(reach, lo, hi)) continue;
        if (lo <= 0 && hi >= 1) return 0;
        spans.emplace_back(lo, hi);
    }
    MergeSpans(spans);
    double blocked = 0;
    for (const auto& [lo, hi] : spans) blocked += hi - lo;
    return PlainDistance(a, b) * std::max(0.0, 1 - blocked);
}
}  // namespace

bool SimplePolygon(const std::vector<IntCorner>& polygon) { return polygon.size() >= 3 && Simple(polygon); }

double OffsetLengthBound(const std::vector<IntCorner>& polygon, double delta) {
    constexpr double kNone = std::numeric_limits<double>::infinity();
    std::vector<IntCorner> q;
    for (const IntCorner& c : polygon) {
        if (std::llabs(c.x) >= kLargestCoordinate || std::llabs(c.y) >= kLargestCoordinate) return kNone;
        if (q.empty() || c.x != q.back().x || c.y != q.back().y) q.push_back(c);
    }
    while (q.size() > 1 && q.back().x == q.front().x && q.back().y == q.front().y) q.pop_back();
    if (q.size() < 3 || q.size() > kMostCorners || !(std::fabs(delta) >= kSmallestDelta) || !std::isfinite(delta))
        return kNone;
    double area = 0, terms = 0;
    for (std::size_t i = 1; i + 1 < q.size(); ++i) {
        const double c = static_cast<double>(Cross(q[0], q[i], q[i + 1]));
        area += c;
        terms += std::fabs(c);
    }
    // The sum rounds by less than a hundred-thousandth of this; a polygon thinner than that
    // has no offset worth bounding.
    if (!(std::fabs(area) > std::max(kThinnest, 1e-12 * static_cast<double>(q.size()) * terms))) return kNone;
    if (area < 0) std::reverse(q.begin(), q.end());
    std::vector<CPunkt> p;
    p.reserve(q.size());
    for (const IntCorner& c : q) p.push_back({static_cast<double>(c.x), static_cast<double>(c.y)});
    if (!Simple(q)) return kNone;

    std::vector<CPunkt> normal;
    std::vector<std::size_t> vertexOf;
    std::vector<std::uint8_t> spoke;
    const std::vector<CPunkt> raw = RawOffset(p, delta, normal, vertexOf, spoke);
    const double reach = std::fabs(delta) - kNearer;
    // The edges that come within reach of a raw edge lie near its vertex along the polygon,
    // a few times reach in length either way, except where the polygon comes back on itself.
    double perimeter = 0;
    for (std::size_t i = 0; i < p.size(); ++i) perimeter += PlainDistance(p[i], p[(i + 1) % p.size()]);
    const double around = std::ceil(kNearbyReaches * reach * static_cast<double>(p.size()) / perimeter) + 1;
    const std::size_t side = static_cast<std::size_t>(std::min(around, static_cast<double>((p.size() - 1) / 2)));
    std::vector<NearEdge> edges;
    edges.reserve(p.size());
    for (std::size_t i = 0; i < p.size(); ++i) edges.emplace_back(p[i], p[(i + 1) % p.size()], normal[i], reach);
    std::vector<std::pair<double, double>> spans;
    double bound = 0;
    for (std::size_t m = 0; m < raw.size(); ++m) {
        const CPunkt &a = raw[m], &b = raw[(m + 1) % raw.size()];
        // A spoke runs at right angles to the edge that ends or starts at its corner, within
        // reach of it but for its last kNearer units.
        if (spoke[m])
            bound += std::min(PlainDistance(a, b), kNearer + 1) + kEdgeSlack;
        else
            bound += FreeLength(a, b, edges, vertexOf[m], side, reach, spans) + kEdgeSlack;
    }
    return bound;
}
