#include "model/value_range.h"

#include <charconv>

std::string RangeComplaint(const std::string& field, const ValueRange* range) {
    if (!range) return texts::kValueOutOfRange + field;
    return texts::kValueOutOfRange + field + texts::kValueRangeOpen + range->minText + texts::kValueRangeJoin +
           range->maxText + texts::kValueRangeClose;
}

std::string CheckRange(double v, const std::string& field, const ValueRange& r) {
    return InRange(v, r) ? std::string() : RangeComplaint(field, r);
}

std::string FieldNumberText(double v) {
    // The digits of a double that survive every printing: the framework's dialogs show as many.
    constexpr int kDigits = 15;
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, v, std::chars_format::general, kDigits).ptr;
    return std::string(text, end);
}

std::string NumberRangeMessage(double min, double max) {
    return texts::kNumberBetween + FieldNumberText(min) + texts::kNumberBetweenAnd + FieldNumberText(max) +
           texts::kNumberBetweenEnd;
}
