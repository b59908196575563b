#pragma once
// The texts of the import report in the desktop program.

namespace report_texts {
inline constexpr const char* kTitle = "Import-Bericht";
inline constexpr const char* kCommand = "Import-Bericht...";
inline constexpr const char* kPrompt = "Zeigt, was der letzte Import gefunden hat\nImport-Bericht";
inline constexpr const char* kShowAfterImport = "Import-Bericht nach jedem Import zeigen";
inline constexpr const char* kNothingImported = "Seit dem Start wurde keine Zeichnung importiert.";
inline constexpr const char* kColumnFinding = "Befund";
inline constexpr const char* kColumnCount = "Anzahl";
inline constexpr const char* kColumnDetails = "Einzelheiten";
inline constexpr const char* kChains = "Ketten";
inline constexpr const char* kClosed = "davon geschlossen";
inline constexpr const char* kOpen = "davon offen";
inline constexpr const char* kDoubles = "Doppelte Striche";
inline constexpr const char* kDoublesDetails = "derselbe Strich zweimal, vorwärts oder rückwärts";
inline constexpr const char* kNearEnds = "Offene Enden nahe anderen Enden";
// "{}" is the distance in millimetres.
inline constexpr const char* kNearEndsDetails = "Abstand bis {} mm, rot markiert";
inline constexpr const char* kUnknownHpgl = "Unbekannte HPGL-Befehle";
inline constexpr const char* kSkippedCad = "Übersprungene CAD-Objekte";
}  // namespace report_texts
