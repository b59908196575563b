// The commands of the view's context menus. Each acts on the hit of the right click, which
// is checked against the drawing first: a command offered for a hit never runs on a chain
// that has gone since.

#include <QTimer>
#include <algorithm>

#include "model/chain_info.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "output/profile.h"
#include "prepare/chain_context.h"
#include "toolpath/correction_command.h"
#include "ui/command_context.h"
#include "ui/context_menus.h"
#include "ui/dialog_hooks.h"
#include "ui/drawing_view.h"
#include "ui/info_dialogs.h"
#include "ui/main_frame.h"
#include "ui/view_mouse.h"

namespace {
using Enabled = bool (*)(const CommandContext&, const Hit*);
using Run = void (*)(CommandContext&, CViewMouse&, const Hit*);

struct ContextCommand {
    int id;
    Enabled enabled;
    Run run;
};

bool AnyView(const CommandContext&, const Hit*) { return true; }
bool OnChain(const CommandContext&, const Hit* h) { return h != nullptr; }
bool OnChainPoint(const CommandContext&, const Hit* h) { return h && h->chainHit && h->point && h->index != -1; }
bool OnPath(const CommandContext&, const Hit* h) { return h && h->radiusHit; }
bool OnPathPoint(const CommandContext&, const Hit* h) { return h && h->radiusPoint && h->radiusIndex != -1; }
// The plain profile exports turn and restart the chain, which the correction would no
// longer follow.
bool BeforeCorrection(const CommandContext& c, const Hit* h) { return h && !c.Doc()->m_bCorrectionDone; }
bool Exporting(const CommandContext& c, const Hit*) { return c.app.m_nMouseMode == kMouseModeExport; }
bool CanStepBack(const CommandContext& c, const Hit*) {
    return Exporting(c, nullptr) && c.View()->Mouse().Export().CanStepBack();
}

MouseClick ContextClick(CViewMouse& m) { return m.ClickAt(m.ContextPoint()); }

void ClearChain(CommandContext&, CViewMouse& m, const Hit* h) { ClearChainClick(m, *h, ContextClick(m)); }
void DeletePoint(CommandContext&, CViewMouse& m, const Hit* h) { DeletePointClick(m, *h, ContextClick(m)); }
void Reverse(CommandContext&, CViewMouse& m, const Hit* h) { ReverseClick(m, *h, ContextClick(m)); }

void CorrectChain(CommandContext& c, CViewMouse&, const Hit* h) {
    if (const std::optional<int> tool = AskChainTool(c, *h->chain)) CorrectOneChain(*c.Doc(), *h->chain, *tool);
    c.View()->update();
}

void ClearPath(CommandContext& c, CViewMouse&, const Hit* h) {
    h->chain->ClearCorrection();
    c.View()->update();
}

void DeletePathPoint(CommandContext& c, CViewMouse&, const Hit* h) {
    {
        WaitCursor wait(Ui());
        h->radius->DeletePoint(h->radiusIndex);
    }
    c.View()->update();
}

// A chain point shows itself twice, a chain segment its two ends, anything else the click.
void Position(CommandContext& c, CViewMouse& m, const Hit* h) {
    CPunkt p1 = m.ToDrawing(m.ContextPoint()), p2 = p1;
    if (h && h->chainHit && h->index != -1) {
        p2 = h->chain->m_points[h->index];
        p1 = h->point ? p2 : h->chain->m_points[h->index - 1];
    }
    const double pu = c.app.m_plotterUnit;
    ShowPosition(c.View(), {p1.x * pu, p1.y * pu}, {p2.x * pu, p2.y * pu});
}

void PointList(CommandContext& c, CViewMouse&, const Hit* h) {
    const PointRows rows = PointRowsAround(*h->chain, h->index, c.app.m_plotterUnit);
    const std::optional<RowChecks> checks = AskPointList(c.View(), rows);
    if (checks && RemoveCheckedRows(*h->chain, rows, *checks)) c.View()->update();
}

void ShowInfo(CommandContext& c, CViewMouse&, const Hit* h) { ShowChainInfo(c.View(), *h->chain, c.app.m_plotterUnit); }

void ToolPenChange(CommandContext& c, CViewMouse&, const Hit* h) {
    if (AskToolPenChange(c, *h->pen, *h->chain)) c.View()->update();
}

void CopyToContour(CommandContext& c, CViewMouse&, const Hit* h) {
    CopyPathToContour(*c.Doc(), *h->pen, *h->chain, *h->radius);
    c.app.m_nColorMode = 0;
    c.View()->update();
}

void SvPlus(CommandContext&, CViewMouse&, const Hit* h) { OnExportSvPlus(*h->chain); }
void Cfwin(CommandContext&, CViewMouse&, const Hit* h) { OnExportCfwin(*h->chain); }
template <std::int32_t Format>
void ReducedProfile(CommandContext& c, CViewMouse&, const Hit* h) {
    CProfile profile;
    profile.m_format = Format;
    profile.Export(*h->chain, c.app.m_plotterUnit, [&c](InfoProfil& info) { return AskInfoProfil(c, info); });
}

void FinishExport(CommandContext& c, CViewMouse& m, const Hit*) {
    m.Export().FinishMouseExport();
    c.View()->update();
}

void FinishAndMill(CommandContext& c, CViewMouse& m, const Hit*) {
    m.Export().FinishMouseExport();
    c.app.m_bMillingReady = 1;
    // The switch closes every document, this view among them, while the popup that called
    // us still runs inside the view's mouse handler: switch once that has returned.
    CMainFrame* frame = &c.frame;
    QTimer::singleShot(0, frame, [frame] { frame->EnterMillingMode(); });
}

void StepBack(CommandContext& c, CViewMouse& m, const Hit*) {
    m.Export().StepBackExport();
    c.View()->update();
}

const ContextCommand kCommands[] = {
    {32809, OnChain, ClearChain},
    {32807, OnChainPoint, DeletePoint},
    {32808, OnChain, Reverse},
    {32810, OnChain, CorrectChain},
    {32814, OnPath, ClearPath},
    {32815, OnPathPoint, DeletePathPoint},
    {32837, AnyView, Position},
    {32847, OnChainPoint, PointList},
    {32857, OnChain, ShowInfo},
    {32846, OnPath, ToolPenChange},
    {146, OnPath, CopyToContour},
    {147, BeforeCorrection, SvPlus},
    {155, BeforeCorrection, Cfwin},
    {32850, OnChain, ReducedProfile<kProfileCfwin>},
    {32851, OnChain, ReducedProfile<kProfileProfili>},
    {32854, Exporting, FinishExport},
    {32899, Exporting, FinishAndMill},
    {32855, CanStepBack, StepBack},
};

const ContextCommand* Find(int id) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands), [id](const auto& c) { return c.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

const Hit* HitOf(const CommandContext& ctx) { return ctx.View()->Mouse().CurrentHit(); }
}  // namespace

bool IsContextCommand(int id) { return Find(id) != nullptr; }

bool ContextCommandEnabled(const CommandContext& ctx, int id) {
    const ContextCommand* c = Find(id);
    return c && ctx.View() && !ctx.app.m_bMillingMode && c->enabled(ctx, HitOf(ctx));
}

bool RunContextCommand(CommandContext& ctx, int id) {
    if (!ContextCommandEnabled(ctx, id)) return false;
    Find(id)->run(ctx, ctx.View()->Mouse(), HitOf(ctx));
    return true;
}
