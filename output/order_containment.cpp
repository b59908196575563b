// Which contour lies inside which: a grid over the containers' boxes finds the few
// candidates of each item, so ten thousand contours are not compared in pairs.

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "output/order_plan.h"

namespace {

// Points closer to an outline than this lie on it: touching contours share their edges to
// within the rounding of the correction, which is far coarser than this.
constexpr double kOnOutline = 1e-6;

// Samples of an item tested against a possible container: spread along its outline so that
// one vertex where two contours touch cannot decide alone.
constexpr int kSamples = 3;

struct Box {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

Box OutlineBox(const OrderInput& in, std::uint32_t i) {
    const OrderItem& it = in.items[i];
    Box b{it.entry.x, it.entry.y, it.entry.x, it.entry.y};
    for (std::uint32_t k = 0; k < it.outlineCount; ++k) {
        const CPunkt& p = in.outlines[it.outlineFirst + k];
        b.minX = std::min(b.minX, p.x);
        b.maxX = std::max(b.maxX, p.x);
        b.minY = std::min(b.minY, p.y);
        b.maxY = std::max(b.maxY, p.y);
    }
    return b;
}

bool BoxInside(const Box& inner, const Box& outer) {
    return inner.minX >= outer.minX - kOnOutline && inner.maxX <= outer.maxX + kOnOutline &&
           inner.minY >= outer.minY - kOnOutline && inner.maxY <= outer.maxY + kOnOutline;
}

enum class Side { Inside, Outside, On };

// Crossing test, with points on an edge told apart.
Side PointSide(const CPunkt* poly, std::uint32_t n, const CPunkt& p) {
    bool inside = false;
    for (std::uint32_t k = 0, j = n - 1; k < n; j = k++) {
        const CPunkt& a = poly[j];
        const CPunkt& b = poly[k];
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
        if (ex * ex + ey * ey <= kOnOutline * kOnOutline) return Side::On;
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * dx / dy) inside = !inside;
    }
    return inside ? Side::Inside : Side::Outside;
}

}  // namespace

double OutlineArea(const OrderInput& in, std::uint32_t i) {
    const OrderItem& it = in.items[i];
    if (it.open || it.outlineCount < 3) return 0.0;
    const CPunkt* p = in.outlines.data() + it.outlineFirst;
    double twice = 0.0;
    for (std::uint32_t k = 0, j = it.outlineCount - 1; k < it.outlineCount; j = k++)
        twice += (p[j].x - p[k].x) * (p[j].y + p[k].y);
    const double area = std::fabs(twice) / 2;
    return std::isfinite(area) ? area : 0.0;
}

bool LiesInside(const OrderInput& in, std::uint32_t b, double areaB, std::uint32_t a, double areaA) {
    if (a == b || !(areaA > areaB)) return false;
    if (!BoxInside(OutlineBox(in, b), OutlineBox(in, a))) return false;
    const OrderItem& ib = in.items[b];
    const OrderItem& ia = in.items[a];
    const CPunkt* poly = in.outlines.data() + ia.outlineFirst;
    int inside = 0, outside = 0;
    for (int s = 0; s < kSamples; ++s) {
        const CPunkt p = ib.outlineCount == 0
                             ? ib.entry
                             : in.outlines[ib.outlineFirst + ib.outlineCount * static_cast<std::uint32_t>(s) / kSamples];
        const Side side = PointSide(poly, ia.outlineCount, p);
        inside += side == Side::Inside;
        outside += side == Side::Outside;
    }
    return inside > 0 || outside == 0;
}

Containment FindContainment(const OrderInput& in) {
    const std::uint32_t n = static_cast<std::uint32_t>(in.items.size());
    Containment c;
    c.area.resize(n);
    std::vector<std::uint32_t> containers;
    std::vector<Box> boxes(n);
    Box all{1e300, 1e300, -1e300, -1e300};
    for (std::uint32_t i = 0; i < n; ++i) {
        c.area[i] = OutlineArea(in, i);
        boxes[i] = OutlineBox(in, i);
        if (c.area[i] <= 0.0) continue;
        containers.push_back(i);
        all.minX = std::min(all.minX, boxes[i].minX);
        all.minY = std::min(all.minY, boxes[i].minY);
        all.maxX = std::max(all.maxX, boxes[i].maxX);
        all.maxY = std::max(all.maxY, boxes[i].maxY);
    }
    c.outerFirst.assign(n + 1, 0);
    if (containers.empty()) return c;

    // Every container is entered in each cell its box covers; an item then asks the one cell
    // of its first sample point, which any container of it must cover.
    const int g = std::clamp(static_cast<int>(std::sqrt(static_cast<double>(containers.size()))), 1, 1024);
    const double cw = std::max((all.maxX - all.minX) / g, 1e-9);
    const double ch = std::max((all.maxY - all.minY) / g, 1e-9);
    auto cellX = [&](double x) { return std::clamp(static_cast<int>((x - all.minX) / cw), 0, g - 1); };
    auto cellY = [&](double y) { return std::clamp(static_cast<int>((y - all.minY) / ch), 0, g - 1); };
    std::vector<std::uint32_t> cellFirst(static_cast<std::size_t>(g) * g + 1, 0);
    auto forCells = [&](const Box& b, auto&& f) {
        for (int y = cellY(b.minY); y <= cellY(b.maxY); ++y)
            for (int x = cellX(b.minX); x <= cellX(b.maxX); ++x) f(static_cast<std::size_t>(y) * g + x);
    };
    for (std::uint32_t a : containers) forCells(boxes[a], [&](std::size_t cell) { ++cellFirst[cell + 1]; });
    for (std::size_t k = 1; k < cellFirst.size(); ++k) cellFirst[k] += cellFirst[k - 1];
    std::vector<std::uint32_t> cellItems(cellFirst.back());
    std::vector<std::uint32_t> fill(cellFirst.begin(), cellFirst.end() - 1);
    for (std::uint32_t a : containers) forCells(boxes[a], [&](std::size_t cell) { cellItems[fill[cell]++] = a; });

    for (std::uint32_t b = 0; b < n; ++b) {
        const OrderItem& it = in.items[b];
        const CPunkt p = it.outlineCount ? in.outlines[it.outlineFirst] : it.entry;
        if (!(p.x >= all.minX - kOnOutline && p.x <= all.maxX + kOnOutline && p.y >= all.minY - kOnOutline &&
              p.y <= all.maxY + kOnOutline)) {
            c.outerFirst[b + 1] = static_cast<std::uint32_t>(c.outer.size());
            continue;
        }
        const std::size_t cell = static_cast<std::size_t>(cellY(p.y)) * g + cellX(p.x);
        for (std::uint32_t k = cellFirst[cell]; k < cellFirst[cell + 1]; ++k) {
            const std::uint32_t a = cellItems[k];
            if (LiesInside(in, b, c.area[b], a, c.area[a])) c.outer.push_back(a);
        }
        c.outerFirst[b + 1] = static_cast<std::uint32_t>(c.outer.size());
    }
    return c;
}

bool KeepsContainment(const Containment& c, const std::vector<std::uint32_t>& order) {
    std::vector<std::uint32_t> pos(order.size());
    for (std::uint32_t k = 0; k < order.size(); ++k) pos[order[k]] = k;
    for (std::uint32_t b = 0; b < order.size(); ++b)
        for (std::uint32_t k = c.outerFirst[b]; k < c.outerFirst[b + 1]; ++k)
            if (pos[c.outer[k]] < pos[b]) return false;
    return true;
}
