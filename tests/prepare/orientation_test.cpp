#include <gtest/gtest.h>

#include <stdexcept>

#include "model/texts.h"
#include "model/vector.h"
#include "support/chain_builders.h"
#include "support/scripted_interaction.h"

namespace {
const CPunkt P0{0, 0}, P1{1, 0}, P2{1, 1}, P3{0, 1};
}

TEST(Direction, SquareCounterClockwiseAndClockwise) {
    ScriptedSession s;
    CVector ccw, cw;
    MakeChain(ccw, {P0, P1, P2, P3, P0});
    MakeChain(cw, {P0, P3, P2, P1, P0});
    EXPECT_EQ(ccw.m_direction, kDirCounterClockwise);
    EXPECT_EQ(cw.m_direction, kDirClockwise);
    EXPECT_TRUE(s.ui.shown.empty());
}

TEST(Direction, OrderTestDecidesWhenExtremesAreApart) {
    ScriptedSession s;
    CVector v;
    // A diamond starting at the left: left, bottom, right, top is counter-clockwise.
    MakeChain(v, {{0, 5}, {5, 0}, {10, 5}, {5, 10}, {0, 5}});
    EXPECT_EQ(v.m_direction, kDirCounterClockwise);
    MakeChain(v, {{0, 5}, {5, 10}, {10, 5}, {5, 0}, {0, 5}});
    EXPECT_EQ(v.m_direction, kDirClockwise);
    // Starting at the right: right, bottom, left is clockwise.
    MakeChain(v, {{10, 5}, {5, 0}, {0, 5}, {5, 10}, {10, 5}});
    EXPECT_EQ(v.m_direction, kDirClockwise);
}

TEST(Direction, OpenChainIsThree) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{0, 0}, {1, 0}, {1, 1}});
    EXPECT_EQ(v.m_direction, kDirOpen);
}

TEST(Direction, DecidedAtRightmostWhenLeftNeighbourTooClose) {
    ScriptedSession s;
    CVector v;
    // Leftmost point (0,0) has a neighbour 0.005 away; the order test finds nothing because
    // the lowest and highest points sit at the ends of the index range.
    MakeChain(v, {{0, 0}, {0.005, -0.000001}, {10, -1}, {10, 0}, {10, 5}, {0.004, 5.0}, {0, 0}});
    // Sanity: the rightmost neighbours are far enough away.
    const std::int32_t d = v.m_direction;
    EXPECT_TRUE(d == kDirClockwise || d == kDirCounterClockwise);
    EXPECT_TRUE(s.ui.shown.empty());
}

TEST(Direction, RightmostAngleTestGivesSenseOfTheSquare) {
    ScriptedSession s;
    CVector v;
    // Leftmost neighbour only 0.005 away; rightmost corner clean. Counter-clockwise run.
    MakeChain(v, {{0, 0}, {0.005, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
    // The order test: iMinX 0, iMaxX 2, iMinY 0 -> not strictly between; iMaxY 3 not below 2.
    EXPECT_EQ(v.m_direction, kDirCounterClockwise);
}

TEST(Direction, TinyChainSaysVektorZuKlein) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{0, 0}, {0.0005, 0}, {0.0005, 0.0005}, {0, 0.0005}, {0, 0}});
    EXPECT_EQ(v.m_direction, kDirUnknown);
    ASSERT_FALSE(s.ui.shown.empty());
    EXPECT_EQ(s.ui.shown.back(), texts::kChainTooSmall);
}

TEST(Direction, UndeterminableMessageShownAtMostFiveTimesUntilNewDocument) {
    ScriptedSession s;
    CVector v;
    SetPoints(v, {P0, P1, P2, P3, P0});
    v.Recompute();
    // Make the lowest point's neighbours lie on one ray so that SetDirection cannot decide.
    for (int i = 0; i < 7; ++i) {
        SetPoints(v, {{0, 0}, {0, 0.0005}, {0, 1}, {1, 1}, {0, 0}});
        v.Recompute();
        s.ui.shown.clear();
        v.SetDirection(0);
        const bool shown = !s.ui.shown.empty() && s.ui.shown.front() == texts::kDirectionUndeterminable;
        EXPECT_EQ(shown, i < 5) << "call " << i;
    }
    CurrentContext().directionWarnings = 0;  // what creating a document does
    s.ui.shown.clear();
    v.SetDirection(0);
    ASSERT_FALSE(s.ui.shown.empty());
    EXPECT_EQ(s.ui.shown.front(), texts::kDirectionUndeterminable);
}

TEST(SetDirection, ReversesOnlyWhenNeeded) {
    ScriptedSession s;
    CVector cw, ccw;
    MakeChain(cw, {P0, P3, P2, P1, P0});
    MakeChain(ccw, {P0, P1, P2, P3, P0});
    cw.SetDirection(0);
    EXPECT_EQ(cw.m_points, (CPointArray{P0, P1, P2, P3, P0}));
    EXPECT_EQ(cw.m_direction, kDirCounterClockwise);
    ccw.SetDirection(0);
    EXPECT_EQ(ccw.m_points, (CPointArray{P0, P1, P2, P3, P0}));
    ccw.SetDirection(1);
    EXPECT_EQ(ccw.m_points, (CPointArray{P0, P3, P2, P1, P0}));
    EXPECT_EQ(ccw.m_direction, kDirClockwise);
    EXPECT_TRUE(s.ui.shown.empty());
}

TEST(SetDirection, OpenChainUnchanged) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{0, 0}, {1, 0}, {1, 1}});
    v.SetDirection(1);
    EXPECT_EQ(v.m_points, (CPointArray{{0, 0}, {1, 0}, {1, 1}}));
}

TEST(Reverse, ReversesOpenAndClosedChains) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{0, 0}, {1, 0}, {1, 1}});
    v.Reverse();
    EXPECT_EQ(v.m_points, (CPointArray{{1, 1}, {1, 0}, {0, 0}}));
    EXPECT_EQ(v.m_direction, kDirOpen);
}

TEST(SetStartPoint, RotatesClosedChain) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {P0, P1, P2, P3, P0});
    v.SetStartPoint(2);
    EXPECT_EQ(v.m_points, (CPointArray{P2, P3, P0, P1, P2}));
    v.SetStartPoint(0);
    EXPECT_EQ(v.m_points, (CPointArray{P2, P3, P0, P1, P2}));
    v.SetStartPoint(4);  // the last index is the start point again
    EXPECT_EQ(v.m_points, (CPointArray{P2, P3, P0, P1, P2}));
    EXPECT_THROW(v.SetStartPoint(5), std::invalid_argument);
}

TEST(SetStartPoint, OpenChainUnchanged) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{0, 0}, {1, 0}, {2, 2}});
    v.SetStartPoint(1);
    EXPECT_EQ(v.m_points, (CPointArray{{0, 0}, {1, 0}, {2, 2}}));
}

TEST(DeletePoint, FirstOrLastOfClosedChainKeepsItClosed) {
    ScriptedSession s;
    const CPunkt Q3{0, 2};
    for (int k : {0, 4}) {
        CVector v;
        MakeChain(v, {P0, P1, P2, Q3, P0});
        v.DeletePoint(k);
        EXPECT_EQ(v.m_points, (CPointArray{P1, P2, Q3, P1})) << "k " << k;
        EXPECT_EQ(v.m_closed, 1);
        EXPECT_EQ(v.m_undoPoints, (CPointArray{P0, P1, P2, Q3, P0}));
    }
}

TEST(DeletePoint, OpenChainAndUndo) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{0, 0}, {5, 0}, {5, 5}, {9, 9}});
    v.DeletePoint(1);
    EXPECT_EQ(v.m_points, (CPointArray{{0, 0}, {5, 5}, {9, 9}}));
    v.RestorePoints();
    EXPECT_EQ(v.m_points, (CPointArray{{0, 0}, {5, 0}, {5, 5}, {9, 9}}));
    EXPECT_TRUE(v.m_undoPoints.IsEmpty());
    EXPECT_EQ(v.m_maxX, 9);
}

TEST(DeletePoint, OutOfRangeOnlyTakesUndoCopy) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{0, 0}, {5, 0}});
    v.DeletePoint(7);
    EXPECT_EQ(v.PointCount(), 2);
    EXPECT_EQ(v.m_undoPoints.Size(), 2);
}

TEST(ClearChain, EmptiesAndRestoreBringsBack) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {P0, P1, P2, P3, P0});
    v.AddRadius();
    v.m_hasCorrection = 1;
    v.ClearChain();
    EXPECT_EQ(v.m_empty, 1);
    EXPECT_EQ(v.PointCount(), 0);
    EXPECT_TRUE(v.m_radiusList.empty());
    EXPECT_EQ(v.m_hasCorrection, 1);
    v.RestorePoints();
    EXPECT_EQ(v.m_empty, 0);
    EXPECT_EQ(v.m_points, (CPointArray{P0, P1, P2, P3, P0}));
    EXPECT_EQ(v.m_direction, kDirCounterClockwise);
}
