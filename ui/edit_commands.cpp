#include "ui/edit_commands.h"

#include "model/document.h"
#include "model/quenk_app.h"
#include "prepare/join.h"
#include "toolpath/correction_command.h"
#include "ui/command_context.h"
#include "ui/correction_dialogs.h"
#include "ui/drawing_view.h"
#include "ui/main_frame.h"

void OnClearAllCommand(CommandContext& ctx) {
    if (ctx.Doc()->ClearAll(true)) ctx.app.m_nColorMode = 0;
    ctx.View()->update();
}

void OnJoinCommand(CommandContext& ctx) {
    JoinChains(*ctx.Doc());
    ctx.View()->update();
}

void OnClockwiseCommand(CommandContext& ctx) {
    ctx.Doc()->TurnAll(1);
    ctx.View()->update();
}

void OnCounterClockwiseCommand(CommandContext& ctx) {
    ctx.Doc()->TurnAll(0);
    ctx.View()->update();
}

void OnRadiusCorrectionCommand(CommandContext& ctx) {
    const std::optional<RadiusCorrectionOptions> options = AskCorrectionOptions(&ctx.frame, ctx.app);
    if (!options) return;
    RunRadiusCorrection(*ctx.Doc(), *options);
    ctx.View()->AfterCorrection();
}
