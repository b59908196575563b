#include <gtest/gtest.h>

#include <ostream>

#include "files/settings_file.h"
#include "model/quenk_app.h"
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
        app.m_penTool[6] = 40;     // a tool without record
        app.m_penFunction[7] = 9;  // a function no dialog offers
    }
    CQuenkApp app;
};
}  // namespace

bool operator==(PenToolChoice a, PenToolChoice b) { return a.tool == b.tool && a.function == b.function; }
std::ostream& operator<<(std::ostream& os, PenToolChoice c) { return os << "tool " << c.tool << " function " << c.function; }

// Mode 0: the tool is the pen number; 1..16: that tool for every pen; 17: the pen tables.
// Pens and modes outside the tables, and damaged entries, mean no tool.
TEST(ToolRule, ChoiceForEveryModeAndPen) {
    struct Case {
        std::int32_t mode, pen;
        PenToolChoice choice;
    };
    const Case cases[] = {
        {0, 2, {2, 0}},        {0, 16, {16, 0}},      {0, 0, {kNoTool, 0}},  {0, 17, {kNoTool, 0}},
        {0, 99, {kNoTool, 0}}, {0, -3, {kNoTool, 0}}, {5, 2, {5, 0}},        {16, 40, {16, 0}},
        {17, 2, {5, 1}},       {17, 3, {kNoTool, 0}}, {17, 1, {1, 0}},       {17, 17, {kNoTool, 0}},
        {17, -1, {kNoTool, 0}}, {17, 6, {kNoTool, 0}}, {17, 7, {1, 0}},      {18, 1, {kNoTool, 0}},
        {-1, 1, {kNoTool, 0}},
    };
    AppWithTables t;
    for (const Case& c : cases) EXPECT_EQ(ToolForPen(t.app, c.mode, c.pen), c.choice) << c.mode << " / " << c.pen;
    // A tool list shorter than the tables (only in memory; files are completed on loading).
    t.app.m_tools.resize(3);
    t.app.m_penFunction.resize(2);
    EXPECT_EQ(ToolForPen(t.app, 17, 2), (PenToolChoice{kNoTool, 0}));
    EXPECT_EQ(ToolForPen(t.app, 4, 1), (PenToolChoice{kNoTool, 0}));
    const CQuenkApp empty;
    EXPECT_EQ(ToolForPen(empty, 17, 1), (PenToolChoice{kNoTool, 0}));
    EXPECT_EQ(ToolForPen(empty, 0, 1), (PenToolChoice{kNoTool, 0}));
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
