#pragma once
// A dialog field's accepted range and the message that refuses a value outside it. The
// dialogs, quenk-cli and the options values' Validate() share these, so a value is refused
// with the same words wherever it was entered.

#include <string>

struct ValueRange {
    double min;
    double max;
    const char* minText;  // the bounds as the message names them
    const char* maxText;
};

// Also false for NaN.
inline bool InRange(double v, const ValueRange& r) { return v >= r.min && v <= r.max; }

// "Ungültiger Wert für <field> (erlaubt: <min> bis <max>)".
std::string RangeComplaint(const std::string& field, const ValueRange& r);

// The complaint when v lies outside r, else empty.
std::string CheckRange(double v, const std::string& field, const ValueRange& r);
