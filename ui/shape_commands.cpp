#include "ui/shape_commands.h"

#include "model/document.h"
#include "ui/command_context.h"
#include "ui/drawing_view.h"
#include "ui/drawing_window.h"
#include "ui/grid_copy_dialog.h"
#include "ui/main_frame.h"
#include "ui/shape_dialogs.h"

namespace {
void Trapezoid(CommandContext& ctx, bool rotated) {
    CTrapezDlg dialog(rotated, &ctx.frame);
    if (dialog.exec() != QDialog::Accepted) return;
    if (AddTrapezoid(*ctx.Doc(), dialog.Values())) ctx.View()->ZoomWorkpiece();
}
}  // namespace

void OnRectangleCommand(CommandContext& ctx) {
    CRechteckDlg dialog(&ctx.frame);
    if (dialog.exec() != QDialog::Accepted) return;
    if (AddRectangle(*ctx.Doc(), dialog.Values())) ctx.View()->ZoomWorkpiece();
}

void OnTrapezoidCommand(CommandContext& ctx) { Trapezoid(ctx, false); }
void OnTrapezoidRotatedCommand(CommandContext& ctx) { Trapezoid(ctx, true); }

void OnGridCopiesCommand(CommandContext& ctx) {
    if (ctx.Doc()->m_nothingImported) return;
    CNutzenDlg dialog(&ctx.frame);
    if (dialog.exec() != QDialog::Accepted) return;
    if (!MakeGridCopies(*ctx.Doc(), dialog.Values())) return;
    // Once per import into an empty document: a second grid would copy the first layer only.
    ctx.window->m_bWasEmptyAtImport = false;
    ctx.View()->ZoomWorkpiece();
}
