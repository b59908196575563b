#pragma once
// The job file (".Quenk"): the milling order with its tool and material data, in the binary
// archive form, so that a job can be milled again without its drawing.

#include <span>
#include <string>
#include <string_view>

class CQuenkApp;
struct FileField;

namespace texts {
inline constexpr const char* kWrongJobVersion = " Falsche Quenk Version ";
inline constexpr const char* kJobDamaged = "Quenk-Datei fehlerhaft, der Fräsauftrag bleibt unverändert: ";
inline constexpr const char* kJobToolOutsideTable = "Werkzeugnummer außerhalb der Werkzeugtabelle";
inline constexpr const char* kJobWriteError = "Fehler beim Schreiben von ";
inline constexpr const char* kJobFilter = " CAD (.Quenk) |*.Quenk||";
}  // namespace texts

inline constexpr const char* kFraesKonturClassName = "CFraesKontur";
inline constexpr const char* kFraesDatenClassName = "CFraesDaten";

// The job file's fields before the milling list, version text first (see files/file_fields.h).
std::span<const FileField> JobFields();

// The file's bytes for the application's current job.
std::string SerializeJob(const CQuenkApp& app);

// Writes the job to path, replacing the file only when all was written. A file that cannot
// be created is passed over in silence: the command shows nothing then.
bool SaveJob(CQuenkApp& app, const std::string& path);
// The command "save": asks for the file, the drawing's title offered as the name.
void OnSaveJob(CQuenkApp& app);

// Loading is all or nothing: on a wrong version or a damaged file the current job stays
// exactly as it was and one message says why. Returns whether a job was loaded.
bool LoadJobBytes(CQuenkApp& app, std::string_view bytes);
// The import of a ".Quenk" file. Writes the settings file first (its last chance to hold the
// user's own tables) and never again in this run.
bool LoadJob(CQuenkApp& app, const std::string& path);
