#pragma once
// The desktop program's commands as data: every menu entry, tool-bar button and accelerator
// with its id, text, shortcut text, status-bar prompt and tool tip, the rule that enables it,
// the rule that checks it and the function that runs it. The frame builds its menus, tool
// bars and status bar from these tables and nothing else.

#include <cstdint>
#include <span>

struct CommandContext;

// When an entry is enabled.
enum class EnableRule : std::uint8_t {
    Always,
    Never,              // framework commands without a handler of their own
    Drawing,            // the document holds a drawing
    Corrected,          // the radius correction was run
    DrawingNotExport,   // a drawing, and the mouse export is not taking clicks
    WasEmptyAtImport,   // the drawing was imported into an empty document
    NoDrawingWidth,     // the document's maximum x is 0
    CadReader,          // the CAD reader is ready
    Document,           // a document is open
    DocumentNotExport,  // a document, and the mouse export is not taking clicks
    CorrectedNotExport, // corrected, and the mouse export is not taking clicks
    CadNotExport,       // an imported CAD drawing, and the mouse export is not taking clicks
    UndoAvailable,      // the view can undo its last deletion
};

// When an entry carries a check mark.
enum class CheckRule : std::uint8_t {
    None,
    ColourMode0, ColourMode1, ColourMode4, ColourMode5,
    ToolPath, StartPoints, EndPoints, AllPoints, Problems, RadiusPoints,
    ModelSpace, RemainingBlocks, PaperSpace,
    ToolBar, StatusBar,
    // The mouse function m_nMouseMode is 0, 1, 2, 3, 6, 7, 8, ... 14.
    Mouse0, Mouse1, Mouse2, Mouse3, Mouse6, Mouse7, Mouse8, Mouse9, Mouse10, Mouse11, Mouse12, Mouse13, Mouse14,
};

using CommandHandler = void (*)(CommandContext&);

struct CommandEntry {
    int id;
    const char* text;      // menu text; for tool-bar-only commands the tool tip
    const char* shortcut;  // shown behind a tab, "" for none
    const char* prompt;    // string table: prompt, then "\n" and the tool tip; "" for none
    EnableRule enable;
    CheckRule check;
    CommandHandler handler;  // nullptr: listed, not yet wired
};

// A popup of a menu bar, or a top-level command when items is empty and id is set.
struct MenuPopup {
    const char* title;
    std::span<const int> items;  // command ids, 0 for a separator
    int id = 0;
};

// The ids that name the commands elsewhere.
namespace cmd {
inline constexpr int kNew = 57600, kOpen = 57601, kClose = 57602, kSave = 57603;
inline constexpr int kPrint = 57607, kPrintPreview = 57609, kPrintSetup = 57606, kRecent = 57616, kExit = 57665;
inline constexpr int kUndoDelete = 57643, kClearAll = 32841, kCut = 57635, kCopy = 57634, kPaste = 57637;
inline constexpr int kImport = 32771, kExport = 32776, kExportCorrection = 32787, kAllDwgBlocks = 32842;
inline constexpr int kRadiusCorrection = 32773, kJoin = 32777, kClockwise = 32794, kCounterClockwise = 32795;
inline constexpr int kZoomWorkpiece = 32772, kZoomMachine = 32818, kZoomMaterial = 32819, kZoomArea = 32782;
inline constexpr int kPanLeft = 32829, kPanRight = 32830, kPanDown = 32831, kPanUp = 32832;
inline constexpr int kZoomOut = 32833, kZoomIn = 32834, kWorkpieceInfo = 32820;
inline constexpr int kMouseExport = 32812, kOrderAuto = 32950, kImportReport = 32951;
inline constexpr int kColourClosedOpen = 32791, kColourPen = 32792, kColourTool = 32800, kColourDirection = 32858;
inline constexpr int kToolPath = 32775, kStartPoints = 32778, kEndPoints = 32779, kAllPoints = 32780;
inline constexpr int kRadiusPoints = 32817, kProblems = 32781;
inline constexpr int kToolBar = 59392, kStatusBar = 59393;
inline constexpr int kModelSpace = 32843, kRemainingBlocks = 32845, kPaperSpace = 32844;
inline constexpr int kTips = 104, kHelpIndex = 57667, kAbout = 57664, kContextHelp = 57669;
inline constexpr int kSettings = 32789;
inline constexpr int kMill = 32860, kSaveJob = 32888, kGCode = 32900;
inline constexpr int kSerialStart = 32866;
inline constexpr int kWinPc = 32885, kMaterialData = 32907, kToolData = 32910, kAllesFraesen = 32859;
}  // namespace cmd

// Every command the frame knows, menu 129's entries first.
std::span<const CommandEntry> Commands();
const CommandEntry* FindCommand(int id);

// Menu 128 (no document open) and menu 129 (the document menu).
std::span<const MenuPopup> FrameMenu();
std::span<const MenuPopup> DocumentMenu();

// Tool-bar buttons in order, 0 for a separator.
std::span<const int> MainToolBar();
std::span<const int> MouseToolBar();
std::span<const int> MillingToolBar();

// Status bar: the idle prompt and the texts of the three indicator panes.
inline constexpr const char* kIdlePrompt = "Drücken Sie F1, um Hilfe zu erhalten.";
inline constexpr const char* kIndicatorPanes[] = {"UF", "NUM", "RF"};
