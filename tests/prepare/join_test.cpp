#include <gtest/gtest.h>

#include <cmath>

#include "join_test_support.h"
#include "prepare/join.h"
#include "support/scripted_interaction.h"

namespace {
const char* const kJoined = " Vektorkette in die gleiche Richtung gedreht !! ";
}

// ---- end-point joining ----

TEST(JoinEndPoints, TouchingStrokesOfOnePenJoinAndTheMessageComesOnce) {
    ScriptedSession s;
    JoinDrawing d;
    CStift& p1 = d.Pen(1);
    CVector& a = d.Chain(p1, {{0, 0}, {10, 0}});
    CVector& b = d.Chain(p1, {{10, 0}, {10, 10}});
    CStift& p2 = d.Pen(2);
    CVector& c = d.Chain(p2, {{50, 0}, {60, 0}});
    d.Chain(p2, {{60, 10}, {60, 0}});
    CVector& other = d.Chain(d.Pen(3), {{10, 10}, {20, 20}});  // touches pen 1's stroke: another pen
    EXPECT_TRUE(JoinEndPoints(d.doc, *d.doc.m_layers[0]));
    EXPECT_EQ(Pts(a), (PointList{{0, 0}, {10, 0}, {10, 10}}));
    EXPECT_TRUE(b.m_empty);
    EXPECT_EQ(p1.m_chains.size(), 2u);  // the donor stays in its pen
    EXPECT_EQ(Pts(c), (PointList{{50, 0}, {60, 0}, {60, 10}}));
    EXPECT_EQ(Pts(other), (PointList{{10, 10}, {20, 20}}));
    EXPECT_EQ(s.ui.shown, std::vector<std::string>{kJoined});
    EXPECT_EQ(s.ui.redraws, 1);
    EXPECT_EQ(d.doc.m_maxX, 60.0);
}

TEST(JoinEndPoints, EachPairOfEndsGivesItsOrder) {
    struct Case {
        std::initializer_list<CPunkt> b;
        PointList result;
    };
    const Case cases[] = {
        {{{0, 0}, {0, 10}}, {{0, 10}, {0, 0}, {10, 0}}},      // start meets start
        {{{0, 10}, {0, 0}}, {{0, 10}, {0, 0}, {10, 0}}},      // start meets end
        {{{10, 0}, {10, 10}}, {{0, 0}, {10, 0}, {10, 10}}},   // end meets start
        {{{10, 10}, {10, 0}}, {{0, 0}, {10, 0}, {10, 10}}},   // end meets end
        {{{10.9, 0.4}, {10, 10}}, {{0, 0}, {10, 0}, {10, 10}}},  // integer ends meet: B's own end point goes
    };
    for (const Case& c : cases) {
        ScriptedSession s;
        JoinDrawing d;
        CStift& pen = d.Pen(1);
        CVector& a = d.Chain(pen, {{0, 0}, {10, 0}});
        d.Chain(pen, c.b);
        JoinEndPoints(d.doc, *d.doc.m_layers[0]);
        EXPECT_EQ(Pts(a), c.result);
    }
}

TEST(JoinEndPoints, ClosedChainIsNeverJoined) {
    ScriptedSession s;
    JoinDrawing d;
    CStift& pen = d.Pen(1);
    // A circle-like closed chain first, a stroke starting where it starts after it.
    CVector& ring = d.Chain(pen, {{0, 0}, {10, 0}, {10, 10}, {0, 0}});
    CVector& tail = d.Chain(pen, {{0, 0}, {-10, 0}});
    // A square drawn stroke by stroke closes; the stroke after it must not reopen it.
    CVector& s1 = d.Chain(pen, {{100, 0}, {110, 0}});
    d.Chain(pen, {{110, 0}, {110, 10}});
    d.Chain(pen, {{110, 10}, {100, 10}});
    d.Chain(pen, {{100, 10}, {100, 0}});
    CVector& extra = d.Chain(pen, {{100, 10}, {95, 15}});  // at the closing point
    EXPECT_TRUE(JoinEndPoints(d.doc, *d.doc.m_layers[0]));
    EXPECT_EQ(Pts(ring), (PointList{{0, 0}, {10, 0}, {10, 10}, {0, 0}}));
    EXPECT_EQ(Pts(tail), (PointList{{0, 0}, {-10, 0}}));
    EXPECT_EQ(Pts(s1), (PointList{{100, 10}, {100, 0}, {110, 0}, {110, 10}, {100, 10}}));
    EXPECT_TRUE(s1.m_closed);
    EXPECT_EQ(Pts(extra), (PointList{{100, 10}, {95, 15}}));
}

TEST(JoinEndPoints, ChainPassedInOnePassJoinsInTheNext) {
    ScriptedSession s;
    JoinDrawing d;
    CStift& pen = d.Pen(1);
    CVector& a = d.Chain(pen, {{0, 0}, {10, 0}});
    CVector& far = d.Chain(pen, {{20, 0}, {30, 0}});
    CVector& mid = d.Chain(pen, {{10, 0}, {20, 0}});
    JoinEndPoints(d.doc, *d.doc.m_layers[0]);
    EXPECT_EQ(Pts(a), (PointList{{0, 0}, {10, 0}, {20, 0}, {30, 0}}));
    EXPECT_TRUE(far.m_empty);
    EXPECT_TRUE(mid.m_empty);
}

// ---- "Zusammenfügen" ----

TEST(JoinChains, JoinsUpToTheDistanceInclusive) {
    ScriptedSession s;
    JoinDrawing d;  // 20 units
    d.app.m_joinDistance = 0.5;
    d.doc.m_plotterUnit = 0.025;
    CStift& pen = d.Pen(1);
    CVector& a = d.Chain(pen, {{0, 0}, {100, 0}});
    CVector& b = d.Chain(pen, {{110, 5}, {110, 100}});  // about 11.2 away
    CVector& c = d.Chain(pen, {{0, 500}, {100, 500}});
    CVector& e = d.Chain(pen, {{125, 500}, {200, 500}});  // 25 away
    CStift& pen2 = d.Pen(2);
    CVector& f = d.Chain(pen2, {{0, 0}, {100, 0}});
    d.Chain(pen2, {{120, 0}, {120, 50}});  // exactly 20 away
    d.doc.RecomputeBox();
    JoinChains(d.doc);
    EXPECT_DOUBLE_EQ(d.doc.m_joinDistanceUnits, 20.0);
    EXPECT_EQ(Pts(a), (PointList{{0, 0}, {100, 0}, {110, 5}, {110, 100}}));  // bridged
    EXPECT_TRUE(b.m_empty);
    EXPECT_EQ(Pts(c), (PointList{{0, 500}, {100, 500}}));
    EXPECT_EQ(Pts(e), (PointList{{125, 500}, {200, 500}}));
    EXPECT_EQ(Pts(f), (PointList{{0, 0}, {100, 0}, {120, 0}, {120, 50}}));
    EXPECT_TRUE(s.ui.shown.empty());
    EXPECT_EQ(s.ui.maxWaitDepth, 1);
    EXPECT_EQ(s.ui.waitDepth, 0);
    EXPECT_EQ(s.ui.redraws, 1);
}

TEST(JoinChains, AmongEqualDistancesTheFirstPairInListOrderWins) {
    ScriptedSession s;
    JoinDrawing d(6);
    CStift& pen = d.Pen(1);
    CVector& a = d.Chain(pen, {{0, 0}, {10, 0}});
    CVector& first = d.Chain(pen, {{15, 0}, {25, 0}});   // 5 from A's end
    CVector& second = d.Chain(pen, {{10, 5}, {10, 15}});  // 5 from A's end too
    d.doc.RecomputeBox();
    JoinChains(d.doc);
    EXPECT_EQ(Pts(a), (PointList{{0, 0}, {10, 0}, {15, 0}, {25, 0}}));
    EXPECT_TRUE(first.m_empty);
    EXPECT_EQ(Pts(second), (PointList{{10, 5}, {10, 15}}));  // now too far from either end
}

TEST(JoinChains, AmongEqualDistancesOfOnePairTheFirstCaseWins) {
    ScriptedSession s;
    JoinDrawing d(6);
    CStift& pen = d.Pen(1);
    // Start to start and end to end are both 3 apart: start to start is taken, then the
    // remaining gap is closed by appending the first point.
    CVector& a = d.Chain(pen, {{0, 0}, {10, 0}});
    d.Chain(pen, {{0, 3}, {10, 3}});
    d.doc.RecomputeBox();
    JoinChains(d.doc);
    EXPECT_EQ(Pts(a), (PointList{{10, 3}, {0, 3}, {0, 0}, {10, 0}, {10, 3}}));
    EXPECT_TRUE(a.m_closed);
}

TEST(JoinChains, MeetingEndsAreTreatedByTheFirstRuleThatApplies) {
    struct Case {
        std::initializer_list<CPunkt> a, b;
        PointList result;  // of the receiver
        bool receiverIsB;
    };
    const Case cases[] = {
        // End segments cross: A's end moves to the crossing, B's start goes.
        {{{0, 0}, {100, 0}}, {{98, -3}, {98, 50}}, {{0, 0}, {98, 0}, {98, 50}}, false},
        // Collinear, B's second point inside A's last segment: A's end takes B's start.
        {{{0, 0}, {100, 0}}, {{98, 0}, {95, 0}, {95, 50}}, {{0, 0}, {98, 0}, {95, 0}, {95, 50}}, false},
        // Start of A meets end of B; A's end segment reaches across B's line: B receives.
        {{{20, 0}, {60, 0}}, {{10, 10}, {18, 3}}, {{10, 10}, {21.428571428571427, 0}, {60, 0}}, true},
        // Nothing reaches across: the gap is bridged.
        {{{0, 0}, {100, 0}}, {{103, 2}, {110, 9}}, {{0, 0}, {100, 0}, {103, 2}, {110, 9}}, false},
    };
    for (const Case& c : cases) {
        ScriptedSession s;
        JoinDrawing d(20);
        CStift& pen = d.Pen(1);
        CVector& a = d.Chain(pen, c.a);
        CVector& b = d.Chain(pen, c.b);
        d.doc.RecomputeBox();
        JoinChains(d.doc);
        const CVector& receiver = c.receiverIsB ? b : a;
        const CVector& donor = c.receiverIsB ? a : b;
        ASSERT_EQ(receiver.PointCount(), static_cast<int>(c.result.size()));
        for (int i = 0; i < receiver.PointCount(); ++i) {
            EXPECT_NEAR(receiver.m_points[i].x, c.result[static_cast<std::size_t>(i)].first, 1e-9);
            EXPECT_NEAR(receiver.m_points[i].y, c.result[static_cast<std::size_t>(i)].second, 1e-9);
        }
        EXPECT_TRUE(donor.m_empty);
    }
}

// A closed chain is never chosen, not even by a stroke that starts right at its corner.
TEST(JoinChains, ClosingStepMeetsAtTheCrossingOrAppendsTheStart) {
    ScriptedSession s;
    JoinDrawing d(20);
    CStift& pen = d.Pen(1);
    CVector& crossing = d.Chain(pen, {{-5, 0}, {100, 0}, {100, 100}, {0, 100}, {0, -5}});
    CVector& gap = d.Chain(pen, {{200, 0}, {300, 0}, {300, 100}, {200, 100}, {200, 10}});
    CVector& wide = d.Chain(pen, {{400, 0}, {500, 0}, {500, 100}, {400, 100}, {400, 25}});
    CVector& square = d.Chain(pen, {{600, 0}, {610, 0}, {610, 10}, {600, 10}, {600, 0}});
    CVector& stroke = d.Chain(pen, {{601, 1}, {550, -50}});
    d.doc.RecomputeBox();
    JoinChains(d.doc);
    EXPECT_EQ(Pts(crossing), (PointList{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}));
    EXPECT_TRUE(crossing.m_closed);
    EXPECT_EQ(Pts(gap), (PointList{{200, 0}, {300, 0}, {300, 100}, {200, 100}, {200, 10}, {200, 0}}));
    EXPECT_TRUE(gap.m_closed);
    EXPECT_FALSE(wide.m_closed);
    EXPECT_EQ(Pts(square), (PointList{{600, 0}, {610, 0}, {610, 10}, {600, 10}, {600, 0}}));
    EXPECT_EQ(Pts(stroke), (PointList{{601, 1}, {550, -50}}));
}

TEST(JoinChains, LinesWithoutACrossingPointAreBridged) {
    // End segments whose slopes are equal in floating point although one reaches across the
    // other's line: there is no usable crossing point, so neither a sentinel point nor an
    // infinite one may enter the chain.
    ScriptedSession s;
    JoinDrawing d(20);
    CStift& pen = d.Pen(1);
    const CPunkt far{3.000000000000003e16, 1.000000000000001e16};
    CVector& a = d.Chain(pen, {{0, 0}, {30, 10}});
    d.Chain(pen, {{31, 10}, far});
    // The same for the closing step: first and last segment cross, their slopes are equal.
    CVector& loop = d.Chain(d.Pen(2), {{0, 0}, {3e16, 1e16}, {3.0000000000000016e16, 1.0000000000000004e16}, {11, 4}});
    d.doc.RecomputeBox();
    JoinChains(d.doc);
    EXPECT_EQ(Pts(a), (PointList{{0, 0}, {30, 10}, {31, 10}, {far.x, far.y}}));
    EXPECT_EQ(Pts(loop),
              (PointList{{0, 0}, {3e16, 1e16}, {3.0000000000000016e16, 1.0000000000000004e16}, {11, 4}, {0, 0}}));
    EXPECT_TRUE(loop.m_closed);
}

TEST(JoinChains, ClearsCorrectionsOnlyWhenOneExistsAndResetsTheFlag) {
    for (int done = 0; done <= 1; ++done) {
        ScriptedSession s;
        JoinDrawing d(20);
        CVector& v = d.Chain(d.Pen(1), {{0, 0}, {100, 0}});
        v.m_hasCorrection = 1;
        v.AddRadius();
        d.doc.m_bCorrectionDone = done;
        d.doc.RecomputeBox();
        JoinChains(d.doc);
        EXPECT_EQ(d.doc.m_bCorrectionDone, 0);
        EXPECT_EQ(v.m_hasCorrection, done ? 0 : 1);
        EXPECT_EQ(v.m_radiusList.size(), done ? 0u : 1u);
    }
}
