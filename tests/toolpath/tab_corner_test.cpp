#include <gtest/gtest.h>

#include <cmath>

#include "support/chain_builders.h"
#include "support/scripted_interaction.h"

namespace {
// A corrected open path of radius 1 along the x axis through the given points.
void MakeStraightPath(CVector& v, std::initializer_list<CPunkt> pts) {
    MakeChain(v, pts);
    v.m_toolRadius = 1;
    v.m_hasCorrection = 1;
    CRadius& r = *v.AddRadius();
    r.m_path = CPointArray(pts);
    for (int i = 0; i < r.m_path.Size(); ++i) r.m_source.AddPoint(i);
}

void ExpectNear(const CPunkt& p, double x, double y) {
    EXPECT_NEAR(p.x, x, 0.001);
    EXPECT_NEAR(p.y, y, 0.001);
}
}  // namespace

// L = 4 mm at 1 mm per unit with r = 1: a gap of 6 centred on the click.
TEST(Tabs, SplitsTheStraightPathAroundTheClick) {
    ScriptedSession s;
    CVector v;
    MakeStraightPath(v, {{0, 0}, {100, 0}});
    ASSERT_EQ(v.InsertTab(4, {50, 0.1}, 0.5, 1.0), 1);
    ASSERT_EQ(v.m_radiusList.size(), 2u);
    const CRadius& q = *v.m_radiusList[0];
    const CRadius& e = *v.m_radiusList[1];
    ASSERT_EQ(q.m_path.Size(), 2);
    ExpectNear(q.m_path[1], 47, 0);
    ExpectNear(e.m_path[0], 53, 0);
    EXPECT_EQ(e.m_path[1], (CPunkt{100, 0}));
    EXPECT_EQ(q.m_source, (CIntArray{0, -1}));
    EXPECT_EQ(e.m_source, (CIntArray{-1, 1}));
    // A tab end was made by no contour vertex: no corner vector there.
    EXPECT_EQ(v.InsertCornerVector(*v.m_radiusList[0], 1), 0);
    EXPECT_EQ(s.ui.shown.back(), "Ecke ist hier nicht möglich");
}

// A click on a point of a straight run: the ray through the click point itself.
TEST(Tabs, PointHitOnAStraightRun) {
    ScriptedSession s;
    CVector v;
    MakeStraightPath(v, {{0, 0}, {20, 0}, {40, 0}, {60, 0}, {100, 0}});
    ASSERT_EQ(v.InsertTab(4, {40, 0}, 0.5, 1.0), 1);
    EXPECT_EQ(v.m_radiusList[0]->m_path.Size(), 3);
    ExpectNear(v.m_radiusList[0]->m_path.Back(), 37, 0);
    ExpectNear(v.m_radiusList[1]->m_path[0], 43, 0);
    EXPECT_EQ(v.m_radiusList[1]->m_path.Size(), 3);
}

TEST(Tabs, RefusedClicksChangeNothing) {
    const struct {
        double length;
        CPunkt click;
        const char* message;  // nullptr: none
    } cases[] = {
        {4, {50, -0.1}, " Steg error !!"},  // right of the path, outside the strip
        {4, {2, 0.1}, " Startvektor zu kurz !"},
        {4, {98, 0.1}, " Steg"},
        {0, {50, 0.1}, nullptr},
    };
    for (const auto& c : cases) {
        ScriptedSession s;
        CVector v;
        MakeStraightPath(v, {{0, 0}, {100, 0}});
        EXPECT_EQ(v.InsertTab(c.length, c.click, 0.5, 1.0), 0);
        EXPECT_EQ(v.m_radiusList.size(), 1u);
        EXPECT_EQ(v.m_radiusList[0]->m_path.Size(), 2);
        EXPECT_EQ(s.ui.shown, c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
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
    const CRadius& drill = *v.m_radiusList[0];
    EXPECT_EQ(drill.m_selected, 2);
    ASSERT_EQ(drill.m_path.Size(), 1);
    ExpectNear(drill.m_path[0], 9.2929, 9.2929);

    CRadius& path = *v.m_radiusList[1];
    int j = 0;
    while (path.m_source[j] != 2) ++j;
    const CPunkt pj = path.m_path[j];
    ASSERT_EQ(v.InsertCornerVector(path, j), 1);
    EXPECT_EQ(path.m_path[j], pj);
    ExpectNear(path.m_path[j + 1], 9.2929, 9.2929);
    EXPECT_EQ(path.m_path[j + 2], pj);
    EXPECT_EQ(path.m_source[j + 2], -1);
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
