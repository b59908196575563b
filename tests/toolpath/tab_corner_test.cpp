#include <gtest/gtest.h>

#include <cmath>

#include "support/chain_builders.h"
#include "support/scripted_interaction.h"

namespace {
// A corrected open path of radius 1 along the x axis through the given points.
void MakeStraightPath(CVector& v, const std::vector<CPunkt>& pts) {
    v.m_points.Raw() = pts;
    v.Recompute();
    v.m_toolRadius = 1;
    v.m_hasCorrection = 1;
    CRadius& r = *v.AddRadius();
    r.m_path.Raw() = pts;
    for (int i = 0; i < r.m_path.Size(); ++i) r.m_source.AddPoint(i);
}

void ExpectNear(const CPunkt& p, double x, double y) {
    EXPECT_NEAR(p.x, x, 0.001);
    EXPECT_NEAR(p.y, y, 0.001);
}
}  // namespace

// L = 4 mm at 1 mm per unit with r = 1: a gap of 6 centred on the click; S and E carry no
// contour vertex, so no corner vector is made at a tab end.
TEST(Tabs, GapAroundTheClickOrAMessage) {
    const std::vector<CPunkt> line{{0, 0}, {100, 0}}, run{{0, 0}, {20, 0}, {40, 0}, {60, 0}, {100, 0}};
    const struct {
        const std::vector<CPunkt>& path;
        double length;
        CPunkt click;
        double s, e;          // x of S and E; 0 when refused
        const char* message;  // nullptr: none
    } cases[] = {
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
        MakeStraightPath(v, c.path);
        const int made = v.InsertTab(c.length, c.click, 0.5, 1.0);
        EXPECT_EQ(s.ui.shown, c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        ASSERT_EQ(v.m_radiusList.size(), made ? 2u : 1u);
        if (!made) {
            EXPECT_EQ(v.m_radiusList[0]->m_path.Raw(), c.path);
            continue;
        }
        const CRadius& q = *v.m_radiusList[0];
        const CRadius& e = *v.m_radiusList[1];
        ExpectNear(q.m_path.Back(), c.s, 0);
        ExpectNear(e.m_path[0], c.e, 0);
        EXPECT_EQ(q.m_path.Size() + e.m_path.Size(), static_cast<int>(c.path.size()) + 2);
        EXPECT_EQ(e.m_source[0], -1);
        EXPECT_EQ(v.InsertCornerVector(*v.m_radiusList[0], q.m_path.Size() - 1), 0);
        EXPECT_EQ(s.ui.shown.back(), "Ecke ist hier nicht möglich");
    }
}

TEST(Corners, PocketDrillAndCornerVector) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}});
    v.m_toolRadius = 1;
    v.m_side = 1;
    ASSERT_EQ(v.Correct(), 1);
    ASSERT_EQ(v.InsertCornerDrill({10, 10}, 0.5), 1);
    EXPECT_EQ(v.m_radiusList[0]->m_selected, 2);
    ExpectNear(v.m_radiusList[0]->m_path.At(0), 9.2929, 9.2929);

    CRadius& path = *v.m_radiusList[1];
    int j = 0;
    while (path.m_source[j] != 2) ++j;
    const CPunkt pj = path.m_path[j];
    ASSERT_EQ(v.InsertCornerVector(path, j), 1);
    EXPECT_EQ(path.m_path[j], pj);
    ExpectNear(path.m_path[j + 1], 9.2929, 9.2929);
    EXPECT_EQ(path.m_path[j + 2], pj);
    EXPECT_EQ(v.m_correctionPointsC.Size(), 1);
    EXPECT_EQ(v.InsertCornerVector(path, j), 0);
    EXPECT_EQ(s.ui.shown.back(), "Ecke ist hier nicht möglich");

    v.m_side = 0;  // the same corners seen from outside are 270 degrees
    EXPECT_EQ(v.InsertCornerDrill({10, 10}, 0.5), 0);
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
