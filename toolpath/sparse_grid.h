#pragma once
// A fine grid for crossing queries over a polyline whose extent is large against its
// segment length (a contour is a curve, its box is mostly empty). Only occupied cells are
// stored: entries sorted by row, then column, then segment; a row is found by index, a cell
// within it by binary search. Like SegmentGrid it only narrows candidates; callers apply the
// exact test.

#include <cstdint>
#include <vector>

#include "model/punkt.h"
#include "toolpath/grid_geometry.h"

class SparseSegmentGrid {
public:
    // Registers segment k (pts[k] -> pts[k+1]) in the cells its box grown by grow touches.
    // Segments leaving the region or covering too many cells are returned by every query.
    void Build(const std::vector<CPunkt>& pts, double grow, double cell, const GridRegion& region);
    const GridRegion& Region() const { return m_cells.Region(); }
    // Appends the segments registered along a->b (grown by grow; a and b inside the region)
    // and all always-returned segments, each once, unsorted.
    void CollectAlong(const CPunkt& a, const CPunkt& b, double grow, std::vector<std::int32_t>& out) {
        CollectAlong(a, b, grow, out, m_stamps);
    }
    // The same with the caller's stamps (reset to Segments()), so that several threads may
    // query one grid at once.
    void CollectAlong(const CPunkt& a, const CPunkt& b, double grow, std::vector<std::int32_t>& out,
                      QueryStamps& stamps) const;
    int Segments() const { return m_segments; }

private:
    struct Entry {
        std::int32_t x;
        std::int32_t seg;
    };
    GridCells m_cells;
    std::vector<std::int32_t> m_rowStart;  // ny + 1
    std::vector<Entry> m_entries;
    std::vector<std::int32_t> m_global;
    QueryStamps m_stamps;
    int m_segments = 0;
};
