#pragma once
// A bucket grid over a fixed set of points that answers "which of the points now stored lies
// nearest": the nearest-neighbour order takes and removes one point per step, so the grid
// keeps its cells at a few points each as it empties.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/punkt.h"

class NearGrid {
public:
    // points are indexed by id and must outlive the grid; none is stored at first.
    explicit NearGrid(const std::vector<CPunkt>& points);

    void Insert(std::uint32_t id);
    void Remove(std::uint32_t id);
    std::size_t Size() const { return m_count; }

    // The stored point nearest to p, or -1 when none is stored.
    std::int64_t Nearest(const CPunkt& p) const;
    // Up to k stored points nearest to p, nearest first, without skip.
    void KNearest(const CPunkt& p, std::size_t k, std::int64_t skip, std::vector<std::uint32_t>& out) const;

private:
    void Resize(std::size_t stored);
    std::size_t CellOf(const CPunkt& p) const;
    int Column(double v, double lo, double width) const;

    const std::vector<CPunkt>& m_points;
    double m_minX = 0, m_minY = 0, m_maxX = 0, m_maxY = 0;
    int m_side = 1;
    double m_cellW = 1, m_cellH = 1;
    std::vector<std::vector<std::uint32_t>> m_cells;
    std::vector<std::uint32_t> m_slot;  // per id: its place in its cell
    std::vector<std::uint8_t> m_stored;
    std::size_t m_count = 0;
};
