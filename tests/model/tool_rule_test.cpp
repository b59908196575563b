#include <gtest/gtest.h>

#include "model/quenk_app.h"
#include "files/settings_file.h"
#include "model/tool_rule.h"

namespace {
struct AppWithTables {
    AppWithTables() {
        CompleteSettingsTables(app);
        app.m_tools[4].m_diameter = 3.0;  // tool 5
        app.m_tools[4].m_side = 0;
        app.m_penTool[2] = 5;
        app.m_penFunction[2] = 1;
        app.m_penTool[3] = 0;  // no radius correction
        app.m_penFunction[3] = 2;
    }
    CQuenkApp app;
};

bool operator==(PenToolChoice a, PenToolChoice b) { return a.tool == b.tool && a.function == b.function; }
}  // namespace

TEST(ToolRule, ModeZeroToolIsPenNumber) {
    AppWithTables t;
    EXPECT_TRUE(ToolForPen(t.app, 0, 2) == (PenToolChoice{2, 0}));
    EXPECT_TRUE(ToolForPen(t.app, 0, 16) == (PenToolChoice{16, 0}));
    // Pens a plotter file may name but no tool exists for.
    EXPECT_TRUE(ToolForPen(t.app, 0, 0) == (PenToolChoice{kNoTool, 0}));
    EXPECT_TRUE(ToolForPen(t.app, 0, 17) == (PenToolChoice{kNoTool, 0}));
    EXPECT_TRUE(ToolForPen(t.app, 0, 99) == (PenToolChoice{kNoTool, 0}));
    EXPECT_TRUE(ToolForPen(t.app, 0, -3) == (PenToolChoice{kNoTool, 0}));
}

TEST(ToolRule, ModeOneToSixteenIsThatToolForEveryPen) {
    AppWithTables t;
    EXPECT_TRUE(ToolForPen(t.app, 5, 2) == (PenToolChoice{5, 0}));
    EXPECT_TRUE(ToolForPen(t.app, 16, 40) == (PenToolChoice{16, 0}));
}

TEST(ToolRule, ModeSeventeenUsesThePenTables) {
    AppWithTables t;
    EXPECT_TRUE(ToolForPen(t.app, 17, 2) == (PenToolChoice{5, 1}));
    EXPECT_TRUE(ToolForPen(t.app, 17, 3) == (PenToolChoice{kNoTool, 0}));  // entry 0
    EXPECT_TRUE(ToolForPen(t.app, 17, 1) == (PenToolChoice{1, 0}));
    EXPECT_TRUE(ToolForPen(t.app, 17, 17) == (PenToolChoice{kNoTool, 0}));  // no entry
    EXPECT_TRUE(ToolForPen(t.app, 17, -1) == (PenToolChoice{kNoTool, 0}));
}

TEST(ToolRule, DamagedTablesAndModesMeanNoTool) {
    AppWithTables t;
    t.app.m_penTool[6] = 40;      // a tool without record
    t.app.m_penFunction[7] = 9;   // a function no dialog offers
    EXPECT_TRUE(ToolForPen(t.app, 17, 6) == (PenToolChoice{kNoTool, 0}));
    EXPECT_TRUE(ToolForPen(t.app, 17, 7) == (PenToolChoice{1, 0}));
    EXPECT_TRUE(ToolForPen(t.app, 18, 1) == (PenToolChoice{kNoTool, 0}));
    EXPECT_TRUE(ToolForPen(t.app, -1, 1) == (PenToolChoice{kNoTool, 0}));
    // A tool list shorter than the tables (only in memory; files are completed on loading).
    t.app.m_tools.resize(3);
    t.app.m_penFunction.resize(2);
    EXPECT_TRUE(ToolForPen(t.app, 17, 2) == (PenToolChoice{kNoTool, 0}));
    EXPECT_TRUE(ToolForPen(t.app, 4, 1) == (PenToolChoice{kNoTool, 0}));
    CQuenkApp empty;
    EXPECT_TRUE(ToolForPen(empty, 17, 1) == (PenToolChoice{kNoTool, 0}));
    EXPECT_TRUE(ToolForPen(empty, 0, 1) == (PenToolChoice{kNoTool, 0}));
}

TEST(ToolRule, RadiusInDrawingUnitsAndSide) {
    AppWithTables t;
    t.app.m_plotterUnit = 0.025;
    EXPECT_DOUBLE_EQ(ToolRadiusUnits(t.app, 5), 3.0 / (2 * 0.025));  // 60 units
    EXPECT_EQ(ToolSide(t.app, 5), 0);
    EXPECT_EQ(ToolSide(t.app, 1), 1);
    EXPECT_EQ(ToolRadiusUnits(t.app, kNoTool), 0.0);
    EXPECT_EQ(ToolSide(t.app, kNoTool), 1);
    EXPECT_EQ(ToolRecord(t.app, kNoTool), nullptr);
    EXPECT_EQ(ToolRecord(t.app, 0), nullptr);
    EXPECT_EQ(ToolRecord(t.app, 5), &t.app.m_tools[4]);
}
