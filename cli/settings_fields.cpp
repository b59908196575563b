#include "cli/settings_fields.h"

#include <charconv>
#include <type_traits>
#include <cstdlib>

#define QUENK_FIELD(member) SettingField{#member, &CQuenkApp::member}

const std::vector<SettingField>& SettingFields() {
    static const std::vector<SettingField> fields = {
        QUENK_FIELD(m_strSettingsVersion), QUENK_FIELD(m_plotterUnit), QUENK_FIELD(m_importOrder),
        QUENK_FIELD(m_showUnknownCommands), QUENK_FIELD(m_screenMargin), QUENK_FIELD(m_segmentAngle),
        QUENK_FIELD(m_joinDistance), QUENK_FIELD(m_machineX), QUENK_FIELD(m_machineY),
        QUENK_FIELD(m_reserved1), QUENK_FIELD(m_lastExportPath), QUENK_FIELD(m_lastImportPath),
        QUENK_FIELD(m_materialX), QUENK_FIELD(m_materialY), QUENK_FIELD(m_workZeroX),
        QUENK_FIELD(m_workZeroY), QUENK_FIELD(m_reserved2), QUENK_FIELD(m_viewScale),
        QUENK_FIELD(m_rkToolMode), QUENK_FIELD(m_viewState1), QUENK_FIELD(m_viewState2),
        QUENK_FIELD(m_displayColour1), QUENK_FIELD(m_displayColour2), QUENK_FIELD(m_displayColour3),
        QUENK_FIELD(m_displayColour4), QUENK_FIELD(m_displayColour5), QUENK_FIELD(m_tabSize),
        QUENK_FIELD(m_maxVectorLength), QUENK_FIELD(m_materialZeroX), QUENK_FIELD(m_materialZeroY),
        QUENK_FIELD(m_bLoadModelspace), QUENK_FIELD(m_bLoadPaperspace), QUENK_FIELD(m_bLoadRemainingBlocks),
        QUENK_FIELD(m_cleanContourSetting), QUENK_FIELD(m_materialName), QUENK_FIELD(m_materialThickness),
        QUENK_FIELD(m_safetyDistance), QUENK_FIELD(m_zTop), QUENK_FIELD(m_zBottom),
        QUENK_FIELD(m_zReference), QUENK_FIELD(m_depthMode), QUENK_FIELD(m_extraDepth),
        QUENK_FIELD(m_bUseComPort), QUENK_FIELD(m_comPort), QUENK_FIELD(m_penColours),
        QUENK_FIELD(m_toolColours), QUENK_FIELD(m_penTool), QUENK_FIELD(m_penFunction),
        QUENK_FIELD(m_colourPen), QUENK_FIELD(m_toolDiameter), QUENK_FIELD(m_toolDepth),
        QUENK_FIELD(m_toolSide), QUENK_FIELD(m_toolValueC), QUENK_FIELD(m_toolFeedXY),
        QUENK_FIELD(m_toolFeedZ), QUENK_FIELD(m_toolColoursB),
        QUENK_FIELD(m_strJobVersion), QUENK_FIELD(m_jobReserved), QUENK_FIELD(m_maxPassDepth),
        QUENK_FIELD(m_jobMinX), QUENK_FIELD(m_jobMaxX), QUENK_FIELD(m_jobMinY), QUENK_FIELD(m_jobMaxY),
        QUENK_FIELD(m_toolUsed), QUENK_FIELD(m_drawingTitle), QUENK_FIELD(m_pathMinX),
        QUENK_FIELD(m_pathMaxX), QUENK_FIELD(m_pathMinY), QUENK_FIELD(m_pathMaxY),
        QUENK_FIELD(m_bMillingReady), QUENK_FIELD(m_bMillingMode), QUENK_FIELD(m_nColorMode),
    };
    return fields;
}

#undef QUENK_FIELD

namespace {

template <typename T>
bool ParseWhole(const std::string& text, T& out) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    int base = 10;
    if constexpr (std::is_integral_v<T>) {
        if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
            first += 2;
            base = 16;
        }
        const auto r = std::from_chars(first, last, out, base);
        return r.ec == std::errc() && r.ptr == last && first != last;
    } else {
        const auto r = std::from_chars(first, last, out);
        return r.ec == std::errc() && r.ptr == last && first != last;
    }
}

}  // namespace

bool SetSetting(CQuenkApp& app, const std::string& name, const std::string& value, std::string& error) {
    for (const SettingField& f : SettingFields()) {
        if (name != f.name) continue;
        return std::visit(
            [&](auto member) -> bool {
                auto& target = app.*member;
                using T = std::decay_t<decltype(target)>;
                if constexpr (std::is_same_v<T, std::string>) {
                    target = value;
                    return true;
                } else if constexpr (std::is_same_v<T, std::uint8_t>) {
                    int v = 0;
                    if (!ParseWhole(value, v) || v < 0 || v > 255) {
                        error = "not a byte value: " + value;
                        return false;
                    }
                    target = static_cast<std::uint8_t>(v);
                    return true;
                } else if constexpr (std::is_arithmetic_v<T>) {
                    T v{};
                    if (!ParseWhole(value, v)) {
                        error = "not a number: " + value;
                        return false;
                    }
                    target = v;
                    return true;
                } else {
                    error = name + " is a table";
                    return false;
                }
            },
            f.member);
    }
    error = "unknown setting " + name;
    return false;
}
