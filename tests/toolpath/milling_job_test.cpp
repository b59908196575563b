#include "toolpath/milling_job.h"

#include <gtest/gtest.h>

#include <random>

#include "model/document.h"
#include "model/quenk_app.h"
#include "files/settings_file.h"
#include "support/chain_builders.h"
#include "support/scripted_interaction.h"
#include "model/fraes_kontur.h"
#include "files/job_file.h"

namespace {
// A square chain of tool 2 with two corrected paths.
void MakeCorrectedChain(CVector& v) {
    MakeChain(v, {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}});
    v.m_tool = 2;
    v.m_outerMinX = -5;
    v.m_outerMaxX = 105;
    v.m_outerMinY = -6;
    v.m_outerMaxY = 106;
    v.AddRadius()->m_path = CPointArray{{-5, -5}, {105, -5}};
    v.AddRadius()->m_path = CPointArray{{105, 105}, {-5, 105}};
}
}  // namespace

TEST(MillingOrder, AClickTakesEachPathOverOnce) {
    CQuenkApp app;
    app.m_toolColours = {0, 0x10, 0x20};
    CVector chain;
    MakeCorrectedChain(chain);
    chain.m_radiusList[1]->m_mark = 1;  // already taken by an earlier click

    ASSERT_NE(AddContourFromChain(app, chain), nullptr);
    const CFraesKontur& k = *app.m_millingList.back();
    EXPECT_EQ(k.m_tool, 2);
    EXPECT_EQ(k.m_toolColor, 0x20u);
    EXPECT_EQ(k.m_direction, chain.m_direction);
    EXPECT_EQ(k.m_outerMinY, -6);
    EXPECT_EQ(k.m_points, chain.m_points);
    ASSERT_EQ(k.m_paths.size(), 1u);
    EXPECT_EQ(k.m_paths[0]->m_points, chain.m_radiusList[0]->m_path);
    EXPECT_EQ(chain.m_radiusList[0]->m_mark, 1);

    // Nothing left to take over: the click is ignored.
    EXPECT_EQ(AddContourFromChain(app, chain), nullptr);
    EXPECT_EQ(app.m_millingList.size(), 1u);
}

// Whatever the clicks (tools outside 1..16, chains without paths), the saved job loads again.
TEST(MillingOrder, EverySavedJobLoadsAgain) {
    std::mt19937 rng(11);
    for (int round = 0; round < 200; ++round) {
        ScriptedSession s;
        CQuenkApp app;
        CompleteSettingsTables(app);
        std::vector<std::unique_ptr<CVector>> chains;
        for (int i = 0; i < 6; ++i) {
            auto& v = *chains.emplace_back(std::make_unique<CVector>());
            MakeCorrectedChain(v);
            v.m_tool = static_cast<std::int32_t>(rng() % 20) - 1;  // -1 .. 18, 17: no correction
            if (rng() % 3 == 0) v.m_radiusList.clear();
        }
        for (int click = 0; click < 10; ++click) AddContourFromChain(app, *chains[rng() % chains.size()]);
        const std::string bytes = SerializeJob(app);
        CQuenkApp loaded;
        ASSERT_TRUE(LoadJobBytes(loaded, bytes)) << (s.ui.shown.empty() ? "" : s.ui.shown.back());
        EXPECT_EQ(SerializeJob(loaded), bytes);
    }
}

TEST(MillingOrder, StepBackGivesThePathsBackAndDropsTheTail) {
    CQuenkApp app;
    app.m_toolColours.assign(17, 0);
    CVector a, b;
    MakeCorrectedChain(a);
    MakeCorrectedChain(b);
    AddContourFromChain(app, a);
    AddContourFromChain(app, b);
    RemoveLastContour(app, &b);
    ASSERT_EQ(app.m_millingList.size(), 1u);
    EXPECT_EQ(b.m_radiusList[0]->m_mark, 0);
    EXPECT_EQ(b.m_radiusList[1]->m_mark, 0);
    EXPECT_EQ(a.m_radiusList[0]->m_mark, 1);
    RemoveLastContour(app, nullptr);
    RemoveLastContour(app, nullptr);  // nothing left: nothing happens
    EXPECT_TRUE(app.m_millingList.empty());
}

TEST(MillingOrder, JobExtentOverTheOuterBoxes) {
    CQuenkApp app;
    EXPECT_FALSE(ComputeJobExtent(app));
    EXPECT_EQ(app.m_jobMinX, 10.0);
    EXPECT_EQ(app.m_jobMaxY, 100.0);
    app.m_toolColours.assign(17, 0);
    CVector a, b;
    MakeCorrectedChain(a);
    MakeCorrectedChain(b);
    b.m_outerMinX = -50;
    b.m_outerMaxY = 300;
    AddContourFromChain(app, a);
    AddContourFromChain(app, b);
    EXPECT_TRUE(ComputeJobExtent(app));
    EXPECT_EQ(app.m_jobMinX, -50.0);
    EXPECT_EQ(app.m_jobMaxX, 105.0);
    EXPECT_EQ(app.m_jobMinY, -6.0);
    EXPECT_EQ(app.m_jobMaxY, 300.0);
}

TEST(MillingOrder, CopyToKonturMakesTheCorrectionAChain) {
    ScriptedSession s;
    CQuenkApp app;
    app.m_nColorMode = 2;
    CQuenkDoc doc(app);
    CLayer* layer = doc.AddLayer();
    CStift* pen = layer->AddPen(1);
    CVector* chain = pen->AddVector();
    MakeCorrectedChain(*chain);
    chain->m_hasCorrection = 1;
    const CPointArray copied = chain->m_radiusList[1]->m_path;

    CopyToKontur(app, doc, *pen, *chain, *chain->m_radiusList[1]);
    ASSERT_EQ(pen->m_chains.size(), 2u);
    EXPECT_EQ(pen->m_chains[1]->m_points, copied);
    EXPECT_EQ(pen->m_chains[1]->m_empty, 0);
    EXPECT_TRUE(chain->m_radiusList.empty());
    EXPECT_EQ(chain->m_hasCorrection, 0);
    EXPECT_EQ(app.m_nColorMode, 0);
    EXPECT_EQ(doc.m_minX, -5.0);  // the box now includes the new chain
    EXPECT_EQ(s.ui.redraws, 1);
}
