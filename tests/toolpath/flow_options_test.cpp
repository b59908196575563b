#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/quenk_app.h"
#include "toolpath/correction_command.h"
#include "toolpath/tool_data.h"

namespace {
const std::string kToolRange = "Ungültiger Wert für Werkzeug (erlaubt: 1 bis 16)";
const std::string kDiameterRange = "Ungültiger Wert für Durchmesser Werkzeug 1 (erlaubt: 0 bis 50)";
const std::string kModeRange = "Ungültiger Wert für Radiusparameter (erlaubt: 0 bis 17)";
}  // namespace

// Each limit and one step past it; NaN is no number in any range.
TEST(FlowOptions, ValidateNamesTheFieldOutOfRange) {
    struct Case {
        int tool;
        double diameter;
        int mode;
        std::string toolMessage, modeMessage;
    };
    const Case cases[] = {
        {1, 0.0, 0, "", ""},
        {16, 50.0, 17, "", ""},
        {0, 3.0, -1, kToolRange, kModeRange},
        {17, 3.0, 18, kToolRange, kModeRange},
        {1, -0.001, 1, kDiameterRange, ""},
        {1, 50.001, 1, kDiameterRange, ""},
        {1, NAN, 1, kDiameterRange, ""},
        {0, NAN, 1, kToolRange, ""},  // the tool is checked first
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.tool) + " " + std::to_string(c.diameter) + " " + std::to_string(c.mode));
        EXPECT_EQ((ToolDataOptions{c.tool, c.diameter, true}).Validate(), c.toolMessage);
        EXPECT_EQ((RadiusCorrectionOptions{c.mode, false}).Validate(), c.modeMessage);
        CQuenkApp app;
        app.m_tools.resize(16);
        EXPECT_EQ(SetToolData(app, {c.tool, c.diameter, false}), c.toolMessage.empty());
        if (c.toolMessage.empty()) {
            EXPECT_EQ(app.m_tools[static_cast<std::size_t>(c.tool - 1)].m_side, 0);
            EXPECT_EQ(app.m_toolDiameter[static_cast<std::size_t>(c.tool - 1)], c.diameter);
        }
    }
}
