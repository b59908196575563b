#include "ui/milling_commands.h"

#include "model/core_context.h"
#include "model/quenk_app.h"
#include "output/handoff.h"
#include "platform/qt_platform.h"
#include "toolpath/milling_options.h"
#include "ui/command_context.h"
#include "ui/drawing_view.h"
#include "ui/main_frame.h"
#include "ui/material_dialog.h"
#include "ui/milling_help_dialog.h"
#include "ui/milling_panel.h"
#include "ui/qt_interaction.h"
#include "ui/tool_data_dialog.h"

void OnMillCommand(CommandContext& ctx) {
    if (!ctx.app.m_bMillingReady) {
        Ui().OpenDialog(DialogRequest::MillingHelp);
        return;
    }
    ctx.frame.EnterMillingMode();
}

void OnAllesFraesenCommand(CommandContext& ctx) {
    UseToolsOfMillingList(ctx.app);
    if (CQuenkView* view = ctx.View()) {
        if (CFraeser* panel = view->Panel()) panel->ShowToolsUsed();
        view->update();
    }
}

void OnMaterialDataCommand(CommandContext&) { Ui().OpenDialog(DialogRequest::Material); }
void OnToolDataCommand(CommandContext&) { Ui().OpenDialog(DialogRequest::ToolData); }

void OnWinPcCommand(CommandContext& ctx) {
    QtPlatform platform;
    OnWinPcHandOff(ctx.app, platform);
}

void RegisterMillingDialogs(QtInteraction& ui, QWidget* parent, CQuenkApp& app) {
    ui.SetDialog(DialogRequest::MillingHelp, [parent] {
        CFraesHelp help(parent);
        return help.exec() == QDialog::Accepted;
    });
    ui.SetDialog(DialogRequest::Material, [parent, &app] { return RunMaterialDialog(parent, app); });
    ui.SetDialog(DialogRequest::ToolData, [parent, &app] { return RunToolDataDialog(parent, app); });
}
