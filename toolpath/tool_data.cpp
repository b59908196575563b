#include "toolpath/tool_data.h"

#include <vector>

#include "model/program_values.h"
#include "model/quenk_app.h"
#include "toolpath/texts.h"

namespace {
// Grows a table so that index i exists; the settings give 17 entries, this only guards.
template <typename T>
T& Entry(std::vector<T>& table, int i) {
    if (table.size() <= static_cast<std::size_t>(i)) table.resize(static_cast<std::size_t>(i) + 1);
    return table[static_cast<std::size_t>(i)];
}
}  // namespace

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
    CWerkzeug& w = Entry(app.m_tools, options.tool - 1);
    w.m_diameter = options.diameter;
    Entry(app.m_toolDiameter, options.tool - 1) = options.diameter;
    if (options.right) {
        const std::int32_t side = *options.right ? 1 : 0;
        w.m_side = side;
        Entry(app.m_toolSide, options.tool - 1) = side;
    }
    return true;
}
