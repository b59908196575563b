#pragma once
// The texts of milling mode's panel and dialogs, byte for byte.

namespace texts {
// "Hilfe zum Fräsen"
inline constexpr const char* kMillingHelpTitle = "Hilfe zum Fräsen";
inline constexpr const char* kMillingHelpLines[] = {
    "Fräsen nicht möglich:",
    "Zuerst eine Radiuskorrektur durchführen",
    "und dann die Reihenfolge festlegen",
    "( Selektierter Export )",
    "Oder eine Datei \" *.Quenk\"  laden",
};
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = "Abbrechen";

// The panel "Fräser"
inline constexpr const char* kPanelTitle = "Fräser";
inline constexpr const char* kPanelUsed = "benutzt:";
inline constexpr const char* kPanelTool = "Fräser ";
inline constexpr const char* kPanelAll = "Alles Fräsen";
inline constexpr const char* kPanelWinPc = "-> WinPC-PC";
inline constexpr const char* kPanelToolData = "Werkzeugdaten";
inline constexpr const char* kPanelMaterialData = "Materialdaten";
inline constexpr const char* kPanelGCode = "G-CODE";
// The controller the command "G-CODE" writes for.
inline constexpr const char* kPanelController = "Steuerung";
inline constexpr const char* kPanelMachine = "-> Maschine";
// The progress of a send to a GRBL controller
inline constexpr const char* kGrblSendTitle = "Übertragung an die Maschine";
inline constexpr const char* kGrblPause = "Pause";
inline constexpr const char* kGrblResume = "Weiter";

// "Material"
inline constexpr const char* kMaterialTitle = "Material";
inline constexpr const char* kMaterialName = "Material:";
inline constexpr const char* kMaterialThickness = "Materialdicke:";
inline constexpr const char* kMaterialSafety = "Sicherheitsabstand:";
inline constexpr const char* kMaterialMaxPass = "Maximale Frästiefe:";
inline constexpr const char* kMaterialOnePass = "0 = 1 Durchlauf";
inline constexpr const char* kMaterialZGroup = "Z am Material:";
inline constexpr const char* kMaterialTop = "Materialoberkante ist bei";
inline constexpr const char* kMaterialBottom = "Materialunterkante ist bei";
inline constexpr const char* kMaterialDepthGroup = "Die Frästiefe beträgt ( Z ):";
inline constexpr const char* kMaterialExtra = "Materialdicke + zusätzlich";
inline constexpr const char* kMaterialToolDepth = "Fräsertiefe";
inline constexpr const char* kMillimetre = "mm";

// "Werkzeuge" of milling mode
inline constexpr const char* kToolDataTitle = "Werkzeuge";
inline constexpr const char* kToolDataHeadings[] = {"Werkzeug #", "Durchmesser mm", "von Kontur", "Tiefe"};
inline constexpr const char* kToolDataSpeed = "Geschwindigkeit";
inline constexpr const char* kToolDataSpeedUnit = "mm/sec";
inline constexpr const char* kToolDataXY = "XY";
inline constexpr const char* kToolDataZ = "Z";
inline constexpr const char* kToolDataRight = "Rechts";
}  // namespace texts
