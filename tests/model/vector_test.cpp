#include <gtest/gtest.h>

#include <stdexcept>

#include "model/geometry.h"
#include "model/vector.h"
#include "support/box.h"
#include "support/chain_builders.h"
#include "support/describe.h"
#include "support/scripted_interaction.h"

TEST(PointArray, IndexOutsideIsInvalidArgumentAndChangesNothing) {
    CPointArray a{{1, 1}, {2, 2}};
    EXPECT_THROW(a[2], std::invalid_argument);
    EXPECT_THROW(a[-1], std::invalid_argument);
    EXPECT_THROW(a.RemovePoints(1, 2), std::invalid_argument);
    EXPECT_THROW(a.InsertPoint(-1, {0, 0}), std::invalid_argument);
    EXPECT_EQ(a.Size(), 2);
    EXPECT_EQ(a[1], (CPunkt{2, 2}));
}

TEST(PointArray, InsertAtOrPastTheEndAppendsAndGrowingFillsWithZeros) {
    CPointArray a;
    EXPECT_EQ(a.AddPoint({1, 0}), 0);
    EXPECT_EQ(a.AddPoint({2, 0}), 1);
    a.InsertPoint(1, {9, 9}, 2);
    a.InsertPoint(100, {5, 5});
    EXPECT_EQ(a, (CPointArray{{1, 0}, {9, 9}, {9, 9}, {2, 0}, {5, 5}}));
    EXPECT_EQ(a.RemovePoints(1, 2), 3);
    a.SetPointAtGrow(5, {7, 7});
    EXPECT_EQ(a, (CPointArray{{1, 0}, {2, 0}, {5, 5}, {0, 0}, {0, 0}, {7, 7}}));
}

// Repeats within 0.0001 go, walking backwards: the earlier point of a pair takes the later
// one's coordinates. The last pair is not examined; a closed chain ends exactly on its start.
TEST(VectorRecompute, RepeatsClosednessAndDirection) {
    struct Case {
        std::vector<CPunkt> in, out;
        int closed, direction;
    };
    const Case cases[] = {
        {{{0, 0}, {10, 0}, {10, 0}, {10, 10}, {0, 0}}, {{0, 0}, {10, 0}, {10, 10}, {0, 0}}, 1, kDirCounterClockwise},
        {{{0, 0}, {0, 0}}, {{0, 0}}, 0, kDirOpen},  // one point: neither empty nor closed
        {{{0, 0}, {5, 5}, {0, 0}}, {{0, 0}, {5, 5}, {0, 0}}, 1, kDirUnknown},
        {{{0, 0}, {5, 0}, {5.00005, 0}, {5, 5}, {9, 9}}, {{0, 0}, {5.00005, 0}, {5, 5}, {9, 9}}, 0, kDirOpen},
        {{{0, 0}, {5, 0}, {5, 5}, {5, 5.00005}}, {{0, 0}, {5, 0}, {5, 5}, {5, 5.00005}}, 0, kDirOpen},
        {{{0, 0}, {3, 0}, {0.00005, 0}, {3, 3}}, {{0, 0}, {3, 0}, {3, 3}}, 0, kDirOpen},  // start guarded
        {{{0, 0}, {0.00002, 0}, {10, 0}, {10, 10}, {0, 0}},
         {{0.00002, 0}, {10, 0}, {10, 10}, {0.00002, 0}}, 1, kDirCounterClockwise},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.in));
        ScriptedSession s;
        CVector v;
        for (const CPunkt& p : c.in) v.AddPoint(p);
        v.Recompute();
        EXPECT_EQ(v.m_points.Raw(), c.out);
        EXPECT_EQ(v.m_closed, c.closed);
        EXPECT_EQ(v.m_direction, c.direction);
        EXPECT_EQ(v.m_empty, 0);
        EXPECT_TRUE(s.ui.shown.empty());
    }
}

TEST(VectorRecompute, BoxesAndIntegerEnds) {
    ScriptedSession s;
    CVector v;
    v.m_toolRadius = 2;
    MakeChain(v, {{-1.7, 2.9}, {10, 5}, {5.99, -0.5}});
    EXPECT_EQ(BoxOf(v), (Box{-1.7, 10, -0.5, 5}));
    EXPECT_EQ(OuterBoxOf(v), (Box{-3.7, 12, -2.5, 7}));
    // The integer ends truncate toward zero and saturate.
    EXPECT_EQ(std::vector<int>({v.m_startX, v.m_startY, v.m_endX, v.m_endY}), std::vector<int>({-1, 2, 5, 0}));
    MakeChain(v, {{1e300, -1e300}, {0, 0}});
    EXPECT_EQ(v.m_startX, 2147483647);
    EXPECT_EQ(v.m_startY, -2147483647 - 1);
    // An emptied chain has the empty box but keeps its old ends.
    MakeChain(v, {{3.5, 4.5}, {7, 8}});
    v.m_points.RemoveAll();
    v.Recompute();
    EXPECT_EQ(v.m_empty, 1);
    EXPECT_EQ(BoxOf(v), kEmptyBox);
    EXPECT_EQ(OuterBoxOf(v), kEmptyBox);
    EXPECT_EQ(v.m_startX, 3);
    EXPECT_EQ(v.m_endY, 8);
    EXPECT_EQ(v.m_direction, kDirOpen);
}

// Everything the correction built goes; the chain stays as it was.
TEST(VectorCorrection, ClearCorrectionKeepsTheChain) {
    ScriptedSession s;
    CVector v;
    v.m_toolRadius = 1;
    MakeChain(v, {{0, 0}, {10, 0}, {10, 10}, {0, 0}});
    const std::string chain = DescribeChain(v);
    ASSERT_EQ(v.Correct(), 1);
    v.Correction().m_correctionPointsC.AddPoint({1, 1});
    v.ClearCorrection();
    EXPECT_EQ(DescribeChain(v), chain);
    const CCorrectionLists& c = v.Correction();
    for (const auto* a : {&c.m_correctionPointsA, &c.m_correctionPointsB, &c.m_correctionPointsC})
        EXPECT_TRUE(a->IsEmpty());
    EXPECT_TRUE(v.Correction().m_correctionIndexA.IsEmpty() && v.Correction().m_correctionIndexB.IsEmpty());
}

TEST(VectorIntPoints, TruncatesEveryPointTowardZero) {
    CVector v;
    SetPoints(v, {{1.9, -1.9}, {-0.5, 0.5}});
    v.BuildIntPoints();
    EXPECT_EQ(v.Correction().m_intPoints, (CIntPointArray{{1, -1}, {0, 0}}));
}

TEST(VectorLength, SumsSegmentsInMillimetres) {
    CVector v;
    SetPoints(v, {{0, 0}, {3, 4}, {3, 14}});
    bool overflow = true;
    EXPECT_DOUBLE_EQ(v.LengthMm(0.025, &overflow), 15 * 0.025);
    EXPECT_FALSE(overflow);
    SetPoints(v, {{0, 0}, {1e308, 0}, {-1e308, 0}});
    v.LengthMm(1.0, &overflow);
    EXPECT_TRUE(overflow);
}

TEST(Geometry, LineIntersectionCases) {
    EXPECT_EQ(LineIntersection({3, 0}, {3, 5}, {0, 2}, {9, 2}), (CPunkt{3, 2}));
    EXPECT_EQ(LineIntersection({0, 2}, {9, 2}, {3, 0}, {3, 5}), (CPunkt{3, 2}));
    EXPECT_EQ(LineIntersection({0, 0}, {2, 2}, {0, 2}, {2, 0}), (CPunkt{1, 1}));
    EXPECT_EQ(LineIntersection({1, 0}, {1, 1}, {0, 0}, {2, 2}), (CPunkt{1, 1}));
    EXPECT_EQ(LineIntersection({0, 3}, {1, 3}, {0, 0}, {1, 1}), (CPunkt{3, 3}));
    EXPECT_FALSE(TryLineIntersection({0, 0}, {1, 1}, {0, 1}, {1, 2}).has_value());
    EXPECT_FALSE(TryLineIntersection({0, 0}, {0, 0}, {0, 1}, {1, 2}).has_value());
    ASSERT_TRUE(TryLineIntersection({0, 0}, {2, 2}, {0, 2}, {2, 0}).has_value());
}

TEST(Geometry, TurnAndSegmentsCross) {
    EXPECT_EQ(Turn({0, 0}, {1, 0}, {0, 1}), 1);
    EXPECT_EQ(Turn({0, 0}, {1, 0}, {0, -1}), -1);
    EXPECT_EQ(Turn({0, 0}, {1, 0}, {2, 0}), 1);
    EXPECT_EQ(Turn({0, 0}, {2, 0}, {1, 0}), 0);
    EXPECT_EQ(Turn({0, 0}, {1, 0}, {-1, 0}), -1);
    EXPECT_EQ(SegmentsCross({0, 0}, {2, 2}, {0, 2}, {2, 0}), 1);
    EXPECT_EQ(SegmentsCross({0, 0}, {2, 0}, {2, 0}, {3, 1}), 0);
    EXPECT_EQ(SegmentsCross({0, 0}, {2, 0}, {1, 0}, {3, 0}), 0);  // collinear overlap
    EXPECT_EQ(SegmentsCross({0, 0}, {2, 0}, {1, 0}, {1, 1}), 0);  // touching
}

TEST(Geometry, PointOnRayByLawOfSines) {
    // From A = (0,0) along the ray from B = (0,0)... the degenerate case: A on the apex.
    CPunkt p = PointOnRay({0, 0}, {0, 0}, {1, 0}, 2);
    EXPECT_NEAR(p.x, 2, 1e-12);
    EXPECT_NEAR(p.y, 0, 1e-12);
    // A = (0,1), apex (0,0), ray along +x: the point at distance sqrt(2) from A is (1,0).
    p = PointOnRay({0, 1}, {0, 0}, {5, 0}, std::sqrt(2.0));
    EXPECT_NEAR(p.x, 1, 1e-12);
    EXPECT_NEAR(p.y, 0, 1e-12);
}
