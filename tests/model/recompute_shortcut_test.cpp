// The shortcuts of a chain's recomputation against the plain Recompute they stand for: the
// repeat without reading the points, the recomputation that reads only added points, and the
// recomputation done ahead while a reader fills chains. Points, box, ends, flags, direction
// and the direction notes returned must all be the same, bit for bit.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "model/vector.h"
#include "support/scripted_interaction.h"

namespace {

std::string Bits(double v) {
    std::uint64_t u = 0;
    std::memcpy(&u, &v, sizeof u);
    return std::to_string(u);
}

// Everything of a chain that its recomputation sets.
std::string State(const CVector& v) {
    std::string s = "e" + std::to_string(v.m_empty) + " c" + std::to_string(v.m_closed) + " d" +
                    std::to_string(v.m_direction) + " s" + std::to_string(v.m_startX) + "," +
                    std::to_string(v.m_startY) + " e" + std::to_string(v.m_endX) + "," + std::to_string(v.m_endY);
    for (double b : {v.m_minX, v.m_maxX, v.m_minY, v.m_maxY, v.m_outerMinX, v.m_outerMaxX, v.m_outerMinY,
                     v.m_outerMaxY})
        s += " " + Bits(b);
    s += " |";
    for (const CPunkt& p : v.m_points) s += " " + Bits(p.x) + "," + Bits(p.y);
    return s;
}

// Points on a small grid, with exact repeats, points within the clean-up tolerance of their
// predecessor or of the start, zeros of both signs, and closed chains whose direction can
// not always be told.
class ChainDice {
public:
    explicit ChainDice(unsigned seed) : m_rng(seed) {}
    int operator()(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }

    CPunkt Point(const std::vector<CPunkt>& before) {
        const int kind = (*this)(0, 19);
        std::uniform_real_distribution<double> jitter(-0.00009, 0.00009);
        if (!before.empty() && kind == 0) return before.back();
        if (!before.empty() && kind == 1) return {before.back().x + jitter(m_rng), before.back().y + jitter(m_rng)};
        if (!before.empty() && kind == 2) return {before.front().x + jitter(m_rng), before.front().y};
        const double x = (*this)(-3, 3), y = (*this)(-3, 3);
        return {x == 0 && (*this)(0, 1) ? -0.0 : x, y == 0 && (*this)(0, 1) ? -0.0 : y};
    }
    std::vector<CPunkt> Points(int maxCount) {
        std::vector<CPunkt> p;
        const int n = (*this)(0, maxCount);
        for (int i = 0; i < n; ++i) p.push_back(Point(p));
        if (p.size() >= 2 && (*this)(0, 3) == 0) p.push_back(p.front());
        return p;
    }

private:
    std::mt19937 m_rng;
};

struct Outcome {
    std::string state;
    DirectionNote note;
};

}  // namespace

TEST(RecomputeShortcuts, RepeatWithoutReadingEqualsASecondRecompute) {
    ChainDice dice(11);
    int unsettled = 0, messages = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::vector<CPunkt> pts = dice.Points(12);
        const double radius = dice(0, 2);
        auto run = [&](bool shortcut) {
            ScriptedSession s;
            CVector v;
            v.m_points.Raw() = pts;
            v.Recompute();
            v.m_toolRadius = radius;  // not part of the points: the repeat must take it up
            unsettled += shortcut && !v.m_settled;
            const DirectionNote note = shortcut ? v.RecomputeUnchanged() : v.Recompute();
            return Outcome{State(v), note};
        };
        const Outcome plain = run(false), fast = run(true);
        messages += plain.note != DirectionNote::None;
        ASSERT_EQ(fast.state, plain.state) << "round " << round;
        ASSERT_EQ(fast.note, plain.note) << "round " << round;
    }
    EXPECT_GT(unsettled, 100);  // the clean-up path was met
    EXPECT_GT(messages, 100);   // and direction messages too
}

TEST(RecomputeShortcuts, ReadingOnlyTheAddedPointsEqualsRecompute) {
    ChainDice dice(12);
    int shortcutsTaken = 0;
    for (int round = 0; round < 40000; ++round) {
        const std::vector<CPunkt> first = dice.Points(10);
        const std::vector<CPunkt> added = dice.Points(10);
        const bool atFront = dice(0, 1) == 1;
        auto run = [&](bool shortcut) {
            ScriptedSession s;
            CVector v;
            v.m_points.Raw() = first;
            v.Recompute();
            std::vector<CPunkt>& p = v.m_points.Raw();
            p.insert(atFront ? p.begin() : p.end(), added.begin(), added.end());
            DirectionNote note;
            if (shortcut) {
                const bool settled = v.m_settled && !v.m_empty;
                note = v.RecomputeAfterAdding(added.size(), atFront);
                shortcutsTaken += settled && v.m_settled;
            } else {
                note = v.Recompute();
            }
            return Outcome{State(v), note};
        };
        const Outcome plain = run(false), fast = run(true);
        ASSERT_EQ(fast.state, plain.state) << "round " << round << (atFront ? " front" : " back");
        ASSERT_EQ(fast.note, plain.note) << "round " << round;
    }
    EXPECT_GT(shortcutsTaken, 10000);
}

TEST(RecomputeShortcuts, NegativeZeroInFrontKeepsTheSignRecomputeFinds) {
    // Recompute meets the added points first; among equal extremes the first one stays.
    for (bool shortcut : {false, true}) {
        ScriptedSession s;
        CVector v;
        v.m_points.Raw() = {{0.0, 5.0}, {3.0, 7.0}};
        v.Recompute();
        v.m_points.Raw().insert(v.m_points.Raw().begin(), CPunkt{-0.0, 6.0});
        if (shortcut)
            v.RecomputeAfterAdding(1, true);
        else
            v.Recompute();
        EXPECT_TRUE(std::signbit(v.m_minX)) << shortcut;
    }
}

TEST(RecomputeShortcuts, AheadThenUnchangedEqualsOneRecompute) {
    ChainDice dice(13);
    for (int round = 0; round < 20000; ++round) {
        const std::vector<CPunkt> pts = dice.Points(12);
        auto run = [&](bool ahead) {
            ScriptedSession s;
            CVector v;
            v.m_points.Raw() = pts;
            DirectionNote note;
            if (ahead) {
                v.RecomputeAhead();  // its note waits for the box recomputation
                note = v.RecomputeUnchanged();
            } else {
                note = v.Recompute();
            }
            return Outcome{State(v), note};
        };
        const Outcome plain = run(false), fast = run(true);
        ASSERT_EQ(fast.state, plain.state) << "round " << round;
        ASSERT_EQ(fast.note, plain.note) << "round " << round;
    }
}
