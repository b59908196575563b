#pragma once
// The state of the running program that outlives a drawing: settings, tool objects and
// tables, the milling job and the mode flags. The desktop program owns one; quenk-cli and
// the tests make their own. Members are defined in the folder of the subsystem they serve.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/werkzeug.h"

class CFraesKontur;
class SerialPort;

// The machine's tools, and the pens, are numbers kFirstTool..kLastTool.
inline constexpr std::int32_t kFirstTool = 1;
inline constexpr std::int32_t kLastTool = 16;
// How many tools (and pens) there are; arrays of one entry per tool start at tool 1.
inline constexpr int kToolCount = kLastTool - kFirstTool + 1;
// Tool number that means "no tool": the correction is cleared.
inline constexpr std::int32_t kNoTool = 17;
// Tables indexed by pen or tool number have entries 0..16.
inline constexpr int kTableSize = kLastTool + 1;

// The machine's working area and the material in drawing units: their millimetre settings
// divided by the plotter unit, taken afresh from the settings at every use.
struct DrawingFrames {
    double machineX, machineY;            // the working area, from the origin
    double materialZeroX, materialZeroY;  // the material's lower left corner
    double materialX, materialY;          // the material's size
};

class CQuenkApp {
public:
    CQuenkApp();
    ~CQuenkApp();
    CQuenkApp(const CQuenkApp&) = delete;
    CQuenkApp& operator=(const CQuenkApp&) = delete;

    // ---- settings file "QuenkV4.dat" ----
    std::string m_strSettingsVersion = "Quenk Ver. 4.6";
    double m_plotterUnit = 0.025;
    std::int32_t m_importOrder = 0;
    std::int32_t m_showUnknownCommands = 0;
    std::int32_t m_screenMargin = 20;
    double m_segmentAngle = 1.0;
    double m_joinDistance = 0.5;
    double m_machineX = 0.0;
    double m_machineY = 0.0;
    std::int32_t m_reserved1 = 1;
    std::string m_lastExportPath;
    std::string m_lastImportPath;
    double m_materialX = 0.0;
    double m_materialY = 0.0;
    double m_workZeroX = 10.0;
    double m_workZeroY = 10.0;
    std::int32_t m_reserved2 = 0;
    double m_viewScale = 1.0;
    std::int32_t m_rkToolMode = 1;
    std::int32_t m_viewState1 = 0;
    std::int32_t m_viewState2 = 0;
    std::uint32_t m_displayColour1 = 0xE6E6E6;
    std::uint32_t m_displayColour2 = 0xE6E6E6;
    std::uint32_t m_displayColour3 = 0xE6E6E6;
    std::uint32_t m_displayColour4 = 0x05FAFA;
    std::uint32_t m_displayColour5 = 0xFF0505;
    double m_tabSize = 1.5;
    double m_maxVectorLength = 0.5;
    double m_materialZeroX = 0.0;
    double m_materialZeroY = 0.0;
    std::int32_t m_bLoadModelspace = 1;
    std::int32_t m_bLoadPaperspace = 0;
    std::int32_t m_bLoadRemainingBlocks = 0;
    std::uint8_t m_cleanContourSetting = 0;
    std::string m_materialName;
    double m_materialThickness = 0.0;
    double m_safetyDistance = 0.0;
    double m_zTop = 0.0;
    double m_zBottom = 0.0;
    std::int32_t m_zReference = 0;
    std::int32_t m_depthMode = 0;
    double m_extraDepth = 0.1;
    std::uint8_t m_bUseComPort = 0;
    std::int32_t m_comPort = 3;
    // The serial controller's port while it is open (see output/handoff.h).
    std::unique_ptr<SerialPort> m_comHandle;
    std::vector<CWerkzeug> m_tools;  // position i is tool i + 1
    std::vector<std::uint32_t> m_penColours;
    std::vector<std::uint32_t> m_toolColours;
    std::vector<std::int32_t> m_penTool;
    std::vector<std::int32_t> m_penFunction;
    std::vector<std::int32_t> m_colourPen;
    std::vector<double> m_toolDiameter;  // index tool - 1
    std::vector<double> m_toolDepth;     // index tool
    std::vector<std::int32_t> m_toolSide;  // index tool - 1
    std::vector<double> m_toolValueC;
    std::vector<double> m_toolFeedXY;
    std::vector<double> m_toolFeedZ;
    std::vector<std::uint32_t> m_toolColoursB;

    std::string m_settingsPath;          // where the settings were read and are written
    std::uint8_t m_bSaveSettingsOnExit = 1;
    // Reads "QuenkV4.dat" (path empty: in the working directory); see files/settings_file.h.
    void LoadSettings(const std::string& path = std::string());
    // Writes the settings to m_settingsPath when m_bSaveSettingsOnExit is set; false when the
    // file could not be written (the user has been told).
    bool SaveSettings();

    // ---- milling job ----
    std::string m_strJobVersion = "Quenk Ver. 4.c";
    std::int32_t m_jobReserved = 0;
    double m_maxPassDepth = 0.0;
    std::vector<std::unique_ptr<CFraesKontur>> m_millingList;
    double m_jobMinX = 0.0, m_jobMaxX = 0.0, m_jobMinY = 0.0, m_jobMaxY = 0.0;
    std::vector<std::int32_t> m_toolUsed;  // index tool, milling panel check boxes
    std::string m_drawingTitle;
    double m_pathMinX = 0.0, m_pathMaxX = 0.0, m_pathMinY = 0.0, m_pathMaxY = 0.0;
    std::uint8_t m_skipOverwriteQuestion = 0;

    // ---- mode flags ----
    std::int32_t m_bMillingReady = 0;
    std::int32_t m_bMillingMode = 0;
    // Colour display mode of the views (shared by all views); "Copy to Kontur" resets it.
    std::int32_t m_nColorMode = 0;
    // The current mouse function of the views (shared by all views); 7 while the mouse
    // export takes clicks.
    std::int32_t m_nMouseMode = 0;
};

DrawingFrames FramesInDrawingUnits(const CQuenkApp& app);
