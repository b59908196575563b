#include "ui/view_commands.h"

#include <QMdiArea>
#include <QStatusBar>
#include <QToolBar>

#include "model/quenk_app.h"
#include "ui/command_context.h"
#include "ui/drawing_view.h"
#include "ui/main_frame.h"

namespace {
void Toggle(CommandContext& ctx, bool DisplayFlags::*flag) {
    CQuenkView* view = ctx.View();
    if (!view) return;
    view->Flags().*flag = !(view->Flags().*flag);
    view->update();
}

void ColourMode(CommandContext& ctx, int mode) {
    ctx.app.m_nColorMode = mode;
    if (CQuenkView* view = ctx.View()) view->update();
}
}  // namespace

void OnZoomWorkpieceCommand(CommandContext& ctx) { ctx.View()->ZoomWorkpiece(); }
void OnZoomMachineCommand(CommandContext& ctx) { ctx.View()->ZoomMachine(); }
void OnZoomMaterialCommand(CommandContext& ctx) { ctx.View()->ZoomMaterial(); }
void OnZoomInCommand(CommandContext& ctx) { ctx.View()->ZoomStep(true); }
void OnZoomOutCommand(CommandContext& ctx) { ctx.View()->ZoomStep(false); }
void OnPanLeftCommand(CommandContext& ctx) { ctx.View()->Pan(1, 0); }
void OnPanRightCommand(CommandContext& ctx) { ctx.View()->Pan(-1, 0); }
void OnPanDownCommand(CommandContext& ctx) { ctx.View()->Pan(0, 1); }
void OnPanUpCommand(CommandContext& ctx) { ctx.View()->Pan(0, -1); }
void OnToolPathCommand(CommandContext& ctx) { Toggle(ctx, &DisplayFlags::toolPath); }
void OnStartPointsCommand(CommandContext& ctx) { Toggle(ctx, &DisplayFlags::startPoints); }
void OnEndPointsCommand(CommandContext& ctx) { Toggle(ctx, &DisplayFlags::endPoints); }
void OnAllPointsCommand(CommandContext& ctx) { Toggle(ctx, &DisplayFlags::allPoints); }
void OnProblemsCommand(CommandContext& ctx) { Toggle(ctx, &DisplayFlags::problems); }
void OnRadiusPointsCommand(CommandContext& ctx) { Toggle(ctx, &DisplayFlags::radiusPoints); }
void OnColourClosedOpenCommand(CommandContext& ctx) { ColourMode(ctx, 0); }
void OnColourPenCommand(CommandContext& ctx) { ColourMode(ctx, 1); }
void OnColourToolCommand(CommandContext& ctx) { ColourMode(ctx, 4); }
void OnColourDirectionCommand(CommandContext& ctx) { ColourMode(ctx, 5); }

void OnToolBarCommand(CommandContext& ctx) {
    const bool show = ctx.frame.MainBar()->isHidden();
    ctx.frame.MainBar()->setVisible(show);
    ctx.frame.MouseBar()->setVisible(show);
}

void OnStatusBarCommand(CommandContext& ctx) { ctx.frame.statusBar()->setVisible(ctx.frame.statusBar()->isHidden()); }
void OnCascadeCommand(CommandContext& ctx) { ctx.frame.MdiArea()->cascadeSubWindows(); }
void OnTileCommand(CommandContext& ctx) { ctx.frame.MdiArea()->tileSubWindows(); }
