#include "toolpath/milling_job.h"

#include <gtest/gtest.h>

#include <random>

#include "files/job_file.h"
#include "files/settings_file.h"
#include "model/document.h"
#include "model/fraes_kontur.h"
#include "model/quenk_app.h"
#include "support/box.h"
#include "support/chain_builders.h"
#include "support/scripted_interaction.h"
#include "support/test_depth.h"

namespace {
// A rectangle chain of tool 2 (radius 5) with two corrected paths.
void MakeCorrectedChain(CVector& v, double minX = 0, double maxY = 100) {
    v.m_toolRadius = 5;
    MakeChain(v, {{minX, 0}, {100, 0}, {100, maxY}, {minX, maxY}, {minX, 0}});
    v.m_tool = 2;
    v.AddRadius()->m_path = CPointArray{{-5, -5}, {105, -5}};
    v.AddRadius()->m_path = CPointArray{{105, 105}, {-5, 105}};
}
}  // namespace

// Each click takes the paths no earlier click took; a step back gives the last click's
// paths back; the job's extent spans the outer boxes of what was taken.
TEST(MillingOrder, ClicksStepsBackAndExtent) {
    CQuenkApp app;
    app.m_toolColours.assign(17, 0);
    EXPECT_FALSE(ComputeJobExtent(app));
    EXPECT_EQ(JobBoxOf(app), (Box{10, 100, 10, 100}));
    CVector a, b;
    MakeCorrectedChain(a);
    MakeCorrectedChain(b, -45, 295);
    a.m_radiusList[1]->m_mark = 1;  // already taken by an earlier click

    ASSERT_NE(AddContourFromChain(app, a), nullptr);
    ASSERT_EQ(app.m_millingList.back()->m_paths.size(), 1u);
    EXPECT_EQ(app.m_millingList.back()->m_paths[0]->m_points, a.m_radiusList[0]->m_path);
    EXPECT_EQ(a.m_radiusList[0]->m_mark, 1);
    EXPECT_EQ(AddContourFromChain(app, a), nullptr);  // nothing left to take over

    ASSERT_NE(AddContourFromChain(app, b), nullptr);
    EXPECT_TRUE(ComputeJobExtent(app));
    EXPECT_EQ(JobBoxOf(app), (Box{-50, 105, -5, 300}));
    RemoveLastContour(app, &b);
    ASSERT_EQ(app.m_millingList.size(), 1u);
    EXPECT_EQ(b.m_radiusList[0]->m_mark + b.m_radiusList[1]->m_mark, 0);
    EXPECT_EQ(a.m_radiusList[0]->m_mark, 1);
    RemoveLastContour(app, nullptr);
    RemoveLastContour(app, nullptr);  // nothing left: nothing happens
    EXPECT_TRUE(app.m_millingList.empty());
}

// Whatever the clicks (tools outside 1..16, chains without paths), the saved job loads again.
TEST(MillingOrder, EverySavedJobLoadsAgain) {
    std::mt19937 rng(11);
    for (int round = 0; round < Rounds(100); ++round) {
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

TEST(MillingOrder, CopyToKonturMakesTheCorrectionAChain) {
    ScriptedSession s;
    CQuenkApp app;
    app.m_nColorMode = 2;
    CQuenkDoc doc(app);
    CStift* pen = doc.AddLayer()->AddPen(1);
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
