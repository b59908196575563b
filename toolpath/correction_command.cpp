#include "toolpath/correction_command.h"

#include "model/texts.h"
#include "model/document.h"
#include "model/interaction.h"
#include "model/program_values.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "model/progress.h"
#include "model/tool_rule.h"
#include "toolpath/clearance.h"
#include "toolpath/correction_steps.h"
#include "toolpath/texts.h"

namespace {
// The colour mode that shows every path in its tool's colour.
constexpr std::int32_t kColourModeTools = 4;

// The messages of one chain's correction, in the order the correction met them.
void ShowReport(const CorrectionReport& report) {
    if (report.sourcesOutOfStep) Ui().Message(texts::kRadiusDatabaseError);
    if (report.cutterTooLarge) Ui().Message(texts::kCutterTooLarge);
}

// The chains the correction will visit, its steps of progress.
std::size_t CountChains(const CQuenkDoc& doc) {
    std::size_t n = 0;
    for (const auto& layer : doc.m_layers)
        for (const auto& pen : layer->m_pens)
            for (const auto& chain : pen->m_chains) n += chain->m_empty ? 0 : 1;
    return n;
}
}  // namespace

std::string RadiusCorrectionOptions::Validate() const {
    static constexpr ValueRange kToolSourceRange{kToolModePenNumber, kToolModePerPen, "0", "17"};
    if (!InRange(toolMode, kToolSourceRange)) return RangeComplaint(texts::kToolSourceField, &kToolSourceRange);
    return {};
}

RadiusCorrectionOptions CorrectionOptionsFromSettings(const CQuenkApp& app) {
    RadiusCorrectionOptions options;
    options.toolMode = app.m_rkToolMode;
    options.cleanContour = app.m_cleanContourSetting != 0;
    return options;
}

std::int32_t CorrectChain(CVector& chain) {
    GridPathQueries queries;
    const CorrectionReport report = CorrectOrOutOfMemory(chain, queries);
    ShowReport(report);
    if (report.result >= 0) return report.result;
    Ui().Message(texts::kOutOfMemory);
    return 0;
}

ToolChoice ChooseTool(const CQuenkApp& app, std::int32_t tool) {
    ToolChoice c;
    if (!ToolRecord(app, tool)) return c;
    c.tool = tool;
    c.radius = ToolRadiusUnits(app, tool);
    c.side = ToolSide(app, tool) == 0 ? 0 : 1;
    return c;
}

bool RunRadiusCorrection(CQuenkDoc& doc, const RadiusCorrectionOptions& options) {
    if (const std::string complaint = options.Validate(); !complaint.empty()) {
        Ui().Message(complaint);
        return false;
    }
    CQuenkApp& app = doc.App();
    app.m_rkToolMode = options.toolMode;
    // A check box knows only on and off: a setting that already says the same stays as it is.
    if ((app.m_cleanContourSetting != 0) != options.cleanContour)
        app.m_cleanContourSetting = options.cleanContour ? 1 : 0;
    // One query object for all chains keeps its buffers from chain to chain.
    GridPathQueries queries;
    bool outOfMemory = false;
    {
        WaitCursor wait(Ui());
        ProgressTicker progress(CountChains(doc));
        std::size_t done = 0;
        for (auto& layer : doc.m_layers) {
            if (outOfMemory) break;
            for (auto& pen : layer->m_pens) {
                const PenToolChoice choice = ToolForPen(app, options.toolMode, pen->m_number);
                const ToolChoice tool = ChooseTool(app, choice.tool);
                for (auto& chain : pen->m_chains) {
                    if (chain->m_empty) continue;
                    CVector& v = *chain;
                    if (tool.tool != kNoTool) {
                        const bool right = tool.side == 1;
                        // Correct below replaces the whole correction; a reversal need not
                        // compute it once more with the old values first.
                        v.m_hasCorrection = 0;
                        // Turning the chain puts the path outside for function 1, inside for 2.
                        if (choice.function == 1) v.SetDirection(right ? 0 : 1);
                        if (choice.function == 2) v.SetDirection(right ? 1 : 0);
                        v.m_toolRadius = tool.radius;
                        v.m_side = tool.side;
                    }
                    v.m_tool = tool.tool;
                    v.m_function = choice.function;
                    v.m_cleanContour = options.cleanContour ? 1 : 0;
                    const CorrectionReport report = CorrectOrOutOfMemory(v, queries);
                    ShowReport(report);
                    if (report.result < 0) {
                        outOfMemory = true;
                        break;
                    }
                    progress.Tick(++done);
                }
                if (outOfMemory) break;
            }
        }
        if (outOfMemory) {
            // No chain keeps a path of this run or of an earlier one: half a correction with
            // old paths beside new ones would be milled as if it were whole. Dropping them
            // also gives the memory back; the drawing itself is untouched.
            for (auto& layer : doc.m_layers)
                for (auto& pen : layer->m_pens)
                    for (auto& chain : pen->m_chains) chain->ClearCorrection();
        }
        if (!outOfMemory) progress.Finish();
        doc.RecomputeBox();
        if (!outOfMemory) {
            doc.m_bCorrectionDone = 1;
            doc.App().m_nColorMode = kColourModeTools;
        }
    }
    if (outOfMemory) Ui().Message(texts::kOutOfMemory);
    Ui().RequestRedraw();
    return true;
}

void CorrectOneChain(CQuenkDoc& doc, CVector& chain, int tool) {
    const ToolChoice c = ChooseTool(doc.App(), tool);
    if (c.tool != kNoTool) {
        chain.m_toolRadius = c.radius;
        chain.m_side = c.side;
    }
    chain.m_function = 0;
    chain.m_tool = c.tool;
    CorrectChain(chain);
    doc.RecomputeBox();
    doc.m_bCorrectionDone = 1;
    Ui().RequestRedraw();
}
