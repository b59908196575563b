#pragma once
// The values that end up as numbers in a machine program, with the ranges their dialogs
// accept. A value outside its range cannot come from the dialogs, only from a damaged file
// or a script; it must never reach a program, where it would turn into a plunge to the
// full depth, a coordinate of zero or a number the controller cannot read.

#include <string>
#include <vector>

class CQuenkApp;

namespace texts {
inline constexpr const char* kValueOutOfRange = "Ungültiger Wert für ";
inline constexpr const char* kValueRangeOpen = " (erlaubt: ";
inline constexpr const char* kValueRangeJoin = " bis ";
inline constexpr const char* kValueRangeClose = ")";
}  // namespace texts

// The message for a value of field outside minText to maxText: "Ungültiger Wert für "
// field " (erlaubt: " minText " bis " maxText ")".
std::string ValueRangeComplaint(const std::string& field, const char* minText, const char* maxText);

// The message for the first value outside its range, naming its field; empty when every
// value is inside. Checks the material data, the plotter unit and the tool data of tools
// 1..16 that the tables hold.
std::string ProgramValueComplaint(const CQuenkApp& app);

// Puts every value outside its range back to the value defaults holds (a table entry to
// the entry defaults holds, or to 0 when it has none) and appends the field's name to
// repaired.
void RepairProgramValues(CQuenkApp& app, const CQuenkApp& defaults, std::vector<std::string>& repaired);
