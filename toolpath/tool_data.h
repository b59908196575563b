#pragma once
// The tool data that the tool dialogs edit, as a plain flow: a dialog, the command line and
// a test fill the options, Validate() names a value out of its range, and SetToolData
// writes the tool's record and the tool tables together.

#include <optional>
#include <string>
#include <vector>

class CQuenkApp;

// Diameters the tools dialog accepts, in millimetres.
inline constexpr double kMaxToolDiameter = 50.0;

struct ToolDataOptions {
    int tool = 1;           // 1..16
    double diameter = 0.0;  // millimetres
    // The "Rechts" check box: the path right of the direction of travel; none keeps the side.
    std::optional<bool> right;

    // Empty when every value lies in its range, else the message of the first that does not.
    std::string Validate() const;
};

// Writes diameter and side into the tool's record and into the tables m_toolDiameter and
// m_toolSide (index tool - 1). False, with nothing changed, when Validate() complains.
bool SetToolData(CQuenkApp& app, const ToolDataOptions& options);

// The entry i of a tool table, grown so that it exists; the settings give 17 entries, this
// only guards.
template <typename T>
T& TableEntry(std::vector<T>& table, int i) {
    if (table.size() <= static_cast<std::size_t>(i)) table.resize(static_cast<std::size_t>(i) + 1);
    return table[static_cast<std::size_t>(i)];
}
