// A small contour's crossing search reads only the raw segments whose box meets the searched
// segment; every raw segment that crosses it must still be among them, as in the plain list
// of all segments between the bounds.

#include <gtest/gtest.h>

#include <algorithm>

#include "model/geometry.h"
#include "support/random_drawing.h"
#include "support/test_depth.h"
#include "toolpath/box_sieve.h"
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

// The sieve that picks the boxes a small contour's query tests: every segment box that meets
// the query is a candidate, once and in index order, on grids that make boxes touch exactly,
// with grown boxes, at a scale far from the origin, and with a point that is not a number.
TEST(CrossingCandidates, SieveHandsOnEveryBoxThatMeetsTheQuery) {
    Dice g(20261208);
    int met = 0;
    for (int round = 0; round < Rounds(2000); ++round) {
        const ChainMix mix{160, 1 + round % 8, 20, round % 50 == 0};
        const double scale = round % 3 == 0 ? 1e-3 : 1, shift = round % 5 == 0 ? 1e9 : 0;
        std::vector<CPunkt> pts = RandomChainPoints(g, mix);
        for (CPunkt& p : pts) p = {p.x * scale + shift, p.y * scale};
        const double grow = (round % 2) * g.Real(0, 2) * scale;
        BoxSieve sieve;
        sieve.Build(pts, grow);
        for (int q = 0; q < 16; ++q) {
            const double x = (g.Real(-mix.span, mix.span)) * scale + shift, y = g.Real(-mix.span, mix.span) * scale;
            const double w = q % 4 == 0 ? 0 : g.Real(0, mix.span) * scale, h = q % 4 == 0 ? 0 : g.Real(0, mix.span) * scale;
            const BoxSieve::Box box{x, x + w, y, y + h};
            std::vector<std::size_t> got;
            sieve.Any(box, [&](std::size_t k) {
                got.push_back(k);
                return false;
            });
            ASSERT_TRUE(std::is_sorted(got.begin(), got.end()) && std::adjacent_find(got.begin(), got.end()) == got.end());
            for (std::size_t k = 0; k + 1 < pts.size(); ++k) {
                const CPunkt &a = pts[k], &b = pts[k + 1];
                const bool meets = !(std::max(a.x, b.x) + grow < box.loX || std::min(a.x, b.x) - grow > box.hiX ||
                                     std::max(a.y, b.y) + grow < box.loY || std::min(a.y, b.y) - grow > box.hiY);
                if (!meets) continue;
                ++met;
                EXPECT_TRUE(std::binary_search(got.begin(), got.end(), k)) << "round " << round << " box " << k;
            }
        }
    }
    EXPECT_GT(met, 10000);
}

// A tool smaller than the clearance tolerance: nothing fails the clearance test, and the
// crossing search of a small contour still finds the first working segment crossed.
TEST(CrossingCandidates, TinyToolFindsTheFirstCrossedSegment) {
    Dice g(20261209);
    int crossed = 0;
    for (int round = 0; round < Rounds(1500); ++round) {
        const ChainMix mix{40, 1 + round % 6, 20, false};
        const std::vector<CPunkt> working = RandomChainPoints(g, mix), raw = RandomChainPoints(g, mix);
        if (working.size() < 2 || raw.size() < 2) continue;
        GridPathQueries queries;
        queries.Prepare(ClearanceRule::For(working, g.Real(0.01, kClearanceTolerance)), raw);
        for (int q = 0; q < 8; ++q) {
            const CPunkt a{g.Real(-mix.span, mix.span), g.Real(-mix.span, mix.span)};
            const CPunkt b{g.Real(-mix.span, mix.span), g.Real(-mix.span, mix.span)};
            int first = 0;
            for (std::size_t k = 0; k + 1 < working.size() && first == 0; ++k)
                if (!(working[k] == a) && !(working[k + 1] == a) && SegmentsCross(a, b, working[k], working[k + 1]))
                    first = static_cast<int>(k) + 1;
            crossed += first != 0;
            EXPECT_EQ(queries.FirstCrossedSegment(a, b), first) << "round " << round;
        }
    }
    EXPECT_GT(crossed, 1000);
}
