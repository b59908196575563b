#include "output/format_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "support/test_depth.h"

TEST(FormatNumber, TheProgramsOwnExamples) {
    EXPECT_EQ(FormatNumber(0.0), "0.0");
    EXPECT_EQ(FormatNumber(-0.0), "0.0");
    EXPECT_EQ(FormatNumber(0.5), "0.500000000");
    EXPECT_EQ(FormatNumber(0.05), "0.050000000");
    EXPECT_EQ(FormatNumber(-0.25), "-0.250000000");
    EXPECT_EQ(FormatNumber(12.3456), "12.345");  // cut off, not rounded
    EXPECT_EQ(FormatNumber(100.0), "100.000");
    EXPECT_EQ(FormatNumber(-3.5), "-3.500");
    EXPECT_EQ(FormatNumber(10.5), "10.500");
    EXPECT_EQ(FormatNumber(1.0), "1.000");
}

TEST(FormatNumber, ChoosesItsFormAfterRoundingToTenDigits) {
    // Below 1 before rounding, 1 after: the large form, not a tenfold "0.100000000".
    EXPECT_EQ(FormatNumber(0.99999999999), "1.000");
    EXPECT_EQ(FormatNumber(-0.99999999999), "-1.000");
    EXPECT_EQ(FormatNumber(9.9999999999), "10.000");
    EXPECT_EQ(FormatNumber(0.9999999999), "0.999999999");
    // The tenth digit rounds, the cut happens afterwards.
    EXPECT_EQ(FormatNumber(1.99999999996), "2.000");
    EXPECT_EQ(FormatNumber(123.4567), "123.456");
}

TEST(FormatNumber, NoiseAroundZeroIsZero) {
    EXPECT_EQ(FormatNumber(6.1e-17), "0.0");
    EXPECT_EQ(FormatNumber(-6.1e-17), "0.0");
    EXPECT_EQ(FormatNumber(9e-10), "0.0");
    EXPECT_EQ(FormatNumber(1e-9), "0.000000001");
    EXPECT_EQ(FormatNumber(1.23456789e-5), "0.000012345");
    EXPECT_EQ(FormatNumber(5e-324), "0.0");
}

TEST(FormatNumber, LargeAndNonFiniteValuesStayWithinTheirForm) {
    EXPECT_EQ(FormatNumber(123456789.5), "123456789.5");
    EXPECT_EQ(FormatNumber(1234567890.0), "1234567890.");
    EXPECT_EQ(FormatNumber(1e12), "1000000000000.");
    EXPECT_LT(FormatNumber(-1.7976931348623157e308).size(), kFormatNumberMax);
    EXPECT_EQ(FormatNumber(std::nan("")), "0.0");
    EXPECT_EQ(FormatNumber(INFINITY), "0.0");
}

// The fast rounding must agree with the correctly rounded conversion everywhere, ties and
// decade boundaries included.
TEST(FormatNumber, FastRoundingEqualsTheExactConversion) {
    using format_detail::Round10;
    using format_detail::Round10Exact;
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> mant(1.0, 10.0);
    std::uniform_int_distribution<int> ex(-16, 12);
    for (int i = 0; i < Rounds(100000); ++i) {
        const double v = mant(rng) * std::pow(10.0, ex(rng)) * (i % 2 ? -1 : 1);
        const auto a = Round10(v), b = Round10Exact(v);
        ASSERT_EQ(a.digits, b.digits) << v;
        ASSERT_EQ(a.exponent, b.exponent) << v;
    }
    // Values on and next to ten-digit ties and powers of ten.
    for (int e = -12; e <= 9; ++e) {
        for (std::uint64_t m : {1000000000ull, 1234567891ull, 9999999999ull, 5000000000ull}) {
            const double base = (static_cast<double>(m) + 0.5) * std::pow(10.0, e - 9);
            for (double v : {base, std::nextafter(base, 0.0), std::nextafter(base, 1e300),
                             std::pow(10.0, e), std::nextafter(std::pow(10.0, e), 0.0)}) {
                const auto a = Round10(v), b = Round10Exact(v);
                ASSERT_EQ(a.digits, b.digits) << v;
                ASSERT_EQ(a.exponent, b.exponent) << v;
            }
        }
    }
}
