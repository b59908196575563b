#include "toolpath/milling_options.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <tuple>

#include "files/settings_file.h"
#include "model/fraes_kontur.h"

TEST(MillingTools, AllesFraesenChecksExactlyTheToolsOfTheList) {
    CQuenkApp app;  // every tool starts checked
    for (int tool : {7, 3, 7, 17}) app.m_millingList.emplace_back(std::make_unique<CFraesKontur>())->m_tool = tool;
    UseToolsOfMillingList(app);
    for (int t = kFirstTool; t <= kLastTool; ++t) EXPECT_EQ(app.m_toolUsed[static_cast<std::size_t>(t)], t == 3 || t == 7) << t;
    EXPECT_EQ(app.m_toolUsed[0], 1);  // not a tool: left alone
}

TEST(MillingTools, AShortTableIsAnInternalError) {
    CQuenkApp app;
    app.m_toolUsed.resize(16);
    EXPECT_THROW(UseToolsOfMillingList(app), std::invalid_argument);
    EXPECT_THROW(ToolsUsed(app), std::invalid_argument);
}

TEST(MaterialOptions, EachRangeHasItsLimitsAndItsMessage) {
    using F = MaterialOptions::Field;
    const std::string lengths = "Geben Sie eine Zahl zwischen 0 und 100000 ein.";
    const std::tuple<double MaterialOptions::*, F, double, std::string> cases[] = {
        {&MaterialOptions::thickness, F::Thickness, 100000, lengths},
        {&MaterialOptions::safetyDistance, F::SafetyDistance, 100000, lengths},
        {&MaterialOptions::maxPassDepth, F::MaxPassDepth, 100000, lengths},
        {&MaterialOptions::extraDepth, F::ExtraDepth, 5, "Geben Sie eine Zahl zwischen 0 und 5 ein."}};
    for (const auto& [member, field, max, message] : cases) {
        MaterialOptions o;
        o.zTop = o.zBottom = -1e9;  // no range of their own
        for (double inside : {0.0, max}) EXPECT_FALSE((o.*member = inside, o.Validate())) << message << inside;
        for (double outside : {-0.001, max + 0.001, std::nan("")}) {
            o.*member = outside;
            const auto complaint = o.Validate();
            ASSERT_TRUE(complaint) << outside;
            EXPECT_EQ(complaint->field, field);
            EXPECT_EQ(complaint->message, message);
        }
    }
}

TEST(MaterialOptions, OkStoresEveryValue) {
    CQuenkApp app;
    MaterialOptions{"Holz", 10, 5, 4, 1, 2, -8, 1, 0.5}.ApplyTo(app);
    EXPECT_EQ(std::tie(app.m_materialName, app.m_materialThickness, app.m_safetyDistance, app.m_maxPassDepth,
                       app.m_zReference, app.m_zTop, app.m_zBottom, app.m_depthMode, app.m_extraDepth),
              std::make_tuple("Holz", 10.0, 5.0, 4.0, 1, 2.0, -8.0, 1, 0.5));
}

TEST(ToolDataOptions, ShowsTheToolTableAndStoresDepthAndSpeeds) {
    CQuenkApp app;
    CompleteSettingsTables(app);
    app.m_toolDiameter[4] = 6, app.m_toolSide[4] = 0, app.m_toolDepth[5] = 3;
    ToolDataOptions o = ToolDataOptions::From(app);
    EXPECT_EQ(o.tools[4].diameter, 6.0);  // tool 5: diameter and side per tool - 1
    EXPECT_FALSE(o.tools[4].right);
    EXPECT_EQ(o.tools[4].depth, 3.0);     // the rest per tool
    o.tools[4] = {9, true, 4, 20, 2};
    app.m_toolFeedZ.resize(5);  // a short table is not grown
    o.ApplyTo(app);
    EXPECT_EQ(app.m_toolDiameter[4], 6.0);
    EXPECT_EQ(app.m_toolSide[4], 0);
    EXPECT_EQ(app.m_toolDepth[5], 4.0);
    EXPECT_EQ(app.m_toolFeedXY[5], 20.0);
    EXPECT_EQ(app.m_toolFeedZ.size(), 5u);
}

TEST(FieldNumbers, WhatADialogFieldAccepts) {
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {{"1.5", 1.5}, {" 2,25 ", 2.25}, {"+3", 3.0},  {"-0.5", -0.5},     {"1e3", 1000.0},
                 {"", {}},     {"abc", {}},      {"1.2.3", {}}, {"inf", {}},       {"nan", {}},
                 {"1e999", {}}, {"0x10", {}},    {"5 mm", {}}};
    for (const auto& c : cases) EXPECT_EQ(ParseFieldNumber(c.text), c.value) << c.text;
}
