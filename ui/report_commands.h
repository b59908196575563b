#pragma once
// The import report's command and its showing after an import.

struct CommandContext;

// "Import-Bericht...": the report of the active drawing's last import.
void OnImportReportCommand(CommandContext& ctx);
// After a drawing was taken: the report, when the profile asks for it after each import.
void ShowImportReportAfterImport(CommandContext& ctx);
