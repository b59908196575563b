#include <gtest/gtest.h>

#include "model/document.h"
#include "model/quenk_app.h"
#include "model/texts.h"
#include "prepare/shapes.h"
#include "support/scripted_interaction.h"

namespace {
std::vector<CPunkt> ShapePoints(const CQuenkDoc& doc) {
    const CVector& v = *doc.m_layers.back()->m_pens.back()->m_chains.back();
    return std::vector<CPunkt>(v.m_points.begin(), v.m_points.end());
}

void ExpectPoints(const std::vector<CPunkt>& got, const std::vector<CPunkt>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_DOUBLE_EQ(got[i].x, want[i].x) << i;
        EXPECT_DOUBLE_EQ(got[i].y, want[i].y) << i;
    }
}

struct Shapes : ::testing::Test {
    ScriptedSession s;
    CQuenkApp app;  // zero point (10, 10) mm, 0.025 mm per unit
    CQuenkDoc doc{app};
};
}  // namespace

TEST_F(Shapes, RectangleAtTheZeroPointInDrawingUnits) {
    ASSERT_TRUE(ShapeCommandsEnabled(doc));
    ASSERT_TRUE(AddRectangle(doc, {10, 5, 3}));
    ExpectPoints(ShapePoints(doc), {{800, 400}, {800, 600}, {400, 600}, {400, 400}, {800, 400}});
    EXPECT_EQ(doc.m_layers.back()->m_pens.back()->m_number, 3);
    EXPECT_EQ(doc.m_layers.back()->m_pens.back()->m_chains.back()->m_direction, kDirCounterClockwise);
    EXPECT_EQ(doc.m_nothingImported, 0);
    EXPECT_FALSE(ShapeCommandsEnabled(doc));  // one shape per empty drawing
}

// Corner points in mm from the zero point (0, 0); each list closes on its first point.
TEST_F(Shapes, TrapezoidCorners) {
    struct Case {
        double a, b, h;
        bool rotated;
        std::vector<CPunkt> want;
    };
    const Case cases[] = {
        {0, 10, 4, false, {{10, 0}, {5, 4}, {5, 4}, {0, 0}, {10, 0}}},  // apex over the middle of the base
        {4, 10, 5, false, {{10, 0}, {7, 5}, {3, 5}, {0, 0}, {10, 0}}},
        {10, 4, 5, false, {{7, 0}, {10, 5}, {0, 5}, {3, 0}, {7, 0}}},
        {4, 10, 5, true, {{5, 3}, {5, 7}, {0, 10}, {0, 0}, {5, 3}}},
        {10, 4, 5, true, {{5, 0}, {5, 10}, {0, 7}, {0, 3}, {5, 0}}},
    };
    for (const Case& c : cases) ExpectPoints(TrapezoidPoints({c.a, c.b, c.h, 1, c.rotated}, 0, 0), c.want);
}

// A missing size and a value outside the dialogs' ranges are refused before anything is added.
TEST_F(Shapes, MissingSizeOrValueOutOfRangeAddsNothing) {
    EXPECT_EQ((RectangleOptions{-1, 5, 1}.Validate()), "Ungültiger Wert für X (erlaubt: 0 bis 9999999999)");
    EXPECT_EQ((TrapezoidOptions{1, 2, 3, 17, false}.Validate()), "Ungültiger Wert für Stift (erlaubt: 1 bis 16)");
    EXPECT_FALSE(AddRectangle(doc, {10, 0, 1}));
    EXPECT_FALSE(AddTrapezoid(doc, {0, 0, 5, 1, false}));
    EXPECT_FALSE(AddTrapezoid(doc, {3, 4, 0, 1, true}));
    EXPECT_FALSE(AddRectangle(doc, {10, 5, 0}));
    EXPECT_TRUE(doc.m_layers.empty());
    std::vector<std::string> shown(3, texts::kShapeSizeMissing);
    shown.push_back("Ungültiger Wert für Stift (erlaubt: 1 bis 16)");
    EXPECT_EQ(s.ui.shown, shown);
}
