#include "ui/settings_commands.h"

#include "model/core_context.h"
#include "model/quenk_app.h"
#include "output/handoff.h"
#include "platform/qt_platform.h"
#include "ui/command_context.h"
#include "ui/main_frame.h"
#include "ui/settings_dialog.h"

void ApplySettings(CQuenkApp& app, const SettingsOptions& options, Platform& platform) {
    const bool controllerWasOn = app.m_bUseComPort != 0;
    if (!options.ApplyTo(app)) return;
    if (!controllerWasOn && app.m_bUseComPort) SwitchOnComPort(app, platform);
}

void OnSettingsCommand(CommandContext& ctx) {
    SettingsOptions options = SettingsOptions::From(ctx.app);
    if (!RunSettingsDialog(&ctx.frame, options)) return;
    QtPlatform platform;
    ApplySettings(ctx.app, options, platform);
    Ui().RequestRedraw();
}
