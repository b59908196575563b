#pragma once
// The program's own German texts that quenk-cli names in its messages: the menu commands
// whose enable rules it applies, byte for byte.

namespace cli_texts {
inline constexpr const char* kJoinCommand = "Zusammenfügen";
inline constexpr const char* kClockwiseCommand = "In Uhrzeigerrichtung drehen";
inline constexpr const char* kCounterClockwiseCommand = "Gegen Uhrzeigerrichtung drehen";
inline constexpr const char* kCorrectionCommand = "Radiuskorrektur";
}  // namespace cli_texts
