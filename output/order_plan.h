#pragma once
// The automatic milling order on plain data: which contours lie inside which, and an order
// that keeps the rules of a shop floor before it keeps the rapid moves short:
//   1. whatever lies inside a closed contour is milled before that contour, since a part
//      already cut free shifts while its holes are milled;
//   2. one tool after another, in ascending order, each changed once where rule 1 allows;
//      within a tool its open chains first (they contain nothing, so rule 1 never holds them);
//   3. within that, nearest neighbour from the start point, improved by 2-opt moves that
//      keep rules 1 and 2.
// A contour is milled as it stands: its paths keep their start points, so the rapid move goes
// from the end of one contour's paths to the start of the next one's.

#include <cstdint>
#include <vector>

#include "model/punkt.h"

struct OrderItem {
    CPunkt entry;  // first point of its first path
    CPunkt exit;   // last point of its last path
    std::int32_t tool = 1;
    bool open = false;
    // Its outline in OrderInput::outlines: what it cuts along, closed implicitly when the
    // item is closed.
    std::uint32_t outlineFirst = 0;
    std::uint32_t outlineCount = 0;
};

struct OrderInput {
    std::vector<OrderItem> items;
    std::vector<CPunkt> outlines;  // every item's outline, one after another
    CPunkt start;                  // where the machine stands before the first contour
};

// For every item, the closed items it lies inside (CSR form: the containers of item i are
// outer[outerFirst[i]] .. outer[outerFirst[i + 1] - 1]), and each item's enclosed area (0 for
// open items). A container always has the strictly larger area, so the relation has no cycle.
struct Containment {
    std::vector<double> area;
    std::vector<std::uint32_t> outerFirst;
    std::vector<std::uint32_t> outer;
};

// Box prefilter, then the point test of LiesInside, over a grid of the containers' boxes.
Containment FindContainment(const OrderInput& in);

// Whether item b lies inside the closed item a, whose area is areaA > areaB. Boxes must nest;
// then b's sample points are tested against a's outline. A point on a's outline counts for
// neither side; when some sample is inside, or none is clearly outside, b counts as inside:
// milling a touching or overlapping contour first never frees a part too early.
bool LiesInside(const OrderInput& in, std::uint32_t b, double areaB, std::uint32_t a, double areaA);

// The enclosed area of the item's outline (0 for open items or fewer than three points).
double OutlineArea(const OrderInput& in, std::uint32_t i);

// The order in which to mill the items: a permutation of 0 .. items.size() - 1.
std::vector<std::uint32_t> PlanOrder(const OrderInput& in);

// Length of the rapid moves of an order: from the start to the first entry, then from each
// exit to the next entry.
double TravelOf(const OrderInput& in, const std::vector<std::uint32_t>& order);

// Whether the order mills everything inside a contour before the contour.
bool KeepsContainment(const Containment& c, const std::vector<std::uint32_t>& order);
