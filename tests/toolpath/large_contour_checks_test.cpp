// A large contour's paths are checked in halves on two threads, its contour indexed and its
// raw points' verdicts worked out beside the walk, and a dropped raw point's test stops at the first wall closer than the boundary:
// every path must be judged as the plain checks judge it, all in order on one thread.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "bench/radius_shapes.h"
#include "model/vector.h"
#include "support/random_drawing.h"
#include "support/scripted_interaction.h"
#include "support/test_depth.h"
#include "toolpath/clearance.h"
#include "toolpath/correction_steps.h"

TEST(LargeContourChecks, SameAsPlainChecks) {
    ScriptedSession s;
    Dice g(20261207);
    int robust = 0, kept = 0;
    for (int round = 0; round < Rounds(6); ++round) {
        std::vector<CPunkt> pts = bench::NoisyGear(24000 + static_cast<int>(g.Real(0, 12000)), g.Real(0, 0.3), round + 1);
        const double scale = round % 2 ? 4 : 1;
        for (CPunkt& p : pts) p = {p.x * scale, p.y * scale};
        if (round / 2 % 2) std::reverse(pts.begin(), pts.end());
        CVector fast, plain;
        for (CVector* v : {&fast, &plain}) {
            for (const CPunkt& p : pts) v->AddPoint(p);
            v->Recompute();
            v->m_toolRadius = g.Real(20, 80);
            v->m_side = round / 3 % 2;
        }
        plain.m_toolRadius = fast.m_toolRadius;
        GridPathQueries program, reference;
        reference.checker = PathChecker(true);
        reference.besideWalkFrom = std::numeric_limits<std::size_t>::max();
        SCOPED_TRACE(round);
        ASSERT_EQ(CorrectWith(fast, program), CorrectWith(plain, reference));
        ASSERT_EQ(fast.m_radiusList.size(), plain.m_radiusList.size());
        for (std::size_t i = 0; i < fast.m_radiusList.size(); ++i) {
            EXPECT_EQ(fast.m_radiusList[i]->m_path, plain.m_radiusList[i]->m_path);
            EXPECT_EQ(fast.m_radiusList[i]->m_source, plain.m_radiusList[i]->m_source);
            EXPECT_EQ(fast.m_radiusList[i]->m_robust, plain.m_radiusList[i]->m_robust);
        }
        EXPECT_EQ(fast.Correction().m_correctionIndexB, plain.Correction().m_correctionIndexB);
        if (!plain.m_radiusList.empty()) (plain.m_radiusList.front()->m_robust ? robust : kept) += 1;
    }
    // Both verdicts must occur, or half of what is compared went untested.
    EXPECT_GT(robust, 0);
    EXPECT_GT(kept, 0);
}
