#include "model/tool_tables.h"

#include <vector>

namespace {
template <typename T>
T Entry(const std::vector<T>& table, std::size_t i, T fallback) {
    return i < table.size() ? table[i] : fallback;
}

// The settings give every table 17 entries; a shorter one grows rather than losing a value.
template <typename T>
void Put(std::vector<T>& table, std::size_t i, T v) {
    if (i >= table.size()) table.resize(i + 1);
    table[i] = v;
}

std::size_t Tool(int k) { return static_cast<std::size_t>(k); }
}  // namespace

std::string ToolGeometry::Validate(const ValueRange& range) const {
    for (int k = 0; k < kToolCount; ++k)
        if (std::string c = CheckRange(diameter[Tool(k)], "Durchmesser Werkzeug " + std::to_string(k + 1), range);
            !c.empty())
            return c;
    return {};
}

ToolGeometry ToolGeometryOfRecords(const CQuenkApp& app) {
    ToolGeometry g;
    const CWerkzeug none;
    for (int k = 0; k < kToolCount; ++k) {
        const CWerkzeug& t = Tool(k) < app.m_tools.size() ? app.m_tools[Tool(k)] : none;
        g.diameter[Tool(k)] = t.m_diameter;
        g.right[Tool(k)] = t.m_side == 0 ? 0 : 1;
    }
    return g;
}

ToolGeometry ToolGeometryOfTables(const CQuenkApp& app) {
    ToolGeometry g;
    for (int k = 0; k < kToolCount; ++k) {
        g.diameter[Tool(k)] = Entry(app.m_toolDiameter, Tool(k), 0.0);
        g.right[Tool(k)] = Entry(app.m_toolSide, Tool(k), std::int32_t{1}) == 0 ? 0 : 1;
    }
    return g;
}

void StoreToolGeometry(CQuenkApp& app, const ToolGeometry& g) {
    if (app.m_tools.size() < Tool(kToolCount)) app.m_tools.resize(Tool(kToolCount));
    for (int k = 0; k < kToolCount; ++k) {
        app.m_tools[Tool(k)].m_diameter = g.diameter[Tool(k)];
        app.m_tools[Tool(k)].m_side = g.right[Tool(k)];
        Put(app.m_toolDiameter, Tool(k), g.diameter[Tool(k)]);
        Put(app.m_toolSide, Tool(k), g.right[Tool(k)]);
    }
}

ToolTableValues ToolTableValues::From(const CQuenkApp& app) {
    ToolTableValues v;
    v.geometry = ToolGeometryOfTables(app);
    for (std::size_t t = 0; t < v.colour.size(); ++t) {
        v.colour[t] = Entry(app.m_toolColours, t, CWerkzeug{}.m_colour);
        v.depth[t] = Entry(app.m_toolDepth, t, 0.0);
    }
    v.contourColour = app.m_displayColour1;
    v.errorColour = app.m_displayColour3;
    v.cwColour = app.m_displayColour4;
    v.ccwColour = app.m_displayColour5;
    return v;
}

std::string ToolTableValues::Validate() const { return geometry.Validate(kToolsDialogDiameterRange); }

void ToolTableValues::TakePenColours(const CQuenkApp& app) {
    for (std::size_t t = Tool(kFirstTool); t <= Tool(kLastTool); ++t) colour[t] = Entry(app.m_penColours, t, colour[t]);
}

void ToolTableValues::Store(CQuenkApp& app) const {
    for (int k = 0; k < kToolCount; ++k) {
        Put(app.m_toolDiameter, Tool(k), geometry.diameter[Tool(k)]);
        Put(app.m_toolSide, Tool(k), geometry.right[Tool(k)]);
    }
    for (std::size_t t = Tool(kFirstTool); t < colour.size(); ++t) {
        Put(app.m_toolColours, t, colour[t]);
        Put(app.m_toolDepth, t, depth[t]);
    }
    app.m_displayColour1 = contourColour;
    app.m_displayColour3 = errorColour;
    app.m_displayColour4 = cwColour;
    app.m_displayColour5 = ccwColour;
    // The object at position i is tool i + 1: diameter and side are indexed by tool - 1,
    // colour and depth by the tool number itself.
    for (std::size_t i = 0; i < app.m_tools.size(); ++i) {
        CWerkzeug& w = app.m_tools[i];
        w.m_diameter = Entry(app.m_toolDiameter, i, w.m_diameter);
        w.m_side = Entry(app.m_toolSide, i, w.m_side);
        w.m_colour = Entry(app.m_toolColours, i + 1, w.m_colour);
        w.m_depth = Entry(app.m_toolDepth, i + 1, w.m_depth);
    }
    app.m_toolColoursB = app.m_toolColours;
}

PenColourValues PenColourValues::From(const CQuenkApp& app) {
    PenColourValues v;
    for (std::size_t p = 0; p < v.pen.size(); ++p) v.pen[p] = Entry(app.m_penColours, p, std::uint32_t{0});
    v.correctionColour = app.m_displayColour2;
    return v;
}

void PenColourValues::Store(CQuenkApp& app) const {
    for (std::size_t p = 1; p < pen.size(); ++p) Put(app.m_penColours, p, pen[p]);
    app.m_displayColour2 = correctionColour;
}
