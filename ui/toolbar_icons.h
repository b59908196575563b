#pragma once
// The program's own line icons, drawn from short path texts on a 16 x 16 grid at two sizes.

#include <QIcon>

// The tool-bar icon of a command; an empty icon for commands without one.
QIcon ToolBarIcon(int id);
QIcon ProgramIcon();
