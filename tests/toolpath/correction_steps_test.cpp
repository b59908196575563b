#include <gtest/gtest.h>

#include <cmath>

#include "model/vector.h"
#include "support/chain_builders.h"
#include "support/scripted_interaction.h"
#include "toolpath/clearance.h"
#include "toolpath/correction_steps.h"
#include "toolpath/texts.h"

TEST(WindowPass, SmallLoopBecomesOneCorner) {
    std::vector<CPunkt> buffer;
    // W2 -> W3 crosses W0 -> W1 at (9,0): the loop over (10,0) and (9,1) goes.
    std::vector<CPunkt> w{{0, 0}, {10, 0}, {9, 1}, {9, -5}};
    WindowPass(w, buffer);
    EXPECT_EQ(w, (std::vector<CPunkt>{{0, 0}, {9, 0}, {9, -5}}));
}

TEST(WindowPass, StraightSpikeLosesItsTip) {
    std::vector<CPunkt> buffer;
    std::vector<CPunkt> w{{3, 0}, {5, 0}, {10, 0}, {2, 0}};
    WindowPass(w, buffer);
    EXPECT_EQ(w, (std::vector<CPunkt>{{3, 0}, {5, 0}, {2, 0}}));
    std::vector<CPunkt> plain{{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}};
    const std::vector<CPunkt> before = plain;
    WindowPass(plain, buffer);
    EXPECT_EQ(plain, before);
}

TEST(SmoothSharpCorners, ThinTipWithEqualLegsIsRemoved) {
    std::vector<CPunkt> buffer;
    // The tip (10,0) is 0.002 wide, below the limit of 0.01; on the right-hand side the corner
    // is narrow.
    std::vector<CPunkt> w{{-5, 0.001}, {0, 0.001}, {10, 0}, {0, -0.001}, {-5, -0.0011}};
    SmoothSharpCorners(w, false, 1, 0.01, buffer);
    EXPECT_EQ(w, (std::vector<CPunkt>{{-5, 0.001}, {0, 0.001}, {0, -0.001}, {-5, -0.0011}}));
    std::vector<CPunkt> left{{-5, 0.001}, {0, 0.001}, {10, 0}, {0, -0.001}, {-5, -0.0011}};
    SmoothSharpCorners(left, false, 0, 0.01, buffer);  // on the left the same corner is wide
    EXPECT_EQ(left.size(), 5u);
}

TEST(OffsetVertices, StraightSpikeGivesNoPointAtInfinity) {
    // (0,0) -> (10,0) -> (4,0): at (10,0) the corner on the left has angle 0.
    std::vector<CPunkt> raw;
    std::vector<std::int32_t> src;
    ASSERT_TRUE(OffsetVertices({{0, 0}, {10, 0}, {4, 0}}, false, 0, 1.0, raw, src));
    EXPECT_EQ(raw.size(), 2u);
    EXPECT_EQ(src, (std::vector<std::int32_t>{0, 2}));
    for (const CPunkt& p : raw) EXPECT_TRUE(IsFinite(p));
}

TEST(Correct, BackAndForthClosedChain) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{0, 0}, {10, 0}, {0, 0}});
    v.m_toolRadius = 1;
    v.m_side = 0;
    // On the left the far end is a corner of angle 0 with equal legs: the tip is cut off and
    // only a point is left, where no cutter can go round.
    EXPECT_EQ(v.Correct(), 1);
    EXPECT_TRUE(v.m_radiusList.empty());
    EXPECT_EQ(s.ui.shown, (std::vector<std::string>{texts::kCutterTooLarge}));
    v.m_side = 1;  // on the right both ends are bevelled around
    EXPECT_EQ(v.Correct(), 1);
    EXPECT_GE(v.m_radiusList.front()->m_path.Size(), 4);
    for (const CPunkt& p : v.m_radiusList.front()->m_path) EXPECT_TRUE(IsFinite(p));
}

TEST(Correct, BrokenRadiusLeavesNoCorrection) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{0, 0}, {10, 0}});
    v.m_toolRadius = INFINITY;
    EXPECT_EQ(v.Correct(), 0);
    EXPECT_TRUE(v.m_radiusList.empty());
    EXPECT_EQ(v.m_hasCorrection, 0);
}

TEST(AssemblePath, RawPointsOutOfStepAreReportedAndStillAssembled) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{0, 0}, {10, 0}});
    v.m_toolRadius = 1;
    v.Correction().m_offsetPoints = v.m_points;
    v.Correction().m_correctionPointsA = CPointArray{{1, 1}, {9, 1}};
    v.Correction().m_correctionIndexA = CIntArray{0};
    GridPathQueries q;
    AssemblyOutcome outcome;
    AssemblePath(v, q, outcome);
    EXPECT_TRUE(outcome.sourcesOutOfStep);
    EXPECT_TRUE(s.ui.shown.empty());
    ASSERT_EQ(v.m_radiusList.size(), 1u);
    EXPECT_EQ(v.m_radiusList.front()->m_path.Size(), 2);
    EXPECT_EQ(v.m_radiusList.front()->m_source.Raw(), (std::vector<std::int32_t>{0, -1}));
}

TEST(Correct, OutOfMemoryLeavesTheChainWithoutCorrection) {
    class Exhausted final : public PathQueries {
    public:
        void Prepare(const ClearanceRule&, const std::vector<CPunkt>&) override { throw std::bad_alloc(); }
        int FirstFailingSegment(const CPunkt&) override { return 0; }
        int FirstCrossedSegment(const CPunkt&, const CPunkt&) override { return 0; }
        void CrossingCandidates(const CPunkt&, const CPunkt&, int, int, std::vector<std::int32_t>&) override {}
    };
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
    const std::vector<CPunkt> before = v.m_points.Raw();
    v.m_toolRadius = 1;
    Exhausted q;
    EXPECT_EQ(CorrectOrOutOfMemory(v, q).result, -1);
    EXPECT_TRUE(v.m_radiusList.empty());
    EXPECT_EQ(v.m_hasCorrection, 0);
    EXPECT_EQ(v.m_points.Raw(), before);
}
