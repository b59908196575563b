#pragma once
// The commands of the "Mousefunktion" menu and tool bar, which choose the view's mouse
// function, and the commands of the view's mouse state: the undo of a deletion and the
// workpiece information.

#include <cstdint>

struct CommandContext;

// Makes mode the mouse function; "RK Export mit Mouse" starts or finishes the export,
// "Stege einfügen" asks for the tab values first.
void SelectMouseMode(CommandContext& ctx, std::int32_t mode);
template <std::int32_t Mode>
void OnMouseModeCommand(CommandContext& ctx) {
    SelectMouseMode(ctx, Mode);
}

// "Reihenfolge automatisch": starts the export where it is not running (asking for its
// plotter file) and clicks every chain not yet taken in the automatic order; the export
// stays on, so that "Einen Schritt zurück", further clicks and "Ende -> Fräsen" follow.
void OnOrderAutoCommand(CommandContext& ctx);

void OnUndoDeleteCommand(CommandContext& ctx);
bool CanUndoDelete(const CommandContext& ctx);
void OnWorkpieceInfoCommand(CommandContext& ctx);
