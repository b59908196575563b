#pragma once
// The two document exports of plotter files: "Export ( *.plt )" writes every chain,
// "Export Radiuskorrektur ( *.plt )" every corrected path. Both ask for the file, ask before
// replacing one, and put the new file in place only when it was written completely.

#include <optional>
#include <string>

class CQuenkDoc;

// The file text of each export, inside contours first. Builds and empties the integer point
// lists on the way; the corrected-path text also drops exact repeats from the paths.
std::string HpglOfChains(CQuenkDoc& doc);
std::string HpglOfCorrections(CQuenkDoc& doc);

// The commands. True when a file was written; every other outcome was shown to the user or
// chosen by them.
bool OnExportHpgl(CQuenkDoc& doc);
bool OnExportCorrectionHpgl(CQuenkDoc& doc);

// The save question of the plotter files, then " File vorhanden. Ersetzen? " for a file that
// exists; nothing when the user cancelled or said No.
std::optional<std::string> AskPlotterFile(const std::string& suggestedName);

// Puts text in place of path whole, or leaves the old file as it was.
enum class FilePut { Done, NotCreated, NotWritten };
FilePut PutWholeFile(const std::string& path, const std::string& text);
