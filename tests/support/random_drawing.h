#pragma once
// Random chains and drawings for the tests that compare a fast step with its plain version:
// small coordinate ranges give touching ends, equal distances, exact and near repeats and
// chains whose direction cannot always be told.

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "model/document.h"
#include "model/vector.h"

class Dice {
public:
    explicit Dice(unsigned seed) : m_rng(seed) {}
    int operator()(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(m_rng); }
    std::mt19937& Engine() { return m_rng; }

private:
    std::mt19937 m_rng;
};

// Up to maxPoints points on the grid -span..span with zeros of both signs; nearPercent of them
// repeat their predecessor exactly, lie within the clean-up tolerance of it or of the start;
// with nan now and then a coordinate that is not a number, as damaged input has. About every
// other chain of two points or more is closed.
struct ChainMix {
    int maxPoints = 12;
    int span = 3;
    int nearPercent = 15;
    bool nan = false;
};

inline std::vector<CPunkt> RandomChainPoints(Dice& dice, const ChainMix& mix) {
    std::vector<CPunkt> p;
    auto jitter = [&] { return dice.Real(-0.00009, 0.00009); };
    auto coord = [&] {
        const double c = dice(-mix.span, mix.span);
        return c == 0 && dice(0, 1) ? -0.0 : c;
    };
    for (int i = 0, n = dice(0, mix.maxPoints); i < n; ++i) {
        const int roll = dice(0, 99);
        const int near = p.empty() || roll >= mix.nearPercent ? -1 : dice(0, 3);
        if (near == 0)
            p.push_back(p.back());
        else if (near > 0)
            p.push_back({(near == 3 ? p.front() : p.back()).x + jitter(), (near == 3 ? p.front() : p.back()).y + jitter()});
        else if (mix.nan && roll == 99)
            p.push_back({std::nan(""), coord()});
        else
            p.push_back({coord(), coord()});
    }
    if (p.size() >= 2 && dice(0, 1)) p.push_back(p.front());
    return p;
}

namespace random_drawing_detail {

inline CVector& AddStroke(CStift& pen, Dice& dice, const std::vector<CPunkt>& pts) {
    CVector& v = *pen.AddVector();
    for (const CPunkt& p : pts) v.AddPoint(p);
    // Something in the first correction list shows whether a step emptied it.
    v.Correction().m_correctionPointsA.AddPoint({1, 1});
    if (dice(0, 4) == 0) {
        v.m_hasCorrection = 1;
        v.AddRadius();
    }
    if (!v.m_points.IsEmpty()) v.Recompute();
    return v;
}

// Random strokes on a small grid, some closed, some single points, some never filled.
inline void AddScatteredPen(CStift& pen, Dice& dice, int maxChains) {
    const int span = dice(3, 14);
    for (int c = 0, n = dice(0, maxChains); c < n; ++c) {
        std::vector<CPunkt> pts;
        const int kind = dice(0, 19);
        const int np = kind == 0 ? 0 : kind == 1 ? 1 : dice(2, 5);
        for (int k = 0; k < np; ++k) {
            CPunkt p{static_cast<double>(dice(-span, span)), static_cast<double>(dice(-span, span))};
            if (dice(0, 3) == 0) p.x += dice(1, 9) / 10.0;  // same integer end, other point
            if (dice(0, 3) == 0) p.y += dice(1, 9) / 10.0;
            pts.push_back(p);
        }
        if (kind == 2 && np >= 2) pts.push_back(pts.front());
        AddStroke(pen, dice, pts);
    }
}

// Polygons cut into strokes, turned at random and shuffled. Broken ones have their ends moved
// a little; touching ones lie on a small grid, share their corners exactly and carry spurs,
// so that contours close while strokes still touch them.
inline void AddContourPen(CStift& pen, Dice& dice, int contours, bool broken) {
    std::vector<std::vector<CPunkt>> strokes;
    for (int k = 0; k < contours; ++k) {
        const int corners = broken ? dice(3, 7) : dice(3, 6);
        const int cx = broken ? dice(0, 400) : 4, cy = broken ? dice(0, 400) : 4, r = broken ? 40 : 4;
        std::vector<CPunkt> poly;
        for (int i = 0; i < corners; ++i)
            poly.push_back({static_cast<double>(cx + dice(-r, r)), static_cast<double>(cy + dice(-r, r))});
        for (int i = 0; i < corners; ++i) {
            CPunkt a = poly[static_cast<std::size_t>(i)], b = poly[static_cast<std::size_t>((i + 1) % corners)];
            if (broken) {
                a.x += dice(-3, 3);
                b.y += dice(-3, 3);
            }
            if (dice(0, 1)) std::swap(a, b);
            strokes.push_back({a, b});
        }
        if (!broken && dice(0, 1)) strokes.push_back({poly[0], {poly[0].x + dice(-3, 3), poly[0].y + dice(-3, 3)}});
    }
    std::shuffle(strokes.begin(), strokes.end(), dice.Engine());
    for (const auto& s : strokes) AddStroke(pen, dice, s);
}

}  // namespace random_drawing_detail

// One or two layers of one to three pens, each of scattered strokes or of broken or touching
// contours; large drawings have many chains per pen. Every chain is recomputed, the document
// box is not.
inline void AddRandomLayers(CQuenkDoc& doc, Dice& dice, bool large) {
    using namespace random_drawing_detail;
    for (int l = 0, layers = dice(1, 2); l < layers; ++l) {
        CLayer& layer = *doc.AddLayer();
        for (int p = 0, pens = dice(1, 3); p < pens; ++p) {
            CStift& pen = *layer.AddPen(dice(1, 4));
            const int kind = dice(0, 3);
            if (kind < 2)
                AddContourPen(pen, dice, large ? 40 : dice(1, 5 - kind), kind == 0);
            else
                AddScatteredPen(pen, dice, large ? 200 : 25);
        }
    }
}
