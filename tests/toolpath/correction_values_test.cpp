#include <gtest/gtest.h>

#include "files/settings_file.h"
#include "model/document.h"
#include "support/drawing_builder.h"
#include "support/scripted_interaction.h"
#include "toolpath/correction_values.h"

TEST(CorrectionValues, PenTableRanges) {
    struct Case {
        int pen, tool, function;
        const char* complaint;
    };
    const Case cases[] = {
        {5, 16, 2, ""},
        {5, 0, 0, ""},
        {5, 17, 0, "Ungültiger Wert für Werkzeug Stift 5 (erlaubt: 0 bis 16)"},
        {16, 1, 3, "Ungültiger Wert für Funktion Stift 16 (erlaubt: 0 bis 2)"},
        {1, -1, 0, "Ungültiger Wert für Werkzeug Stift 1 (erlaubt: 0 bis 16)"},
    };
    CQuenkApp app;
    CompleteSettingsTables(app);
    for (const Case& c : cases) {
        PenToolValues v = PenToolValues::From(app);
        v.tool[static_cast<std::size_t>(c.pen)] = c.tool;
        v.function[static_cast<std::size_t>(c.pen)] = c.function;
        EXPECT_EQ(v.Validate(), c.complaint) << c.pen << " " << c.tool << " " << c.function;
    }
}

TEST(CorrectionValues, RadiusParametersOpenWithTheSettingsAndStoreThem) {
    CQuenkApp app;
    CompleteSettingsTables(app);
    app.m_rkToolMode = 99;  // from a damaged file: no radio button shows it
    CorrectionDialogValues v = CorrectionDialogValues::From(app);
    EXPECT_EQ(v.options.toolMode, 1);
    v.options = {17, true};
    v.tools.diameter[4] = 2.0;
    ASSERT_EQ(v.Validate(), "");
    v.Store(app);
    EXPECT_EQ(app.m_rkToolMode, 17);
    EXPECT_EQ(app.m_cleanContourSetting, 1);
    EXPECT_EQ(app.m_tools[4].m_diameter, 2.0);
    EXPECT_EQ(app.m_toolDiameter[4], 2.0);
}

TEST(CorrectionValues, ToolChangeKeepsThePathsAndRefusesNoTool) {
    ScriptedSession s;
    CQuenkApp app;
    CQuenkDoc doc(app);
    doc.m_curLayer = doc.AddLayer();
    CVector& v = AddTestChain(doc, 4, {{0, 0}, {10, 0}});
    v.m_tool = 2;
    AddTestPath(v, {{0, 1}, {10, 1}});
    ToolChangeValues change = ToolChangeValues::From(4, v);
    EXPECT_EQ(change.oldTool, 2);
    change.newTool = 17;
    EXPECT_EQ(change.Validate(), "Ungültiger Wert für Werkzeug aendern in (erlaubt: 1 bis 16)");
    ApplyToolChange(v, change);
    EXPECT_EQ(v.m_tool, 2);
    change.newTool = 9;
    ApplyToolChange(v, change);
    EXPECT_EQ(v.m_tool, 9);
    EXPECT_EQ(v.m_radiusList.size(), 1u);
}
