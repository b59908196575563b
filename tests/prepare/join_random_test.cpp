// The indexed joinings against the plain ones on many random drawings: small coordinate
// ranges give many touching ends, equal distances and crossing end segments; broken contours
// give near ends in shuffled order. Everything a user or a later step can see must match.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "join_reference.h"
#include "join_test_support.h"
#include "prepare/join.h"
#include "support/scripted_interaction.h"

namespace {

class Dice {
public:
    explicit Dice(unsigned seed) : m_rng(seed) {}
    int operator()(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    std::mt19937& Engine() { return m_rng; }

private:
    std::mt19937 m_rng;
};

void Finish(CVector& v, Dice& dice) {
    // Something in the first correction list shows whether the joining emptied it.
    v.m_correctionPointsA.AddPoint({1, 1});
    if (dice(0, 4) == 0) {
        v.m_hasCorrection = 1;
        v.AddRadius();
    }
    if (!v.m_points.IsEmpty()) v.Recompute();
}

// Random strokes on a small grid, some closed, some single points, some never filled.
void AddScatteredPen(CStift& pen, Dice& dice, int maxChains) {
    const int span = dice(3, 14);
    const int n = dice(0, maxChains);
    for (int c = 0; c < n; ++c) {
        CVector& v = *pen.AddVector();
        const int kind = dice(0, 19);
        if (kind != 0) {
            const int np = kind == 1 ? 1 : dice(2, 5);
            for (int k = 0; k < np; ++k) {
                CPunkt p{static_cast<double>(dice(-span, span)), static_cast<double>(dice(-span, span))};
                if (dice(0, 3) == 0) p.x += dice(1, 9) / 10.0;  // same integer end, other point
                if (dice(0, 3) == 0) p.y += dice(1, 9) / 10.0;
                v.AddPoint(p);
            }
            if (kind == 2 && np >= 2) v.AddPoint(v.m_points[0]);
        }
        Finish(v, dice);
    }
}

// Polygons cut into strokes whose ends are moved a little, turned at random and shuffled.
void AddBrokenContoursPen(CStift& pen, Dice& dice, int contours) {
    std::vector<std::vector<CPunkt>> strokes;
    for (int k = 0; k < contours; ++k) {
        const int cx = dice(0, 400), cy = dice(0, 400), corners = dice(3, 7);
        std::vector<CPunkt> poly;
        for (int i = 0; i < corners; ++i) poly.push_back({static_cast<double>(cx + dice(-40, 40)),
                                                          static_cast<double>(cy + dice(-40, 40))});
        for (int i = 0; i < corners; ++i) {
            CPunkt a = poly[static_cast<std::size_t>(i)];
            CPunkt b = poly[static_cast<std::size_t>((i + 1) % corners)];
            a.x += dice(-3, 3);
            b.y += dice(-3, 3);
            if (dice(0, 1)) std::swap(a, b);
            strokes.push_back({a, b});
        }
    }
    std::shuffle(strokes.begin(), strokes.end(), dice.Engine());
    for (const auto& s : strokes) {
        CVector& v = *pen.AddVector();
        for (const CPunkt& p : s) v.AddPoint(p);
        Finish(v, dice);
    }
}

// Polygons on a small grid cut into strokes that share their corners exactly, with spurs
// starting at corners, turned at random and shuffled: contours close while strokes still
// touch them.
void AddTouchingContoursPen(CStift& pen, Dice& dice, int contours) {
    std::vector<std::vector<CPunkt>> strokes;
    for (int k = 0; k < contours; ++k) {
        const int corners = dice(3, 6);
        std::vector<CPunkt> poly;
        for (int i = 0; i < corners; ++i)
            poly.push_back({static_cast<double>(dice(0, 8)), static_cast<double>(dice(0, 8))});
        for (int i = 0; i < corners; ++i) {
            std::vector<CPunkt> s{poly[static_cast<std::size_t>(i)], poly[static_cast<std::size_t>((i + 1) % corners)]};
            if (dice(0, 1)) std::reverse(s.begin(), s.end());
            strokes.push_back(s);
        }
        if (dice(0, 1)) strokes.push_back({poly[0], {poly[0].x + dice(-3, 3), poly[0].y + dice(-3, 3)}});
    }
    std::shuffle(strokes.begin(), strokes.end(), dice.Engine());
    for (const auto& s : strokes) {
        CVector& v = *pen.AddVector();
        for (const CPunkt& p : s) v.AddPoint(p);
        Finish(v, dice);
    }
}

void BuildDrawing(JoinDrawing& d, unsigned seed, bool large) {
    Dice dice(seed);
    const int layers = dice(1, 2);
    for (int l = 0; l < layers; ++l) {
        CLayer& layer = *d.doc.AddLayer();
        const int pens = dice(1, 3);
        for (int p = 0; p < pens; ++p) {
            CStift& pen = *layer.AddPen(dice(1, 4));
            const int kind = dice(0, 3);
            if (kind == 0)
                AddBrokenContoursPen(pen, dice, large ? 40 : dice(1, 5));
            else if (kind == 1)
                AddTouchingContoursPen(pen, dice, large ? 40 : dice(1, 4));
            else
                AddScatteredPen(pen, dice, large ? 200 : 25);
        }
    }
    const int reach = dice(0, 19);
    if (reach == 0)
        d.app.m_joinDistance = 1e12;  // everything is near
    else if (reach == 1)
        d.app.m_joinDistance = -1;  // nothing is
    else
        d.app.m_joinDistance = reach < 7 ? dice(0, 20) / 4.0 : dice(0, 6);
    d.doc.m_bCorrectionDone = dice(0, 1);
    d.doc.RecomputeBox();
}

std::string Num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

// Everything a later step can see of one chain.
std::string Describe(const CVector& v) {
    std::string s = "empty " + std::to_string(v.m_empty) + " closed " + std::to_string(v.m_closed) + " dir " +
                    std::to_string(v.m_direction) + " ends " + std::to_string(v.m_startX) + "," +
                    std::to_string(v.m_startY) + " " + std::to_string(v.m_endX) + "," + std::to_string(v.m_endY) +
                    " box " + Num(v.m_minX) + " " + Num(v.m_maxX) + " " + Num(v.m_minY) + " " + Num(v.m_maxY) +
                    " corrA " + std::to_string(v.m_correctionPointsA.Size()) + " rk " +
                    std::to_string(v.m_hasCorrection) + "/" + std::to_string(v.m_radiusList.size()) + " pts";
    for (const CPunkt& p : v.m_points) s += " " + Num(p.x) + "," + Num(p.y);
    return s;
}

std::vector<std::string> Describe(const CQuenkDoc& doc) {
    std::vector<std::string> out;
    out.push_back("doc " + Num(doc.m_minX) + " " + Num(doc.m_maxX) + " " + Num(doc.m_minY) + " " +
                  Num(doc.m_maxY) + " flag " + std::to_string(doc.m_bCorrectionDone) + " dist " +
                  Num(doc.m_joinDistanceUnits));
    for (std::size_t l = 0; l < doc.m_layers.size(); ++l)
        for (std::size_t p = 0; p < doc.m_layers[l]->m_pens.size(); ++p) {
            const CStift& pen = *doc.m_layers[l]->m_pens[p];
            for (std::size_t c = 0; c < pen.m_chains.size(); ++c)
                out.push_back(std::to_string(l) + "/" + std::to_string(p) + "/" + std::to_string(c) + ": " +
                              Describe(*pen.m_chains[c]));
        }
    return out;
}

struct Outcome {
    std::vector<std::string> drawing;
    std::vector<std::string> shown;
    int redraws = 0;
    bool joined = false;
};

// EndPointsFresh tells the end-point joining that every chain is as its last Recompute left
// it, which BuildDrawing ensures, so that it takes its shortcuts.
enum class Joining { EndPoints, EndPointsFresh, Distance };

Outcome Run(unsigned seed, bool large, Joining which, bool reference) {
    ScriptedSession s;
    JoinDrawing d;
    BuildDrawing(d, seed, large);
    Outcome o;
    if (which != Joining::Distance) {
        const ChainPoints before = which == Joining::EndPointsFresh ? ChainPoints::Unchanged : ChainPoints::MayHaveChanged;
        for (auto& layer : d.doc.m_layers)
            o.joined |= reference ? ReferenceJoinEndPoints(d.doc, *layer) : JoinEndPoints(d.doc, *layer, before);
    } else {
        reference ? ReferenceJoinChains(d.doc) : JoinChains(d.doc);
    }
    o.drawing = Describe(d.doc);
    o.shown = s.ui.shown;
    o.redraws = s.ui.redraws;
    return o;
}

// Drawings whose joining showed direction messages, which must come in the plain order.
int g_withDirectionMessages = 0;

// Returns the number of drawings in which something was joined, to show the test bites.
int Compare(Joining which, unsigned firstSeed, int count, bool large) {
    int joinedDrawings = 0;
    g_withDirectionMessages = 0;
    for (unsigned seed = firstSeed; seed < firstSeed + static_cast<unsigned>(count); ++seed) {
        const Outcome fast = Run(seed, large, which, false);
        const Outcome plain = Run(seed, large, which, true);
        EXPECT_EQ(fast.joined, plain.joined) << "seed " << seed;
        EXPECT_EQ(fast.shown, plain.shown) << "seed " << seed;
        g_withDirectionMessages += plain.shown.size() > (plain.joined ? 1u : 0u);
        EXPECT_EQ(fast.redraws, plain.redraws) << "seed " << seed;
        EXPECT_EQ(fast.drawing.size(), plain.drawing.size()) << "seed " << seed;
        for (std::size_t i = 0; i < std::min(fast.drawing.size(), plain.drawing.size()); ++i) {
            if (fast.drawing[i] != plain.drawing[i]) {
                ADD_FAILURE() << "seed " << seed << "\n fast:  " << fast.drawing[i] << "\n plain: " << plain.drawing[i];
                return joinedDrawings;
            }
        }
        const Outcome untouched = [&] {
            ScriptedSession s;
            JoinDrawing d;
            BuildDrawing(d, seed, large);
            Outcome o;
            o.drawing = Describe(d.doc);
            return o;
        }();
        if (untouched.drawing != fast.drawing) ++joinedDrawings;
    }
    return joinedDrawings;
}

}  // namespace

TEST(JoinRandom, EndPointJoiningMatchesThePlainWalk) {
    EXPECT_GT(Compare(Joining::EndPoints, 1, 3000, false), 1500);
}

TEST(JoinRandom, EndPointJoiningOfFreshChainsMatchesThePlainWalk) {
    EXPECT_GT(Compare(Joining::EndPointsFresh, 1, 3000, false), 1500);
    EXPECT_GT(g_withDirectionMessages, 100);
}

TEST(JoinRandom, DistanceJoiningMatchesThePlainSearch) {
    EXPECT_GT(Compare(Joining::Distance, 1, 3000, false), 1500);
}

TEST(JoinRandom, LargePensMatchToo) {
    EXPECT_EQ(Compare(Joining::EndPoints, 100000, 12, true), 12);
    EXPECT_EQ(Compare(Joining::EndPointsFresh, 300000, 12, true), 12);
    EXPECT_EQ(Compare(Joining::Distance, 200000, 12, true), 12);
}
