#include "toolpath/correction_values.h"

#include "model/core_context.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "model/tool_rule.h"

namespace {
constexpr ValueRange kToolModeRange{0.0, 17.0, "0", "17"};

bool IsTool(int t) { return t >= kFirstTool && t <= kLastTool; }

std::int32_t Entry(const std::vector<std::int32_t>& table, std::size_t i) { return i < table.size() ? table[i] : 0; }

void Put(std::vector<std::int32_t>& table, std::size_t i, std::int32_t v) {
    if (i >= table.size()) table.resize(i + 1);
    table[i] = v;
}
}  // namespace

CorrectionDialogValues CorrectionDialogValues::From(const CQuenkApp& app) {
    CorrectionDialogValues v;
    const int mode = app.m_rkToolMode;
    v.options.toolMode = InRange(mode, kToolModeRange) ? mode : kFirstTool;
    v.options.cleanContour = app.m_cleanContourSetting != 0;
    v.tools = ToolGeometryOfRecords(app);
    return v;
}

std::string CorrectionDialogValues::Validate() const {
    if (std::string c = tools.Validate(kCorrectionDiameterRange); !c.empty()) return c;
    return CheckRange(options.toolMode, "Radiusparameter", kToolModeRange);
}

void CorrectionDialogValues::Store(CQuenkApp& app) const {
    app.m_rkToolMode = options.toolMode;
    app.m_cleanContourSetting = options.cleanContour ? 1 : 0;
    StoreToolGeometry(app, tools);
}

PenToolValues PenToolValues::From(const CQuenkApp& app) {
    PenToolValues v;
    for (std::size_t p = 0; p < v.tool.size(); ++p) {
        v.tool[p] = Entry(app.m_penTool, p);
        v.function[p] = Entry(app.m_penFunction, p);
    }
    return v;
}

std::string PenToolValues::Validate() const {
    for (std::size_t p = kFirstTool; p < tool.size(); ++p) {
        const std::string pen = " Stift " + std::to_string(p);
        if (std::string c = CheckRange(tool[p], "Werkzeug" + pen, kPenToolRange); !c.empty()) return c;
        if (std::string c = CheckRange(function[p], "Funktion" + pen, kPenFunctionRange); !c.empty()) return c;
    }
    return {};
}

void PenToolValues::Store(CQuenkApp& app) const {
    for (std::size_t p = kFirstTool; p < tool.size(); ++p) {
        Put(app.m_penTool, p, tool[p]);
        Put(app.m_penFunction, p, function[p]);
    }
}

ChainToolValues ChainToolValues::From(const CQuenkApp& app, const CVector& chain) {
    ChainToolValues v;
    v.tool = IsTool(chain.m_tool) ? chain.m_tool : kFirstTool;
    v.tools = ToolGeometryOfRecords(app);
    return v;
}

std::string ChainToolValues::Validate() const {
    if (std::string c = tools.Validate(kCorrectionDiameterRange); !c.empty()) return c;
    return CheckRange(tool, "Werkzeug", kToolNumberRange);
}

ToolChangeValues ToolChangeValues::From(int penNumber, const CVector& chain) {
    return {penNumber, chain.m_tool, chain.m_tool};
}

std::string ToolChangeValues::Validate() const { return CheckRange(newTool, "Werkzeug aendern in", kToolNumberRange); }

void ApplyToolChange(CVector& chain, const ToolChangeValues& v) {
    if (!IsTool(v.newTool)) return;
    chain.m_tool = v.newTool;
    Ui().RequestRedraw();
}

std::string TabLengthComplaint(double length) { return CheckRange(length, "Steglänge", kTabLengthRange); }
