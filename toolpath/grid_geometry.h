#pragma once
// What the two segment grids of the correction share: the cells over a region, the walk over
// the cells near a segment, the choice of which segments are worth registering, and the
// per-query stamps that return each segment once.

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <vector>

#include "model/punkt.h"
#include "toolpath/plain_distance.h"

// The margin by which grid boxes are grown so that they hold every point the exact tests
// accept despite rounding: far above the rounding of coordinates of this size (extent is the
// largest coordinate's magnitude), far below any drawing detail. It grows with the
// coordinates' own precision, not with their size beyond that, so cells and neighbourhoods
// stay in proportion to the geometry wherever it lies.
inline double GridMargin(double extent) { return 1e-6 + 64 * DBL_EPSILON * extent; }

struct GridRegion {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool Contains(const CPunkt& p) const {
        return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY;
    }
};

class GridCells {
public:
    // Cells of the given size over region; nx and ny follow from it.
    void Set(const GridRegion& region, double cell) {
        m_region = region;
        m_cell = cell;
        const double w = region.maxX - region.minX, h = region.maxY - region.minY;
        m_nx = std::max(1, static_cast<int>(std::ceil(w / m_cell)) + 1);
        m_ny = std::max(1, static_cast<int>(std::ceil(h / m_cell)) + 1);
    }

    const GridRegion& Region() const { return m_region; }
    double Cell() const { return m_cell; }
    int Nx() const { return m_nx; }
    int Ny() const { return m_ny; }

    int CellX(double x) const {
        const double f = std::floor((x - m_region.minX) / m_cell);
        return static_cast<int>(std::clamp(f, 0.0, static_cast<double>(m_nx - 1)));
    }
    int CellY(double y) const {
        const double f = std::floor((y - m_region.minY) / m_cell);
        return static_cast<int>(std::clamp(f, 0.0, static_cast<double>(m_ny - 1)));
    }

    // Whether segment a->b with its neighbourhood grow lies in the region and covers at most
    // maxCells cells; other segments are cheaper to test always than to register.
    bool Registrable(const CPunkt& a, const CPunkt& b, double grow, double maxCells) const {
        const bool inside = m_region.Contains({std::min(a.x, b.x) - grow, std::min(a.y, b.y) - grow}) &&
                            m_region.Contains({std::max(a.x, b.x) + grow, std::max(a.y, b.y) + grow});
        const double span = (PlainLength(b.x - a.x, b.y - a.y) / m_cell + 1) * (2 * grow / m_cell + 2);
        return inside && span <= maxCells;
    }

    // Cuts a->b into pieces no longer than a cell and visits (x, y) of the cells of each
    // piece's box grown by grow: every point within grow of the segment lies in one of them.
    // Neighbouring pieces may visit a cell twice.
    template <typename Visit>
    void ForEachCellNear(const CPunkt& a, const CPunkt& b, double grow, Visit&& visit) const {
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

private:
    GridRegion m_region;
    double m_cell = 1.0;
    int m_nx = 1, m_ny = 1;
};

// Returns each segment at most once per query.
class QueryStamps {
public:
    void Reset(int segments) {
        m_stamp.assign(static_cast<std::size_t>(std::max(segments, 0)), 0);
        m_query = 0;
    }
    void NextQuery() {
        if (++m_query == 0) {  // wrapped: forget all old stamps
            std::fill(m_stamp.begin(), m_stamp.end(), 0);
            m_query = 1;
        }
    }
    // True the first time k is seen in this query.
    bool First(std::int32_t k) {
        std::uint32_t& s = m_stamp[static_cast<std::size_t>(k)];
        if (s == m_query) return false;
        s = m_query;
        return true;
    }

private:
    std::vector<std::uint32_t> m_stamp;
    std::uint32_t m_query = 0;
};
