#include <gtest/gtest.h>

#include "model/document.h"
#include "model/quenk_app.h"
#include "support/chain_builders.h"
#include "support/scripted_interaction.h"
#include "toolpath/correction_command.h"

namespace {
// Square of side 10 in clockwise order.
CVector& AddSquare(CStift& pen) {
    CVector& v = *pen.AddVector();
    MakeChain(v, {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}});
    return v;
}

struct Fixture {
    CQuenkApp app;
    std::unique_ptr<CQuenkDoc> doc;
    CStift* pen3 = nullptr;

    Fixture() {
        app.m_plotterUnit = 1.0;
        app.m_tools.resize(17);
        for (std::size_t i = 0; i < 16; ++i) app.m_tools[i].m_diameter = 2.0 * static_cast<double>(i + 1);
        doc = std::make_unique<CQuenkDoc>(app);
        pen3 = doc->FindOrCreatePen(3, 0);
    }
};

double MinX(const CVector& v) {
    double m = 1e300;
    for (const CPunkt& p : v.m_radiusList.front()->m_path) m = std::min(m, p.x);
    return m;
}
}  // namespace

TEST(RadiusCommand, OneToolForAllLeavesDirectionsAlone) {
    ScriptedSession s;
    Fixture f;
    CVector& v = AddSquare(*f.pen3);
    RunRadiusCorrection(*f.doc, {1, true});
    EXPECT_EQ(v.m_direction, kDirClockwise);
    EXPECT_EQ(v.m_tool, 1);
    EXPECT_EQ(v.m_function, 0);
    EXPECT_EQ(v.m_cleanContour, 1);
    EXPECT_DOUBLE_EQ(v.m_toolRadius, 1.0);
    ASSERT_EQ(v.m_radiusList.size(), 1u);
    EXPECT_NEAR(MinX(v), 1.0, 1e-9);  // clockwise with the right side: inside
    EXPECT_EQ(f.doc->m_bCorrectionDone, 1);
    EXPECT_EQ(f.doc->App().m_nColorMode, 4);
    EXPECT_DOUBLE_EQ(f.doc->m_outerMinX, -1.0);  // the box grows by the radius
    EXPECT_EQ(s.ui.maxWaitDepth, 1);
    EXPECT_EQ(s.ui.waitDepth, 0);
    EXPECT_EQ(s.ui.redraws, 1);
}

TEST(RadiusCommand, PenFunctionsTurnTheChainToTheirSide) {
    ScriptedSession s;
    Fixture f;
    f.app.m_penTool.assign(17, 0);
    f.app.m_penFunction.assign(17, 0);
    f.app.m_penTool[3] = 2;
    f.app.m_penFunction[3] = 1;  // outside
    CStift* pen4 = f.doc->FindOrCreatePen(4, 0);
    f.app.m_penTool[4] = 1;
    f.app.m_penFunction[4] = 2;  // inside, left-hand tool
    f.app.m_tools[0].m_side = 0;
    CVector& outside = AddSquare(*f.pen3);
    CVector& inside = AddSquare(*pen4);
    RunRadiusCorrection(*f.doc, {17, false});
    EXPECT_EQ(outside.m_direction, kDirCounterClockwise);
    EXPECT_NEAR(MinX(outside), -2.0, 1e-9);
    EXPECT_EQ(outside.m_function, 1);
    EXPECT_EQ(inside.m_direction, kDirCounterClockwise);  // left side inside: counter-clockwise
    EXPECT_EQ(inside.m_side, 0);
    EXPECT_NEAR(MinX(inside), 1.0, 1e-9);
}

TEST(RadiusCommand, PensWithoutToolOrTableEntryAreCleared) {
    ScriptedSession s;
    Fixture f;
    f.app.m_penTool = {0, 0, 0, 0};  // shorter than the pen numbers in use
    CVector& zero = AddSquare(*f.pen3);
    CStift* pen20 = f.doc->FindOrCreatePen(20, 0);
    CVector& high = AddSquare(*pen20);
    RunRadiusCorrection(*f.doc, {1, false});
    ASSERT_EQ(zero.m_hasCorrection, 1);
    RunRadiusCorrection(*f.doc, {17, false});
    EXPECT_EQ(zero.m_tool, 17);
    EXPECT_EQ(zero.m_hasCorrection, 0);
    EXPECT_TRUE(zero.m_radiusList.empty());
    EXPECT_EQ(high.m_tool, 17);
    RunRadiusCorrection(*f.doc, {0, false});  // tool = pen number: 3 is a tool, 20 is none
    EXPECT_EQ(zero.m_tool, 3);
    EXPECT_EQ(high.m_tool, 17);
    EXPECT_TRUE(high.m_radiusList.empty());
    f.app.m_plotterUnit = 0;  // a broken setting gives no radius: no correction, no crash
    RunRadiusCorrection(*f.doc, {2, false});
    EXPECT_EQ(zero.m_hasCorrection, 0);
    EXPECT_TRUE(zero.m_radiusList.empty());
    f.app.m_plotterUnit = 1;
    f.app.m_tools.clear();  // no tool records at all
    RunRadiusCorrection(*f.doc, {5, false});
    EXPECT_EQ(zero.m_tool, 17);
    EXPECT_TRUE(s.ui.shown.empty());
}

TEST(RadiusCommand, CorrectOneChainKeepsDirectionAndCleanUp) {
    ScriptedSession s;
    Fixture f;
    CVector& v = AddSquare(*f.pen3);
    v.m_cleanContour = 1;
    v.m_function = 2;
    CorrectOneChain(*f.doc, v, 4);
    EXPECT_EQ(v.m_tool, 4);
    EXPECT_DOUBLE_EQ(v.m_toolRadius, 4.0);
    EXPECT_EQ(v.m_function, 0);
    EXPECT_EQ(v.m_cleanContour, 1);
    EXPECT_EQ(v.m_direction, kDirClockwise);
    EXPECT_NEAR(MinX(v), 4.0, 1e-9);
    EXPECT_EQ(f.doc->m_bCorrectionDone, 1);
    v.Reverse();  // an edit reruns the correction: counter-clockwise, the path runs outside
    EXPECT_NEAR(MinX(v), -4.0, 1e-9);
    CorrectOneChain(*f.doc, v, 17);
    EXPECT_TRUE(v.m_radiusList.empty());
    EXPECT_EQ(v.m_hasCorrection, 0);
}
