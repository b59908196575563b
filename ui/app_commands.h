#pragma once
// The application's own commands: About, tips and the CAD reader's load options.

struct CommandContext;

void OnAboutCommand(CommandContext& ctx);
void OnTipsCommand(CommandContext& ctx);
void OnModelSpaceCommand(CommandContext& ctx);
void OnRemainingBlocksCommand(CommandContext& ctx);
void OnPaperSpaceCommand(CommandContext& ctx);
