// The shortcuts of a chain's recomputation against the plain Recompute they stand for: the
// repeat without reading the points, the recomputation that reads only added points, and the
// recomputation done ahead while a reader fills chains. Points, box, ends, flags, direction
// and the direction notes returned must all be the same, bit for bit.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "model/vector.h"
#include "support/describe.h"
#include "support/random_drawing.h"
#include "support/scripted_interaction.h"
#include "support/test_depth.h"

namespace {

struct Outcome {
    std::string state;
    DirectionNote note = DirectionNote::None;
    bool operator==(const Outcome&) const = default;
    friend void PrintTo(const Outcome& o, std::ostream* os) { *os << o.state << "\nnote " << int(o.note); }
};

// The chain's state and the note its last step returned, from a fresh session.
Outcome RunSteps(const std::function<DirectionNote(CVector&)>& steps) {
    ScriptedSession s;
    CVector v;
    const DirectionNote note = steps(v);
    return {DescribeChain(v), note};
}

}  // namespace

TEST(RecomputeShortcuts, RepeatWithoutReadingEqualsASecondRecompute) {
    Dice dice(11);
    int unsettled = 0, messages = 0;
    const int rounds = Rounds(5000);
    for (int round = 0; round < rounds; ++round) {
        const std::vector<CPunkt> pts = RandomChainPoints(dice, {});
        const double radius = dice(0, 2);
        auto run = [&](bool shortcut) {
            return RunSteps([&](CVector& v) {
                v.m_points.Raw() = pts;
                v.Recompute();
                v.m_toolRadius = radius;  // not part of the points: the repeat must take it up
                unsettled += shortcut && !v.m_settled;
                return shortcut ? v.RecomputeUnchanged() : v.Recompute();
            });
        };
        const Outcome plain = run(false);
        messages += plain.note != DirectionNote::None;
        ASSERT_EQ(run(true), plain) << "round " << round;
    }
    EXPECT_GT(unsettled, rounds / 200);  // the clean-up path was met
    EXPECT_GT(messages, rounds / 200);   // and direction messages too
}

TEST(RecomputeShortcuts, ReadingOnlyTheAddedPointsEqualsRecompute) {
    Dice dice(12);
    int shortcutsTaken = 0;
    const int rounds = Rounds(10000);
    for (int round = 0; round < rounds; ++round) {
        const std::vector<CPunkt> first = RandomChainPoints(dice, {.maxPoints = 10});
        const std::vector<CPunkt> added = RandomChainPoints(dice, {.maxPoints = 10});
        const bool atFront = dice(0, 1) == 1;
        auto run = [&](bool shortcut) {
            return RunSteps([&](CVector& v) {
                v.m_points.Raw() = first;
                v.Recompute();
                std::vector<CPunkt>& p = v.m_points.Raw();
                p.insert(atFront ? p.begin() : p.end(), added.begin(), added.end());
                if (!shortcut) return v.Recompute();
                const bool settled = v.m_settled && !v.m_empty;
                const DirectionNote note = v.RecomputeAfterAdding(added.size(), atFront);
                shortcutsTaken += settled && v.m_settled;
                return note;
            });
        };
        ASSERT_EQ(run(true), run(false)) << "round " << round << (atFront ? " front" : " back");
    }
    EXPECT_GT(shortcutsTaken, rounds / 8);
}
TEST(RecomputeShortcuts, NegativeZeroInFrontKeepsTheSignRecomputeFinds) {
    // Recompute meets the added points first; among equal extremes the first one stays.
    for (bool shortcut : {false, true}) {
        ScriptedSession s;
        CVector v;
        v.m_points.Raw() = {{0.0, 5.0}, {3.0, 7.0}};
        v.Recompute();
        v.m_points.Raw().insert(v.m_points.Raw().begin(), CPunkt{-0.0, 6.0});
        shortcut ? v.RecomputeAfterAdding(1, true) : v.Recompute();
        EXPECT_TRUE(std::signbit(v.m_minX)) << shortcut;
    }
}

TEST(RecomputeShortcuts, AheadThenUnchangedEqualsOneRecompute) {
    Dice dice(13);
    for (int round = 0; round < Rounds(5000); ++round) {
        const std::vector<CPunkt> pts = RandomChainPoints(dice, {});
        auto run = [&](bool ahead) {
            return RunSteps([&](CVector& v) {
                v.m_points.Raw() = pts;
                if (!ahead) return v.Recompute();
                v.RecomputeAhead();  // its note waits for the box recomputation
                return v.RecomputeUnchanged();
            });
        };
        ASSERT_EQ(run(true), run(false)) << "round " << round;
    }
}

TEST(RecomputeShortcuts, AheadReadingOnceEqualsThePlainWayAhead) {
    Dice dice(14);
    int quiet = 0;
    const int rounds = Rounds(20000);
    for (int round = 0; round < rounds; ++round) {
        const ChainMix mix{.nearPercent = dice(0, 1) ? 15 : 0, .nan = dice(0, 9) == 0};
        std::vector<CPunkt> pts = RandomChainPoints(dice, mix);
        // Coordinates on the empty box's own values, which no strictly smaller point meets.
        if (dice(0, 9) == 0)
            for (CPunkt& q : pts) {
                if (q.x == 3) q.x = kEmptyMin;
                if (q.y == -3) q.y = kEmptyMax;
            }
        // An infinite point repeated: its differences are no numbers.
        if (!pts.empty() && dice(0, 19) == 0) {
            pts.back().x = INFINITY;
            pts.push_back(pts.back());
        }
        quiet += CPointWatch(pts).Quiet();
        auto run = [&](bool once) {
            return RunSteps([&](CVector& v) {
                v.m_points.Raw() = pts;
                once ? v.RecomputeAheadOnce() : v.RecomputeAhead();
                return v.RecomputeUnchanged();
            });
        };
        ASSERT_EQ(run(true), run(false)) << "round " << round;
    }
    EXPECT_GT(quiet, rounds / 4);  // the single read was taken, not only the plain way
}

TEST(RecomputeShortcuts, MoveReadingOnceEqualsMoveThenRecompute) {
    Dice dice(15);
    for (int round = 0; round < Rounds(5000); ++round) {
        const ChainMix mix{.nearPercent = dice(0, 1) ? 15 : 0, .nan = dice(0, 9) == 0};
        const std::vector<CPunkt> pts = RandomChainPoints(dice, mix);
        // Large moves round nearby points onto each other.
        const double dx = dice(0, 3) == 0 ? 1e12 : dice.Real(-5, 5), dy = dice.Real(-5, 5);
        auto run = [&](bool once) {
            return RunSteps([&](CVector& v) {
                v.m_points.Raw() = pts;
                v.Recompute();
                if (once) return v.MoveAndRecompute(dx, dy);
                for (CPunkt& q : v.m_points.Raw()) q = {q.x + dx, q.y + dy};
                return v.Recompute();
            });
        };
        ASSERT_EQ(run(true), run(false)) << "round " << round;
    }
}
