#include "toolpath/segment_grid.h"

#include <algorithm>
#include <cmath>

#include "toolpath/plain_distance.h"

namespace {
// A segment covering more cells than this is cheaper to test always than to register.
constexpr double kMaxCellsPerSegment = 4096.0;
// Small contours still get a grid fine enough to separate their segments.
constexpr double kMinCells = 64.0;
}  // namespace

int SegmentGrid::CellX(double x) const {
    const double f = std::floor((x - m_region.minX) / m_cell);
    return static_cast<int>(std::clamp(f, 0.0, static_cast<double>(m_nx - 1)));
}

int SegmentGrid::CellY(double y) const {
    const double f = std::floor((y - m_region.minY) / m_cell);
    return static_cast<int>(std::clamp(f, 0.0, static_cast<double>(m_ny - 1)));
}

// Cuts a->b into pieces no longer than a cell and visits the cells of each piece's box grown
// by grow: every point within grow of the segment lies in one of them.
template <typename Visit>
void SegmentGrid::ForEachCellNear(const CPunkt& a, const CPunkt& b, double grow, Visit&& visit) const {
    const double len = PlainLength(b.x - a.x, b.y - a.y);
    const int pieces = std::max(1, static_cast<int>(std::ceil(len / m_cell)));
    for (int s = 0; s < pieces; ++s) {
        const double t0 = static_cast<double>(s) / pieces;
        const double t1 = static_cast<double>(s + 1) / pieces;
        const CPunkt p{a.x + (b.x - a.x) * t0, a.y + (b.y - a.y) * t0};
        const CPunkt q = (s + 1 == pieces) ? b : CPunkt{a.x + (b.x - a.x) * t1, a.y + (b.y - a.y) * t1};
        const int x0 = CellX(std::min(p.x, q.x) - grow), x1 = CellX(std::max(p.x, q.x) + grow);
        const int y0 = CellY(std::min(p.y, q.y) - grow), y1 = CellY(std::max(p.y, q.y) + grow);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) visit(y * m_nx + x);
    }
}

void SegmentGrid::Build(const std::vector<CPunkt>& pts, double grow, double cell, const GridRegion& region) {
    m_region = region;
    m_cell = cell > 0 && std::isfinite(cell) ? cell : 1.0;
    const double w = region.maxX - region.minX, h = region.maxY - region.minY;
    const int segs = static_cast<int>(pts.size()) - 1;
    // Memory stays proportional to the segment count whatever the drawing's extent.
    const double maxCells = 4.0 * std::max(segs, 0) + kMinCells;
    while ((w / m_cell + 1) * (h / m_cell + 1) > maxCells) m_cell *= 2;
    m_nx = std::max(1, static_cast<int>(std::ceil(w / m_cell) + 1));
    m_ny = std::max(1, static_cast<int>(std::ceil(h / m_cell) + 1));
    const std::size_t cells = static_cast<std::size_t>(m_nx) * static_cast<std::size_t>(m_ny);
    m_global.clear();
    m_stamp.assign(static_cast<std::size_t>(std::max(segs, 0)), 0);
    m_query = 0;

    std::vector<char> gridded(static_cast<std::size_t>(std::max(segs, 0)), 0);
    for (int k = 0; k < segs; ++k) {
        const CPunkt& a = pts[static_cast<std::size_t>(k)];
        const CPunkt& b = pts[static_cast<std::size_t>(k) + 1];
        const bool inside = region.Contains({std::min(a.x, b.x) - grow, std::min(a.y, b.y) - grow}) &&
                            region.Contains({std::max(a.x, b.x) + grow, std::max(a.y, b.y) + grow});
        const double span = (PlainLength(b.x - a.x, b.y - a.y) / m_cell + 1) * (2 * grow / m_cell + 2);
        if (inside && span <= kMaxCellsPerSegment)
            gridded[static_cast<std::size_t>(k)] = 1;
        else
            m_global.push_back(k);
    }

    // Two passes over the same cells: count, then fill. Segments are visited in index order,
    // so each cell's list is ascending and a repeat of the same segment is the list's tail.
    std::vector<std::int32_t> last(cells, -1);
    m_start.assign(cells + 1, 0);
    for (int k = 0; k < segs; ++k) {
        if (!gridded[static_cast<std::size_t>(k)]) continue;
        ForEachCellNear(pts[static_cast<std::size_t>(k)], pts[static_cast<std::size_t>(k) + 1], grow,
                        [&](int c) {
                            if (last[static_cast<std::size_t>(c)] == k) return;
                            last[static_cast<std::size_t>(c)] = k;
                            ++m_start[static_cast<std::size_t>(c) + 1];
                        });
    }
    for (std::size_t c = 0; c < cells; ++c) m_start[c + 1] += m_start[c];
    m_entries.assign(static_cast<std::size_t>(m_start[cells]), 0);
    std::vector<std::int32_t> fill(m_start.begin(), m_start.end() - 1);
    std::fill(last.begin(), last.end(), -1);
    for (int k = 0; k < segs; ++k) {
        if (!gridded[static_cast<std::size_t>(k)]) continue;
        ForEachCellNear(pts[static_cast<std::size_t>(k)], pts[static_cast<std::size_t>(k) + 1], grow,
                        [&](int c) {
                            if (last[static_cast<std::size_t>(c)] == k) return;
                            last[static_cast<std::size_t>(c)] = k;
                            m_entries[static_cast<std::size_t>(fill[static_cast<std::size_t>(c)]++)] = k;
                        });
    }
}

const std::int32_t* SegmentGrid::CellBegin(const CPunkt& p) const {
    const std::size_t c = static_cast<std::size_t>(CellY(p.y)) * m_nx + CellX(p.x);
    return m_entries.data() + m_start[c];
}

const std::int32_t* SegmentGrid::CellEnd(const CPunkt& p) const {
    const std::size_t c = static_cast<std::size_t>(CellY(p.y)) * m_nx + CellX(p.x);
    return m_entries.data() + m_start[c + 1];
}

void SegmentGrid::CollectAlong(const CPunkt& a, const CPunkt& b, double grow, std::vector<std::int32_t>& out) {
    if (++m_query == 0) {  // wrapped: forget all old stamps
        std::fill(m_stamp.begin(), m_stamp.end(), 0);
        m_query = 1;
    }
    ForEachCellNear(a, b, grow, [&](int c) {
        for (std::int32_t e = m_start[static_cast<std::size_t>(c)]; e < m_start[static_cast<std::size_t>(c) + 1]; ++e) {
            const std::int32_t k = m_entries[static_cast<std::size_t>(e)];
            if (m_stamp[static_cast<std::size_t>(k)] == m_query) continue;
            m_stamp[static_cast<std::size_t>(k)] = m_query;
            out.push_back(k);
        }
    });
}
