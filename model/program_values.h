#pragma once
// The values that end up as numbers in a machine program, with the ranges their dialogs
// accept. A value outside its range cannot come from the dialogs, only from a damaged file
// or a script; it must never reach a program, where it would turn into a plunge to the
// full depth, a coordinate of zero or a number the controller cannot read.

#include <string>
#include <vector>

#include "model/value_range.h"

class CQuenkApp;

// Lengths in millimetres the material dialog accepts.
inline constexpr double kLongestLength = 100000.0;

inline constexpr ValueRange kPlotterUnitRange{0.02, 0.03, "0.02", "0.03"};
// A pair of radio buttons or a check box: 0 or 1.
inline constexpr ValueRange kChoiceRange{0.0, 1.0, "0", "1"};

// The message for the first value outside its range, naming its field; empty when every
// value is inside. Checks the material data, the plotter unit and the tool data of tools
// 1..16 that the tables hold.
std::string ProgramValueComplaint(const CQuenkApp& app);

// Puts every value outside its range back to the value defaults holds (a table entry to
// the entry defaults holds, or to 0 when it has none) and appends the field's name to
// repaired.
void RepairProgramValues(CQuenkApp& app, const CQuenkApp& defaults, std::vector<std::string>& repaired);
