// The checks of small contours (boxes scanned instead of a grid) with their shortcuts against
// the plain checks: the same paths, the same robust fallbacks, the same comparisons with the
// robust offset. Wobbly rings with tools of up to a fifth of their size are what the command
// meets most: inside, many raw points fail and the walk leaves stretches out.

#include <gtest/gtest.h>

#include <cmath>

#include "model/vector.h"
#include "support/random_drawing.h"
#include "support/scripted_interaction.h"
#include "support/test_depth.h"
#include "toolpath/clearance.h"
#include "toolpath/correction_steps.h"

namespace {
constexpr double kPi = 3.141592653589793;

// A closed ring of n points whose radius wobbles between lo and 1 times radius; every
// spikeEvery-th point (0: none) is pulled in to a third, a notch the tool may not fit.
std::vector<CPunkt> Ring(Dice& g, int n, double radius, double lo, int spikeEvery) {
    std::vector<CPunkt> p;
    const double turn = g.Real(0, 2 * kPi);
    for (int i = 0; i < n; ++i) {
        const double a = turn + 2 * kPi * i / n;
        const double rho = radius * (spikeEvery > 0 && i % spikeEvery == 0 ? lo / 3 : g.Real(lo, 1));
        p.push_back({rho * std::cos(a), rho * std::sin(a)});
    }
    p.push_back(p.front());
    return p;
}

struct Kind {
    int points;       // up to the size where the checks scan boxes
    double wobble;    // the ring's radius runs from this share of it to all of it
    int spikeEvery;
    double maxTool;   // largest r as a share of the ring's radius
};

constexpr Kind kKinds[] = {
    {99, 0.85, 0, 0.2},   // the command's benchmark drawing
    {60, 0.6, 0, 0.3},    // deep wobbles: loops cut off on both sides
    {150, 0.9, 7, 0.15},  // notches narrower than the tool
    {24, 0.5, 5, 0.4},    // few points, large tools
};
}  // namespace

TEST(SmallContourChecks, SameAsPlainChecks) {
    ScriptedSession s;
    Dice g(20261207);
    int robust = 0, withProblems = 0, measured = 0;
    const int rounds = Rounds(240);
    for (int round = 0; round < rounds; ++round) {
        const Kind& kind = kKinds[round % std::size(kKinds)];
        const double radius = g.Real(50, 2000);
        const std::vector<CPunkt> pts = Ring(g, kind.points, radius, kind.wobble, kind.spikeEvery);
        const double r = g.Real(0.01, kind.maxTool) * radius;
        CVector fast, plain;
        for (CVector* v : {&fast, &plain}) {
            for (const CPunkt& p : pts) v->AddPoint(p);
            v->Recompute();
            v->m_toolRadius = r;
            v->m_side = round / 4 % 2;
            v->m_cleanContour = round / 8 % 3 == 2 ? 1 : 0;
        }
        GridPathQueries program, reference;
        reference.checker = PathChecker(true);
        SCOPED_TRACE(round);
        ASSERT_EQ(CorrectWith(fast, program), CorrectWith(plain, reference));
        ASSERT_EQ(fast.m_radiusList.size(), plain.m_radiusList.size());
        for (std::size_t i = 0; i < fast.m_radiusList.size(); ++i) {
            EXPECT_EQ(fast.m_radiusList[i]->m_path, plain.m_radiusList[i]->m_path);
            EXPECT_EQ(fast.m_radiusList[i]->m_source, plain.m_radiusList[i]->m_source);
            EXPECT_EQ(fast.m_radiusList[i]->m_robust, plain.m_radiusList[i]->m_robust);
        }
        EXPECT_EQ(fast.m_correctionIndexB, plain.m_correctionIndexB);
        // The measure decides whether the robust offset is asked; its value must agree too.
        EXPECT_EQ(program.checker.SkippedShare(), reference.checker.SkippedShare());
        measured += program.checker.SkippedShare() > 0;
        robust += !plain.m_radiusList.empty() && plain.m_radiusList.front()->m_robust;
        withProblems += !plain.m_correctionIndexB.IsEmpty();
    }
    // Both the fallback and the walks with dropped points must occur, or the checks and the
    // measure of left-out boundary went untested.
    EXPECT_GT(robust, 0);
    EXPECT_GT(withProblems, rounds / 4);
    EXPECT_GT(measured, rounds / 8);
}
