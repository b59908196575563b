// Arcs and bulges from tables kept per sweep: the plain formulas' points bit for bit, also for
// repeated sweeps, signed zeros, more sweeps than a thread keeps and sweeps too long for one.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include "cadreader/cad_drawing.h"
#include "import/cad_chain_points.h"
#include "model/vector.h"

static std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

TEST(CadArcPoints, TablesGiveThePlainFormulasPoints) {
    std::mt19937 rng(11);
    auto any = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    const CadPointRules rules{0.025, 3.14159265358979323846};
    const double toRad = rules.pi / 180.0, toDeg = 180.0 / rules.pi;
    for (int round = 0; round < 6000; ++round) {
        const bool repeat = round < 2000;
        double a0 = repeat ? 90.0 * (round % 4) : std::floor(any(-400, 400));
        if (round % 97 == 0) a0 = round % 2 ? -0.0 : 0.0;
        const double a1 = a0 + (repeat ? 90.0 : any(1, 300));
        const auto n = static_cast<std::uint32_t>(round % 500 == 0 ? 700 : 2 + round % 7 * 13);
        const double cx = any(-500, 500), cy = any(-500, 500), r = any(0.1, 80);
        CVector chain;
        chain.m_points.Reserve(static_cast<int>(n) + 2);
        CadEntity e;
        e.g[0] = cx, e.g[1] = cy, e.g[2] = r, e.g[3] = a0, e.g[4] = a1;
        const CadPiece piece{0.0, 0.0, cx, cy, r, a0, a1, n};
        const bool bulge = round % 2 == 1;
        const CadChainJob job = bulge ? CadChainJob{&chain, nullptr, &piece, 1, CadRecipe::Pieces}
                                      : CadChainJob{&chain, &e, nullptr, n, CadRecipe::Arc};
        ASSERT_TRUE(MakeChainPoints(job, rules));
        ASSERT_EQ(chain.PointCount(), static_cast<int>(bulge ? n : n + 1));
        for (std::uint32_t k = bulge ? 1 : 0; k <= (bulge ? n - 1 : n); ++k) {
            const double a = bulge ? (a0 + static_cast<double>(k) * (a1 - a0) / static_cast<double>(n)) / toDeg
                                   : (k < n ? a0 + static_cast<double>(k) * ((a1 - a0) / static_cast<double>(n)) : a1) * toRad;
            const CPunkt& p = chain.m_points[static_cast<int>(k)];
            ASSERT_EQ(Bits(p.x), Bits((cx + r * std::cos(a)) / rules.unit)) << round << " " << k;
            ASSERT_EQ(Bits(p.y), Bits((cy + r * std::sin(a)) / rules.unit)) << round << " " << k;
        }
    }
}
