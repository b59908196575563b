#include <gtest/gtest.h>

#include <tuple>

#include "model/document.h"
#include "model/quenk_app.h"
#include "model/texts.h"
#include "prepare/grid_copies.h"
#include "support/drawing_builder.h"
#include "support/scripted_interaction.h"

namespace {
// A 400 x 200 unit rectangle at (100, 50), corrected by hand, with a tab's two paths.
void Drawing(CQuenkDoc& doc) {
    doc.m_curLayer = doc.AddLayer();
    CVector& v = AddTestChain(doc, 2, {{100, 50}, {500, 50}, {500, 250}, {100, 250}, {100, 50}});
    v.m_tool = 3, v.m_toolRadius = 10, v.m_side = 0, v.m_function = 2, v.m_hasCorrection = 1;
    AddTestPath(v, {{110, 60}, {490, 60}, {490, 240}});
    AddTestPath(v, {{480, 240}, {110, 240}, {110, 60}});
    v.m_radiusList[1]->m_mark = 1;
    v.m_radiusList[1]->m_source = CIntArray{2, 3, 0};
    doc.RecomputeBox();
    doc.m_nothingImported = 0;
}

struct GridCopies : ::testing::Test {
    ScriptedSession s;
    CQuenkApp app;  // 0.025 mm per unit: 5 mm are 200 units
    CQuenkDoc doc{app};
    GridCopies() { Drawing(doc); }
};
}  // namespace

TEST_F(GridCopies, ThreeByTwoAddsFiveShiftedLayersWithTheirPaths) {
    ASSERT_TRUE(MakeGridCopies(doc, {3, 5.0, 2, 2.5}));
    ASSERT_EQ(doc.m_layers.size(), 6u);
    const CVector& original = *doc.m_layers[0]->m_pens[0]->m_chains[0];
    // Steps: width 400 + 200 and height 200 + 100; rows first, left to right.
    const CPunkt shifts[] = {{600, 0}, {1200, 0}, {0, 300}, {600, 300}, {1200, 300}};
    for (std::size_t k = 0; k < 5; ++k) {
        const CStift& pen = *doc.m_layers[k + 1]->m_pens.at(0);
        const CVector& c = *pen.m_chains.at(0);
        EXPECT_EQ(std::tuple(pen.m_number, c.m_tool, c.m_side, c.m_hasCorrection, c.m_toolRadius),
                  std::tuple(2, 3, 0, 1, 10.0));
        ASSERT_EQ(c.m_radiusList.size(), 2u);
        for (std::size_t r = 0; r < 2; ++r) {
            const CRadius& from = *original.m_radiusList[r];
            const CRadius& to = *c.m_radiusList[r];
            EXPECT_EQ(to.m_mark, from.m_mark);
            EXPECT_EQ(to.m_source, from.m_source);
            for (int i = 0; i < from.m_path.Size(); ++i)
                EXPECT_EQ(to.m_path[i], (CPunkt{from.m_path[i].x + shifts[k].x, from.m_path[i].y + shifts[k].y}));
        }
    }
    EXPECT_DOUBLE_EQ(doc.m_maxX, 500 + 1200);
    EXPECT_DOUBLE_EQ(doc.m_maxY, 250 + 300);
    EXPECT_TRUE(s.ui.shown.empty());
}

TEST_F(GridCopies, OneByOneAndEmptyDocumentsAddNothing) {
    CQuenkDoc empty(app);
    EXPECT_FALSE(MakeGridCopies(empty, {3, 5, 3, 5}));
    EXPECT_FALSE(MakeGridCopies(doc, {1, 5, 1, 5}));
    EXPECT_FALSE(MakeGridCopies(doc, {101, 5, 1, 5}));
    EXPECT_EQ(doc.m_layers.size(), 1u);
    EXPECT_EQ(s.ui.shown, (std::vector<std::string>{texts::kGridCountsOne,
                                                    "Ungültiger Wert für Anzahl in X Richting (erlaubt: 1 bis 100)"}));
}

TEST_F(GridCopies, AGridBeyondTheMemoryBudgetIsRefusedWhole) {
    CVector& v = *doc.m_layers[0]->m_pens[0]->m_chains[0];
    for (int i = 0; i < 20000; ++i) v.AddPoint({100.0 + i * 0.01, 50});  // 20,000 points x 9,999 copies
    EXPECT_FALSE(MakeGridCopies(doc, {100, 5, 100, 5}));
    EXPECT_EQ(doc.m_layers.size(), 1u);
    EXPECT_EQ(s.ui.shown, std::vector<std::string>{"Speicher Fehler!"});
}
