// The bound on the robust offset's length against the offset itself: a walk is kept without
// the offset only where the bound already keeps it, so the bound must never fall short.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "bench/radius_shapes.h"
#include "model/geometry.h"
#include "support/random_drawing.h"
#include "support/test_depth.h"
#include "toolpath/offset_bound.h"
#include "toolpath/robust_offset.h"

namespace {
double OffsetLength(const RobustRequest& q) {
    double sum = 0;
    for (const RobustPath& p : RobustOffset(q))
        for (std::size_t i = 1; i < p.points.size(); ++i) sum += Distance(p.points[i - 1], p.points[i]);
    return sum;
}

// The bound holds. How close it comes is the benchmark's question; the square below pins it.
void ExpectBound(const std::vector<CPunkt>& w, double r, bool outside, const std::string& what) {
    RobustRequest q;
    q.working = &w;
    q.closed = true;
    q.outside = outside;
    q.r = r;
    EXPECT_GE(RobustLengthBound(q), OffsetLength(q)) << what;
}
}  // namespace

TEST(OffsetBound, NeverBelowTheRobustOffsetOnRings) {
    std::mt19937 g(7);
    for (int round = 0; round < Rounds(150); ++round) {
        const std::vector<CPunkt> w = bench::Ring(round * 1e4, -5e3, 1000, 12 + round % 140, g);
        const double r = std::uniform_real_distribution<double>(1, 400)(g);
        ExpectBound(w, r, round % 2 == 0, "ring " + std::to_string(round));
    }
}

TEST(OffsetBound, NeverBelowTheRobustOffsetOnSmallPolygons) {
    Dice dice(11);
    int bounded = 0;
    for (int round = 0; round < Rounds(600); ++round) {
        std::vector<CPunkt> w;
        const int n = dice(3, 9);
        for (int i = 0; i < n; ++i) w.push_back({double(dice(-4, 4)), double(dice(-4, 4))});
        w.push_back(w.front());
        const double r = dice.Real(0.5, 3);
        RobustRequest q;
        q.working = &w;
        q.closed = true;
        q.r = r;
        bounded += std::isfinite(RobustLengthBound(q));
        ExpectBound(w, r, round % 2 == 0, "polygon " + std::to_string(round));
    }
    EXPECT_GT(bounded, Rounds(600) / 10);  // the simple ones among them
}

// A slot of width 2r give or take a few thousandths, cut inside: the inner offset pinches
// where the rounding of the integer offset decides.
TEST(OffsetBound, HoldsWhereTheOffsetPinches) {
    for (int k = -24; k <= 24; ++k) {
        const double r = 5, half = r + k * 0.0005;
        const std::vector<CPunkt> w{{0, 0}, {40, 0}, {40, 30}, {20 + half, 30}, {20 + half, 5}, {20 - half, 5},
                                    {20 - half, 30}, {0, 30}, {0, 0}};
        ExpectBound(w, r, false, "slot " + std::to_string(k));
        ExpectBound(w, r, true, "slot " + std::to_string(k));
    }
}

TEST(OffsetBound, NoneForPolygonsThatAreNotSimple) {
    const double none = std::numeric_limits<double>::infinity();
    const std::vector<std::vector<IntCorner>> cases{
        {{0, 0}, {10000, 10000}, {10000, 0}, {0, 10000}},              // a figure eight
        {{0, 0}, {20000, 0}, {20000, 20000}, {10000, 0}, {0, 20000}},  // a corner on an edge
        {{0, 0}, {20000, 0}, {30000, 0}, {10000, 0}, {10000, 20000}},  // an edge running back
        {{0, 0}, {100000, 0}, {0, 1}},                                 // too thin to tell its sense
        // two loops meeting in one corner, whose edges' boxes only touch there
        {{0, 0}, {10000, 10000}, {20000, 0}, {20000, 20000}, {10000, 10000}, {0, 20000}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(OffsetLengthBound(cases[i], 2000), none) << i;
    // The robust offset takes a simple contour as its own region, by the same test.
    for (std::size_t i : {0, 1, 2, 4}) EXPECT_FALSE(SimplePolygon(cases[i])) << i;
    EXPECT_TRUE(SimplePolygon({{0, 0}, {10000, 0}, {20000, 0}, {20000, 20000}, {0, 20000}}));
    // A square grown by 2,000: each side runs on by delta tan(pi/8) at both ends, and each
    // corner cut is twice that long.
    const double square = OffsetLengthBound({{0, 0}, {20000, 0}, {20000, 20000}, {0, 20000}}, 2000);
    EXPECT_NEAR(square, 4 * 20000.0 + 16 * 2000 * std::tan(kPi / 8), 8 * 8 + 1);
}
