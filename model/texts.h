#pragma once
// The program's own texts of the drawing model, byte for byte (UTF-8 here; files get
// Windows-1252). Every other folder keeps its own texts.h.

namespace texts {
inline constexpr const char* kDirectionUndeterminable = "Kann Drehrichtung nicht feststellen";
inline constexpr const char* kChainTooSmall = " Vektor zu klein ";
inline constexpr const char* kOverflow = "Overflow";
inline constexpr const char* kDirectionClockwise = "in Uhrzeiger";
inline constexpr const char* kDirectionCounterClockwise = "gegen Uhrzeiger (CCW)";
inline constexpr const char* kDirectionUnknown = "Unbekannt";
inline constexpr const char* kAskClearAll = "Wollen Sie alles löschen? ";
// Whatever ran out of memory (an import, a correction) is given up and this is shown.
inline constexpr const char* kOutOfMemory = "Speicher Fehler!";
// The shape commands and "Nutzen erstellen".
inline constexpr const char* kShapeSizeMissing = "Geben Sie die Grösse ein.";
inline constexpr const char* kGridCountsOne = " X und Y == 1 ";
}  // namespace texts
