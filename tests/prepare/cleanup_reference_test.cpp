// The linear clean-up of a chain's points against the straightforward point-by-point
// removal it replaces, on many random chains with exact and near repeats.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "model/vector.h"
#include "support/box.h"
#include "support/random_drawing.h"
#include "support/scripted_interaction.h"
#include "support/test_depth.h"

namespace {

constexpr double kTol = 0.0001;

void ReferenceRemoveDuplicates(std::vector<CPunkt>& p) {
    for (int i = static_cast<int>(p.size()) - 1; i >= 1; --i)
        if (p[i - 1].x == p[i].x && p[i - 1].y == p[i].y) p.erase(p.begin() + i);
}

void ReferenceRemoveNear(std::vector<CPunkt>& p, bool closed) {
    const int n = static_cast<int>(p.size());
    if (n < 3) return;
    for (int i = n - 2; i >= 1; --i) {
        if (Distance(p[i], p[i - 1]) < kTol) {
            const CPunkt removed = p[i];
            p.erase(p.begin() + i);
            p[i - 1] = removed;
        }
    }
    const CPunkt s = p[0];
    for (int i = 1; i < static_cast<int>(p.size()) - 1;) {
        if (Distance(s, p[i]) < kTol) {
            p.erase(p.begin() + i);
            i = 1;
        } else {
            ++i;
        }
    }
    if (closed) p.back() = p.front();
}

// Bit for bit: a coordinate that is not a number compares unequal to itself.
bool SameBits(const std::vector<CPunkt>& a, const std::vector<CPunkt>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(CPunkt)) == 0);
}

}  // namespace

TEST(ChainCleanUp, LinearPassesMatchPointByPointRemoval) {
    ScriptedSession s;
    Dice dice(7);
    for (int round = 0; round < Rounds(5000); ++round) {
        const std::vector<CPunkt> input = RandomChainPoints(dice, {.maxPoints = 40, .span = 2, .nearPercent = 60, .nan = true});

        std::vector<CPunkt> expected = input;
        ReferenceRemoveDuplicates(expected);
        const bool closed = expected.size() >= 3 && expected.front() == expected.back();
        ReferenceRemoveNear(expected, closed);

        CVector v;
        v.m_points.Raw() = input;
        v.Recompute();
        ASSERT_TRUE(SameBits(v.m_points.Raw(), expected)) << "round " << round;
        ASSERT_EQ(v.m_closed, closed ? 1 : 0);
        if (expected.empty()) continue;

        // The box and the direction found in the same read as the clean-up check equal the
        // box taken over all points and the direction test that looks the extremes up.
        ASSERT_EQ(BoxOf(v), BoxOfPoints(expected)) << "round " << round;
        const std::int32_t direction = v.m_direction;
        ASSERT_EQ(v.DetermineDirection(), direction) << "round " << round;
    }
}
