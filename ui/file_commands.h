#pragma once
// The "Datei" commands and the milling job's files: new and close, import, the plotter
// exports, job save, G-code, print and exit. Each calls the core flow that quenk-cli calls.

#include <string>

struct CommandContext;

void OnNewCommand(CommandContext& ctx);
void OnCloseCommand(CommandContext& ctx);
void OnImportCommand(CommandContext& ctx);
void OnExportCommand(CommandContext& ctx);
void OnExportCorrectionCommand(CommandContext& ctx);
void OnSaveJobCommand(CommandContext& ctx);
void OnGCodeCommand(CommandContext& ctx);
void OnExitCommand(CommandContext& ctx);
void OnPrintCommand(CommandContext& ctx);
void OnPrintPreviewCommand(CommandContext& ctx);
void OnPrintSetupCommand(CommandContext& ctx);

// The Import command on ctx's window: the file question, then the import and the fit.
void ImportIntoWindow(CommandContext& ctx);
// The import of a file named on the command line, dropped on the frame or picked again.
void ImportPath(CommandContext& ctx, const std::string& path);
