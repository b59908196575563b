// The compact array against the plain one: the same random edits, copies and moves must give
// the same contents, and an emptied or moved-from array must read as empty.

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <utility>

#include "model/compact_array.h"

TEST(CompactArray, FollowsThePlainArrayThroughRandomEdits) {
    std::mt19937 rng(5);
    auto dice = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    CCompactIntArray a, other;
    CIntArray plain, plainOther;
    for (int step = 0; step < 20000; ++step) {
        const int v = dice(-9, 9), n = plain.Size(), i = dice(0, n + 1), c = dice(0, 3);
        switch (dice(0, 8)) {
        case 0: a.AddPoint(v), plain.AddPoint(v); break;
        case 1: if (c > 0) a.InsertPoint(i, v, c), plain.InsertPoint(i, v, c); break;
        case 2: if (i + c <= n) a.RemovePoints(i, c), plain.RemovePoints(i, c); break;
        case 3: a.SetPointCount(c), plain.SetPointCount(c); break;
        case 4: a.RemoveAll(), plain.RemoveAll(); break;
        case 5: other = a, plainOther = plain; break;
        case 6: a = std::move(other), plain = std::move(plainOther), other = CCompactIntArray(), plainOther = CIntArray(); break;
        case 7: a = plainOther, plain = plainOther; break;
        default: if (n > 0) a.SetPointAtGrow(i, v), plain.SetPointAtGrow(i, v); break;
        }
        ASSERT_TRUE(a == plain && a.Size() == plain.Size() && a.IsEmpty() == plain.IsEmpty()) << step;
        ASSERT_TRUE(other == plainOther) << step;
        ASSERT_EQ(std::accumulate(a.begin(), a.end(), 0), std::accumulate(plain.begin(), plain.end(), 0)) << step;
    }
}
