// The program finds failing segments and crossings through grids (or, for small contours,
// scans over segment boxes); here the same corrections are computed with a plain scan over
// all segments and must come out identical.

#include <gtest/gtest.h>

#include <cmath>

#include "model/vector.h"
#include "support/random_drawing.h"
#include "support/scripted_interaction.h"
#include "support/test_depth.h"
#include "toolpath/clearance.h"
#include "toolpath/correction_steps.h"

namespace {

class ScanQueries final : public PathQueries {
public:
    void Prepare(const ClearanceRule& rule, const std::vector<CPunkt>&) override { m_rule = rule; }
    int FirstFailingSegment(const CPunkt& x) override {
        const int m = static_cast<int>(m_rule.working->size());
        for (int i = 1; i < m; ++i)
            if (m_rule.FailsAt(x, i)) return i;
        return 0;
    }
    int FirstCrossedSegment(const CPunkt& a, const CPunkt& b) override {
        const std::vector<CPunkt>& w = *m_rule.working;
        for (std::size_t i = 1; i < w.size(); ++i)
            if (SegmentsCross(a, b, w[i - 1], w[i])) return static_cast<int>(i);
        return 0;
    }
    void CrossingCandidates(const CPunkt&, const CPunkt&, int lo, int hi, std::vector<std::int32_t>& out) override {
        out.clear();
        for (int j = lo; j <= hi; ++j) out.push_back(j);
    }

private:
    ClearanceRule m_rule;
};

std::vector<CPunkt> Star(Dice& g, int n) {
    std::vector<CPunkt> p;
    const double cx = g.Real(-500, 500), cy = g.Real(-500, 500);
    for (int i = 0; i < n; ++i) {
        const double a = 2 * kPi * i / n;
        const double rad = (i % 2 ? g.Real(5, 40) : g.Real(40, 120));
        p.push_back({cx + rad * std::cos(a), cy + rad * std::sin(a)});
    }
    return p;
}

// A rectangle whose bottom edge carries notches of random width (many narrower than the tool).
std::vector<CPunkt> Notches(Dice& g, int count) {
    std::vector<CPunkt> p{{0, 0}};
    double x = 0;
    for (int i = 0; i < count; ++i) {
        x += g.Real(1, 15);
        const double w = g.Real(0.5, 12), d = g.Real(1, 20);
        p.push_back({x, 0});
        p.push_back({x, d});
        p.push_back({x + w, d});
        p.push_back({x + w, 0});
        x += w;
    }
    x += 10;
    p.push_back({x, 0});
    p.push_back({x, 60});
    p.push_back({0, 60});
    return p;
}

std::vector<CPunkt> Spiral(Dice& g, int n) {
    std::vector<CPunkt> p;
    const double step = g.Real(0.1, 0.6), grow = g.Real(0.3, 3);
    for (int i = 0; i < n; ++i) {
        const double a = i * step;
        p.push_back({(5 + grow * a) * std::cos(a), (5 + grow * a) * std::sin(a)});
    }
    return p;
}

std::vector<CPunkt> Zigzag(Dice& g, int n) {
    std::vector<CPunkt> p;
    double x = 0;
    for (int i = 0; i < n; ++i) {
        x += g.Real(0.2, 8);
        p.push_back({x, (i % 2 ? 1 : -1) * g.Real(0, 25)});
    }
    return p;
}

// Noise of a fraction of the tool: close points, tiny back-steps and exact repeats.
void Jitter(Dice& g, std::vector<CPunkt>& p) {
    std::vector<CPunkt> out;
    for (const CPunkt& q : p) {
        out.push_back(q);
        const int k = static_cast<int>(g.Real(0, 10));
        if (k == 0) out.push_back({q.x + g.Real(-0.3, 0.3), q.y + g.Real(-0.3, 0.3)});
        if (k == 1) out.push_back(q);
    }
    p.swap(out);
}

void Fill(CVector& v, const std::vector<CPunkt>& pts, bool closed, double r, int side, bool clean) {
    v.m_points.RemoveAll();
    for (const CPunkt& p : pts) v.AddPoint(p);
    if (closed) v.AddPoint(pts.front());
    v.Recompute();
    v.m_toolRadius = r;
    v.m_side = side;
    v.m_cleanContour = clean ? 1 : 0;
}

void ExpectSameCorrection(const CVector& a, const CVector& b) {
    ASSERT_EQ(a.m_radiusList.size(), b.m_radiusList.size());
    for (std::size_t i = 0; i < a.m_radiusList.size(); ++i) {
        EXPECT_EQ(a.m_radiusList[i]->m_path, b.m_radiusList[i]->m_path);
        EXPECT_EQ(a.m_radiusList[i]->m_source, b.m_radiusList[i]->m_source);
        EXPECT_EQ(a.m_radiusList[i]->m_closed, b.m_radiusList[i]->m_closed);
        EXPECT_EQ(a.m_radiusList[i]->m_robust, b.m_radiusList[i]->m_robust);
        EXPECT_EQ(a.m_radiusList[i]->m_path.Size(), a.m_radiusList[i]->m_source.Size());
    }
    EXPECT_EQ(a.Correction().m_correctionIndexB, b.Correction().m_correctionIndexB);
    EXPECT_EQ(a.Correction().m_correctionPointsA, b.Correction().m_correctionPointsA);
}

}  // namespace

TEST(ClearanceGrid, SameCorrectionAsScanningAllSegments) {
    ScriptedSession s;
    Dice g(20240611);
    int withProblems = 0;
    const int rounds = Rounds(400);
    for (int round = 0; round < rounds; ++round) {
        std::vector<CPunkt> pts;
        bool closed = true;
        switch (round % 4) {
        case 0: pts = Star(g, 6 + static_cast<int>(g.Real(0, 60))); break;
        case 1: pts = Notches(g, 1 + static_cast<int>(g.Real(0, 25))); break;
        case 2: pts = Spiral(g, 20 + static_cast<int>(g.Real(0, 150))); closed = round % 8 == 2; break;
        default: pts = Zigzag(g, 5 + static_cast<int>(g.Real(0, 80))); closed = round % 8 == 7; break;
        }
        if (round % 3 == 0) Jitter(g, pts);
        const double r = g.Real(0.3, 12);
        const int side = round / 4 % 2;
        const bool clean = round / 8 % 2 == 1;
        CVector gridded, chosen, scan;
        Fill(gridded, pts, closed, r, side, clean);
        Fill(chosen, pts, closed, r, side, clean);
        Fill(scan, pts, closed, r, side, clean);
        GridPathQueries grid(true);  // grids even where the program would scan boxes
        grid.besideWalkFrom = 0;     // and a helper beside the walk
        GridPathQueries program;
        ScanQueries all;
        const CorrectionReport expected = CorrectWith(scan, all);
        ASSERT_EQ(CorrectWith(gridded, grid), expected);
        ASSERT_EQ(CorrectWith(chosen, program), expected);
        SCOPED_TRACE(round);
        ExpectSameCorrection(gridded, scan);
        ExpectSameCorrection(chosen, scan);
        if (!scan.Correction().m_correctionIndexB.IsEmpty()) ++withProblems;
    }
    // The rounds must exercise the assembly's dropping rules, not only clean offsets.
    EXPECT_GT(withProblems, rounds / 4);
}

// The checks of the finished path take shortcuts that only save time: over contours large
// enough for their grid, they must judge every path as the plain checks do.
TEST(PathChecks, SameAsPlainChecks) {
    ScriptedSession s;
    Dice g(20261206);
    int robust = 0;
    for (int round = 0; round < Rounds(120); ++round) {
        const int n = static_cast<int>(g.Real(0, 300));
        std::vector<CPunkt> pts = round % 3 == 0 ? Star(g, 170 + n) : round % 3 == 1 ? Notches(g, 45 + n / 5) : Spiral(g, 170 + n);
        if (round % 2 == 0) Jitter(g, pts);
        const bool closed = round % 3 != 2 || round % 6 == 2;
        const double r = g.Real(0.3, 40);
        CVector fast, plain;
        for (CVector* v : {&fast, &plain}) Fill(*v, pts, closed, r, round / 3 % 2, round / 6 % 2 == 1);
        GridPathQueries program, reference;
        reference.checker = PathChecker(true);
        SCOPED_TRACE(round);
        ASSERT_EQ(CorrectWith(fast, program), CorrectWith(plain, reference));
        ExpectSameCorrection(fast, plain);
        robust += !plain.m_radiusList.empty() && plain.m_radiusList.front()->m_robust;
    }
    EXPECT_GT(robust, 0);  // some paths must fail their checks, or the checks went untested
}
