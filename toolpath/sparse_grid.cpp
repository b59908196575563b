#include "toolpath/sparse_grid.h"

#include <algorithm>
#include <cmath>

#include "toolpath/plain_distance.h"

namespace {
// A segment covering more cells than this is cheaper to test always than to register.
constexpr double kMaxCellsPerSegment = 1024.0;
// Rows and columns stay countable whatever the region's extent.
constexpr double kMaxCellsPerSide = 1 << 20;
}  // namespace

void SparseSegmentGrid::Build(const std::vector<CPunkt>& pts, double grow, double cell, const GridRegion& region) {
    const double size = cell > 0 && std::isfinite(cell) ? cell : 1.0;
    const double w = region.maxX - region.minX, h = region.maxY - region.minY;
    m_cells.Set(region, std::max({size, w / kMaxCellsPerSide, h / kMaxCellsPerSide}));
    const int segs = std::max(static_cast<int>(pts.size()) - 1, 0);
    m_global.clear();
    m_segments = segs;
    m_stamps.Reset(segs);

    // Entries in segment order, then a stable counting sort by column and one by row: the
    // result is ordered by row, column and segment.
    std::vector<Entry> byX;
    std::vector<std::int32_t> rows;
    byX.reserve(static_cast<std::size_t>(segs) * 2);
    rows.reserve(static_cast<std::size_t>(segs) * 2);
    for (int k = 0; k < segs; ++k) {
        const CPunkt& a = pts[static_cast<std::size_t>(k)];
        const CPunkt& b = pts[static_cast<std::size_t>(k) + 1];
        if (!m_cells.Registrable(a, b, grow, kMaxCellsPerSegment)) {
            m_global.push_back(k);
            continue;
        }
        const std::size_t first = byX.size();
        m_cells.ForEachCellNear(a, b, grow, [&](int x, int y) {
            for (std::size_t e = first; e < byX.size(); ++e)
                if (byX[e].x == x && rows[e] == y) return;  // pieces overlap at their ends
            byX.push_back({x, k});
            rows.push_back(y);
        });
    }
    const std::size_t n = byX.size();
    std::vector<std::int32_t> order(n);
    {
        std::vector<std::int32_t> count(static_cast<std::size_t>(m_cells.Nx()) + 1, 0);
        for (const Entry& e : byX) ++count[static_cast<std::size_t>(e.x) + 1];
        for (std::size_t i = 1; i < count.size(); ++i) count[i] += count[i - 1];
        for (std::size_t i = 0; i < n; ++i) order[static_cast<std::size_t>(count[static_cast<std::size_t>(byX[i].x)]++)] = static_cast<std::int32_t>(i);
    }
    m_rowStart.assign(static_cast<std::size_t>(m_cells.Ny()) + 1, 0);
    for (std::int32_t y : rows) ++m_rowStart[static_cast<std::size_t>(y) + 1];
    for (std::size_t i = 1; i < m_rowStart.size(); ++i) m_rowStart[i] += m_rowStart[i - 1];
    std::vector<std::int32_t> fill(m_rowStart.begin(), m_rowStart.end() - 1);
    m_entries.assign(n, Entry{0, 0});
    for (std::int32_t i : order) {
        const std::int32_t y = rows[static_cast<std::size_t>(i)];
        m_entries[static_cast<std::size_t>(fill[static_cast<std::size_t>(y)]++)] = byX[static_cast<std::size_t>(i)];
    }
}

void SparseSegmentGrid::CollectAlong(const CPunkt& a, const CPunkt& b, double grow, std::vector<std::int32_t>& out,
                                     QueryStamps& stamps) const {
    stamps.NextQuery();
    auto take = [&](std::int32_t k) {
        if (stamps.First(k)) out.push_back(k);
    };
    m_cells.ForEachCellNear(a, b, grow, [&](int x, int y) {
        const Entry* begin = m_entries.data() + m_rowStart[static_cast<std::size_t>(y)];
        const Entry* end = m_entries.data() + m_rowStart[static_cast<std::size_t>(y) + 1];
        const Entry* it = std::lower_bound(begin, end, x, [](const Entry& e, int v) { return e.x < v; });
        for (; it != end && it->x == x; ++it) take(it->seg);
    });
    for (std::int32_t k : m_global) take(k);
}
