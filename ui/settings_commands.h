#pragma once
// "Config": the settings dialog "Einstellungen" and what its "OK" sets going.

struct CommandContext;
struct SettingsOptions;
class CQuenkApp;
class Platform;

void OnSettingsCommand(CommandContext& ctx);

// Stores the dialog's values; a serial controller switched on just now gets its port
// opened, and is switched off again when the port cannot be opened.
void ApplySettings(CQuenkApp& app, const SettingsOptions& options, Platform& platform);
