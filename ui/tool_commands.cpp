#include "ui/tool_commands.h"

#include "ui/command_context.h"
#include "ui/main_frame.h"
#include "ui/pen_colour_dialog.h"
#include "ui/tools_dialog.h"

void OnToolsCommand(CommandContext& ctx) { RunToolsDialog(&ctx.frame, ctx.app); }
void OnPenColoursCommand(CommandContext& ctx) { RunPenColourDialog(&ctx.frame, ctx.app); }
