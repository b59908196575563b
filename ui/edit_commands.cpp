#include "ui/edit_commands.h"

#include "model/document.h"
#include "model/quenk_app.h"
#include "prepare/join.h"
#include "toolpath/correction_command.h"
#include "ui/command_context.h"
#include "ui/drawing_view.h"

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

// Until the correction dialog takes the choice, the settings' tool mode and clean-up apply.
void OnRadiusCorrectionCommand(CommandContext& ctx) {
    RunRadiusCorrection(*ctx.Doc(), CorrectionOptionsFromSettings(ctx.app));
    ctx.View()->AfterCorrection();
}
