// Editing a corrected chain reruns its correction, so that what is milled follows the edit.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "model/vector.h"
#include "support/chain_builders.h"
#include "support/scripted_interaction.h"

namespace {
using PathList = std::vector<std::vector<CPunkt>>;

PathList Paths(const CVector& v) {
    PathList out;
    for (const auto& r : v.m_radiusList) out.push_back(r->m_path.Raw());
    return out;
}

// The paths a fresh correction of these points gives.
PathList FreshPaths(const CPointArray& pts) {
    CVector v;
    v.m_points = pts;
    v.Recompute();
    v.m_toolRadius = 1;
    v.m_side = 1;
    v.Correct();
    return Paths(v);
}
}  // namespace

TEST(ChainEdits, CorrectedPathFollowsEveryEdit) {
    struct Case {
        const char* name;
        std::function<void(CVector&)> edit;
        bool pointsComeBack;
    };
    const Case cases[] = {
        {"start point moved", [](CVector& v) { v.SetStartPoint(2); }, false},
        {"corner deleted", [](CVector& v) { v.DeletePoint(1); }, false},
        {"start deleted", [](CVector& v) { v.DeletePoint(0); }, false},
        {"deletion undone", [](CVector& v) { v.DeletePoint(1), v.RestorePoints(); }, true},
        {"clearing undone", [](CVector& v) { v.ClearChain(), v.RestorePoints(); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedSession s;
        CVector v;
        MakeChain(v, {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
        v.m_toolRadius = 1;
        v.m_side = 1;
        ASSERT_EQ(v.Correct(), 1);
        const PathList before = Paths(v);
        c.edit(v);
        EXPECT_EQ(Paths(v), FreshPaths(v.m_points));
        EXPECT_EQ(Paths(v) == before, c.pointsComeBack);
        EXPECT_EQ(v.m_hasCorrection, 1);
    }
}
