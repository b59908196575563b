#pragma once
// The desktop program's own texts of its dialogs' checks, byte for byte.

namespace ui_texts {
inline constexpr const char* kEnterNumber = "Geben Sie eine Zahl ein.";
inline constexpr const char* kEnterInteger = "Geben Sie eine ganze Zahl ein.";
inline constexpr const char* kColourDepth = "32 oder 16 Bit Farben erforderlich";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = "Abbrechen";
// The status bar while long work runs, later with its progress: "Bitte warten ... 42 %".
inline constexpr const char* kPleaseWait = "Bitte warten ...";
inline constexpr const char* kPercent = " %";
}  // namespace ui_texts
