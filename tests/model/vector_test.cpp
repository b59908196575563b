#include <gtest/gtest.h>

#include <stdexcept>

#include "model/geometry.h"
#include "model/vector.h"
#include "support/chain_builders.h"
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

TEST(PointArray, InsertRemoveGrow) {
    CPointArray a;
    EXPECT_EQ(a.AddPoint({1, 0}), 0);
    EXPECT_EQ(a.AddPoint({2, 0}), 1);
    a.InsertPoint(1, {9, 9}, 2);
    EXPECT_EQ(a, (CPointArray{{1, 0}, {9, 9}, {9, 9}, {2, 0}}));
    a.InsertPoint(100, {5, 5});  // at or past the end appends
    EXPECT_EQ(a.Back(), (CPunkt{5, 5}));
    EXPECT_EQ(a.RemovePoints(1, 2), 3);
    EXPECT_EQ(a, (CPointArray{{1, 0}, {2, 0}, {5, 5}}));
    a.SetPointAtGrow(5, {7, 7});
    EXPECT_EQ(a.Size(), 6);
    EXPECT_EQ(a[4], (CPunkt{0, 0}));
    a.SetPointCount(2);
    EXPECT_EQ(a.Size(), 2);
    a.SetPointCount(0);
    EXPECT_TRUE(a.IsEmpty());
}

TEST(VectorRecompute, RemovesRepeatsAndFindsClosedSquare) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{0, 0}, {10, 0}, {10, 0}, {10, 10}, {0, 0}});
    EXPECT_EQ(v.m_points, (CPointArray{{0, 0}, {10, 0}, {10, 10}, {0, 0}}));
    EXPECT_EQ(v.m_closed, 1);
    EXPECT_EQ(v.m_empty, 0);
    EXPECT_EQ(v.m_minX, 0);
    EXPECT_EQ(v.m_maxX, 10);
    EXPECT_EQ(v.m_minY, 0);
    EXPECT_EQ(v.m_maxY, 10);
}

TEST(VectorRecompute, TwoEqualPointsAreOnePointNeitherEmptyNorClosed) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{0, 0}, {0, 0}});
    EXPECT_EQ(v.PointCount(), 1);
    EXPECT_EQ(v.m_empty, 0);
    EXPECT_EQ(v.m_closed, 0);
    EXPECT_EQ(v.m_direction, kDirOpen);
}

TEST(VectorRecompute, ThreePointsBackAndForthAreClosedWithoutMessage) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{0, 0}, {5, 5}, {0, 0}});
    EXPECT_EQ(v.m_closed, 1);
    EXPECT_EQ(v.m_direction, kDirUnknown);
    EXPECT_TRUE(s.ui.shown.empty());
}

TEST(VectorRecompute, EmptyChainKeepsEmptyBoxAndOldEnds) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{3.5, 4.5}, {7, 8}});
    v.m_points.RemoveAll();
    v.Recompute();
    EXPECT_EQ(v.m_empty, 1);
    EXPECT_EQ(v.m_minX, kEmptyMin);
    EXPECT_EQ(v.m_maxY, kEmptyMax);
    EXPECT_EQ(v.m_outerMinX, kEmptyMin);
    EXPECT_EQ(v.m_startX, 3);
    EXPECT_EQ(v.m_endY, 8);
    EXPECT_EQ(v.m_direction, kDirOpen);
}

TEST(VectorRecompute, OuterBoxGrowsByToolRadius) {
    ScriptedSession s;
    CVector v;
    v.m_toolRadius = 2;
    MakeChain(v, {{0, 0}, {10, 5}});
    EXPECT_EQ(v.m_outerMinX, -2);
    EXPECT_EQ(v.m_outerMaxX, 12);
    EXPECT_EQ(v.m_outerMinY, -2);
    EXPECT_EQ(v.m_outerMaxY, 7);
}

TEST(VectorRecompute, IntegerEndsTruncateTowardZero) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{-1.7, 2.9}, {5.99, -0.5}});
    EXPECT_EQ(v.m_startX, -1);
    EXPECT_EQ(v.m_startY, 2);
    EXPECT_EQ(v.m_endX, 5);
    EXPECT_EQ(v.m_endY, 0);
}

TEST(VectorRecompute, HugeCoordinatesSaturateIntegerEnds) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{1e300, -1e300}, {0, 0}});
    EXPECT_EQ(v.m_startX, 2147483647);
    EXPECT_EQ(v.m_startY, -2147483647 - 1);
}

TEST(VectorRecompute, NearDuplicatesHandTheirCoordinatesBackwards) {
    ScriptedSession s;
    CVector v;
    // Index 2 lies within 0.0001 of index 1: it is removed and index 1 takes its place.
    MakeChain(v, {{0, 0}, {5, 0}, {5.00005, 0}, {5, 5}, {9, 9}});
    EXPECT_EQ(v.m_points, (CPointArray{{0, 0}, {5.00005, 0}, {5, 5}, {9, 9}}));
}

TEST(VectorRecompute, LastPairIsNotExaminedButStartIsGuarded) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{0, 0}, {5, 0}, {5, 5}, {5, 5.00005}});
    EXPECT_EQ(v.PointCount(), 4);  // the last two points stay
    MakeChain(v, {{0, 0}, {3, 0}, {0.00005, 0}, {3, 3}});
    EXPECT_EQ(v.m_points, (CPointArray{{0, 0}, {3, 0}, {3, 3}}));
}

TEST(VectorRecompute, ClosedChainEndsExactlyOnItsStart) {
    ScriptedSession s;
    CVector v;
    // The second point is within the tolerance of the first and hands it its coordinates;
    // the last point must follow the first.
    MakeChain(v, {{0, 0}, {0.00002, 0}, {10, 0}, {10, 10}, {0, 0}});
    EXPECT_EQ(v.m_closed, 1);
    EXPECT_EQ(v.m_points.Front(), v.m_points.Back());
    EXPECT_EQ(v.PointCount(), 4);
}

TEST(VectorCorrection, ClearCorrectionKeepsPointsAndBox) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{0, 0}, {10, 0}});
    v.AddRadius()->m_path.AddPoint({1, 1});
    v.m_correctionPointsA.AddPoint({1, 1});
    v.m_correctionPointsB.AddPoint({1, 1});
    v.m_correctionPointsC.AddPoint({1, 1});
    v.m_hasCorrection = 1;
    v.ClearCorrection();
    EXPECT_TRUE(v.m_radiusList.empty());
    EXPECT_TRUE(v.m_correctionPointsA.IsEmpty());
    EXPECT_TRUE(v.m_correctionPointsB.IsEmpty());
    EXPECT_TRUE(v.m_correctionPointsC.IsEmpty());
    EXPECT_EQ(v.m_hasCorrection, 0);
    EXPECT_EQ(v.PointCount(), 2);
    EXPECT_EQ(v.m_maxX, 10);
}

TEST(VectorCorrection, AddRadiusAppendsWithDefaults) {
    CVector v;
    CRadius* a = v.AddRadius();
    CRadius* b = v.AddRadius();
    ASSERT_EQ(v.m_radiusList.size(), 2u);
    EXPECT_EQ(v.m_radiusList[0].get(), a);
    EXPECT_EQ(v.m_radiusList[1].get(), b);
    EXPECT_EQ(a->m_mark, 0);
    EXPECT_EQ(a->m_selected, -1);
    EXPECT_EQ(a->m_closed, 0);
}

TEST(VectorIntPoints, TruncatesEveryPointTowardZero) {
    CVector v;
    SetPoints(v, {{1.9, -1.9}, {-0.5, 0.5}});
    v.BuildIntPoints();
    EXPECT_EQ(v.m_intPoints, (CIntPointArray{{1, -1}, {0, 0}}));
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
