#pragma once
// The commands that add geometry: "Rechteck zeichnen", the two trapezoids and
// "Nutzen erstellen".

struct CommandContext;

void OnRectangleCommand(CommandContext& ctx);
void OnTrapezoidCommand(CommandContext& ctx);
void OnTrapezoidRotatedCommand(CommandContext& ctx);
void OnGridCopiesCommand(CommandContext& ctx);
