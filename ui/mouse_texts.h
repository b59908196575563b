#pragma once
// The texts of the mouse functions, the context menus and the information dialogs.

namespace texts {
inline constexpr const char* kPenInfo = "Stiftnummer:  ";
inline constexpr const char* kPenInfoColour = "   Farbe:   ";
inline constexpr const char* kToolInfo = "Werkzeugnummer:  ";
inline constexpr const char* kToolRight = " Rechts";
inline constexpr const char* kToolLeft = " Links";

inline constexpr const char* kPositionTitle = "Dialog";
inline constexpr const char* kPositionStart = "Position Startpunkt:";
inline constexpr const char* kPositionEnd = "Position Endpunkt:";
inline constexpr const char* kPointListTitle = "Info Vektorpunkte";
inline constexpr const char* kPointIndex = "Index:";
inline constexpr const char* kPointDelete = "Loeschen";
inline constexpr const char* kChainInfoTitle = "Information Vektor";
inline constexpr const char* kWorkpieceInfoTitle = "Information alle Vektoren";
inline constexpr const char* kPlotterUnit = "Plottereinheit";
inline constexpr const char* kTop = "Oben:";
inline constexpr const char* kBottom = "Unten:";
inline constexpr const char* kLeft = "Links:";
inline constexpr const char* kRight = "Rechts:";
inline constexpr const char* kSize = "Größe";
inline constexpr const char* kSizeX = "X:";
inline constexpr const char* kSizeY = "Y:";
inline constexpr const char* kContour = "Kontur:";
inline constexpr const char* kPathSum = "Fräsbahn:";
inline constexpr const char* kDirection = "Drehrichtung:";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = "Abbrechen";
}  // namespace texts
