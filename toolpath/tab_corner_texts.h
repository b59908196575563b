#pragma once
// The texts of the tabs and the corner operations, byte for byte (leading blanks included).

namespace texts {
inline constexpr const char* kTabNoHit = " Steg error !!";
inline constexpr const char* kTabStartTooShort = " Startvektor zu kurz !";
inline constexpr const char* kTabEndTooShort = " Steg";
inline constexpr const char* kTabsVertical = "v Stege";
inline constexpr const char* kTabsHorizontal = "h Stege";
inline constexpr const char* kIndexError = "Datenbank index error!!";
inline constexpr const char* kNoCornerHere = "Ecke ist hier nicht möglich";
}  // namespace texts
