#include "ui/mouse_commands.h"

#include "model/document.h"
#include "model/quenk_app.h"
#include "output/order_auto.h"
#include "ui/command_context.h"
#include "ui/dialog_hooks.h"
#include "ui/drawing_view.h"
#include "ui/info_dialogs.h"
#include "ui/view_mouse.h"

namespace {
constexpr std::int32_t kModeReverse = 2;
constexpr std::int32_t kColorModeDirection = 5;  // "Vektor umdrehen" shows each chain's sense
}  // namespace

void SelectMouseMode(CommandContext& ctx, std::int32_t mode) {
    CQuenkView* view = ctx.View();
    if (!view) return;
    CViewMouse& mouse = view->Mouse();
    switch (mode) {
    case kMouseModeExport:
        mouse.Export().OnMouseExport();
        break;
    case kMouseModeTabs:
        // The dialog opens with the setting's length and the view's kind.
        ApplyTabDialog(ctx.app, mouse.Tabs(), AskTabSettings(ctx, TabSettings{ctx.app.m_tabSize, mouse.Tabs().kind}));
        break;
    case kModeReverse:
        ctx.app.m_nColorMode = kColorModeDirection;
        [[fallthrough]];
    default:
        ctx.app.m_nMouseMode = mode;
        break;
    }
    // The corner markers and the sense colours show at once.
    view->update();
}

void OnOrderAutoCommand(CommandContext& ctx) {
    CQuenkView* view = ctx.View();
    if (!view) return;
    CMouseExport& exporter = view->Mouse().Export();
    if (!exporter.IsActive() && !exporter.Start()) return;
    ClickInAutoOrder(exporter, ctx.app, *ctx.Doc());
    view->update();
}

bool CanUndoDelete(const CommandContext& ctx) { return ctx.View() && ctx.View()->Mouse().CanUndo(); }

void OnUndoDeleteCommand(CommandContext& ctx) { ctx.View()->Mouse().Undo(); }

void OnWorkpieceInfoCommand(CommandContext& ctx) {
    ShowWorkpieceInfo(ctx.View(), *ctx.Doc(), ctx.app.m_plotterUnit);
}
