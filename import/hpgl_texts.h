#pragma once
// The texts the import command and the HPGL reader show, byte for byte.

namespace hpgl_texts {
inline constexpr const char* kOutOfMemory = "Speicher Fehler!";
inline constexpr const char* kTooManyErrors = "Über 10 Fehler";
inline constexpr const char* kXYError = " XY Error ";
inline constexpr const char* kIPErrorP1 = " IP Error P1 ";
inline constexpr const char* kIPErrorP2 = " IP Error P2 ";
inline constexpr const char* kSCError = " SC-Error! ";
inline constexpr const char* kAAErrorXY = "AA Error xy!";
inline constexpr const char* kAAErrorArc = "AA Error arc!";
inline constexpr const char* kARError = "AA Error!";
inline constexpr const char* kCIError = "CI Error!";
// "Unbekannter " + the two characters + " Befehl".
inline constexpr const char* kUnknownPrefix = "Unbekannter ";
inline constexpr const char* kUnknownSuffix = " Befehl";
// An arc or circle whose parameters would produce an absurd number of points (or none that
// make sense) is left out instead of filling the memory; shown once per file.
inline constexpr const char* kArcRefused =
    "Bogen oder Kreis übersprungen: die Angaben ergeben zu viele Punkte oder einen ungültigen "
    "Segmentwinkel.";
}  // namespace hpgl_texts
