#pragma once
// The program's own texts of the drawing model and chain preparation, byte for byte
// (UTF-8 here; files get Windows-1252). Other subsystems keep theirs beside their code.

namespace texts {
inline constexpr const char* kDirectionUndeterminable = "Kann Drehrichtung nicht feststellen";
inline constexpr const char* kChainTooSmall = " Vektor zu klein ";
inline constexpr const char* kReverseFailed = "Fehler beim Umdrehen.";
inline constexpr const char* kOverflow = "Overflow";
inline constexpr const char* kDirectionClockwise = "in Uhrzeiger";
inline constexpr const char* kDirectionCounterClockwise = "gegen Uhrzeiger (CCW)";
inline constexpr const char* kDirectionUnknown = "Unbekannt";
// The shape commands and "Nutzen erstellen".
inline constexpr const char* kShapeSizeMissing = "Geben Sie die Grösse ein.";
inline constexpr const char* kGridCountsOne = " X und Y == 1 ";
}  // namespace texts
