#include "toolpath/tool_data.h"

#include <vector>

#include "model/program_values.h"
#include "model/quenk_app.h"
#include "toolpath/texts.h"


std::string ToolDataOptions::Validate() const {
    static constexpr ValueRange kToolRange{kFirstTool, kLastTool, "1", "16"};
    static constexpr ValueRange kDiameterRange{0.0, kMaxToolDiameter, "0", "50"};
    if (!InRange(tool, kToolRange)) return RangeComplaint(texts::kToolField, &kToolRange);
    if (!InRange(diameter, kDiameterRange))
        return RangeComplaint(texts::kDiameterField + std::to_string(tool), &kDiameterRange);
    return {};
}

bool SetToolData(CQuenkApp& app, const ToolDataOptions& options) {
    if (!options.Validate().empty()) return false;
    CWerkzeug& w = TableEntry(app.m_tools, options.tool - 1);
    w.m_diameter = options.diameter;
    TableEntry(app.m_toolDiameter, options.tool - 1) = options.diameter;
    if (options.right) {
        const std::int32_t side = *options.right ? 1 : 0;
        w.m_side = side;
        TableEntry(app.m_toolSide, options.tool - 1) = side;
    }
    return true;
}
