// The growing chain of the end-point joining against JoinTouchingPair, pair after pair: long
// chains that take strokes in front and behind (which moves them to the block with room at
// both ends), seams that meet the clean-up, repeats, zeros of both signs, strokes that close
// the chain and strokes whose two ends both meet it. Chains and notes must match bit for bit.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "prepare/join_detail.h"
#include "prepare/join_growing.h"
#include "support/describe.h"
#include "support/random_drawing.h"
#include "support/scripted_interaction.h"
#include "support/test_depth.h"

namespace {

using join_detail::GrowingChain;
using join_detail::JoinTouchingPair;
using join_detail::SpentPoints;

// A walk of n points in half-unit steps within 0..60, so that extremes repeat, with zeros of
// both signs.
std::vector<CPunkt> Walk(Dice& dice, CPunkt from, int n) {
    std::vector<CPunkt> p{from};
    for (int i = 1; i < n; ++i) {
        CPunkt q{std::clamp(p.back().x + dice(-4, 4) / 2.0, 0.0, 60.0),
                 std::clamp(p.back().y + dice(-4, 4) / 2.0, 0.0, 60.0)};
        if (q.x == 0 && dice(0, 1)) q.x = -0.0;
        if (q == p.back()) q.y += 0.5;
        p.push_back(q);
    }
    return p;
}

// A stroke that touches A at its start or end: from that point exactly, from a point of the
// same integer end but a little apart, or within the clean-up's distance of it; walked either
// way, and now and then ending on A's other end or near one of its inner points.
std::vector<CPunkt> StrokeFor(Dice& dice, const std::vector<CPunkt>& a) {
    const bool atStart = dice(0, 1) == 0;
    CPunkt touch = atStart ? a.front() : a.back();
    const int how = dice(0, 9);
    if (how == 0) touch.x += std::trunc(touch.x) == std::trunc(touch.x + 0.3) ? 0.3 : -0.3;
    if (how == 1) touch.y += 0.00004;
    std::vector<CPunkt> p = Walk(dice, touch, dice(2, 30));
    const int far = dice(0, 15);
    if (far == 0) p.back() = atStart ? a.back() : a.front();
    if (far == 1) p.back() = a[static_cast<std::size_t>(dice(0, static_cast<int>(a.size()) - 1))];
    if (far == 1 || far == 2) p.back().x += dice(-1, 1) * 0.00005;  // into a neighbouring cell too
    if (dice(0, 1)) std::reverse(p.begin(), p.end());
    return p;
}

}  // namespace

TEST(GrowingChain, JoinsLikeJoinTouchingPair) {
    Dice dice(21);
    int longJoins = 0;
    for (int round = 0; round < Rounds(400); ++round) {
        ScriptedSession s;
        CVector grown, plain;
        const std::vector<CPunkt> start = Walk(dice, {dice(0, 4) / 2.0, dice(0, 120) / 2.0}, dice(0, 1) ? 1100 : 20);
        grown.m_points.Raw() = plain.m_points.Raw() = start;
        grown.Recompute();
        plain.Recompute();
        GrowingChain growing;
        SpentPoints spentGrown(true), spentPlain(true);
        std::uint8_t madeGrown = 0, madePlain = 0;
        DirectionNotes notesGrown, notesPlain;
        for (int step = 0, steps = dice(1, 60); step < steps && !plain.m_empty && !plain.m_closed; ++step) {
            const std::vector<CPunkt> stroke = StrokeFor(dice, plain.m_points.Raw());
            CVector b1, b2;
            b1.m_points.Raw() = b2.m_points.Raw() = stroke;
            b1.Recompute();
            b2.Recompute();
            const bool current = step > 0 || dice(0, 7) != 0;
            longJoins += plain.PointCount() >= 1024;
            growing.Join(grown, b1, current, madeGrown, false, spentGrown, notesGrown);
            JoinTouchingPair(plain, b2, current ? ChainPoints::Unchanged : ChainPoints::MayHaveChanged, spentPlain,
                             madePlain, false, notesPlain);
            ASSERT_EQ(DescribeChain(b1), DescribeChain(b2)) << "round " << round << " step " << step;
            ASSERT_EQ(grown.m_startX, plain.m_startX);
            ASSERT_EQ(grown.m_endY, plain.m_endY);
            ASSERT_EQ(grown.m_closed, plain.m_closed);
            if (dice(0, 9) == 0) {
                growing.Finish(grown);
                ASSERT_EQ(DescribeChain(grown), DescribeChain(plain)) << "round " << round << " step " << step;
            }
        }
        growing.Finish(grown);
        ASSERT_EQ(DescribeChain(grown), DescribeChain(plain)) << "round " << round;
        ASSERT_EQ(notesGrown.All(), notesPlain.All()) << "round " << round;
    }
    EXPECT_GT(longJoins, Rounds(400) * 5);  // the block with room at both ends was used
}
