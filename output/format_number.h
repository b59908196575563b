#pragma once
// The program's number text for G-code and its comments. The value is rounded to ten
// significant digits first; magnitudes of 1 or more are written with the integer digits and
// at most three further digits (cut off), smaller ones with exactly nine decimals. Zero is
// "0.0". Independent of any locale.

#include <cstddef>
#include <cstdint>
#include <string>

// Room for any finite double in this form (up to 309 integer digits, sign, point, decimals).
inline constexpr std::size_t kFormatNumberMax = 330;

// Writes the text of v to out (at least kFormatNumberMax bytes) and returns the end.
// A non-finite value is written "0.0"; the G-code generator refuses such values before.
char* FormatNumberTo(double v, char* out);
std::string FormatNumber(double v);

namespace format_detail {
// v (finite, non-zero) rounded to ten significant digits: digits holds a ten-digit integer
// (10^9 <= digits < 10^10) and the value is digits * 10^(exponent - 9).
struct Decimal10 {
    std::uint64_t digits;
    int exponent;
};
// Fast path with an exact fallback; always equal to Round10Exact.
Decimal10 Round10(double v);
// The reference: the standard library's correctly rounded conversion.
Decimal10 Round10Exact(double v);
}  // namespace format_detail
