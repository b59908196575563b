// The linear clean-up of a chain's points against the straightforward point-by-point
// removal it replaces, on many random chains with exact and near repeats.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "model/vector.h"
#include "support/scripted_interaction.h"

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

std::vector<CPunkt> RandomChain(std::mt19937& rng) {
    std::uniform_int_distribution<int> len(0, 40), kind(0, 9), grid(0, 4);
    std::uniform_real_distribution<double> jitter(-0.00009, 0.00009);
    std::vector<CPunkt> p;
    const int n = len(rng);
    for (int i = 0; i < n; ++i) {
        const int k = kind(rng);
        if (k < 2 && !p.empty())
            p.push_back(p.back());
        else if (k < 5 && !p.empty())
            p.push_back({p.back().x + jitter(rng), p.back().y + jitter(rng)});
        else if (k < 6 && !p.empty())
            p.push_back({p.front().x + jitter(rng), p.front().y + jitter(rng)});
        else if (k == 6 && grid(rng) == 0)  // damaged input: a coordinate that is not a number
            p.push_back({std::nan(""), static_cast<double>(grid(rng))});
        else
            p.push_back({static_cast<double>(grid(rng)), static_cast<double>(grid(rng))});
    }
    if (!p.empty() && kind(rng) < 6) p.push_back(p.front());
    return p;
}

// Bit for bit: a coordinate that is not a number compares unequal to itself.
bool SameBits(const std::vector<CPunkt>& a, const std::vector<CPunkt>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(CPunkt)) == 0);
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

TEST(ChainCleanUp, LinearPassesMatchPointByPointRemoval) {
    ScriptedSession s;
    std::mt19937 rng(7);
    for (int round = 0; round < 20000; ++round) {
        const std::vector<CPunkt> input = RandomChain(rng);

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
        double minX = kEmptyMin, maxX = kEmptyMax, minY = kEmptyMin, maxY = kEmptyMax;
        for (const CPunkt& p : expected) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
        ASSERT_TRUE(SameBits(v.m_minX, minX)) << "round " << round;
        ASSERT_TRUE(SameBits(v.m_maxX, maxX)) << "round " << round;
        ASSERT_TRUE(SameBits(v.m_minY, minY)) << "round " << round;
        ASSERT_TRUE(SameBits(v.m_maxY, maxY)) << "round " << round;
        const std::int32_t direction = v.m_direction;
        ASSERT_EQ(v.DetermineDirection(), direction) << "round " << round;
    }
}
