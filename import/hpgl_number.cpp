#include "import/hpgl_number.h"

#include <cstring>

namespace {
// Magnitudes beyond 2^31 are held at 2^31; the sign then picks the 32-bit limit.
constexpr std::uint64_t kCap = 2147483648ULL;

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// The characters after the digits that still belong to the number, and the signed result.
std::int32_t Finish(const unsigned char*& p, const unsigned char* end, bool negative, std::uint64_t v) {
    if (p < end && (*p == '.' || *p == '-'))
        while (p < end && (IsDigit(*p) || *p == '-' || *p == '.')) ++p;
    if (v > kCap) v = kCap;
    if (negative) return static_cast<std::int32_t>(-static_cast<std::int64_t>(v));  // -2^31 fits
    return static_cast<std::int32_t>(v < kCap ? v : kCap - 1);
}
}  // namespace

std::int32_t ReadHpglNumberPlain(const unsigned char*& p, const unsigned char* end) {
    const bool negative = p < end && *p == '-';
    p += negative ? 1 : 0;
    std::uint64_t v = 0;
    for (; p < end; ++p) {
        const unsigned d = static_cast<unsigned>(*p) - '0';
        if (d > 9) break;
        v = v < kCap ? v * 10 + d : kCap;
    }
    return Finish(p, end, negative, v);
}

std::int32_t ReadHpglNumber(const unsigned char*& p, const unsigned char* end) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ && defined(__GNUC__)
    const unsigned char* q = p;
    const bool negative = q < end && *q == '-';
    q += negative ? 1 : 0;
    if (end - q >= 8) {
        std::uint64_t w;
        std::memcpy(&w, q, 8);
        // A digit's byte is 0x30..0x39: high nibble 3, low nibble below 10. Each byte's test
        // stays within the byte, so the first one failing it ends the number.
        const std::uint64_t t = w ^ 0x3030303030303030ull;
        const std::uint64_t other = (t | ((t & 0x0F0F0F0F0F0F0F0Full) + 0x0606060606060606ull)) & 0xF0F0F0F0F0F0F0F0ull;
        if (other != 0) {
            const int digits = __builtin_ctzll(other) / 8;
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
            return Finish(p, end, negative, v);
        }
    }
#endif
    return ReadHpglNumberPlain(p, end);
}
