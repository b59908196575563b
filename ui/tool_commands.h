#pragma once
// "Werkzeuge" and "Stiftfarbe": the tools dialog and the pen-colour dialog.

struct CommandContext;

void OnToolsCommand(CommandContext& ctx);
void OnPenColoursCommand(CommandContext& ctx);
