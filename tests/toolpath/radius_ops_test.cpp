#include <gtest/gtest.h>

#include "model/radius.h"
#include "model/vector.h"
#include "support/chain_builders.h"
#include "toolpath/strip.h"

namespace {
CRadius Path(std::initializer_list<CPunkt> pts, bool closed) {
    CRadius r;
    int i = 0;
    for (const CPunkt& p : pts) {
        r.m_path.AddPoint(p);
        r.m_source.AddPoint(i++ * 10);
    }
    r.m_closed = closed ? 1 : 0;
    return r;
}
const CPunkt P0{0, 0}, P1{10, 0}, P2{10, 10}, P3{0, 10};
}  // namespace

TEST(Strip, InsideOnTheGivenSideOnly) {
    EXPECT_TRUE(InStrip({5, 0.5}, {0, 0}, {10, 0}, 1));
    EXPECT_FALSE(InStrip({5, -0.5}, {0, 0}, {10, 0}, 1));
    EXPECT_TRUE(InStrip({5, -0.5}, {0, 0}, {10, 0}, -1));  // negative width: the right side
    EXPECT_FALSE(InStrip({5, 0.5}, {0, 0}, {10, 0}, -1));
    EXPECT_FALSE(InStrip({11, 0.5}, {0, 0}, {10, 0}, 1));   // beyond the end
    EXPECT_FALSE(InStrip({5, 1.5}, {0, 0}, {10, 0}, 1));    // beyond the width
    EXPECT_FALSE(InStrip({0, 0}, {3, 3}, {3, 3}, 1));       // a point spans nothing
}

TEST(Strip, RayThroughACornerOfTheRectangleIsNotInside) {
    // A horizontal ray from (1,1) runs exactly through the rectangle corner (5,1); counting
    // its crossings calls the point inside although it lies 3 units away.
    EXPECT_FALSE(InStrip({1, 1}, {4, 0}, {5, 1}, 0.6));
    EXPECT_TRUE(InStrip({4.5, 0.6}, {4, 0}, {5, 1}, 0.6));
}

TEST(Strip, ChainPickingUsesBothSidesExactly) {
    CVector v;
    MakeChain(v, {{4, 0}, {5, 1}, {5, 5}});
    EXPECT_EQ(v.FindSegment({1, 1}, 0.6), -1);
    EXPECT_EQ(v.FindSegment({4.5, 0.45}, 0.1), 1);
    EXPECT_EQ(v.FindSegment({5.3, 3}, 0.5), 2);
    EXPECT_EQ(v.FindSegment({4.7, 3}, 0.5), 2);
    CVector one;
    MakeChain(one, {{0, 0}});
    EXPECT_EQ(one.FindSegment({0, 0}, 1), -1);
}

TEST(RadiusOps, FindSegmentAndFindPoint) {
    CRadius r = Path({P0, P1, P2}, false);
    EXPECT_EQ(r.FindSegment({5, 0.5}, 1), 1);
    EXPECT_EQ(r.FindSegment({5, -0.5}, 1), -1);  // left strip only
    EXPECT_EQ(r.FindSegment({9.5, 5}, 1), 2);
    EXPECT_EQ(r.FindPoint({10, 0.5}, 0.5), 1);
    EXPECT_EQ(r.FindPoint({10, 0.6}, 0.5), -1);
}

TEST(RadiusOps, DeletePointKeepsSourcesParallelAndClosedPathsClosed) {
    CRadius open = Path({P0, P1, P2, P3}, false);
    open.DeletePoint(1);
    EXPECT_EQ(open.m_path.Raw(), (std::vector<CPunkt>{P0, P2, P3}));
    EXPECT_EQ(open.m_source.Raw(), (std::vector<std::int32_t>{0, 20, 30}));
    open.DeletePoint(7);  // outside: nothing
    EXPECT_EQ(open.m_path.Size(), 3);

    CRadius first = Path({P0, P1, P2, P3, P0}, true);
    first.DeletePoint(0);
    EXPECT_EQ(first.m_path.Raw(), (std::vector<CPunkt>{P1, P2, P3, P1}));
    EXPECT_EQ(first.m_source.Raw(), (std::vector<std::int32_t>{10, 20, 30, 10}));
    CRadius last = Path({P0, P1, P2, P3, P0}, true);
    last.DeletePoint(4);
    EXPECT_EQ(last.m_path.Raw(), (std::vector<CPunkt>{P1, P2, P3, P1}));

    CRadius drill;  // a corner drill has no sources
    drill.m_path.AddPoint(P2);
    drill.DeletePoint(0);
    EXPECT_TRUE(drill.m_path.IsEmpty());
    EXPECT_TRUE(drill.m_source.IsEmpty());
}

TEST(RadiusOps, BuildIntPointsRoundsHalfUpButTruncatesNegatives) {
    CRadius r = Path({{1.4, 2.5}, {1.4, 2.5}, {-1.7, -0.5}, {1.2, 2.6}, {10.49, 3}}, false);
    r.BuildIntPoints();
    // The exact repeat is gone from the path itself; (1.4,2.5) and (1.2,2.6) both give (1,3)
    // but are not neighbours; -1.7 stays -1.
    EXPECT_EQ(r.m_path.Size(), 4);
    EXPECT_EQ(r.m_source.Raw(), (std::vector<std::int32_t>{0, 20, 30, 40}));
    using IP = std::pair<std::int32_t, std::int32_t>;
    EXPECT_EQ(r.m_intPoints.Raw(), (std::vector<IP>{{1, 3}, {-1, 0}, {1, 3}, {10, 3}}));
    CRadius same = Path({{1.5, 0}, {1.9, 0.2}}, false);
    same.BuildIntPoints();
    EXPECT_EQ(same.m_intPoints.Size(), 1);  // equal pairs after rounding collapse
    EXPECT_EQ(same.m_path.Size(), 2);
}
