#pragma once
// The "Bearbeiten" commands on the whole drawing: clear, join, turn and radius correction.

struct CommandContext;

void OnClearAllCommand(CommandContext& ctx);
void OnJoinCommand(CommandContext& ctx);
void OnClockwiseCommand(CommandContext& ctx);
void OnCounterClockwiseCommand(CommandContext& ctx);
void OnRadiusCorrectionCommand(CommandContext& ctx);
