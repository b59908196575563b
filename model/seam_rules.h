#pragma once
// The tests of a chain's recomputation where points were added at one end, shared by the
// chain's own RecomputeAfterAdding and by the end-point joining, which grows chains outside
// their storage. Both read the points through at(k), the k-th point of the chain as it is
// after the adding.

#include <cstddef>

#include "model/box.h"
#include "model/geometry.h"
#include "model/punkt.h"
#include "model/vector.h"

// Whether point i of a chain of n points fails the clean-up's tests against its predecessor or
// the start, counting an exact repeat (which the repeat removal takes) as failing too.
template <class At>
bool SeamNeedsWork(const At& at, std::size_t n, std::size_t i) {
    if (at(i) == at(i - 1)) return true;
    return n >= 3 && i + 1 < n && (Nearer(at(i), at(i - 1), kNearDuplicate) || Nearer(at(0), at(i), kNearDuplicate));
}

// Whether any point whose predecessor is new needs the clean-up, after `added` points went in
// front of (atFront) or behind `old` points: the added ones and the first old one after the
// seam; the old last point also becomes interior when points go behind it.
template <class At>
bool AnySeamNeedsWork(const At& at, std::size_t old, std::size_t added, bool atFront) {
    const std::size_t n = old + added;
    const std::size_t from = atFront ? 1 : (old >= 2 ? old - 1 : 1);
    const std::size_t to = atFront ? (added + 1 < n ? added + 1 : n) : n;
    for (std::size_t i = from; i < to; ++i)
        if (SeamNeedsWork(at, n, i)) return true;
    return false;
}

// Whether a point at k in [from, to) lies near s, the chain's new start: what the clean-up
// would treat once s stands before them.
template <class At>
bool AnyNearStart(const At& at, const CPunkt& s, std::size_t from, std::size_t to) {
    for (std::size_t k = from; k < to; ++k)
        if (Nearer(s, at(k), kNearDuplicate)) return true;
    return false;
}

// A box folded over points in their order, each extreme kept at its first point, as the
// recomputation's scan keeps it.
struct FoldedBox {
    double minX = kEmptyMin, maxX = kEmptyMax, minY = kEmptyMin, maxY = kEmptyMax;
    void Add(const CPunkt& q) {
        minX = q.x < minX ? q.x : minX;
        maxX = maxX < q.x ? q.x : maxX;
        minY = q.y < minY ? q.y : minY;
        maxY = maxY < q.y ? q.y : maxY;
    }
    // This box (of points that come first) followed by `later`: where both reach the same
    // extreme, the first one stays, down to the sign of a zero.
    void FollowedBy(const FoldedBox& later) {
        minX = later.minX < minX ? later.minX : minX;
        maxX = maxX < later.maxX ? later.maxX : maxX;
        minY = later.minY < minY ? later.minY : minY;
        maxY = maxY < later.maxY ? later.maxY : maxY;
    }
};
