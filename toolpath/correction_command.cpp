#include "toolpath/correction_command.h"

#include "model/document.h"
#include "model/interaction.h"
#include "model/quenk_app.h"
#include "model/session.h"
#include "toolpath/clearance.h"
#include "toolpath/correction_steps.h"

namespace {
// The colour mode that shows every path in its tool's colour.
constexpr std::int32_t kColourModeTools = 4;

template <typename T>
T TableEntry(const std::vector<T>& table, std::int32_t index, T fallback) {
    if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return fallback;
    return table[static_cast<std::size_t>(index)];
}

struct PenChoice {
    std::int32_t tool;
    std::int32_t function;
};

PenChoice ForPen(const CQuenkApp& app, int toolMode, std::int32_t pen) {
    if (toolMode == 0) return {pen, 0};
    if (toolMode >= 1 && toolMode <= 16) return {toolMode, 0};
    if (toolMode == kNoTool) {
        // A pen without a table entry (a plotter file's pen above 16) gets no correction.
        const std::int32_t tool = TableEntry(app.m_penTool, pen, 0);
        return {tool == 0 ? kNoTool : tool, TableEntry(app.m_penFunction, pen, 0)};
    }
    return {kNoTool, 0};
}
}  // namespace

ToolChoice ChooseTool(const CQuenkApp& app, std::int32_t tool) {
    ToolChoice c;
    if (tool < 1 || tool > 16 || static_cast<std::size_t>(tool) > app.m_tools.size()) return c;
    const CWerkzeug& w = app.m_tools[static_cast<std::size_t>(tool) - 1];
    c.tool = tool;
    c.radius = w.m_diameter / (2 * app.m_plotterUnit);
    c.side = w.m_side == 0 ? 0 : 1;
    return c;
}

void RunRadiusCorrection(CQuenkDoc& doc, const RadiusCorrectionOptions& options) {
    const CQuenkApp& app = doc.App();
    // One query object for all chains keeps its buffers from chain to chain.
    GridPathQueries queries;
    {
        WaitCursor wait(Ui());
        for (auto& layer : doc.m_layers) {
            for (auto& pen : layer->m_pens) {
                const PenChoice choice = ForPen(app, options.toolMode, pen->m_number);
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
                    CorrectWith(v, queries);
                }
            }
        }
        doc.RecomputeBox();
        doc.m_bCorrectionDone = 1;
        doc.m_nColorMode = kColourModeTools;
    }
    Ui().RequestRedraw();
}

void CorrectOneChain(CQuenkDoc& doc, CVector& chain, int tool) {
    const ToolChoice c = ChooseTool(doc.App(), tool);
    if (c.tool != kNoTool) {
        chain.m_toolRadius = c.radius;
        chain.m_side = c.side;
    }
    chain.m_function = 0;
    chain.m_tool = c.tool;
    chain.Correct();
    doc.RecomputeBox();
    doc.m_bCorrectionDone = 1;
    Ui().RequestRedraw();
}
