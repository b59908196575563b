#include "ui/app_commands.h"

#include "model/quenk_app.h"
#include "ui/about_dialog.h"
#include "ui/command_context.h"
#include "ui/main_frame.h"
#include "ui/tips_dialog.h"

void OnAboutCommand(CommandContext& ctx) {
    CAboutDlg dialog(&ctx.frame);
    dialog.exec();
}

void OnTipsCommand(CommandContext& ctx) {
    CTipDlg dialog(&ctx.frame);
    dialog.exec();
}

void OnModelSpaceCommand(CommandContext& ctx) { ctx.app.m_bLoadModelspace = !ctx.app.m_bLoadModelspace; }
void OnRemainingBlocksCommand(CommandContext& ctx) {
    ctx.app.m_bLoadRemainingBlocks = !ctx.app.m_bLoadRemainingBlocks;
}
void OnPaperSpaceCommand(CommandContext& ctx) { ctx.app.m_bLoadPaperspace = !ctx.app.m_bLoadPaperspace; }
