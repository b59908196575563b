// The information dialogs' values and the point list's removal.

#include <gtest/gtest.h>

#include <limits>

#include "model/chain_info.h"
#include "model/quenk_app.h"
#include "support/drawing_builder.h"
#include "support/scripted_interaction.h"

namespace {
constexpr double kPu = 0.025;

struct InfoFixture : ::testing::Test {
    ScriptedSession session;
    CQuenkApp app;
    CQuenkDoc doc{app};
    CVector* square = nullptr;
    void SetUp() override {
        doc.m_curLayer = doc.AddLayer();
        square = &AddTestChain(doc, 1, {{0, 0}, {400, 0}, {400, 200}, {0, 200}, {0, 0}});
        AddTestPath(*square, {{-40, -40}, {440, -40}});
        AddTestChain(doc, 2, {{0, 0}, {0, 100}});
        doc.RecomputeBox();
    }
};
}  // namespace

TEST_F(InfoFixture, ChainAndWorkpieceInfoInMillimetres) {
    const ChainInfo info = ComputeChainInfo(*square, kPu);
    EXPECT_EQ(info.top, 200 * kPu);
    EXPECT_EQ(info.sizeX, 400 * kPu);
    EXPECT_NEAR(info.contour, 1200 * kPu, 1e-12);
    EXPECT_NEAR(info.pathSum, 480 * kPu, 1e-12);
    EXPECT_EQ(info.direction, square->m_direction);
    EXPECT_STREQ(DirectionText(kDirCounterClockwise), "gegen Uhrzeiger (CCW)");
    EXPECT_NEAR(ComputeWorkpieceInfo(doc, kPu).contour, 1300 * kPu, 1e-12);
    doc.m_layers.clear();
    EXPECT_EQ(ComputeWorkpieceInfo(doc, kPu).contour, 0.0);
}

TEST(ChainInfo, ASumThatStopsGrowingStartsAgainAndReportsOverflow) {
    const double big = std::numeric_limits<double>::max();
    double sum = 0.0;
    bool overflow = false;
    AddSegmentLengths({{-big, 0}, {big, 0}, {big, 1}}, 1.0, sum, overflow);
    EXPECT_TRUE(overflow);
    EXPECT_EQ(sum, 1.0);
}

TEST_F(InfoFixture, PointRowsOutsideShowMinusOneAndCheckedRowsGoFromTheLast) {
    const PointRows rows = PointRowsAround(*square, 2, kPu);
    EXPECT_EQ(rows[0].index, -1);
    EXPECT_EQ(rows[3].x, 400 * kPu);
    RowChecks checks{};
    checks[2] = checks[4] = true;  // points 1 and 3
    ASSERT_TRUE(RemoveCheckedRows(*square, rows, checks));
    EXPECT_EQ(square->m_points.Raw(), (std::vector<CPunkt>{{0, 0}, {400, 200}, {0, 0}}));
}
