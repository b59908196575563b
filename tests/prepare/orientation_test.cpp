#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "model/texts.h"
#include "model/vector.h"
#include "support/box.h"
#include "support/chain_builders.h"
#include "support/scripted_interaction.h"

namespace {
const CPunkt P0{0, 0}, P1{1, 0}, P2{1, 1}, P3{0, 1}, Q3{0, 2};
}

TEST(Direction, OfChainsAndTheMessageItShows) {
    struct Case {
        std::vector<CPunkt> pts;
        std::int32_t direction;
        const char* message;
    };
    const Case cases[] = {
        {{P0, P1, P2, P3, P0}, kDirCounterClockwise, nullptr},
        {{P0, P3, P2, P1, P0}, kDirClockwise, nullptr},
        // The order of the extreme points decides when they lie apart: a diamond from the
        // left, both ways, and from the right.
        {{{0, 5}, {5, 0}, {10, 5}, {5, 10}, {0, 5}}, kDirCounterClockwise, nullptr},
        {{{0, 5}, {5, 10}, {10, 5}, {5, 0}, {0, 5}}, kDirClockwise, nullptr},
        {{{10, 5}, {5, 0}, {0, 5}, {5, 10}, {10, 5}}, kDirClockwise, nullptr},
        {{{0, 0}, {1, 0}, {1, 1}}, kDirOpen, nullptr},
        // The leftmost point's neighbour lies too close and the order test finds nothing (the
        // lowest and highest points sit at the ends of the index range): the angles at the
        // rightmost point decide.
        {{{0, 0}, {0.005, -0.000001}, {10, -1}, {10, 0}, {10, 5}, {0.004, 5.0}, {0, 0}}, kDirCounterClockwise, nullptr},
        {{{0, 0}, {0.005, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, kDirCounterClockwise, nullptr},
        {{{0, 0}, {0.0005, 0}, {0.0005, 0.0005}, {0, 0.0005}, {0, 0}}, kDirUnknown, texts::kChainTooSmall},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.pts));
        ScriptedSession s;
        CVector v;
        v.m_points.Raw() = c.pts;
        ShowDirectionNote(v.Recompute());  // what a command flow does with the note
        EXPECT_EQ(v.m_direction, c.direction);
        EXPECT_EQ(s.ui.shown, c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    }
}

TEST(Direction, UndeterminableMessageShownAtMostFiveTimesUntilNewDocument) {
    ScriptedSession s;
    CVector v;
    for (int i = 0; i < 8; ++i) {
        if (i == 7) CurrentContext().directionWarnings = 0;  // what creating a document does
        // The lowest point's neighbours lie on one ray, so that SetDirection cannot decide.
        MakeChain(v, {{0, 0}, {0, 0.0005}, {0, 1}, {1, 1}, {0, 0}});
        s.ui.shown.clear();
        v.SetDirection(0);
        const bool shown = !s.ui.shown.empty() && s.ui.shown.front() == texts::kDirectionUndeterminable;
        EXPECT_EQ(shown, i < 5 || i == 7) << "call " << i;
    }
}

// Every edit on a chain: its points afterwards, and the points its undo copy holds.
TEST(ChainEdits, PointsAfterEachEdit) {
    using Pts = std::vector<CPunkt>;
    const Pts ccw{P0, P1, P2, P3, P0}, cw{P0, P3, P2, P1, P0}, open{{0, 0}, {5, 0}, {5, 5}, {9, 9}};
    struct Case {
        const char* name;
        Pts before;
        std::function<void(CVector&)> edit;
        Pts after, undo;
    };
    const Case cases[] = {
        {"clockwise to counter-clockwise", cw, [](CVector& v) { v.SetDirection(0); }, ccw, {}},
        {"already counter-clockwise", ccw, [](CVector& v) { v.SetDirection(0); }, ccw, {}},
        {"counter-clockwise to clockwise", ccw, [](CVector& v) { v.SetDirection(1); }, cw, {}},
        {"open chain has no direction to set", open, [](CVector& v) { v.SetDirection(1); }, open, {}},
        {"open chain reversed", open, [](CVector& v) { v.Reverse(); }, {{9, 9}, {5, 5}, {5, 0}, {0, 0}}, {}},
        {"start point 2", ccw, [](CVector& v) { v.SetStartPoint(2); }, {P2, P3, P0, P1, P2}, {}},
        {"start point 0", ccw, [](CVector& v) { v.SetStartPoint(0); }, ccw, {}},
        {"last index is the start point", ccw, [](CVector& v) { v.SetStartPoint(4); }, ccw, {}},
        {"open chain keeps its start", open, [](CVector& v) { v.SetStartPoint(1); }, open, {}},
        {"first point of a closed chain", {P0, P1, P2, Q3, P0}, [](CVector& v) { v.DeletePoint(0); },
         {P1, P2, Q3, P1}, {P0, P1, P2, Q3, P0}},
        {"last point of a closed chain", {P0, P1, P2, Q3, P0}, [](CVector& v) { v.DeletePoint(4); },
         {P1, P2, Q3, P1}, {P0, P1, P2, Q3, P0}},
        {"point of an open chain", open, [](CVector& v) { v.DeletePoint(1); }, {{0, 0}, {5, 5}, {9, 9}}, open},
        {"point outside only takes the undo copy", open, [](CVector& v) { v.DeletePoint(7); }, open, open},
        {"deletion undone", open, [](CVector& v) { v.DeletePoint(1), v.RestorePoints(); }, open, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedSession s;
        CVector v;
        v.m_points.Raw() = c.before;
        v.Recompute();
        const std::int32_t closed = v.m_closed;
        c.edit(v);
        EXPECT_EQ(v.m_points.Raw(), c.after);
        EXPECT_EQ(v.Correction().m_undoPoints.Raw(), c.undo);
        EXPECT_EQ(v.m_closed, closed);
        // Box and direction follow the points.
        CVector fresh;
        fresh.m_points.Raw() = c.after;
        fresh.Recompute();
        EXPECT_EQ(v.m_direction, fresh.m_direction);
        EXPECT_EQ(BoxOf(v), BoxOf(fresh));
        EXPECT_TRUE(s.ui.shown.empty());
    }
    CVector v;
    MakeChain(v, {P0, P1, P2, P3, P0});
    EXPECT_THROW(v.SetStartPoint(5), std::invalid_argument);
}

TEST(ClearChain, EmptiesAndRestoreBringsBack) {
    ScriptedSession s;
    CVector v;
    MakeChain(v, {P0, P1, P2, P3, P0});
    v.AddRadius();
    v.m_hasCorrection = 1;
    v.ClearChain();
    EXPECT_EQ(v.m_empty, 1);
    EXPECT_EQ(v.PointCount(), 0);
    EXPECT_TRUE(v.m_radiusList.empty());
    EXPECT_EQ(v.m_hasCorrection, 1);
    v.RestorePoints();
    EXPECT_EQ(v.m_empty, 0);
    EXPECT_EQ(v.m_points, (CPointArray{P0, P1, P2, P3, P0}));
    EXPECT_EQ(v.m_direction, kDirCounterClockwise);
    EXPECT_EQ(BoxOf(v), (Box{0, 1, 0, 1}));
}
