#include "import/hpgl_number.h"

namespace {
// Magnitudes beyond 2^31 are held at 2^31; the sign then picks the 32-bit limit.
constexpr std::uint64_t kCap = 2147483648ULL;

// The characters after the digits that still belong to the number, and the signed result.
std::int32_t Finish(const unsigned char*& p, const unsigned char* end, bool negative, std::uint64_t v) {
    if (p < end && (*p == '.' || *p == '-'))
        while (p < end && (IsHpglDigit(*p) || *p == '-' || *p == '.')) ++p;
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
