#pragma once
// Text that a writer puts into a machine program (a comment, the program name after "%").
// Names come from the user and from file names; a controller must read them as text and
// never as a command.

#include <string>
#include <string_view>

// The Windows-1252 bytes of utf8 made safe for a comment or the "%" line: "(" and ")"
// become "[" and "]", so the text can neither close its comment nor open a nested one (which
// LinuxCNC refuses), and every control character (CR, LF, tab, the C1 range that the code
// page leaves undefined, …) becomes a blank, so the text stays on its own line.
std::string ProgramText(std::string_view utf8);
