#pragma once
// The settings file "QuenkV4.dat": one archive of all settings and the pen and tool tables,
// read in four versions and written as "Quenk Ver. 4.6". CQuenkApp::LoadSettings and
// CQuenkApp::SaveSettings use these; the tests and the fuzzer call them directly.

#include <string>
#include <string_view>

class CQuenkApp;

inline constexpr const char* kSettingsFileName = "QuenkV4.dat";
inline constexpr const char* kSettingsVersion46 = "Quenk Ver. 4.6";
inline constexpr const char* kSettingsVersion42 = "Quenk Ver. 4.2";
inline constexpr const char* kSettingsVersion41 = "Quenk Ver. 4.1";
inline constexpr const char* kSettingsVersion40 = "Quenk Ver. 4.0";

namespace settings_texts {
// Shown after the full path of a missing settings file.
inline constexpr const char* kNotFound = " nicht gefunden";
// Names the settings file by its old name "QuenkV2.dat", whatever the file is called.
inline constexpr const char* kWriteError = "QuenkV2.dat schreibfehler";
// Shown after the path when the version text is none of the four.
inline constexpr const char* kUnknownVersion = ": unbekannte Version der Einstellungen, es gelten die Vorgabewerte.";
// Shown after the path and the archive's reason when a file ends early or holds garbage.
inline constexpr const char* kDamaged = " ist beschädigt: ";
inline constexpr const char* kDamagedTail = ". Die fehlenden Werte haben ihre Vorgaben.";
// Shown after the path, then the names of the values that were replaced.
inline constexpr const char* kInvalidValues = ": ungültige Werte durch Vorgaben ersetzt: ";
}  // namespace settings_texts

// Working directory + "/QuenkV4.dat".
std::string DefaultSettingsPath();

// All fields of version 4.6 in file order.
std::string EncodeSettings(const CQuenkApp& app);

// Reads a settings file's bytes into app. The tables are replaced; scalar fields that the
// file does not hold (older versions, or after damage) keep their current values. Never
// throws: damage and unknown versions are told to the user in one message, and every table
// ends up with at least 17 entries. Returns true when the file was read without complaint.
// Refreshes the derived drawing-unit values.
bool LoadSettingsFromBytes(CQuenkApp& app, std::string_view bytes);

// Pads every table to 17 entries with the values a new settings file gets (tables with more
// entries keep them). An empty tool-colour table starts with m_displayColour1.
void CompleteSettingsTables(CQuenkApp& app);
void ClearSettingsTables(CQuenkApp& app);
