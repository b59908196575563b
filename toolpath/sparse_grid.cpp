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

int SparseSegmentGrid::CellX(double x) const {
    const double f = std::floor((x - m_region.minX) / m_cell);
    return static_cast<int>(std::clamp(f, 0.0, static_cast<double>(m_nx - 1)));
}

int SparseSegmentGrid::CellY(double y) const {
    const double f = std::floor((y - m_region.minY) / m_cell);
    return static_cast<int>(std::clamp(f, 0.0, static_cast<double>(m_ny - 1)));
}

template <typename Visit>
void SparseSegmentGrid::ForEachCellNear(const CPunkt& a, const CPunkt& b, double grow, Visit&& visit) const {
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
            for (int x = x0; x <= x1; ++x) visit(x, y);
    }
}

void SparseSegmentGrid::Build(const std::vector<CPunkt>& pts, double grow, double cell, const GridRegion& region) {
    m_region = region;
    m_cell = cell > 0 && std::isfinite(cell) ? cell : 1.0;
    const double w = region.maxX - region.minX, h = region.maxY - region.minY;
    m_cell = std::max({m_cell, w / kMaxCellsPerSide, h / kMaxCellsPerSide});
    m_nx = std::max(1, static_cast<int>(std::ceil(w / m_cell)) + 1);
    m_ny = std::max(1, static_cast<int>(std::ceil(h / m_cell)) + 1);
    const int segs = std::max(static_cast<int>(pts.size()) - 1, 0);
    m_global.clear();
    m_stamp.assign(static_cast<std::size_t>(segs), 0);
    m_query = 0;

    // Entries in segment order, then a stable counting sort by column and one by row: the
    // result is ordered by row, column and segment.
    std::vector<Entry> byX;
    std::vector<std::int32_t> rows;
    byX.reserve(static_cast<std::size_t>(segs) * 2);
    rows.reserve(static_cast<std::size_t>(segs) * 2);
    for (int k = 0; k < segs; ++k) {
        const CPunkt& a = pts[static_cast<std::size_t>(k)];
        const CPunkt& b = pts[static_cast<std::size_t>(k) + 1];
        const bool inside = region.Contains({std::min(a.x, b.x) - grow, std::min(a.y, b.y) - grow}) &&
                            region.Contains({std::max(a.x, b.x) + grow, std::max(a.y, b.y) + grow});
        const double span = (PlainLength(b.x - a.x, b.y - a.y) / m_cell + 1) * (2 * grow / m_cell + 2);
        if (!inside || !(span <= kMaxCellsPerSegment)) {
            m_global.push_back(k);
            continue;
        }
        const std::size_t first = byX.size();
        ForEachCellNear(a, b, grow, [&](int x, int y) {
            for (std::size_t e = first; e < byX.size(); ++e)
                if (byX[e].x == x && rows[e] == y) return;  // pieces overlap at their ends
            byX.push_back({x, k});
            rows.push_back(y);
        });
    }
    const std::size_t n = byX.size();
    std::vector<std::int32_t> order(n);
    {
        std::vector<std::int32_t> count(static_cast<std::size_t>(m_nx) + 1, 0);
        for (const Entry& e : byX) ++count[static_cast<std::size_t>(e.x) + 1];
        for (std::size_t i = 1; i < count.size(); ++i) count[i] += count[i - 1];
        for (std::size_t i = 0; i < n; ++i) order[static_cast<std::size_t>(count[static_cast<std::size_t>(byX[i].x)]++)] = static_cast<std::int32_t>(i);
    }
    m_rowStart.assign(static_cast<std::size_t>(m_ny) + 1, 0);
    for (std::int32_t y : rows) ++m_rowStart[static_cast<std::size_t>(y) + 1];
    for (std::size_t i = 1; i < m_rowStart.size(); ++i) m_rowStart[i] += m_rowStart[i - 1];
    std::vector<std::int32_t> fill(m_rowStart.begin(), m_rowStart.end() - 1);
    m_entries.assign(n, Entry{0, 0});
    for (std::int32_t i : order) {
        const std::int32_t y = rows[static_cast<std::size_t>(i)];
        m_entries[static_cast<std::size_t>(fill[static_cast<std::size_t>(y)]++)] = byX[static_cast<std::size_t>(i)];
    }
}

void SparseSegmentGrid::CollectAlong(const CPunkt& a, const CPunkt& b, double grow, std::vector<std::int32_t>& out) {
    if (++m_query == 0) {
        std::fill(m_stamp.begin(), m_stamp.end(), 0);
        m_query = 1;
    }
    auto take = [&](std::int32_t k) {
        if (m_stamp[static_cast<std::size_t>(k)] == m_query) return;
        m_stamp[static_cast<std::size_t>(k)] = m_query;
        out.push_back(k);
    };
    ForEachCellNear(a, b, grow, [&](int x, int y) {
        const Entry* begin = m_entries.data() + m_rowStart[static_cast<std::size_t>(y)];
        const Entry* end = m_entries.data() + m_rowStart[static_cast<std::size_t>(y) + 1];
        const Entry* it = std::lower_bound(begin, end, x, [](const Entry& e, int v) { return e.x < v; });
        for (; it != end && it->x == x; ++it) take(it->seg);
    });
    for (std::int32_t k : m_global) take(k);
}
