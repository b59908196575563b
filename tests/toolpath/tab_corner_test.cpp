#include <gtest/gtest.h>

#include <cmath>

#include "support/chain_builders.h"
#include "support/scripted_interaction.h"

// L = 4 mm at 1 mm per unit with r = 1: a gap of 6 centred on the click; S and E carry no
// contour vertex, so no corner vector is made at a tab end.
TEST(Tabs, GapAroundTheClickOrAMessage) {
    const std::vector<CPunkt> line{{0, 0}, {100, 0}}, run{{0, 0}, {20, 0}, {40, 0}, {60, 0}, {100, 0}};
    // The path, L, the click, x of S and E, the message (or none).
    const struct { const std::vector<CPunkt>& path; double length; CPunkt click; double s, e; const char* message; } cases[] = {
        {line, 4, {50, 0.1}, 47, 53, nullptr},
        {run, 4, {40, 0}, 37, 43, nullptr},  // a point hit: the ray runs through the click
        {line, 4, {50, -0.1}, 0, 0, " Steg error !!"},  // right of the path, outside the strip
        {line, 4, {2, 0.1}, 0, 0, " Startvektor zu kurz !"},
        {line, 4, {98, 0.1}, 0, 0, " Steg"},
        {line, 0, {50, 0.1}, 0, 0, nullptr},
    };
    for (const auto& c : cases) {
        ScriptedSession s;
        CVector v;
        v.m_points.Raw() = c.path;
        v.m_empty = 0;
        v.m_toolRadius = v.m_hasCorrection = 1;
        CRadius& q = *v.AddRadius();
        q.m_path.Raw() = c.path;
        for (std::size_t i = 0; i < c.path.size(); ++i) q.m_source.AddPoint(static_cast<int>(i));
        const int made = v.InsertTab(c.length, c.click, 0.5, 1.0);
        EXPECT_EQ(s.ui.shown, c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        ASSERT_EQ(v.m_radiusList.size(), made ? 2u : 1u);
        if (!made) {
            EXPECT_EQ(q.m_path.Raw(), c.path);
            continue;
        }
        const CRadius& e = *v.m_radiusList[1];
        EXPECT_NEAR(q.m_path.Back().x, c.s, 1e-3);
        EXPECT_NEAR(e.m_path[0].x, c.e, 1e-3);
        EXPECT_EQ(e.m_path.Back(), c.path.back());
        EXPECT_EQ(e.m_source[0], -1);
        EXPECT_EQ(v.InsertCornerVector(q, q.m_path.Size() - 1), 0);
        EXPECT_EQ(s.ui.shown.back(), "Ecke ist hier nicht möglich");
    }
}

// The clockwise square pocket, path on the right (inside), r = 1: the corner (10,10) is cut
// free from (9.2929, 9.2929).
TEST(Corners, PocketDrillAndCornerVector) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}});
    v.m_toolRadius = 1;
    ASSERT_EQ(v.Correct(), 1);
    ASSERT_EQ(v.InsertCornerDrill({10, 10}, 0.5), 1);
    EXPECT_EQ(v.m_radiusList[0]->m_selected, 2);
    const CPunkt e = v.m_radiusList[0]->m_path.At(0);
    EXPECT_NEAR(e.x, 9.2929, 1e-4);
    EXPECT_NEAR(e.y, 9.2929, 1e-4);

    CRadius& path = *v.m_radiusList[1];
    int j = 0;
    while (path.m_source[j] != 2) ++j;
    const CPunkt pj = path.m_path[j];
    ASSERT_EQ(v.InsertCornerVector(path, j), 1);
    EXPECT_EQ(path.m_path[j], pj);
    EXPECT_EQ(path.m_path[j + 2], pj);
    EXPECT_NEAR(Distance(path.m_path[j + 1], e), 0, 1e-9);
    EXPECT_EQ(v.Correction().m_correctionPointsC.Size(), 1);
    EXPECT_EQ(v.InsertCornerVector(path, j), 0);
    EXPECT_EQ(s.ui.shown.back(), "Ecke ist hier nicht möglich");
}

TEST(Corners, OnlyCornersBetween70And110DegreesQualify) {
    for (const auto& [degrees, accepted] : {std::pair{60.0, false}, {71.0, true}, {109.0, true}, {120.0, false}}) {
        const double a = kPi + degrees * kPi / 180;
        CVector v;
        MakeChain(v, {{-10, 0}, {0, 0}, {10 * std::cos(a), 10 * std::sin(a)}});
        v.m_toolRadius = 1;
        v.m_hasCorrection = 1;
        EXPECT_EQ(v.InsertCornerDrill({0, 0}, 0.5), accepted ? 1 : 0) << degrees;
    }
}
