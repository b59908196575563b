#include "model/quenk_app.h"
#include "files/settings_fields.h"
#include "files/settings_file.h"

namespace {
// Display colour of a pen in a new settings file.
constexpr std::uint32_t kNewPenColour = 0x141414;
// Tool of a pen in a new settings file.
constexpr std::int32_t kNewPenTool = 1;

template <typename T, typename F>
void PadTo(std::vector<T>& table, F valueAt) {
    for (std::size_t i = table.size(); i < static_cast<std::size_t>(kTableSize); ++i) table.push_back(valueAt(i));
}
}  // namespace

void CompleteSettingsTables(CQuenkApp& a) {
    PadTo(a.m_tools, [](std::size_t) { return CWerkzeug{}; });
    // The per-tool defaults come from the tool objects, the first 17 of which exist now.
    const auto& tool = [&a](std::size_t i) -> const CWerkzeug& { return a.m_tools[i]; };
    const bool freshToolColours = a.m_toolColours.empty();
    PadTo(a.m_penColours, [](std::size_t) { return kNewPenColour; });
    PadTo(a.m_toolColours, [&](std::size_t i) { return tool(i).m_colour; });
    if (freshToolColours) a.m_toolColours[0] = a.m_displayColour1;
    PadTo(a.m_toolColoursB, [&](std::size_t i) { return tool(i).m_colour; });
    PadTo(a.m_penTool, [](std::size_t) { return kNewPenTool; });
    PadTo(a.m_penFunction, [](std::size_t) { return std::int32_t{0}; });
    PadTo(a.m_colourPen, [](std::size_t) { return std::int32_t{0}; });
    PadTo(a.m_toolDiameter, [](std::size_t) { return 0.0; });
    PadTo(a.m_toolDepth, [&](std::size_t i) { return tool(i).m_depth; });
    PadTo(a.m_toolSide, [&](std::size_t i) { return tool(i).m_side; });
    PadTo(a.m_toolValueC, [](std::size_t) { return 0.0; });
    PadTo(a.m_toolFeedXY, [](std::size_t) { return 0.0; });
    PadTo(a.m_toolFeedZ, [](std::size_t) { return 0.0; });
}

void ClearSettingsTables(CQuenkApp& a) {
    for (const FileField& f : SettingsFields())
        if (IsTable(f.member)) std::visit([&a](auto m) { (a.*m) = {}; }, f.member);
}
