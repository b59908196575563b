#include "model/value_range.h"

std::string RangeComplaint(const std::string& field, const ValueRange* range) {
    if (!range) return texts::kValueOutOfRange + field;
    return texts::kValueOutOfRange + field + texts::kValueRangeOpen + range->minText + texts::kValueRangeJoin +
           range->maxText + texts::kValueRangeClose;
}

std::string CheckRange(double v, const std::string& field, const ValueRange& r) {
    return InRange(v, r) ? std::string() : RangeComplaint(field, r);
}
