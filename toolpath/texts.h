#pragma once
// The tool path's own texts, byte for byte (leading blanks included): the radius
// correction, the tabs and the corner operations, and the names of the dialog fields whose
// values are checked.

namespace texts {
inline constexpr const char* kRadiusDatabaseError = "Datenbank-Radius error!!";
inline constexpr const char* kCutterTooLarge = "Error Radiuskorrektur. Fräser zu groß";
inline constexpr const char* kTabNoHit = " Steg error !!";
inline constexpr const char* kTabStartTooShort = " Startvektor zu kurz !";
inline constexpr const char* kTabEndTooShort = " Steg";
inline constexpr const char* kTabsVertical = "v Stege";
inline constexpr const char* kTabsHorizontal = "h Stege";
inline constexpr const char* kIndexError = "Datenbank index error!!";
inline constexpr const char* kNoCornerHere = "Ecke ist hier nicht möglich";
// The fields of the tool and correction dialogs that name a value out of range.
inline constexpr const char* kToolField = "Werkzeug";
inline constexpr const char* kDiameterField = "Durchmesser Werkzeug ";
inline constexpr const char* kToolSourceField = "Radiusparameter";
}  // namespace texts
