#include "output/gcode_dialect.h"

namespace {
// GRBL keeps 80 characters of a line; a sender that counts characters must moreover fit the
// whole line into the controller's 128-byte receive buffer.
constexpr std::size_t kGrblLongestLine = 80;
// LinuxCNC reads a line into a buffer of 255 bytes and refuses a longer one ("Command too
// long"): with the CR LF end and the terminating zero, 253 characters fit.
constexpr std::size_t kLinuxCncLongestLine = 253;

// In the order of GCodeDialect.
const DialectWords kWords[] = {
    {
        "WinPC-NC", "winpc",
        "",                      // materialLabel
        "%", "",                 // name line
        "G90", "G71", true,      // modes, units
        "M03", "M05",            // spindle
        "T", "M6", nullptr,      // tool change
        false, false, "M30",     // feeds, end
        0,
    },
    {
        "GRBL", "grbl",
        "Material ",
        "( Programm ", " )",
        "G90G94G17", "G21", false,
        "M3", "M5",
        // GRBL has no tool changer words: the operator changes the tool at the pause.
        "( Werkzeug ", " )", "M0",
        true, true, "M30",
        kGrblLongestLine,
    },
    {
        "LinuxCNC", "linuxcnc",
        "Material ",
        "( Programm ", " )",
        "G90G94G17G40G49", "G21", false,
        "M3", "M5",
        "T", "M6", nullptr,
        true, true, "M2",
        kLinuxCncLongestLine,
    },
};
}  // namespace

const DialectWords& WordsOf(GCodeDialect dialect) { return kWords[static_cast<int>(dialect)]; }

std::optional<GCodeDialect> DialectOfKey(std::string_view key) {
    for (GCodeDialect d : kAllDialects)
        if (key == WordsOf(d).key) return d;
    return std::nullopt;
}
