#include <gtest/gtest.h>

#include <tuple>

#include "files/settings_file.h"
#include "model/tool_tables.h"

TEST(ToolTables, ToolsDialogStoresTablesToolObjectsAndMillingColours) {
    CQuenkApp app;
    CompleteSettingsTables(app);
    ToolTableValues v = ToolTableValues::From(app);
    v.geometry.diameter[3] = 6.5;  // tool 4
    v.geometry.right[3] = 0;
    v.colour[4] = 0x0000FF;
    v.depth[4] = -2.5;
    v.cwColour = 0x123456;
    ASSERT_EQ(v.Validate(), "");
    v.Store(app);
    EXPECT_EQ(std::tuple(app.m_toolDiameter[3], app.m_toolSide[3], app.m_toolColours[4], app.m_toolDepth[4]),
              std::tuple(6.5, 0, 0x0000FFu, -2.5));
    EXPECT_EQ(app.m_displayColour4, 0x123456u);
    // The object at position 3 is tool 4 and takes all of tool 4's values.
    const CWerkzeug& t4 = app.m_tools[3];
    EXPECT_EQ(std::tuple(t4.m_diameter, t4.m_side, t4.m_colour, t4.m_depth), std::tuple(6.5, 0, 0x0000FFu, -2.5));
    EXPECT_EQ(app.m_toolColoursB, app.m_toolColours);
}

TEST(ToolTables, DiameterRangesOfTheDialogs) {
    ToolGeometry g;
    g.diameter[15] = 20.5;
    EXPECT_EQ(g.Validate(kToolsDialogDiameterRange), "");
    EXPECT_EQ(g.Validate(kCorrectionDiameterRange), "Ungültiger Wert für Durchmesser Werkzeug 16 (erlaubt: 0 bis 20)");
    g.diameter[0] = -0.1;
    EXPECT_EQ(g.Validate(kToolsDialogDiameterRange), "Ungültiger Wert für Durchmesser Werkzeug 1 (erlaubt: 0 bis 50)");
}

TEST(ToolTables, PenColoursForToolsAndCorrectionGeometryInBothTables) {
    CQuenkApp app;
    CompleteSettingsTables(app);
    app.m_penColours[7] = 0xABCDEF;
    ToolTableValues v = ToolTableValues::From(app);
    const std::uint32_t colourZero = v.colour[0];
    v.TakePenColours(app);
    EXPECT_EQ(v.colour[7], 0xABCDEFu);
    EXPECT_EQ(v.colour[0], colourZero);
    ToolGeometry g = ToolGeometryOfRecords(app);
    g.diameter[1] = 3.0;
    StoreToolGeometry(app, g);
    EXPECT_EQ(app.m_tools[1].m_diameter, 3.0);
    EXPECT_EQ(ToolGeometryOfTables(app).diameter[1], 3.0);
}
