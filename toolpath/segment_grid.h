#pragma once
// A uniform grid over the segments of a polyline, so that the correction's searches look
// only at segments near a point or a segment instead of at all of them. The grid only ever
// narrows the candidates: every segment that could match is returned, in index order, and
// the caller applies the exact test. So results equal those of a scan over all segments.

#include <cstdint>
#include <vector>

#include "model/punkt.h"
#include "toolpath/grid_geometry.h"

class SegmentGrid {
public:
    // Registers every segment k (pts[k] -> pts[k+1]) in the cells that its neighbourhood of
    // width grow touches. Segments that leave the region, are not finite or would cover too
    // many cells go to a list that every query returns.
    void Build(const std::vector<CPunkt>& pts, double grow, double cell, const GridRegion& region);

    const GridRegion& Region() const { return m_cells.Region(); }
    // Segments registered in the cell of p (p inside the region), ascending.
    const std::int32_t* CellBegin(const CPunkt& p) const;
    const std::int32_t* CellEnd(const CPunkt& p) const;
    // Segments that every query must consider, ascending.
    const std::vector<std::int32_t>& Global() const { return m_global; }
    // Appends to out the registered segments in the cells along a->b grown by grow (a and b
    // inside the region), each once, unsorted; global segments are not included.
    void CollectAlong(const CPunkt& a, const CPunkt& b, double grow, std::vector<std::int32_t>& out) {
        CollectAlong(a, b, grow, out, m_stamps);
    }
    // The same with the caller's stamps (reset to Segments()), so that several threads may
    // query one grid at once.
    void CollectAlong(const CPunkt& a, const CPunkt& b, double grow, std::vector<std::int32_t>& out,
                      QueryStamps& stamps) const;
    int Segments() const { return m_segments; }
    // Whether CollectAlong(a, b, 0) visits the one cell of a alone: then it returns that
    // cell's list, which the caller may take directly.
    bool OneCell(const CPunkt& a, const CPunkt& b) const;

private:
    std::size_t CellIndex(const CPunkt& p) const;

    GridCells m_cells;
    std::vector<std::int32_t> m_start;  // per cell: first entry in m_entries; one extra at the end
    std::vector<std::int32_t> m_entries;
    std::vector<std::int32_t> m_global;
    QueryStamps m_stamps;
    int m_segments = 0;
};
