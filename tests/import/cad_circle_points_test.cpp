// A full circle's points come from tables of cosines and sines kept per segment count; they
// must be the points of the plain formula bit for bit, also when two counts share a table's
// place one after the other and for counts too large for a table.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "cadreader/cad_drawing.h"
#include "import/cad_chain_points.h"
#include "model/vector.h"

TEST(CadCirclePoints, TablesGiveThePlainFormulasPoints) {
    std::mt19937 rng(7);
    const CadPointRules rules{0.025, 3.14159265358979323846};
    // 20 and 36 share a table's place; 5000 is made without a table.
    for (std::uint32_t n : {36u, 20u, 36u, 360u, 20u, 5000u, 4096u, 3u}) {
        CadEntity e;
        e.type = kCadCircle;
        e.g[0] = std::uniform_real_distribution<double>(-500, 500)(rng);
        e.g[1] = std::uniform_real_distribution<double>(-500, 500)(rng);
        e.g[2] = std::uniform_real_distribution<double>(0.1, 80)(rng);
        CVector chain;
        chain.m_points.Reserve(static_cast<int>(n) + 1);
        ASSERT_TRUE(MakeChainPoints(CadChainJob{&chain, &e, nullptr, n, CadRecipe::Circle}, rules));
        ASSERT_EQ(chain.PointCount(), static_cast<int>(n) + 1);
        const double step = 360.0 / static_cast<double>(n) * rules.pi / 180.0;
        for (std::uint32_t k = 0; k <= n; ++k) {
            const double a = static_cast<double>(k % n) * step;
            const CPunkt& p = chain.m_points[static_cast<int>(k)];
            ASSERT_EQ(p.x, (e.g[0] + e.g[2] * std::cos(a)) / rules.unit) << n << " " << k;
            ASSERT_EQ(p.y, (e.g[1] + e.g[2] * std::sin(a)) / rules.unit) << n << " " << k;
        }
    }
}
