// The indexed joinings against the plain ones on many random drawings: small coordinate
// ranges give many touching ends, equal distances and crossing end segments; broken contours
// give near ends in shuffled order. Everything a user or a later step can see must match.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "join_reference.h"
#include "join_test_support.h"
#include "prepare/join.h"
#include "support/describe.h"
#include "support/random_drawing.h"
#include "support/scripted_interaction.h"
#include "support/test_depth.h"

namespace {

void BuildDrawing(JoinDrawing& d, unsigned seed, bool large) {
    Dice dice(seed);
    AddRandomLayers(d.doc, dice, large);
    const int reach = dice(0, 19);
    if (reach == 0)
        d.app.m_joinDistance = 1e12;  // everything is near
    else if (reach == 1)
        d.app.m_joinDistance = -1;  // nothing is
    else
        d.app.m_joinDistance = reach < 7 ? dice(0, 20) / 4.0 : dice(0, 6);
    d.doc.m_bCorrectionDone = dice(0, 1);
    d.doc.RecomputeBox();
}

struct Outcome {
    std::vector<std::string> drawing, shown;
    int redraws = 0;
    bool joined = false;
};

// EndPointsFresh tells the end-point joining that every chain is as its last Recompute left
// it, which BuildDrawing ensures, so that it takes its shortcuts.
enum class Joining { None, EndPoints, EndPointsFresh, Distance };

Outcome Run(unsigned seed, bool large, Joining which, bool reference) {
    ScriptedSession s;
    JoinDrawing d;
    BuildDrawing(d, seed, large);
    Outcome o;
    if (which == Joining::Distance) {
        reference ? ReferenceJoinChains(d.doc) : JoinChains(d.doc);
    } else if (which != Joining::None) {
        const ChainPoints before = which == Joining::EndPointsFresh ? ChainPoints::Unchanged : ChainPoints::MayHaveChanged;
        for (auto& layer : d.doc.m_layers)
            o.joined |= reference ? ReferenceJoinEndPoints(d.doc, *layer) : JoinEndPoints(d.doc, *layer, before);
    }
    return {DescribeDrawing(d.doc), s.ui.shown, s.ui.redraws, o.joined};
}

struct Tally {
    int joined = 0;             // drawings the joining changed, to show the test bites
    int directionMessages = 0;  // drawings whose joining showed direction messages
};

Tally Compare(Joining which, unsigned firstSeed, int count, bool large) {
    Tally t;
    for (unsigned seed = firstSeed; seed < firstSeed + static_cast<unsigned>(count); ++seed) {
        const Outcome fast = Run(seed, large, which, false), plain = Run(seed, large, which, true);
        EXPECT_EQ(fast.joined, plain.joined) << "seed " << seed;
        EXPECT_EQ(fast.shown, plain.shown) << "seed " << seed;
        EXPECT_EQ(fast.redraws, plain.redraws) << "seed " << seed;
        if (fast.drawing != plain.drawing) {
            EXPECT_EQ(fast.drawing, plain.drawing) << "seed " << seed;
            return t;
        }
        t.directionMessages += plain.shown.size() > (plain.joined ? 1u : 0u);
        t.joined += Run(seed, large, Joining::None, false).drawing != fast.drawing;
    }
    return t;
}

}  // namespace

TEST(JoinRandom, EndPointJoiningMatchesThePlainWalk) {
    const int n = Rounds(1000);
    EXPECT_GT(Compare(Joining::EndPoints, 1, n, false).joined, n / 2);
}

TEST(JoinRandom, EndPointJoiningOfFreshChainsMatchesThePlainWalk) {
    const int n = Rounds(1000);
    const Tally t = Compare(Joining::EndPointsFresh, 1, n, false);
    EXPECT_GT(t.joined, n / 2);
    EXPECT_GT(t.directionMessages, n / 30);
}

TEST(JoinRandom, DistanceJoiningMatchesThePlainSearch) {
    const int n = Rounds(1000);
    EXPECT_GT(Compare(Joining::Distance, 1, n, false).joined, n / 2);
}

TEST(JoinRandom, LargePensMatchToo) {
    const int n = Rounds(4);
    EXPECT_EQ(Compare(Joining::EndPoints, 100000, n, true).joined, n);
    EXPECT_EQ(Compare(Joining::EndPointsFresh, 300000, n, true).joined, n);
    EXPECT_EQ(Compare(Joining::Distance, 200000, n, true).joined, n);
}
