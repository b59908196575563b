// Small contours' checks (boxes scanned, no grid) against the plain checks, on rings like the command's.
#include <gtest/gtest.h>
#include "bench/radius_shapes.h"
#include "model/vector.h"
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
