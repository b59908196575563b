#include "output/near_grid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Points per cell the grid aims at; it is resized when the points stored stray far from it.
constexpr double kPerCell = 2.0;
constexpr double kFar = std::numeric_limits<double>::max();

double Distance2(const CPunkt& a, const CPunkt& b) {
    const double dx = a.x - b.x, dy = a.y - b.y;
    const double d = dx * dx + dy * dy;
    return d < kFar ? d : kFar;  // a point that is not a number is the farthest of all
}
}  // namespace

NearGrid::NearGrid(const std::vector<CPunkt>& points)
    : m_points(points), m_slot(points.size(), 0), m_stored(points.size(), 0) {
    bool any = false;
    for (const CPunkt& p : points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
        m_minX = any ? std::min(m_minX, p.x) : p.x;
        m_maxX = any ? std::max(m_maxX, p.x) : p.x;
        m_minY = any ? std::min(m_minY, p.y) : p.y;
        m_maxY = any ? std::max(m_maxY, p.y) : p.y;
        any = true;
    }
    Resize(points.size());
}

int NearGrid::Column(double v, double lo, double width) const {
    const double c = (v - lo) / width;
    if (!(c > 0)) return 0;
    if (c >= m_side) return m_side - 1;
    return static_cast<int>(c);
}

std::size_t NearGrid::CellOf(const CPunkt& p) const {
    return static_cast<std::size_t>(Column(p.y, m_minY, m_cellH)) * m_side + Column(p.x, m_minX, m_cellW);
}

void NearGrid::Resize(std::size_t stored) {
    m_side = std::clamp(static_cast<int>(std::sqrt(static_cast<double>(stored) / kPerCell)), 1, 2048);
    m_cellW = std::max((m_maxX - m_minX) / m_side, 1e-9);
    m_cellH = std::max((m_maxY - m_minY) / m_side, 1e-9);
    std::vector<std::vector<std::uint32_t>> old;
    old.swap(m_cells);
    m_cells.resize(static_cast<std::size_t>(m_side) * m_side);
    for (const auto& cell : old)
        for (std::uint32_t id : cell) {
            auto& to = m_cells[CellOf(m_points[id])];
            m_slot[id] = static_cast<std::uint32_t>(to.size());
            to.push_back(id);
        }
}

void NearGrid::Insert(std::uint32_t id) {
    if (m_stored[id]) return;
    m_stored[id] = 1;
    auto& cell = m_cells[CellOf(m_points[id])];
    m_slot[id] = static_cast<std::uint32_t>(cell.size());
    cell.push_back(id);
    if (++m_count > m_cells.size() * kPerCell * 4) Resize(m_count);
}

void NearGrid::Remove(std::uint32_t id) {
    if (!m_stored[id]) return;
    m_stored[id] = 0;
    auto& cell = m_cells[CellOf(m_points[id])];
    const std::uint32_t moved = cell.back();
    cell[m_slot[id]] = moved;
    m_slot[moved] = m_slot[id];
    cell.pop_back();
    --m_count;
    // An emptying grid would otherwise search ever more empty cells for the last points.
    if (m_cells.size() > 16 && m_count * 4 * kPerCell < m_cells.size()) Resize(m_count);
}

std::int64_t NearGrid::Nearest(const CPunkt& p) const {
    std::vector<std::uint32_t> one;
    KNearest(p, 1, -1, one);
    return one.empty() ? -1 : one[0];
}

void NearGrid::KNearest(const CPunkt& p, std::size_t k, std::int64_t skip, std::vector<std::uint32_t>& out) const {
    out.clear();
    if (k == 0) return;
    std::vector<std::pair<double, std::uint32_t>> best;  // sorted, nearest first
    const int cx = Column(p.x, m_minX, m_cellW), cy = Column(p.y, m_minY, m_cellH);
    const double ring = std::min(m_cellW, m_cellH);
    auto visit = [&](int x, int y) {
        for (std::uint32_t id : m_cells[static_cast<std::size_t>(y) * m_side + x]) {
            if (static_cast<std::int64_t>(id) == skip) continue;
            const double d = Distance2(p, m_points[id]);
            if (best.size() == k && !(d < best.back().first)) continue;
            const std::pair<double, std::uint32_t> e{d, id};
            best.insert(std::upper_bound(best.begin(), best.end(), e), e);
            if (best.size() > k) best.pop_back();
        }
    };
    for (int r = 0; r < 2 * m_side; ++r) {
        for (int y = cy - r; y <= cy + r; ++y) {
            if (y < 0 || y >= m_side) continue;
            const bool edgeRow = y == cy - r || y == cy + r;
            for (int x = cx - r; x <= cx + r; x += edgeRow ? 1 : 2 * r) {
                if (x >= 0 && x < m_side) visit(x, y);
                if (r == 0) break;
            }
        }
        // Cells beyond ring r lie at least r cells away from p.
        const double reach = r * ring;
        if (best.size() == k && best.back().first <= reach * reach) break;
    }
    for (const auto& e : best) out.push_back(e.second);
}
