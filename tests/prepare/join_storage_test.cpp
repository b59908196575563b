// Joined from shuffled pieces, a contour and an open chain keep little unused storage.
#include <gtest/gtest.h>
#include <algorithm>
#include <random>
#include "join_test_support.h"
#include "prepare/join.h"
#include "support/scripted_interaction.h"
TEST(JoinStorage, JoinedChainsKeepAtMostAnEighthUnused) {
    ScriptedSession s;
    JoinDrawing d;
    CStift& pen = d.Pen(1);
    std::vector<std::vector<CPunkt>> pieces(70);  // 40 of a contour closed below, 30 of a line
    for (int k = 0; k < 70; ++k)
        for (int p = 0; p <= 24; ++p) pieces[k].push_back({(k % 40) * 240.0 + p * 10.0, (k / 40) * 1e3 + p % 2 * 7.0});
    pieces[0].front() = pieces[39].back() = {-5.0, -50.0};
    std::shuffle(pieces.begin(), pieces.end(), std::mt19937(7));
    for (const auto& p : pieces) pen.AddVector()->m_points.Raw() = p;  // storage of exactly its size
    d.doc.RecomputeBox();
    EXPECT_TRUE(JoinEndPoints(d.doc, *d.doc.m_layers.back()));
    int joined = 0;
    for (const auto& c : pen.m_chains) {
        EXPECT_LE(c->m_points.Raw().capacity() - c->m_points.Raw().size(), c->m_points.Raw().size() / 8);
        joined += c->PointCount() == (c->m_closed ? 961 : 721);
    }
    EXPECT_EQ(joined, 2);
}
