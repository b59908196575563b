#pragma once
// The view's commands: zooms, pans, display toggles, colour modes, bars and windows.

struct CommandContext;

void OnZoomWorkpieceCommand(CommandContext& ctx);
void OnZoomMachineCommand(CommandContext& ctx);
void OnZoomMaterialCommand(CommandContext& ctx);
void OnZoomInCommand(CommandContext& ctx);
void OnZoomOutCommand(CommandContext& ctx);
void OnPanLeftCommand(CommandContext& ctx);
void OnPanRightCommand(CommandContext& ctx);
void OnPanDownCommand(CommandContext& ctx);
void OnPanUpCommand(CommandContext& ctx);
void OnToolPathCommand(CommandContext& ctx);
void OnStartPointsCommand(CommandContext& ctx);
void OnEndPointsCommand(CommandContext& ctx);
void OnAllPointsCommand(CommandContext& ctx);
void OnProblemsCommand(CommandContext& ctx);
void OnRadiusPointsCommand(CommandContext& ctx);
void OnColourClosedOpenCommand(CommandContext& ctx);
void OnColourPenCommand(CommandContext& ctx);
void OnColourToolCommand(CommandContext& ctx);
void OnColourDirectionCommand(CommandContext& ctx);
void OnToolBarCommand(CommandContext& ctx);
void OnStatusBarCommand(CommandContext& ctx);
void OnCascadeCommand(CommandContext& ctx);
void OnTileCommand(CommandContext& ctx);
