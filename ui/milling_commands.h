#pragma once
// The commands of milling mode: the switch "Fräsen", "Alles Fräsen", the material and tool
// data, and the hand-off to WinPC-NC ("SIMULATION", "-> WinPC-PC"). Their dialogs open
// through the core's Interaction, so that the tests answer them without a window.

class CQuenkApp;
class QtInteraction;
class QWidget;
struct CommandContext;

void OnMillCommand(CommandContext& ctx);
void OnAllesFraesenCommand(CommandContext& ctx);
void OnMaterialDataCommand(CommandContext& ctx);
void OnToolDataCommand(CommandContext& ctx);
void OnWinPcCommand(CommandContext& ctx);

// Lets the desktop program's front end open the help, material and tool-data dialogs over
// parent on the application's values.
void RegisterMillingDialogs(QtInteraction& ui, QWidget* parent, CQuenkApp& app);
