#pragma once
// The controllers a G-code program is written for. The moves, depths, passes, safety height
// and their order are the same for all of them; only the words around the moves differ, and
// all of those differences are in one table (gcode_dialect.cpp).

#include <cstddef>
#include <optional>
#include <string_view>

enum class GCodeDialect {
    WinPcNc,   // the outside control program WinPC-NC: the program's original words
    Grbl,      // GRBL 1.1 controllers
    LinuxCnc,  // LinuxCNC's interpreter
};

inline constexpr GCodeDialect kAllDialects[] = {GCodeDialect::WinPcNc, GCodeDialect::Grbl, GCodeDialect::LinuxCnc};

// The words of one dialect. Lines are written with the program's CR LF line ends.
struct DialectWords {
    const char* label;  // the name the user sees ("WinPC-NC")
    const char* key;    // the name on the command line and in the application profile
    // The comment lines with a text from the user start with these words, so that no name
    // can make the comment one of the commands LinuxCNC reads from comments ("(MSG,", "(LOG,",
    // "(PY," …) or a GRBL message.
    const char* materialLabel;
    const char* nameStart;  // the line that names the program: nameStart, the name, nameEnd
    const char* nameEnd;
    const char* modes;      // the line of modal words before the units
    const char* units;      // millimetres
    bool unitsShareLine;    // the units word and the next line's text form one line
    const char* spindleOn;
    const char* spindleOff;
    const char* toolStart;  // the line of a tool change: toolStart, the tool's number, toolEnd
    const char* toolEnd;
    const char* toolPause;  // after a change from an earlier tool: a line that waits for the operator
    // G01 lines carry F words in mm/min from the tool's speeds (XY for cutting, Z for the
    // plunge), written where the feed changes.
    bool feedWords;
    bool spindleOffAtEnd;
    const char* end;
    // The longest line the controller takes, line end included; comment texts from the user
    // are cut to fit. 0: no limit.
    std::size_t longestLine;
};

const DialectWords& WordsOf(GCodeDialect dialect);
// The dialect of a key ("winpc", "grbl", "linuxcnc"); none for any other text.
std::optional<GCodeDialect> DialectOfKey(std::string_view key);
