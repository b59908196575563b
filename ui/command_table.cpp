#include "ui/command_table.h"

#include <algorithm>

#include "ui/app_commands.h"
#include "ui/edit_commands.h"
#include "ui/file_commands.h"
#include "ui/grbl_send_dialog.h"
#include "ui/milling_commands.h"
#include "ui/mouse_commands.h"
#include "ui/report_commands.h"
#include "ui/report_texts.h"
#include "ui/settings_commands.h"
#include "ui/shape_commands.h"
#include "ui/tool_commands.h"
#include "ui/view_commands.h"

namespace {
using E = EnableRule;
using C = CheckRule;

const CommandEntry kCommands[] = {
    // "&Datei"
    {cmd::kNew, "&Neu", "Strg+N", "Erstellt ein neues Dokument\nNeu", E::Always, C::None, OnNewCommand},
    {cmd::kOpen, "Ö&ffnen...", "Strg+O", "Öffnet ein bestehendes Dokument\nÖffnen", E::Never, C::None, nullptr},
    {cmd::kClose, "&Schließen", "", "Schließt das aktive Dokument\nSchließen", E::Document, C::None, OnCloseCommand},
    {cmd::kSave, "S&peichern", "Strg+S", "Speichert das aktive Dokument\nSpeichern", E::Never, C::None, nullptr},
    {cmd::kAllDwgBlocks, "Alle DWG Blocks lesen", "", "", E::Never, C::None, nullptr},
    {cmd::kImport, "Import ( *.plt, *.prn , *.dwg, *.dxf)", "", "Plotterfile laden\nImport", E::Document, C::None,
     OnImportCommand},
    {cmd::kImportReport, report_texts::kCommand, "", report_texts::kPrompt, E::Drawing, C::None,
     OnImportReportCommand},
    {cmd::kExport, "Export ( *.plt )", "", "Plotterfile speichern\nExport", E::Drawing, C::None, OnExportCommand},
    {cmd::kExportCorrection, "Export Radiuskorrektur ( *.plt )", "", "Radiuskorrektur speichern\nRK speichern",
     E::Corrected, C::None, OnExportCorrectionCommand},
    {cmd::kPrint, "&Drucken...", "Strg+P", "Druckt das aktive Dokument\nDrucken", E::Document, C::None,
     OnPrintCommand},
    {cmd::kPrintPreview, "Sei&tenansicht", "", "Zeigt ganze Seiten an\nSeitenansicht", E::Document, C::None,
     OnPrintPreviewCommand},
    {cmd::kPrintSetup, "Drucker&einrichtung...", "", "Ändert die Druckeroptionen\nDruckereinrichtung", E::Always,
     C::None, OnPrintSetupCommand},
    {cmd::kRecent, "Letzte Datei", "", "Öffnet dieses Dokument", E::Never, C::None, nullptr},
    {cmd::kExit, "&Beenden", "", "Verlässt die Anwendung\nBeenden", E::Always, C::None, OnExitCommand},
    // "&Bearbeiten"
    {cmd::kUndoDelete, "&Rückgängig löschen", "Strg+Z", "Macht das letzte Löschen rückgängig.\nRückgängig",
     E::UndoAvailable, C::None, OnUndoDeleteCommand},
    {cmd::kClearAll, "Alles löschen", "", "", E::Document, C::None, OnClearAllCommand},
    {cmd::kCut, "&Ausschneiden", "Strg+X", "Schneidet die Markierung aus\nAusschneiden", E::Never, C::None, nullptr},
    {cmd::kCopy, "&Kopieren", "Strg+C", "Kopiert die Markierung\nKopieren", E::Never, C::None, nullptr},
    {cmd::kPaste, "E&infügen", "Strg+V", "Fügt den Inhalt der Zwischenablage ein\nEinfügen", E::Never, C::None,
     nullptr},
    {cmd::kRadiusCorrection, "Radiuskorrektur", "", "Radiuskorrektur\nRadiuskorrektur", E::DrawingNotExport,
     C::None, OnRadiusCorrectionCommand},
    {cmd::kJoin, "Zusammenfügen", "", "Vektoren verbinden\nVerbinden", E::Drawing, C::None, OnJoinCommand},
    {cmd::kClockwise, "In Uhrzeigerrichtung drehen", "", "Alle Vektoren in Uhrzeigerrichtung drehen\nIn Uhrzeiger",
     E::Drawing, C::None, OnClockwiseCommand},
    {cmd::kCounterClockwise, "Gegen Uhrzeigerrichtung drehen", "",
     "Alle Vektoren gegen Uhrzeigerrichtung drehen\nGegen Uhrzeiger", E::Drawing, C::None, OnCounterClockwiseCommand},
    {32848, "Nutzen erstellen", "", "", E::WasEmptyAtImport, C::None, OnGridCopiesCommand},
    {32838, "Rechteck zeichnen", "", "Zeichnet ein Rechteck", E::NoDrawingWidth, C::None, OnRectangleCommand},
    {32839, "Trapez zeichnen", "", "", E::NoDrawingWidth, C::None, OnTrapezoidCommand},
    {32840, "Trapez zeichnen (90 Grad gedreht)", "", "", E::NoDrawingWidth, C::None, OnTrapezoidRotatedCommand},
    // "Mousefunktion": each chooses the view's mouse function; none while the export takes clicks.
    {cmd::kZoomArea, "Zoom Bereich", "", "Zoomen (mit der Mouse den Bereich wählen)\nZoom ", E::DocumentNotExport,
     C::Mouse0, OnMouseModeCommand<0>},
    {cmd::kMouseExport, "RK Export mit Mouse", "",
     "Mit der Mouse angewählte Radiuskorrektur in eine Datei schreiben\nSelektierter Export", E::Corrected, C::Mouse7,
     OnMouseModeCommand<7>},
    {cmd::kOrderAuto, "Reihenfolge automatisch", "",
     "Alle Radiuskorrekturen in einer günstigen Reihenfolge in die Fräsliste übernehmen\nReihenfolge automatisch",
     E::Corrected, C::None, OnOrderAutoCommand},
    {32783, "Startpunkt setzen", "", "Startpunkt setzen (mit der Mouse anwählen)\nStartpunkt setzen",
     E::DocumentNotExport, C::Mouse1, OnMouseModeCommand<1>},
    {32784, "Vektor umdrehen", "", "Vektoren umdrehen (mit der Mouse anwählen)\nUmdrehen", E::DocumentNotExport,
     C::Mouse2, OnMouseModeCommand<2>},
    {32785, "Punkt löschen", "", "Vektorpunkt löschen(mit der Mouse anwählen)\nPunkt löschen", E::DocumentNotExport,
     C::Mouse6, OnMouseModeCommand<6>},
    {32836, "Vektorlöschen", "", "Vektorketten löschen\nVektor löschen", E::DocumentNotExport, C::Mouse3,
     OnMouseModeCommand<3>},
    {32824, "Farben zuordnen", "", "Den Farben vom DWG-File neue Stifte zuordnen", E::CadNotExport, C::Mouse11,
     OnMouseModeCommand<11>},
    {32803, "Info Stift", "", "Stiftnummer anzeigen\nStift anzeigen", E::DocumentNotExport, C::Mouse8,
     OnMouseModeCommand<8>},
    {32804, "Info Werkzeug", "", "Werkzeugnummer anzeigen\nWerkzeug anzeigen", E::DocumentNotExport,
     C::Mouse9, OnMouseModeCommand<9>},
    {32826, "Stege einfügen", "", "Stege in Radiuskorrektur einfügen\nStege in RK einfügen", E::CorrectedNotExport,
     C::Mouse12, OnMouseModeCommand<12>},
    {32827, "Bohrung in Ecke setzen", "",
     "Bohrung einfügen (Auf die Kontur klicken)\nEcke bohren(Auf die Kontur klicken)", E::CorrectedNotExport,
     C::Mouse13, OnMouseModeCommand<13>},
    {32828, "In die Ecke fräsen", "",
     "Einen Vektor zur Ecke einfügen (Auf die RK klicken)\nEckvektor einfügen(Auf die RK klicken)",
     E::CorrectedNotExport, C::Mouse14, OnMouseModeCommand<14>},
    {32821, "Info Vektor ", "", "Information Vektorkette\nInfo Vektor", E::DrawingNotExport, C::Mouse10,
     OnMouseModeCommand<10>},
    // "Farbdarstellung"
    {cmd::kColourClosedOpen, "Geschlossen, Offen", "", "", E::Document, C::ColourMode0, OnColourClosedOpenCommand},
    {cmd::kColourPen, "Stiftfarbe", "", "", E::Document, C::ColourMode1, OnColourPenCommand},
    {cmd::kColourTool, "Werkzeugfarbe", "", "", E::Document, C::ColourMode4, OnColourToolCommand},
    {cmd::kColourDirection, "Drehrichtung", "", "", E::Document, C::ColourMode5, OnColourDirectionCommand},
    // "&Ansicht"
    {cmd::kToolBar, "&Symbolleiste", "", "Blendet die Symbolleiste ein oder aus\nSymbolleiste ein-/ausschalten",
     E::Always, C::ToolBar, OnToolBarCommand},
    {cmd::kStatusBar, "S&tatusleiste", "", "Blendet die Statusleiste ein oder aus\nStatusleiste ein-/ausschalten",
     E::Always, C::StatusBar, OnStatusBarCommand},
    {cmd::kZoomWorkpiece, "Zoom Werkstück", "", "Zoom auf Werkstückgröße\nZoom Werkstück", E::Document, C::None,
     OnZoomWorkpieceCommand},
    {cmd::kZoomMachine, "Zoom Maschine", "", "Zoom auf Maschinengröße\nZoom Maschinengröße", E::Document, C::None,
     OnZoomMachineCommand},
    {cmd::kZoomMaterial, "Zoom Material", "", "Zoom auf Materialgröße\nZoom Material", E::Document, C::None,
     OnZoomMaterialCommand},
    {cmd::kStartPoints, "Anfangspunkte", "", "", E::Document, C::StartPoints, OnStartPointsCommand},
    {cmd::kEndPoints, "Endpunkte", "", "", E::Document, C::EndPoints, OnEndPointsCommand},
    {cmd::kAllPoints, "Alle Punkte", "", "", E::Document, C::AllPoints, OnAllPointsCommand},
    {cmd::kRadiusPoints, "Alle Radius Punkte", "", "", E::Document, C::RadiusPoints, OnRadiusPointsCommand},
    {cmd::kToolPath, "Fräsbahn", "", "", E::Always, C::ToolPath, OnToolPathCommand},
    {cmd::kProblems, "Probleme anzeigen", "", "", E::Document, C::Problems, OnProblemsCommand},
    // "&Fenster"
    {57648, "Neues &Fenster", "", "Öffnet ein weiteres Fenster für das aktive Dokument\nNeues Fenster", E::Never,
     C::None, nullptr},
    {57650, "Über&lappend", "", "Ordnet die Fenster überlappend an\nÜberlappend", E::Document, C::None,
     OnCascadeCommand},
    {57651, "&Nebeneinander", "", "Ordnet die Fenster nebeneinander an\nNebeneinander", E::Document, C::None,
     OnTileCommand},
    {57649, "&Symbole anordnen", "", "Ordnet die Symbole am unteren Fensterrand an\nSymbole anordnen", E::Document,
     C::None, OnTileCommand},
    // Top-level entries and their popups
    {32849, "Werkzeuge", "", "", E::Always, C::None, OnToolsCommand},
    {32790, "Stiftfarbe", "", "", E::Always, C::None, OnPenColoursCommand},
    {cmd::kSettings, "Config", "", "", E::Always, C::None, OnSettingsCommand},
    {cmd::kModelSpace, "Lade Modelspace", "", "", E::CadReader, C::ModelSpace, OnModelSpaceCommand},
    {cmd::kRemainingBlocks, "Lade restliche Blocks", "", "", E::CadReader, C::RemainingBlocks,
     OnRemainingBlocksCommand},
    {cmd::kPaperSpace, "Lade Paperspace", "", "", E::CadReader, C::PaperSpace, OnPaperSpaceCommand},
    {cmd::kTips, "Tips", "", "", E::Always, C::None, OnTipsCommand},
    {cmd::kHelpIndex, "&Hilfethemen", "", "Listet Hilfethemen auf\nHilfethemen", E::Never, C::None, nullptr},
    {cmd::kAbout, "Inf&o über Quenk...", "", "Zeigt Programminformationen, Versionsnummer und Copyright an\nInfo",
     E::Always, C::None, OnAboutCommand},
    {32862, "-          -", "", "", E::Never, C::None, nullptr},
    {cmd::kMill, "Fräsen", "", "", E::Always, C::None, OnMillCommand},
    // Tool-bar commands without a menu entry
    {cmd::kPanLeft, "Zoom nach rechts", "", "Schiebe Bild nach links\nZoom nach rechts", E::Document, C::None,
     OnPanLeftCommand},
    {cmd::kPanRight, "Zoom nach links", "", "Schiebe Bild nach rechts\nZoom nach links", E::Document, C::None,
     OnPanRightCommand},
    {cmd::kPanDown, "Zoom nach oben", "", "Schiebe Bild nach unten\nZoom nach oben", E::Document, C::None,
     OnPanDownCommand},
    {cmd::kPanUp, "Zoom nach unten", "", "Schiebe Bild nach oben\nZoom nach unten", E::Document, C::None,
     OnPanUpCommand},
    {cmd::kZoomOut, "Zoom -", "", "Zoom verkleinern\nZoom -", E::Document, C::None, OnZoomOutCommand},
    {cmd::kZoomIn, "Zoom +", "", "Zoom vergössern\nZoom +", E::Document, C::None, OnZoomInCommand},
    {cmd::kWorkpieceInfo, "Info", "", "Information Werkstück\nInfo", E::Drawing, C::None, OnWorkpieceInfoCommand},
    {cmd::kContextHelp, "Hilfe", "", "Zeigt Hilfe für angeklickte Schaltflächen, Menüs und Fenster an\nHilfe",
     E::Never, C::None, nullptr},
    // Milling mode
    {cmd::kSaveJob, "save", "", "", E::Always, C::None, OnSaveJobCommand},
    {cmd::kGCode, "G-CODE", "", "", E::Always, C::None, OnGCodeCommand},
    {cmd::kWinPc, "SIMULATION", "", "", E::Always, C::None, OnWinPcCommand},
    {cmd::kSerialStart, "WinPC", "", "", E::Always, C::None, OnSerialStartCommand},
    {cmd::kMaterialData, "Materialdaten", "", "", E::Always, C::None, OnMaterialDataCommand},
    {cmd::kToolData, "Werkzeugdaten", "", "", E::Always, C::None, OnToolDataCommand},
    {cmd::kAllesFraesen, "Alles Fräsen", "", "", E::Always, C::None, OnAllesFraesenCommand},
};

constexpr int kFrameFile[] = {cmd::kNew, cmd::kPrintSetup, 0, cmd::kRecent, 0, cmd::kExit};
constexpr int kViewBars[] = {cmd::kToolBar, cmd::kStatusBar};
constexpr int kHelp128[] = {cmd::kHelpIndex, 0, cmd::kAbout};
const MenuPopup kMenu128[] = {{"&Datei", kFrameFile}, {"&Ansicht", kViewBars}, {"&?", kHelp128}};

constexpr int kFile[] = {cmd::kNew, cmd::kOpen, cmd::kClose, cmd::kSave, cmd::kAllDwgBlocks, 0, cmd::kImport,
                         cmd::kImportReport, cmd::kExport, cmd::kExportCorrection, 0, cmd::kPrint, cmd::kPrintPreview, cmd::kPrintSetup,
                         0, cmd::kRecent, 0, cmd::kExit};
constexpr int kEdit[] = {cmd::kUndoDelete, cmd::kClearAll, 0, cmd::kCut, cmd::kCopy, cmd::kPaste, 0,
                         cmd::kRadiusCorrection, cmd::kJoin, cmd::kClockwise, cmd::kCounterClockwise, 0, 32848,
                         32838, 32839, 32840};
constexpr int kMouse[] = {cmd::kZoomArea, cmd::kMouseExport, cmd::kOrderAuto, 32783, 32784, 32785, 32836, 32824,
                          32803, 32804, 32826, 32827, 32828, 32821};
constexpr int kColours[] = {cmd::kColourClosedOpen, cmd::kColourPen, cmd::kColourTool, cmd::kColourDirection};
constexpr int kView[] = {cmd::kToolBar, cmd::kStatusBar, 0, cmd::kZoomWorkpiece, cmd::kZoomMachine,
                         cmd::kZoomMaterial, 0, cmd::kStartPoints, cmd::kEndPoints, cmd::kAllPoints,
                         cmd::kRadiusPoints, 0, cmd::kToolPath, cmd::kProblems};
constexpr int kWindow[] = {57648, 57650, 57651, 57649};
constexpr int kCad[] = {cmd::kModelSpace, cmd::kRemainingBlocks, cmd::kPaperSpace};
constexpr int kHelp129[] = {cmd::kTips, cmd::kHelpIndex, 0, cmd::kAbout};
const MenuPopup kMenu129[] = {
    {"&Datei", kFile},          {"&Bearbeiten", kEdit},  {"Mousefunktion", kMouse},    {"Farbdarstellung", kColours},
    {"&Ansicht", kView},        {"&Fenster", kWindow},   {"Werkzeuge", {}, 32849},     {"Stiftfarbe", {}, 32790},
    {"Config", {}, 32789},      {"Config-DWG(DXF)", kCad}, {"&?", kHelp129},           {"-          -", {}, 32862},
    {"Fräsen", {}, cmd::kMill},
};

constexpr int kMainBar[] = {57600, 57601, 57603, 0,     32771, 32776, 0,     32787, 32812, 0,     57635, 57634,
                            57637, 0,     32772, 32819, 32818, 0,     32830, 32831, 32832, 32829, 0,     32833,
                            32834, 0,     32820, 0,     57607, 0,     57664, 57669, 0,     32860, 32860};
constexpr int kMouseBar[] = {32777, 32794, 32795, 32773, 0,     32782, 32812, cmd::kOrderAuto, 32783, 32784,
                             32785, 32836, 32824, 32803, 32804, 32826, 32827, 32828, 32821};
constexpr int kMillingBar[] = {32888, 0,     32772, 32819, 32818, 0,     32830, 32831, 32832,
                               32829, 0,     32833, 32834, 0,     32900, 32885, 0,     32907};
}  // namespace

std::span<const CommandEntry> Commands() { return kCommands; }

const CommandEntry* FindCommand(int id) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands), [id](const auto& e) { return e.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

std::span<const MenuPopup> FrameMenu() { return kMenu128; }
std::span<const MenuPopup> DocumentMenu() { return kMenu129; }
std::span<const int> MainToolBar() { return kMainBar; }
std::span<const int> MouseToolBar() { return kMouseBar; }
std::span<const int> MillingToolBar() { return kMillingBar; }
