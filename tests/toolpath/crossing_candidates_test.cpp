// A small contour's crossing search reads only the raw segments whose box meets the searched
// segment; every raw segment that crosses it must still be among them, as in the plain list
// of all segments between the bounds.

#include <gtest/gtest.h>

#include <algorithm>

#include "model/geometry.h"
#include "support/random_drawing.h"
#include "support/test_depth.h"
#include "toolpath/clearance.h"

TEST(CrossingCandidates, SmallContourKeepsEveryCrossingSegment) {
    Dice g(20261207);
    int crossings = 0;
    for (int round = 0; round < Rounds(3000); ++round) {
        // Coordinates on a small grid give collinear, touching and repeated segments.
        const ChainMix mix{40, 1 + round % 6, 20, false};
        std::vector<CPunkt> working = RandomChainPoints(g, mix), raw = RandomChainPoints(g, mix);
        if (working.size() < 2 || raw.size() < 3) continue;
        GridPathQueries queries;
        queries.Prepare(ClearanceRule::For(working, g.Real(0, 3)), raw);
        const int last = static_cast<int>(raw.size()) - 2;
        for (int q = 0; q < 8; ++q) {
            const CPunkt a{g(-mix.span, mix.span) + g.Real(-0.5, 0.5), g(-mix.span, mix.span) * 1.0};
            const CPunkt b = q % 2 ? raw[static_cast<std::size_t>(g(0, last + 1))] : CPunkt{g.Real(-6, 6), g.Real(-6, 6)};
            const int lo = g(0, last), hi = g(lo, last);
            std::vector<std::int32_t> out;
            queries.CrossingCandidates(a, b, lo, hi, out);
            ASSERT_TRUE(std::is_sorted(out.begin(), out.end()));
            for (int j = lo; j <= hi; ++j) {
                if (!SegmentsCross(raw[static_cast<std::size_t>(j)], raw[static_cast<std::size_t>(j) + 1], a, b)) continue;
                ++crossings;
                EXPECT_TRUE(std::binary_search(out.begin(), out.end(), j)) << "round " << round << " segment " << j;
            }
            for (std::int32_t j : out) EXPECT_TRUE(j >= lo && j <= hi);
        }
    }
    EXPECT_GT(crossings, 1000);
}
