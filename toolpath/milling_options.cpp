#include "toolpath/milling_options.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "model/fraes_kontur.h"
#include "model/program_values.h"

namespace {
// The extra depth below the material is meant for a cut through and so stays within a few
// millimetres; the other lengths take the program's longest.
constexpr double kExtraDepthMax = 5.0;

struct MaterialRange {
    MaterialOptions::Field field;
    double MaterialOptions::*member;
    double min, max;
};
const MaterialRange kMaterialRanges[] = {
    {MaterialOptions::Field::Thickness, &MaterialOptions::thickness, 0.0, kLongestLength},
    {MaterialOptions::Field::SafetyDistance, &MaterialOptions::safetyDistance, 0.0, kLongestLength},
    {MaterialOptions::Field::MaxPassDepth, &MaterialOptions::maxPassDepth, 0.0, kLongestLength},
    {MaterialOptions::Field::ExtraDepth, &MaterialOptions::extraDepth, 0.0, kExtraDepthMax},
};

void RequireToolTable(const CQuenkApp& app) {
    if (app.m_toolUsed.size() < static_cast<std::size_t>(kTableSize))
        throw std::invalid_argument("m_toolUsed has fewer than 17 entries");
}

std::size_t Index(int tool) { return static_cast<std::size_t>(tool); }

double Entry(const std::vector<double>& table, std::size_t i) { return i < table.size() ? table[i] : 0.0; }
void Store(std::vector<double>& table, std::size_t i, double v) {
    if (i < table.size()) table[i] = v;
}
}  // namespace

ToolFlags ToolsUsed(const CQuenkApp& app) {
    RequireToolTable(app);
    ToolFlags used{};
    for (int t = kFirstTool; t <= kLastTool; ++t) used[Index(t - kFirstTool)] = app.m_toolUsed[Index(t)] != 0;
    return used;
}

void SetToolsUsed(CQuenkApp& app, const ToolFlags& used) {
    RequireToolTable(app);
    for (int t = kFirstTool; t <= kLastTool; ++t) app.m_toolUsed[Index(t)] = used[Index(t - kFirstTool)] ? 1 : 0;
}

void UseToolsOfMillingList(CQuenkApp& app) {
    ToolFlags used{};
    for (const auto& kontur : app.m_millingList)
        if (kontur->m_tool >= kFirstTool && kontur->m_tool <= kLastTool) used[Index(kontur->m_tool - kFirstTool)] = true;
    SetToolsUsed(app, used);
}

MaterialOptions MaterialOptions::From(const CQuenkApp& app) {
    return {app.m_materialName, app.m_materialThickness, app.m_safetyDistance, app.m_maxPassDepth,
            app.m_zReference,   app.m_zTop,              app.m_zBottom,        app.m_depthMode,
            app.m_extraDepth};
}

void MaterialOptions::ApplyTo(CQuenkApp& app) const {
    app.m_materialName = name;
    app.m_materialThickness = thickness;
    app.m_safetyDistance = safetyDistance;
    app.m_maxPassDepth = maxPassDepth;
    app.m_zReference = zReference;
    app.m_zTop = zTop;
    app.m_zBottom = zBottom;
    app.m_depthMode = depthMode;
    app.m_extraDepth = extraDepth;
}

std::optional<MaterialOptions::Complaint> MaterialOptions::Validate() const {
    for (const MaterialRange& r : kMaterialRanges) {
        const double v = this->*r.member;
        // Written so that NaN is outside too.
        if (!(v >= r.min && v <= r.max)) return Complaint{r.field, NumberRangeMessage(r.min, r.max)};
    }
    return std::nullopt;
}

ToolDataOptions ToolDataOptions::From(const CQuenkApp& app) {
    ToolDataOptions options;
    for (int t = kFirstTool; t <= kLastTool; ++t) {
        ToolDataRow& row = options.tools[Index(t - kFirstTool)];
        // Diameter and side are kept per tool - 1, the other tables per tool.
        const std::size_t below = Index(t - 1);
        row.diameter = Entry(app.m_toolDiameter, below);
        row.right = below < app.m_toolSide.size() && app.m_toolSide[below] != 0;
        row.depth = Entry(app.m_toolDepth, Index(t));
        row.feedXY = Entry(app.m_toolFeedXY, Index(t));
        row.feedZ = Entry(app.m_toolFeedZ, Index(t));
    }
    return options;
}

void ToolDataOptions::ApplyTo(CQuenkApp& app) const {
    for (int t = kFirstTool; t <= kLastTool; ++t) {
        const ToolDataRow& row = tools[Index(t - kFirstTool)];
        Store(app.m_toolDepth, Index(t), row.depth);
        Store(app.m_toolFeedXY, Index(t), row.feedXY);
        Store(app.m_toolFeedZ, Index(t), row.feedZ);
    }
}

std::optional<double> ParseFieldNumber(const std::string& text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t");
    if (begin == std::string::npos) return std::nullopt;
    std::string s = text.substr(begin, last - begin + 1);
    if (s.front() == '+') s.erase(0, 1);
    for (char& c : s)
        if (c == ',') c = '.';
    // from_chars would read these words; a dialog field takes digits only.
    if (s.find_first_not_of("0123456789.-eE") != std::string::npos) return std::nullopt;
    double v = 0.0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (error != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}
