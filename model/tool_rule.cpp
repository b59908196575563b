#include "model/tool_rule.h"

namespace {
// The tool tables have room for the real tools at positions tool - 1.
int Checked(const CQuenkApp& app, int tool) { return ToolRecord(app, tool) ? tool : kNoTool; }

// The functions the pen dialog offers; anything else a file may hold is "keine Funktion".
int CheckedFunction(std::int32_t f) { return (f >= 0 && f <= 2) ? f : 0; }
}  // namespace

const CWerkzeug* ToolRecord(const CQuenkApp& app, int tool) {
    if (tool < kFirstTool || tool > kLastTool) return nullptr;
    const auto pos = static_cast<std::size_t>(tool - 1);
    return pos < app.m_tools.size() ? &app.m_tools[pos] : nullptr;
}

PenToolChoice ToolForPen(const CQuenkApp& app, int toolMode, int penNumber) {
    if (toolMode == kToolModePenNumber) return {Checked(app, penNumber), 0};
    if (toolMode >= kFirstTool && toolMode <= kLastTool) return {Checked(app, toolMode), 0};
    if (toolMode != kToolModePerPen || penNumber < 0) return {kNoTool, 0};
    const auto pen = static_cast<std::size_t>(penNumber);
    if (pen >= app.m_penTool.size()) return {kNoTool, 0};
    const int tool = app.m_penTool[pen];
    if (tool == 0) return {kNoTool, 0};
    const int function = pen < app.m_penFunction.size() ? CheckedFunction(app.m_penFunction[pen]) : 0;
    const int checked = Checked(app, tool);
    return {checked, checked == kNoTool ? 0 : function};
}

double ToolRadiusUnits(const CQuenkApp& app, int tool) {
    const CWerkzeug* t = ToolRecord(app, tool);
    return t ? t->m_diameter / (2.0 * app.m_plotterUnit) : 0.0;
}

std::int32_t ToolSide(const CQuenkApp& app, int tool) {
    const CWerkzeug* t = ToolRecord(app, tool);
    return t ? t->m_side : 1;
}
