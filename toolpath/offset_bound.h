#pragma once
// An upper bound on the length of the offset of a simple polygon, found without building the
// offset: the correction asks it before the robust offset, whose length only decides whether
// the walk is kept, and builds that offset only when the bound cannot tell.

#include <cstdint>
#include <vector>

struct IntCorner {
    std::int64_t x = 0, y = 0;
};

// Whether the closed polygon (its first point not repeated) is simple: no corner where its two
// edges run back over each other, and no two edges but neighbours with a point in common.
bool SimplePolygon(const std::vector<IntCorner>& polygon);

// The length of the boundary of the polygon grown by delta (shrunk when negative) with
// squared corners, as the robust offset builds it from the same integer polygon (closed, its
// first point not repeated), plus the rounding of the integer offset; infinity when the
// polygon is not simple or too large for the bound to be cheap.
double OffsetLengthBound(const std::vector<IntCorner>& polygon, double delta);
