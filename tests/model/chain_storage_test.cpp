// The flat number table against std::unordered_map, and the chain's outer box, now worked out
// from its box, against the sums a stored box held.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <unordered_map>

#include "model/int_table.h"
#include "model/vector.h"
#include "support/scripted_interaction.h"

TEST(IntTable, FollowsAnUnorderedMapThroughRandomEntries) {
    std::mt19937 rng(3);
    constexpr std::int32_t kEdge[] = {std::numeric_limits<std::int32_t>::min(), -1, 0,
                                      std::numeric_limits<std::int32_t>::max()};
    auto key = [&] { return rng() % 5 == 0 ? kEdge[rng() % 4] : static_cast<std::int32_t>(rng() % 3000) - 1500; };
    CIntTable<std::uint32_t> table;
    std::unordered_map<std::int32_t, std::uint32_t> map;
    for (int step = 0; step < 200000; ++step) {
        const std::int32_t k = key();
        const std::uint32_t v = rng() % 2 ? rng() % 7 : std::numeric_limits<std::uint32_t>::max() - 1;
        if (step % 50000 == 49999) table.Clear(), map.clear();
        else if (step % 3 == 0) ASSERT_EQ(table.Add(k, v), map.emplace(k, v).second) << step;
        else if (step % 3 == 1) table.Set(k, v), map[k] = v;
        const auto found = map.find(k);
        ASSERT_EQ(table.Find(k), found == map.end() ? std::nullopt : std::optional(found->second)) << step;
        ASSERT_EQ(table.Size(), map.size()) << step;
    }
}

namespace {
std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }
}  // namespace

// The box is widened by the radius of its last recomputation, bit for bit, also where a signed
// zero meets a radius of -0.0, and no later change of the radius shows before the next one.
TEST(ChainOuterBox, IsTheBoxWidenedByTheRadiusOfItsLastRecomputation) {
    ScriptedSession s;
    for (const double r : {0.0, -0.0, 2.5, -1.0, std::nan("")}) {
        CVector v;
        EXPECT_EQ(Bits(v.OuterMinX()), Bits(0.0));
        v.m_points.Raw() = {{-0.0, -0.0}, {-3, -4}};  // both maxima are -0.0
        v.m_toolRadius = r;
        v.Recompute();
        v.m_toolRadius = 7;
        EXPECT_EQ(Bits(v.OuterMinX()), Bits(v.m_minX - r));
        EXPECT_EQ(Bits(v.OuterMaxX()), Bits(v.m_maxX + r));
        EXPECT_EQ(Bits(v.OuterMinY()), Bits(v.m_minY - r));
        EXPECT_EQ(Bits(v.OuterMaxY()), Bits(v.m_maxY + r));
        // An imported chain, radius +0.0, keeps nothing beside its paths.
        EXPECT_EQ(v.HasCorrectionLists(), Bits(r) != Bits(0.0));
        v.m_points.Raw().clear();
        v.Recompute();
        EXPECT_EQ(Bits(v.OuterMinX()), Bits(kEmptyMin));
        EXPECT_EQ(Bits(v.OuterMaxY()), Bits(kEmptyMax));
    }
}

TEST(ChainOuterBox, ClearingAndReadingMakeNoCorrectionLists) {
    CVector v;
    const CVector& read = v;
    EXPECT_TRUE(read.Correction().m_offsetPoints.IsEmpty() && read.m_radiusList.empty());
    EXPECT_EQ(read.m_radiusList.begin(), read.m_radiusList.end());
    v.ClearCorrection();
    EXPECT_FALSE(v.HasCorrectionLists());
    CRadius* second = v.AddRadius();
    v.m_radiusList.insert(v.m_radiusList.begin(), std::make_unique<CRadius>());
    EXPECT_EQ(v.m_radiusList.size(), 2u);
    EXPECT_EQ(v.m_radiusList.at(1).get(), second);
    v.ClearCorrection();
    EXPECT_TRUE(v.m_radiusList.empty());
}
