// The plot file's number reading eight characters at a time against the plain one, a
// character at a time: same value, same end, on random texts full of digits, signs, points,
// separators and the bytes next to the digits, ending anywhere.

#include <gtest/gtest.h>

#include <string>

#include "import/hpgl_number.h"
#include "support/random_drawing.h"
#include "support/test_depth.h"

TEST(HpglNumber, EightAtATimeReadsAsThePlainWay) {
    Dice dice(31);
    const std::string alphabet = "0123456789012345678901234567890123456789--..,; P/:?@\xB0\xFF";
    for (int round = 0; round < Rounds(200000); ++round) {
        std::string text;
        const int last = static_cast<int>(alphabet.size()) - 1;
        for (int k = dice(0, 24); k > 0; --k) text += alphabet[static_cast<std::size_t>(dice(0, last))];
        if (dice(0, 3) == 0) text.insert(0, std::string(static_cast<std::size_t>(dice(1, 12)), '9'));
        const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
        const auto* end = begin + text.size();
        const unsigned char* fast = begin;
        const unsigned char* plain = begin;
        ASSERT_EQ(ReadHpglNumber(fast, end), ReadHpglNumberPlain(plain, end)) << text;
        ASSERT_EQ(fast, plain) << text;
    }
}

TEST(HpglNumber, Examples) {
    const struct {
        const char* text;
        std::int32_t value;
        std::size_t used;
    } cases[] = {
        {"1234567,", 1234567, 7},      {"-12.75;PD", -12, 6},        {"5-3,2", 5, 3},
        {"99999999999;", 2147483647, 11}, {"-99999999999", -2147483647 - 1, 12}, {"-,12345678", 0, 1},
        {"00000000012,", 12, 11},      {"7", 7, 1},
    };
    for (const auto& c : cases) {
        const std::string text = c.text;
        const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
        const unsigned char* p = begin;
        EXPECT_EQ(ReadHpglNumber(p, begin + text.size()), c.value) << c.text;
        EXPECT_EQ(static_cast<std::size_t>(p - begin), c.used) << c.text;
    }
}
