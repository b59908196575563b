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

void SegmentGrid::Build(const std::vector<CPunkt>& pts, double grow, double cell, const GridRegion& region) {
    double size = cell > 0 && std::isfinite(cell) ? cell : 1.0;
    const double w = region.maxX - region.minX, h = region.maxY - region.minY;
    const int segs = static_cast<int>(pts.size()) - 1;
    // Memory stays proportional to the segment count whatever the drawing's extent.
    const double maxCells = 4.0 * std::max(segs, 0) + kMinCells;
    while ((w / size + 1) * (h / size + 1) > maxCells) size *= 2;
    m_cells.Set(region, size);
    const int nx = m_cells.Nx();
    const std::size_t cells = static_cast<std::size_t>(nx) * static_cast<std::size_t>(m_cells.Ny());
    m_global.clear();
    m_segments = std::max(segs, 0);
    m_stamps.Reset(segs);

    std::vector<char> gridded(static_cast<std::size_t>(std::max(segs, 0)), 0);
    for (int k = 0; k < segs; ++k) {
        const CPunkt& a = pts[static_cast<std::size_t>(k)];
        const CPunkt& b = pts[static_cast<std::size_t>(k) + 1];
        if (m_cells.Registrable(a, b, grow, kMaxCellsPerSegment))
            gridded[static_cast<std::size_t>(k)] = 1;
        else
            m_global.push_back(k);
    }

    // Two passes over the same cells: count, then fill. Segments are visited in index order,
    // so each cell's list is ascending and a repeat of the same segment is the list's tail.
    std::vector<std::int32_t> last(cells, -1);
    auto forEachNewCell = [&](auto&& onCell) {
        std::fill(last.begin(), last.end(), -1);
        for (int k = 0; k < segs; ++k) {
            if (!gridded[static_cast<std::size_t>(k)]) continue;
            m_cells.ForEachCellNear(pts[static_cast<std::size_t>(k)], pts[static_cast<std::size_t>(k) + 1], grow,
                                    [&](int x, int y) {
                                        const std::size_t c = static_cast<std::size_t>(y) * nx + x;
                                        if (last[c] == k) return;
                                        last[c] = k;
                                        onCell(c, k);
                                    });
        }
    };
    m_start.assign(cells + 1, 0);
    forEachNewCell([&](std::size_t c, int) { ++m_start[c + 1]; });
    for (std::size_t c = 0; c < cells; ++c) m_start[c + 1] += m_start[c];
    m_entries.assign(static_cast<std::size_t>(m_start[cells]), 0);
    std::vector<std::int32_t> fill(m_start.begin(), m_start.end() - 1);
    forEachNewCell([&](std::size_t c, int k) { m_entries[static_cast<std::size_t>(fill[c]++)] = k; });
}

std::size_t SegmentGrid::CellIndex(const CPunkt& p) const {
    return static_cast<std::size_t>(m_cells.CellY(p.y)) * m_cells.Nx() + m_cells.CellX(p.x);
}

const std::int32_t* SegmentGrid::CellBegin(const CPunkt& p) const { return m_entries.data() + m_start[CellIndex(p)]; }

const std::int32_t* SegmentGrid::CellEnd(const CPunkt& p) const { return m_entries.data() + m_start[CellIndex(p) + 1]; }

void SegmentGrid::CollectAlong(const CPunkt& a, const CPunkt& b, double grow, std::vector<std::int32_t>& out,
                              QueryStamps& stamps) const {
    stamps.NextQuery();
    const int nx = m_cells.Nx();
    m_cells.ForEachCellNear(a, b, grow, [&](int x, int y) {
        const std::size_t c = static_cast<std::size_t>(y) * nx + x;
        for (std::int32_t e = m_start[c]; e < m_start[c + 1]; ++e) {
            const std::int32_t k = m_entries[static_cast<std::size_t>(e)];
            if (stamps.First(k)) out.push_back(k);
        }
    });
}

bool SegmentGrid::OneCell(const CPunkt& a, const CPunkt& b) const {
    // The walk along a->b cuts it into pieces no longer than a cell: a single piece is a->b
    // itself, whose box lies in one cell when both ends do.
    if (std::ceil(PlainLength(b.x - a.x, b.y - a.y) / m_cells.Cell()) > 1) return false;
    return m_cells.CellX(a.x) == m_cells.CellX(b.x) && m_cells.CellY(a.y) == m_cells.CellY(b.y);
}
