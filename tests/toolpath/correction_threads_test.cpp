// "Radiuskorrektur" on a large drawing's threads: the paths and messages of one thread.

#include <gtest/gtest.h>

#include "model/document.h"
#include "model/parallel.h"
#include "support/random_drawing.h"
#include "support/scripted_interaction.h"
#include "toolpath/correction_command.h"

namespace {
// The chains of pens lo to hi (pens taking turns: neighbours differ in tool and side),
// corrected with the pens' tools and functions; chains[k] is shape k's chain.
std::vector<std::string> Correct(CQuenkDoc& doc, const std::vector<std::vector<CPunkt>>& shapes, int lo, int hi,
                                 std::vector<CVector*>& chains) {
    CLayer& layer = *doc.AddLayer();
    for (int p = lo; p <= hi; ++p) layer.AddPen(p);
    chains.resize(shapes.size());
    for (std::size_t k = 0; k < shapes.size(); ++k) {
        const int pen = static_cast<int>(k % 16) + 1;
        if (pen < lo || pen > hi) continue;
        CVector& v = *layer.m_pens[static_cast<std::size_t>(pen - lo)]->AddVector();
        for (const CPunkt& p : shapes[k]) v.AddPoint(p);
        v.Recompute();
        chains[k] = &v;
    }
    ScriptedSession s;
    RunRadiusCorrection(doc, {17, false});
    return s.ui.shown;
}
}  // namespace

TEST(RadiusCommandThreads, SameAsSmallDrawingsOnOneThread) {
    ScriptedSession outer;
    CQuenkApp app;
    app.m_tools.resize(17);
    app.m_penTool = app.m_penFunction = std::vector<std::int32_t>(17, 0);
    for (int p = 1; p <= 16; ++p) {
        app.m_tools[static_cast<std::size_t>(p) - 1].m_diameter = 0.5 + 0.5 * p;
        app.m_penTool[static_cast<std::size_t>(p)] = p;
        app.m_penFunction[static_cast<std::size_t>(p)] = p % 3;  // none, outside, inside
    }
    Dice dice(77);
    const std::size_t count = kPiecesWorthThreads * 3 / 2;
    std::vector<std::vector<CPunkt>> shapes(count);
    for (auto& shape : shapes) {
        const double size = dice.Real(2, 400), cx = dice.Real(-5000, 5000), cy = dice.Real(-5000, 5000);
        for (int i = 0, n = dice(3, 12); i < n; ++i) shape.push_back({cx + dice.Real(-size, size), cy + dice.Real(-size, size)});
        if (dice(0, 3) > 0) shape.push_back(shape.front());
    }
    CQuenkDoc whole(app), first(app), second(app);
    std::vector<CVector*> threaded, alone, rest;
    const std::vector<std::string> shown = Correct(whole, shapes, 1, 16, threaded);
    std::vector<std::string> expected = Correct(first, shapes, 1, 8, alone);
    for (const std::string& text : Correct(second, shapes, 9, 16, rest)) expected.push_back(text);
    EXPECT_EQ(shown, expected);
    EXPECT_FALSE(shown.empty());  // some chains are smaller than their tools: that is told
    for (std::size_t k = 0; k < count; ++k) {
        const CVector &a = *threaded[k], &b = *(alone[k] ? alone[k] : rest[k]);
        ASSERT_EQ(a.m_points, b.m_points) << k;
        ASSERT_EQ(a.m_radiusList.size(), b.m_radiusList.size()) << k;
        for (std::size_t i = 0; i < a.m_radiusList.size(); ++i) {
            ASSERT_EQ(a.m_radiusList[i]->m_path, b.m_radiusList[i]->m_path) << k;
            ASSERT_EQ(a.m_radiusList[i]->m_source, b.m_radiusList[i]->m_source) << k;
            ASSERT_EQ(a.m_radiusList[i]->m_robust, b.m_radiusList[i]->m_robust) << k;
        }
        ASSERT_EQ(a.Correction().m_correctionIndexB, b.Correction().m_correctionIndexB) << k;
    }
}
