#pragma once
// A sheet of parts as a nesting program leaves it: rectangular parts with holes, some holes
// holding a smaller part with a hole of its own, every contour already corrected (its path is
// its outline, starting at a random corner). The pairs of what lies inside what are known, so
// an order can be checked without finding them again.

#include <algorithm>
#include <vector>

#include "model/document.h"
#include "tests/support/random_drawing.h"

struct SheetOptions {
    int parts = 10;
    int minHoles = 0, maxHoles = 3;
    int tools = 1;             // tools 1..tools, chosen per contour
    int islandPercent = 0;     // holes that hold a part with a hole
    int overlapPercent = 0;    // parts pushed into their neighbour's place
    bool innerFirst = false;   // each part's chains listed innermost first
};

struct SheetPair {
    const CVector* inner;
    const CVector* outer;
};

namespace part_sheet_detail {

inline CVector& AddRect(CStift& pen, Dice& dice, int tool, double x0, double y0, double x1, double y1) {
    std::vector<CPunkt> c = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    std::rotate(c.begin(), c.begin() + dice(0, 3), c.end());
    if (dice(0, 1)) std::reverse(c.begin(), c.end());
    c.push_back(c.front());
    CVector& v = *pen.AddVector();
    for (const CPunkt& p : c) v.AddPoint(p);
    v.Recompute();
    v.m_tool = tool;
    v.m_hasCorrection = 1;
    v.AddRadius()->m_path = v.m_points;
    return v;
}

}  // namespace part_sheet_detail

// Adds a layer with one pen holding the sheet; parts are listed in random order.
inline std::vector<SheetPair> AddPartSheet(CQuenkDoc& doc, Dice& dice, const SheetOptions& o) {
    using part_sheet_detail::AddRect;
    CLayer& layer = *doc.AddLayer();
    CStift& pen = *layer.AddPen(1);
    layer.m_empty = pen.m_empty = 0;
    int cols = 1;
    while (cols * cols < o.parts) ++cols;
    std::vector<int> places(static_cast<std::size_t>(o.parts));
    for (int k = 0; k < o.parts; ++k) places[static_cast<std::size_t>(k)] = k;
    std::shuffle(places.begin(), places.end(), dice.Engine());
    std::vector<SheetPair> pairs;
    constexpr double kCell = 1000.0;
    auto tool = [&] { return dice(1, o.tools); };
    for (int place : places) {
        double x = (place % cols) * kCell + dice(0, 150), y = (place / cols) * kCell + dice(0, 150);
        if (dice(0, 99) < o.overlapPercent) x += kCell / 2;
        const double size = dice(500, 800);
        const std::size_t first = pen.m_chains.size();
        CVector& outline = AddRect(pen, dice, tool(), x, y, x + size, y + size);
        const int holes = dice(o.minHoles, o.maxHoles);
        const double q = size / 2;
        for (int h = 0; h < holes; ++h) {
            const double hx = x + (h % 2) * q + 30, hy = y + (h / 2 % 2) * q + 30;
            CVector& hole = AddRect(pen, dice, tool(), hx, hy, hx + q - 60, hy + q - 60);
            pairs.push_back({&hole, &outline});
            if (dice(0, 99) >= o.islandPercent) continue;
            CVector& island = AddRect(pen, dice, tool(), hx + 20, hy + 20, hx + q - 80, hy + q - 80);
            CVector& inner = AddRect(pen, dice, tool(), hx + 60, hy + 60, hx + q - 120, hy + q - 120);
            for (const CVector* outer : {&island, &hole, &outline}) pairs.push_back({&inner, outer});
            for (const CVector* outer : {&hole, &outline}) pairs.push_back({&island, outer});
        }
        // Made outside in; innermost first is the order reversed.
        if (o.innerFirst)
            std::reverse(pen.m_chains.begin() + static_cast<std::ptrdiff_t>(first), pen.m_chains.end());
    }
    return pairs;
}
