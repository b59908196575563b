#include "files/settings_fields.h"

#include "model/program_values.h"

namespace {
using DC = DialogControl;

// The settings dialog's ranges.
constexpr ValueRange kScreenMargin{0.0, 100.0, "0", "100"};
constexpr ValueRange kJoinDistance{0.0, 100.0, "0", "100"};
constexpr ValueRange kSegmentAngle{0.1, 90.0, "0.1", "90"};
constexpr ValueRange kMaxVectorLength{0.1, 100.0, "0.1", "100"};
constexpr ValueRange kMachineSize{10.0, 1e10, "10", "10000000000"};
constexpr ValueRange kMaterialSize{0.0, 1e10, "0", "10000000000"};
constexpr ValueRange kMaterialZero{0.0, 10000.0, "0", "10000"};
constexpr ValueRange kComPort{1.0, 9.0, "1", "9"};

constexpr const char* kCircles = "Umwandlung von Kreissegmenten";
constexpr const char* kMachine = "Arbeitsbereich Maschine :";
constexpr const char* kMaterial = "Materialgröße :";
constexpr const char* kWorkZero = "Nullpunkt Werkstück:";

const FileField kFields[] = {
    {QUENK_MEMBER(m_strSettingsVersion)},
    {QUENK_MEMBER(m_plotterUnit), kSettingsV40,
     {.label = "Plottereinheit :", .unit = "mm", .title = "Plottereinheit", .range = &kPlotterUnitRange}},
    {QUENK_MEMBER(m_importOrder), kSettingsV40,
     {.label = "", .group = "Import", .title = "Import", .range = &kChoiceRange, .control = DC::RadioPair,
      .choices = {{"*.dwg", 0}, {"*.plt", 1}}}},
    {QUENK_MEMBER(m_showUnknownCommands), kSettingsV40,
     {.label = "", .group = "Unbekannte Befehle anzeigen", .title = "Unbekannte Befehle anzeigen",
      .range = &kChoiceRange, .control = DC::RadioPair, .choices = {{"JA", 1}, {"NEIN", 0}}}},
    {QUENK_MEMBER(m_screenMargin), kSettingsV40,
     {.label = "Bildschirmrand :", .unit = "Pixel", .title = "Bildschirmrand", .range = &kScreenMargin}},
    {QUENK_MEMBER(m_segmentAngle), kSettingsV40,
     {.label = "Kreissegmente :", .unit = "Grad", .group = kCircles, .title = "Kreissegmente",
      .range = &kSegmentAngle}},
    {QUENK_MEMBER(m_joinDistance), kSettingsV40,
     {.label = "Zusammenfügen bis", .unit = "mm", .title = "Zusammenfügen bis", .range = &kJoinDistance}},
    {QUENK_MEMBER(m_machineX), kSettingsV40,
     {.label = "X :", .unit = "mm", .group = kMachine, .title = "Arbeitsbereich Maschine X", .range = &kMachineSize}},
    {QUENK_MEMBER(m_machineY), kSettingsV40,
     {.label = "Y :", .unit = "mm", .group = kMachine, .title = "Arbeitsbereich Maschine Y", .range = &kMachineSize}},
    {QUENK_MEMBER(m_reserved1)},
    {QUENK_MEMBER(m_lastExportPath)},
    {QUENK_MEMBER(m_lastImportPath)},
    {QUENK_MEMBER(m_materialX), kSettingsV40,
     {.label = "X :", .unit = "mm", .group = kMaterial, .title = "Materialgröße X", .range = &kMaterialSize}},
    {QUENK_MEMBER(m_materialY), kSettingsV40,
     {.label = "Y :", .unit = "mm", .group = kMaterial, .title = "Materialgröße Y", .range = &kMaterialSize}},
    {QUENK_MEMBER(m_workZeroX), kSettingsV40,
     {.label = "X :", .unit = "mm", .group = kWorkZero, .title = "Nullpunkt Werkstück X"}},
    {QUENK_MEMBER(m_workZeroY), kSettingsV40,
     {.label = "Y :", .unit = "mm", .group = kWorkZero, .title = "Nullpunkt Werkstück Y", .range = &kMaterialSize}},
    {QUENK_MEMBER(m_reserved2)},
    {QUENK_MEMBER(m_viewScale)},
    {QUENK_MEMBER(m_rkToolMode)},
    {QUENK_MEMBER(m_viewState1)},
    {QUENK_MEMBER(m_viewState2)},
    {QUENK_MEMBER(m_displayColour1)},
    {QUENK_MEMBER(m_displayColour2)},
    {QUENK_MEMBER(m_displayColour3)},
    {QUENK_MEMBER(m_displayColour4)},
    {QUENK_MEMBER(m_displayColour5)},
    {QUENK_MEMBER(m_tabSize)},
    {QUENK_MEMBER(m_maxVectorLength), kSettingsV40,
     {.label = "Maximale Vektorlänge:", .unit = "mm", .group = kCircles, .title = "Maximale Vektorlänge",
      .range = &kMaxVectorLength}},
    {QUENK_MEMBER(m_materialZeroX), kSettingsV40,
     {.label = "X :", .unit = "mm", .group = kMaterial, .heading = "Nullpunkt:", .title = "Nullpunkt Material X",
      .range = &kMaterialZero}},
    {QUENK_MEMBER(m_materialZeroY), kSettingsV40,
     {.label = "Y :", .unit = "mm", .group = kMaterial, .title = "Nullpunkt Material Y", .range = &kMaterialZero}},
    {QUENK_MEMBER(m_bLoadModelspace)},
    {QUENK_MEMBER(m_bLoadPaperspace)},
    {QUENK_MEMBER(m_bLoadRemainingBlocks)},
    {QUENK_MEMBER(m_cleanContourSetting)},
    {QUENK_MEMBER(m_materialName)},
    {QUENK_MEMBER(m_materialThickness)},
    {QUENK_MEMBER(m_safetyDistance)},
    {QUENK_MEMBER(m_zTop)},
    {QUENK_MEMBER(m_zBottom)},
    {QUENK_MEMBER(m_zReference)},
    {QUENK_MEMBER(m_depthMode)},
    {QUENK_MEMBER(m_extraDepth), kSettingsV41},
    {QUENK_MEMBER(m_bUseComPort), kSettingsV42,
     {.label = "Lotrix", .title = "Lotrix", .range = &kChoiceRange, .control = DC::CheckBox}},
    {QUENK_MEMBER(m_comPort), kSettingsV42, {.label = "COM", .title = "COM", .range = &kComPort}},
    {QUENK_MEMBER(m_tools)},
    {QUENK_MEMBER(m_penColours)},
    {QUENK_MEMBER(m_toolColours)},
    {QUENK_MEMBER(m_penTool)},
    {QUENK_MEMBER(m_penFunction)},
    {QUENK_MEMBER(m_colourPen)},
    {QUENK_MEMBER(m_toolDiameter)},
    {QUENK_MEMBER(m_toolDepth)},
    {QUENK_MEMBER(m_toolSide)},
    {QUENK_MEMBER(m_toolValueC)},
    {QUENK_MEMBER(m_toolFeedXY)},
    {QUENK_MEMBER(m_toolFeedZ), kSettingsV46},
    {QUENK_MEMBER(m_toolColoursB)},
};
}  // namespace

std::span<const FileField> SettingsFields() { return kFields; }
