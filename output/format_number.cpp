#include "output/format_number.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace format_detail {
namespace {
// Powers of ten that a double holds exactly; the fast path multiplies only by these, so the
// product carries one rounding of at most half a unit in the last place.
constexpr double kExactPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr double kTenDigitsLow = 1e9;
constexpr double kTenDigitsHigh = 1e10;
// The scaled value lies below 10^10, where a double's unit in the last place is below
// 2e-6; a fraction this close to one half might round either way, so the exact conversion
// decides.
constexpr double kTieGuard = 4e-6;
}  // namespace

Decimal10 Round10Exact(double v) {
    char buf[48];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 9);
    // Form: d.ddddddddde[+-]xx
    std::uint64_t digits = static_cast<std::uint64_t>(buf[0] - '0');
    for (int i = 2; i < 11; ++i) digits = digits * 10 + static_cast<std::uint64_t>(buf[i] - '0');
    int exponent = 0;
    std::from_chars(buf[12] == '+' ? buf + 13 : buf + 12, res.ptr, exponent);
    return {digits, exponent};
}

Decimal10 Round10(double v) {
    const double a = std::fabs(v);
    const int binaryExponent = static_cast<int>((std::bit_cast<std::uint64_t>(a) >> 52) & 0x7FF) - 1023;
    // floor(b * log10(2)) is the decimal exponent or one below it.
    int e = static_cast<int>(std::floor(binaryExponent * 0.30102999566398120));
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int k = 9 - e;
        if (k < 0 || k > 22) break;
        const double scaled = a * kExactPow10[k];
        if (scaled >= kTenDigitsHigh) {
            ++e;
            continue;
        }
        if (scaled < kTenDigitsLow) {
            --e;
            continue;
        }
        const double whole = std::floor(scaled);
        const double frac = scaled - whole;
        if (std::fabs(frac - 0.5) < kTieGuard) break;
        std::uint64_t digits = static_cast<std::uint64_t>(whole) + (frac > 0.5 ? 1 : 0);
        if (digits == 10000000000ull) return {1000000000ull, e + 1};
        return {digits, e};
    }
    return Round10Exact(v);
}
}  // namespace format_detail

namespace {
// Writes the ten digits of d into out[0..9].
void TenDigits(std::uint64_t d, char* out) {
    for (int i = 9; i >= 0; --i) {
        out[i] = static_cast<char>('0' + d % 10);
        d /= 10;
    }
}

char* WriteZero(char* out) {
    out[0] = '0';
    out[1] = '.';
    out[2] = '0';
    return out + 3;
}

// Decimals written for magnitudes below 1, and the most for magnitudes of 1 or more.
constexpr int kSmallDecimals = 9;
constexpr int kLargeDecimals = 3;
}  // namespace

char* FormatNumberTo(double v, char* out) {
    if (v == 0.0 || !std::isfinite(v)) return WriteZero(out);
    const format_detail::Decimal10 d = format_detail::Round10(v);
    // Below 10^-9 the nine decimals would all be zero: such a value is floating-point noise
    // around zero and is written as zero.
    if (d.exponent < -kSmallDecimals) return WriteZero(out);
    char digits[10];
    TenDigits(d.digits, digits);
    char* p = out;
    if (v < 0.0) *p++ = '-';
    if (d.exponent < 0) {
        *p++ = '0';
        *p++ = '.';
        const int zeros = -d.exponent - 1;
        for (int i = 0; i < zeros; ++i) *p++ = '0';
        const int take = kSmallDecimals - zeros;
        std::memcpy(p, digits, static_cast<std::size_t>(take));
        return p + take;
    }
    const int integerDigits = d.exponent + 1;
    if (integerDigits <= 10) {
        std::memcpy(p, digits, static_cast<std::size_t>(integerDigits));
        p += integerDigits;
    } else {
        std::memcpy(p, digits, 10);
        p += 10;
        for (int i = 10; i < integerDigits; ++i) *p++ = '0';
    }
    *p++ = '.';
    for (int i = integerDigits; i < 10 && i < integerDigits + kLargeDecimals; ++i) *p++ = digits[i];
    return p;
}

std::string FormatNumber(double v) {
    char buf[kFormatNumberMax];
    return std::string(buf, FormatNumberTo(v, buf));
}
