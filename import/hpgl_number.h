#pragma once
// The numbers of a plotter file: the digits, '-' and '.' of one number, converted like a C
// integer conversion (sign, then digits up to the first other character), saturated at the
// 32-bit limits. A '.' or a further '-' ends the conversion (12.7 reads as 12, 5-3 as 5), but
// the characters still belong to the number. Both read from p, never past end, and leave p on
// the first character that is not the number's.

#include <cstdint>
#include <cstring>

inline bool IsHpglDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// A character at a time.
std::int32_t ReadHpglNumberPlain(const unsigned char*& p, const unsigned char* end);

// Eight characters at a time where the text allows: nearly every number of a plot file has
// fewer digits, and the loop per digit spent its time on the branch that ends it. Inline, as
// the reader calls it twice for every point.
inline std::int32_t ReadHpglNumber(const unsigned char*& p, const unsigned char* end) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ && defined(__GNUC__)
    const bool negative = p < end && *p == '-';
    const unsigned char* q = p + (negative ? 1 : 0);
    if (end - q >= 9) {
        std::uint64_t w;
        std::memcpy(&w, q, 8);
        // A digit's byte is 0x30..0x39: high nibble 3, low nibble below 10. Each byte's test
        // stays within the byte, so the first one failing it ends the number.
        const std::uint64_t t = w ^ 0x3030303030303030ull;
        const std::uint64_t other =
            (t | ((t & 0x0F0F0F0F0F0F0F0Full) + 0x0606060606060606ull)) & 0xF0F0F0F0F0F0F0F0ull;
        const int digits = other != 0 ? __builtin_ctzll(other) / 8 : 8;
        // After the digits the number goes on only with '.' or '-' (rare): the plain way then.
        if (digits < 8 && q[digits] != '.' && q[digits] != '-') {
            std::uint64_t v = 0;
            if (digits > 0) {
                // The digits at the top, zeros before them; then pairs, fours and eights of
                // digits are added up in place, the first character the most significant.
                v = (t & 0x0F0F0F0F0F0F0F0Full) << (8 * (8 - digits));
                v = (v * 10 + (v >> 8)) & 0x00FF00FF00FF00FFull;
                v = (v * 100 + (v >> 16)) & 0x0000FFFF0000FFFFull;
                v = (v * 10000 + (v >> 32)) & 0x00000000FFFFFFFFull;
            }
            p = q + digits;
            const auto value = static_cast<std::int64_t>(v);  // below 10^7
            return static_cast<std::int32_t>(negative ? -value : value);
        }
    }
#endif
    return ReadHpglNumberPlain(p, end);
}
