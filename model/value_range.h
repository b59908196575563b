#pragma once
// A dialog field's accepted range and the messages that refuse a value outside it. Every
// dialog refuses with the framework's own words, "Geben Sie eine Zahl zwischen 0 und 5 ein.";
// quenk-cli, the file readers and the options values' Validate(), which have no field to
// select, name the value: "Ungültiger Wert für Stift (erlaubt: 1 bis 16)".

#include <string>

namespace texts {
inline constexpr const char* kValueOutOfRange = "Ungültiger Wert für ";
inline constexpr const char* kValueRangeOpen = " (erlaubt: ";
inline constexpr const char* kValueRangeJoin = " bis ";
inline constexpr const char* kValueRangeClose = ")";
inline constexpr const char* kNumberBetween = "Geben Sie eine Zahl zwischen ";
inline constexpr const char* kNumberBetweenAnd = " und ";
inline constexpr const char* kNumberBetweenEnd = " ein.";
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

// A number as a dialog field shows it: up to 15 significant digits ("0.1", "100000",
// "10000000000").
std::string FieldNumberText(double v);
// The dialogs' message for [min, max], with the limits as a field shows them.
std::string NumberRangeMessage(double min, double max);
inline std::string NumberRangeMessage(const ValueRange& r) { return NumberRangeMessage(r.min, r.max); }
