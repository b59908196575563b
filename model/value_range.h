#pragma once
// A dialog field's accepted range and the message that refuses a value outside it. The
// dialogs, quenk-cli, the file readers and the options values' Validate() share these, so a
// value is refused with the same words wherever it was entered.

#include <string>

namespace texts {
inline constexpr const char* kValueOutOfRange = "Ungültiger Wert für ";
inline constexpr const char* kValueRangeOpen = " (erlaubt: ";
inline constexpr const char* kValueRangeJoin = " bis ";
inline constexpr const char* kValueRangeClose = ")";
}  // namespace texts

struct ValueRange {
    double min;
    double max;
    const char* minText;  // the bounds as the message names them
    const char* maxText;
};

// Also false for NaN.
inline bool InRange(double v, const ValueRange& r) { return v >= r.min && v <= r.max; }

// "Ungültiger Wert für <field> (erlaubt: <min> bis <max>)"; without a range only its first
// part.
std::string RangeComplaint(const std::string& field, const ValueRange* range);
inline std::string RangeComplaint(const std::string& field, const ValueRange& r) { return RangeComplaint(field, &r); }

// The complaint when v lies outside r, else empty.
std::string CheckRange(double v, const std::string& field, const ValueRange& r);
