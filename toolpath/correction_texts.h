#pragma once
// The radius correction's own texts, byte for byte.

namespace texts {
inline constexpr const char* kRadiusDatabaseError = "Datenbank-Radius error!!";
inline constexpr const char* kCutterTooLarge = "Error Radiuskorrektur. Fräser zu groß";
}  // namespace texts
