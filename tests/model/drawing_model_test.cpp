#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "model/document.h"
#include "model/quenk_app.h"
#include "files/settings_file.h"
#include "support/box.h"
#include "support/chain_builders.h"
#include "support/scripted_interaction.h"
#include "support/test_depth.h"

namespace {
struct Fixture {
    Fixture() {
        CompleteSettingsTables(app);
        doc.m_curLayer = doc.AddLayer();
    }
    ScriptedSession s;
    CQuenkApp app;
    CQuenkDoc doc{app};
};
}  // namespace

// ---------------------------------------------------------------- layers and pens

// The outer box grows by each chain's tool radius.
TEST(Layer, BoxesFollowTheChainsAndMoveBy) {
    ScriptedSession s;
    CLayer layer;
    EXPECT_EQ(layer.m_empty, 1);
    CVector* a = layer.AddPen(1)->AddVector();
    a->m_toolRadius = 2;
    SetPoints(*a, {{0, 0}, {10, 10}});
    SetPoints(*layer.AddPen(2)->AddVector(), {{20, -1}, {21, 1}});
    DirectionNotes notes;
    layer.RecomputeBox(notes);
    EXPECT_EQ(layer.m_empty, 0);
    EXPECT_EQ(BoxOf(layer), (Box{0, 21, -1, 10}));
    EXPECT_EQ(OuterBoxOf(layer), (Box{-2, 21, -2, 12}));

    layer.MoveBy(5, -5, -1, notes);  // negative z: nothing
    EXPECT_EQ(BoxOf(layer), (Box{0, 21, -1, 10}));
    EXPECT_EQ(a->m_points[0], (CPunkt{0, 0}));

    layer.MoveBy(5, -5, 0, notes);
    EXPECT_EQ(BoxOf(layer), (Box{5, 26, -6, 5}));
    EXPECT_EQ(OuterBoxOf(layer), (Box{3, 26, -7, 7}));
    EXPECT_EQ(a->m_points[1], (CPunkt{15, 5}));
}

TEST(Layer, EmptyPensAndChainsLeaveTheEmptyBox) {
    ScriptedSession s;
    CLayer layer;
    CStift* pen = layer.AddPen(3);
    pen->AddVector();  // no points
    layer.AddPen(4);   // no chains
    DirectionNotes notes;
    layer.RecomputeBox(notes);
    EXPECT_EQ(layer.m_empty, 0);
    EXPECT_EQ(pen->m_empty, 0);
    EXPECT_EQ(layer.m_pens[1]->m_empty, 1);
    EXPECT_EQ(BoxOf(layer), kEmptyBox);
}

// ---------------------------------------------------------------- document box

TEST(DocumentBox, MaxXIsNeverBelowZero) {
    Fixture f;
    CQuenkDoc empty(f.app);  // no layers
    empty.RecomputeBox();
    EXPECT_EQ(BoxOf(empty), (Box{kEmptyMin, 0.0, kEmptyMin, kEmptyMax}));

    MakeChain(*f.doc.FindOrCreatePen(1, 0)->AddVector(), {{-30, -4}, {-10, 6}});
    f.doc.AddLayer();  // an empty layer folds nothing in
    f.doc.RecomputeBox();
    EXPECT_EQ(BoxOf(f.doc), (Box{-30, 0.0, -4, 6}));
}

// ---------------------------------------------------------------- pens by colour

TEST(FindOrCreatePen, PenNumberOrAssignedColourNeedsNoQuestion) {
    Fixture f;
    CStift* a = f.doc.FindOrCreatePen(3, 0);
    EXPECT_EQ(f.doc.FindOrCreatePen(3, 0), a);
    EXPECT_EQ(f.doc.m_curLayer->m_pens.size(), 1u);
    EXPECT_EQ(a->m_number, 3);
    EXPECT_EQ(a->m_colourIndex, 0);
    f.app.m_colourPen[7] = 2;
    CStift* two = f.doc.FindOrCreatePen(2, 0);
    EXPECT_EQ(f.doc.FindOrCreatePen(0, 7), two);
    EXPECT_EQ(two->m_colourIndex, 7);
    EXPECT_TRUE(f.s.ui.shown.empty());

    CQuenkDoc noLayer(f.app);
    CStift* p = noLayer.FindOrCreatePen(2, 0);
    ASSERT_EQ(noLayer.m_layers.size(), 1u);
    EXPECT_EQ(noLayer.m_curLayer->m_pens[0].get(), p);
}

// The index finds the first pen of the number, as the walk does, also past pens added behind its back.
TEST(FindOrCreatePen, FindsWhatThePlainWalkFinds) {
    Fixture f;
    std::mt19937 rng(5);
    auto plain = [](auto& pens, std::int32_t n) {
        const auto it = std::find_if(pens.begin(), pens.end(), [n](const auto& p) { return p->m_number == n; });
        return it == pens.end() ? nullptr : it->get();
    };
    for (int i = 0; i < Rounds(3000); ++i) {
        const std::int32_t n = static_cast<std::int32_t>(rng() % (i % 2 ? 40 : 100000)) - 2;
        if (rng() % 50 == 0) f.doc.m_curLayer = f.doc.AddLayer();
        if (rng() % 20 == 0) f.doc.m_curLayer->AddPen(n);  // behind the index's back, maybe twice
        CStift* found = f.doc.FindOrCreatePen(n, 0);
        EXPECT_EQ(found, plain(f.doc.m_curLayer->m_pens, n));
    }
}

// 17 and up count as unassigned; an index beyond the table grows it, one no CAD colour has is
// asked for but never stored; Cancel gives pen 0.
TEST(FindOrCreatePen, ColourWithoutPenIsAskedOnceAndRemembered) {
    Fixture f;
    f.app.m_colourPen[5] = 17;
    f.s.ui.pens = {9, std::nullopt, 12, 3};
    CStift* p = f.doc.FindOrCreatePen(1, 5);
    EXPECT_EQ(std::tuple(p->m_number, p->m_colourIndex, f.app.m_colourPen[5]), std::tuple(9, 5, 9));
    EXPECT_EQ(f.doc.FindOrCreatePen(1, 5), p);
    EXPECT_EQ(f.s.ui.shown, (std::vector<std::string>{"DWG-Farbe -> Stiftnummer 5"}));
    EXPECT_EQ(f.doc.FindOrCreatePen(4, 6)->m_number, 0);  // cancelled: the entry 0 stays
    EXPECT_EQ(f.app.m_colourPen[6], 0);

    CStift* beyond = f.doc.FindOrCreatePen(1, 130);
    EXPECT_EQ(beyond->m_number, 12);
    ASSERT_EQ(f.app.m_colourPen.size(), 131u);
    EXPECT_EQ(f.app.m_colourPen[130], 12);
    EXPECT_EQ(f.app.m_colourPen[20], 0);
    EXPECT_EQ(f.doc.FindOrCreatePen(1, 130), beyond);
    EXPECT_EQ(f.doc.FindOrCreatePen(1, -2)->m_number, 3);
    EXPECT_EQ(f.doc.FindOrCreatePen(1, 100000)->m_number, 0);  // cancelled
    EXPECT_EQ(f.app.m_colourPen.size(), 131u);
    EXPECT_EQ(f.s.ui.shown.size(), 5u);
}

// ---------------------------------------------------------------- walks

TEST(TurnAll, ClockwiseReversesClosedSquareAndLeavesOpenChain) {
    Fixture f;
    CVector* square = f.doc.FindOrCreatePen(1, 0)->AddVector();
    MakeChain(*square, {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
    CVector* open = f.doc.FindOrCreatePen(2, 0)->AddVector();
    MakeChain(*open, {{0, 0}, {5, 5}, {9, 0}});
    f.doc.FindOrCreatePen(2, 0)->AddVector();  // empty
    f.doc.RecomputeBox();
    ASSERT_EQ(square->m_direction, kDirCounterClockwise);
    const CPointArray openBefore = open->m_points;

    f.doc.TurnAll(1);
    EXPECT_EQ(square->m_direction, kDirClockwise);
    EXPECT_EQ(square->m_points[1], (CPunkt{0, 10}));
    EXPECT_EQ(open->m_points, openBefore);
    // The walk's cursors end on the last non-empty chain it visited.
    EXPECT_EQ(f.doc.m_curChain, open);
    EXPECT_EQ(f.s.ui.maxWaitDepth, 1);
    EXPECT_EQ(f.s.ui.waitDepth, 0);
    EXPECT_EQ(f.s.ui.redraws, 1);

    f.doc.TurnAll(0);
    EXPECT_EQ(square->m_direction, kDirCounterClockwise);
    EXPECT_EQ(open->m_points, openBefore);
}

TEST(ClearAll, NoChangesNothingYesEmptiesEverything) {
    Fixture f;
    MakeChain(*f.doc.FindOrCreatePen(1, 0)->AddVector(), {{0, 0}, {4, 4}});
    f.doc.m_nothingImported = 0;
    f.doc.RecomputeBox();
    f.s.ui.yesNo.push_back(false);
    EXPECT_FALSE(f.doc.ClearAll(true));
    EXPECT_EQ(f.s.ui.shown, (std::vector<std::string>{"Wollen Sie alles löschen? "}));
    EXPECT_EQ(f.doc.m_layers.size(), 1u);
    EXPECT_NE(f.doc.m_curLayer, nullptr);
    EXPECT_EQ(f.doc.m_nothingImported, 0);
    EXPECT_EQ(f.doc.m_maxX, 4);
    EXPECT_EQ(f.s.ui.redraws, 0);

    EXPECT_TRUE(f.doc.ClearAll(true));
    EXPECT_TRUE(f.doc.m_layers.empty());
    EXPECT_EQ(f.doc.m_curLayer, nullptr);
    EXPECT_EQ(f.doc.m_curPen, nullptr);
    EXPECT_EQ(f.doc.m_nothingImported, 1);
    EXPECT_EQ(BoxOf(f.doc), (Box{kEmptyMin, 0.0, kEmptyMin, kEmptyMax}));
    EXPECT_EQ(f.s.ui.redraws, 1);
}
