#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "model/vector.h"
#include "support/chain_builders.h"
#include "support/scripted_interaction.h"
#include "toolpath/cut_band.h"
#include "toolpath/texts.h"

namespace {
// Computed corner points carry the rounding of a few sines and cosines.
constexpr double kTol = 1e-4;

void ExpectPoint(const CPunkt& p, double x, double y) {
    EXPECT_NEAR(p.x, x, kTol);
    EXPECT_NEAR(p.y, y, kTol);
}

void Prepare(CVector& v, std::initializer_list<CPunkt> pts, double r, int side, int tool = 1) {
    MakeChain(v, pts);
    v.m_toolRadius = r;
    v.m_side = side;
    v.m_tool = tool;
}

const CRadius& OnlyPath(const CVector& v) {
    EXPECT_EQ(v.m_radiusList.size(), 1u);
    return *v.m_radiusList.front();
}
}  // namespace

TEST(Correct, SquareOutsideHasBevelledCorners) {
    ScriptedSession s;
    CVector v;
    // Counter-clockwise, right side: the path runs outside.
    Prepare(v, {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, 1.0, 1);
    ASSERT_EQ(v.Correct(), 1);
    const CRadius& r = OnlyPath(v);
    const std::vector<CPunkt>& p = r.m_path.Raw();
    ASSERT_EQ(p.size(), 9u);  // two bevel points per corner, closed
    EXPECT_EQ(r.m_closed, 1);
    EXPECT_EQ(p.front(), p.back());
    // The corner (10,0) is vertex 1: its bevel runs from below the bottom edge to its right.
    ExpectPoint(p[2], 10.4142, -1);
    ExpectPoint(p[3], 11, -0.4142);
    EXPECT_EQ(r.m_source[2], 1);
    EXPECT_EQ(r.m_source[3], 1);
    for (const CPunkt& q : p) {
        EXPECT_NEAR(std::max(std::fabs(q.x - 5), std::fabs(q.y - 5)), 6, kTol);
    }
    EXPECT_TRUE(v.Correction().m_correctionIndexB.IsEmpty());
    EXPECT_EQ(v.m_hasCorrection, 1);
    int quads = 0;
    ForEachBandQuad(v, [&](const BandQuad&) { ++quads; });
    EXPECT_EQ(quads, 8);
    const BandQuad q = CutBandQuad({0, 0}, {2, 0}, 1);
    EXPECT_EQ(q, (BandQuad{CPunkt{0, 1}, CPunkt{2, 1}, CPunkt{2, -1}, CPunkt{0, -1}}));
    EXPECT_TRUE(s.ui.shown.empty());
}

TEST(Correct, SquareInsideHasSharpCorners) {
    ScriptedSession s;
    CVector v;
    // Clockwise, right side: the path runs inside.
    Prepare(v, {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}}, 1.0, 1);
    ASSERT_EQ(v.Correct(), 1);
    const std::vector<CPunkt>& p = OnlyPath(v).m_path.Raw();
    ASSERT_EQ(p.size(), 5u);
    ExpectPoint(p[0], 1, 1);
    ExpectPoint(p[1], 1, 9);
    ExpectPoint(p[2], 9, 9);
    ExpectPoint(p[3], 9, 1);
    EXPECT_EQ(p[4], p[0]);
    EXPECT_NEAR(Distance(p[1], {0, 10}), std::sqrt(2.0), kTol);
}

TEST(Correct, OpenLineStartsAndEndsOneRadiusIn) {
    ScriptedSession s;
    CVector left, right;
    Prepare(left, {{0, 0}, {10, 0}}, 1.0, 0);
    Prepare(right, {{0, 0}, {10, 0}}, 1.0, 1);
    left.Correct();
    right.Correct();
    const CRadius& l = OnlyPath(left);
    ASSERT_EQ(l.m_path.Size(), 2);
    ExpectPoint(l.m_path[0], 1, 1);
    ExpectPoint(l.m_path[1], 9, 1);
    EXPECT_EQ(l.m_closed, 0);
    EXPECT_EQ(l.m_source.Raw(), (std::vector<std::int32_t>{0, 1}));
    ExpectPoint(OnlyPath(right).m_path[0], 1, -1);
    ExpectPoint(OnlyPath(right).m_path[1], 9, -1);
}

TEST(Correct, ZeroRadiusCopiesTheContourToolSeventeenClearsEmptyChainIsLeftAlone) {
    ScriptedSession s;
    CVector v;
    Prepare(v, {{0, 0}, {10, 0}, {10, 10}, {0, 0}}, 0.0, 1);
    ASSERT_EQ(v.Correct(), 1);
    const CRadius& r = OnlyPath(v);
    EXPECT_EQ(r.m_path, v.m_points);
    EXPECT_EQ(r.m_source.Raw(), (std::vector<std::int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(r.m_closed, 1);
    EXPECT_EQ(v.m_hasCorrection, 1);

    v.m_toolRadius = 1.0;
    v.m_tool = 17;
    EXPECT_EQ(v.Correct(), 1);
    EXPECT_TRUE(v.m_radiusList.empty());
    EXPECT_EQ(v.m_hasCorrection, 0);

    CVector empty;
    EXPECT_EQ(empty.Correct(), 1);
    EXPECT_TRUE(empty.m_radiusList.empty());
}

TEST(Correct, CleanContourDropsPointsCloserThanAQuarterRadius) {
    ScriptedSession s;
    CVector v;
    // (10.2, 0) is 0.2 from (10,0): below r/4 = 0.25 with r = 1.
    Prepare(v, {{0, 0}, {10, 0}, {10.2, 0.0}, {10.2, 10}, {0, 10}, {0, 0}}, 1.0, 1);
    v.m_cleanContour = 1;
    v.Correct();
    EXPECT_EQ(v.Correction().m_offsetPoints.Size(), 5);
    EXPECT_EQ(v.Correction().m_offsetPoints[1], (CPunkt{10, 0}));
    v.m_cleanContour = 0;
    v.Correct();
    EXPECT_EQ(v.Correction().m_offsetPoints.Size(), 6);
}

TEST(Correct, TooLargeToolKeepsNoPathAndSaysSo) {
    ScriptedSession s;
    CVector v;
    Prepare(v, {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}}, 8.0, 1);  // inside, tool 16 wide
    v.Correct();
    // A point kept there would make the program plunge into both walls of the pocket.
    EXPECT_TRUE(v.m_radiusList.empty());
    EXPECT_EQ(s.ui.shown, (std::vector<std::string>{texts::kCutterTooLarge}));
    EXPECT_EQ(v.Correction().m_correctionIndexB.Size(), v.Correction().m_correctionPointsA.Size());
}

TEST(Correct, NotchNarrowerThanToolIsBridged) {
    ScriptedSession s;
    CVector v;
    // Counter-clockwise square with a notch 1 wide and 3 deep in the bottom edge; outside
    // with r = 1 the cutter cannot enter it.
    Prepare(v, {{0, 0}, {4.75, 0}, {4.75, 3}, {5.5, 3}, {5.5, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, 1.0, 1);
    v.Correct();
    const CRadius& r = OnlyPath(v);
    EXPECT_EQ(r.m_closed, 1);
    EXPECT_EQ(r.m_path.Front(), r.m_path.Back());
    EXPECT_EQ(r.m_path.Size(), r.m_source.Size());
    for (const CPunkt& q : r.m_path)
        if (q.x > 1 && q.x < 9) { EXPECT_LT(q.y, -0.9) << q.x; }
    EXPECT_FALSE(v.Correction().m_correctionIndexB.IsEmpty());
    for (std::int32_t k : v.Correction().m_correctionIndexB) EXPECT_TRUE(k >= 1 && k <= 4) << k;
}

TEST(Correct, TriangularNotchOfInsidePocketStaysClosed) {
    ScriptedSession s;
    CVector v;
    // A clockwise square pocket with a small triangular notch; right side, inside. A ray
    // through a strip corner must not make a good point fail.
    Prepare(v, {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {5, 0}, {4.5, 1}, {4, 0}, {0, 0}}, 0.6, 1);
    v.Correct();
    const CRadius& r = OnlyPath(v);
    EXPECT_EQ(r.m_path.Front(), r.m_path.Back());
    EXPECT_GE(r.m_path.Size(), 5);
}

TEST(Correct, PathBeginningInsideALoopEndsWhereItBegan) {
    ScriptedSession s;
    CVector v;
    // Counter-clockwise square outside, starting in the middle of a notch narrower than the
    // tool: the first raw points lie in the loop.
    Prepare(v, {{5.75, 3}, {6, 3}, {6, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {5.5, 0}, {5.5, 3}, {5.75, 3}},
            1.0, 1);
    v.Correct();
    const CRadius& r = OnlyPath(v);
    ASSERT_GE(r.m_path.Size(), 8);
    EXPECT_EQ(r.m_path.Front(), r.m_path.Back());
    EXPECT_EQ(r.m_source.Front(), -1);
    EXPECT_EQ(r.m_source.Back(), -1);
    // The path bridges the notch at the bottom edge's offset line.
    EXPECT_NEAR(r.m_path.Front().y, -1, kTol);
    for (const CPunkt& q : r.m_path)
        if (q.x > 1 && q.x < 9) { EXPECT_LT(q.y, -0.9) << q.x; }
}

TEST(Correct, NoisyClosedContourKeepsItsPath) {
    ScriptedSession s;
    // A counter-clockwise circle of 2000 points moved by up to 0.1 units, milled inside with a
    // left-hand tool: the raw path wiggles near its start and crosses its own end there.
    // Only the small loops may go, not the whole path.
    std::mt19937 g(1);
    std::uniform_real_distribution<double> noise(-0.1, 0.1);
    CVector v;
    for (int i = 0; i < 2000; ++i) {
        const double a = 2 * kPi * i / 2000;
        v.AddPoint({200 * std::cos(a) + noise(g), 200 * std::sin(a) + noise(g)});
    }
    v.AddPoint(v.m_points[0]);
    v.Recompute();
    ASSERT_EQ(v.m_direction, kDirCounterClockwise);
    v.m_toolRadius = 40;
    v.m_side = 0;
    ASSERT_EQ(v.Correct(), 1);
    const CRadius& r = OnlyPath(v);
    EXPECT_GT(r.m_path.Size(), 1500);
    for (const CPunkt& p : r.m_path) EXPECT_LT(std::hypot(p.x, p.y), 160.5);
}
