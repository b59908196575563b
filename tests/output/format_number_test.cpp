#include "output/format_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "support/test_depth.h"

// Below 1 the nine-decimal form, from 1 on three decimals cut off (not rounded); the form is
// chosen after rounding to ten digits, noise around zero is zero, and large or non-finite
// values stay within their form.
TEST(FormatNumber, FormsOfTheProgramsNumbers) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0.0"}, {-0.0, "0.0"}, {0.5, "0.500000000"}, {0.05, "0.050000000"}, {-0.25, "-0.250000000"},
        {12.3456, "12.345"}, {100.0, "100.000"}, {-3.5, "-3.500"}, {10.5, "10.500"}, {1.0, "1.000"},
        {0.99999999999, "1.000"}, {-0.99999999999, "-1.000"}, {9.9999999999, "10.000"},
        {0.9999999999, "0.999999999"}, {1.99999999996, "2.000"}, {123.4567, "123.456"},
        {6.1e-17, "0.0"}, {-6.1e-17, "0.0"}, {9e-10, "0.0"}, {1e-9, "0.000000001"},
        {1.23456789e-5, "0.000012345"}, {5e-324, "0.0"}, {123456789.5, "123456789.5"},
        {1234567890.0, "1234567890."}, {1e12, "1000000000000."}, {std::nan(""), "0.0"}, {INFINITY, "0.0"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatNumber(value), text) << value;
    EXPECT_LT(FormatNumber(-1.7976931348623157e308).size(), kFormatNumberMax);
}

// The fast rounding must agree with the correctly rounded conversion everywhere, ties and
// decade boundaries included.
TEST(FormatNumber, FastRoundingEqualsTheExactConversion) {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> mant(1.0, 10.0);
    std::uniform_int_distribution<int> ex(-16, 12);
    std::vector<double> values;
    for (int i = 0; i < Rounds(100000); ++i) values.push_back(mant(rng) * std::pow(10.0, ex(rng)) * (i % 2 ? -1 : 1));
    // Values on and next to ten-digit ties and powers of ten.
    for (int e = -12; e <= 9; ++e) {
        for (std::uint64_t m : {1000000000ull, 1234567891ull, 9999999999ull, 5000000000ull}) {
            const double base = (static_cast<double>(m) + 0.5) * std::pow(10.0, e - 9);
            values.insert(values.end(), {base, std::nextafter(base, 0.0), std::nextafter(base, 1e300), std::pow(10.0, e),
                                         std::nextafter(std::pow(10.0, e), 0.0)});
        }
    }
    for (double v : values) {
        const auto a = format_detail::Round10(v), b = format_detail::Round10Exact(v);
        ASSERT_EQ(std::pair(a.digits, a.exponent), std::pair(b.digits, b.exponent)) << v;
    }
}
