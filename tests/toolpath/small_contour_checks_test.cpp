// Small contours' checks (boxes scanned, no grid) against the plain checks, on rings like the command's.
#include <gtest/gtest.h>
#include "bench/radius_shapes.h"
#include "model/geometry.h"
#include "model/vector.h"
#include "support/random_drawing.h"
#include "support/test_depth.h"
#include "toolpath/clearance.h"
#include "toolpath/correction_steps.h"

TEST(SmallContourChecks, SameAsPlainChecks) {
    std::mt19937 g(20261207);
    for (int round = 0; round < Rounds(300); ++round) {
        const std::vector<CPunkt> pts = bench::Ring(0, 0, 1000, 12 + round % 140, g);
        const double r = std::uniform_real_distribution<double>(1, 250)(g);
        // The robust choice and whether the walk may have lost boundary; the program's measure
        // stops once that is sure, so only the verdict of its share is compared.
        const auto correct = [&](bool plain) {
            GridPathQueries q;
            q.checker = PathChecker(plain);
            CVector v;
            for (const CPunkt& p : pts) v.AddPoint(p);
            v.Recompute();
            std::tie(v.m_toolRadius, v.m_side, v.m_cleanContour) = std::tuple(r, round % 2, round % 5 == 4);
            const bool done = CorrectWith(v, q).result == 1 && !v.m_radiusList.empty();
            return std::tuple(done, done && v.m_radiusList.front()->m_robust, q.checker.MayHaveLostBoundary());
        };
        EXPECT_EQ(correct(false), correct(true)) << round;
    }
}

// The measure of left-out boundary stops once its verdict is sure: on random stars, where
// walks leave much raw path out, its verdict and the paths are those of the full measure.
TEST(SmallContourChecks, MeasureStopsWithTheSameVerdict) {
    Dice dice(20261207);
    for (int round = 0; round < Rounds(200); ++round) {
        CVector v;  // a star of n spikes, its valleys at depth percent of its tips
        for (int i = 0, n = dice(6, 60), depth = dice(50, 95); i < 2 * n; ++i) {
            const double rad = (i % 2 ? 1000 : 10 * depth) + dice.Real(-20, 20);
            v.AddPoint({rad * std::cos(kPi * i / n), rad * std::sin(kPi * i / n)});
        }
        v.AddPoint(CPunkt(v.m_points[0]));
        v.Recompute();
        std::tie(v.m_toolRadius, v.m_side) = std::tuple(dice.Real(5, 120), round % 2);
        const auto correct = [&](bool plain) {
            GridPathQueries q;
            q.checker = PathChecker(plain);
            CorrectWith(v, q);
            const bool none = v.m_radiusList.empty();  // the cutter fits nowhere
            return std::pair(q.checker.MayHaveLostBoundary(), none ? std::vector<CPunkt>{} : v.m_radiusList[0]->m_path.Raw());
        };
        EXPECT_EQ(correct(false), correct(true)) << round;
    }
}
