#include "output/mouse_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/quenk_app.h"
#include "support/drawing_builder.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "model/fraes_kontur.h"

TEST(MouseExport, ClicksStepBackAndFinish) {
    ScriptedSession s;
    CQuenkApp app;
    app.m_toolColours.assign(17, 0);
    CQuenkDoc doc(app);
    CVector& a = AddTestChain(doc, 1, {{0, 0}, {10, 0}, {10, 10}});
    a.m_tool = 2;
    AddTestPath(a, {{0, 0}, {10, 0}});
    AddTestPath(a, {{5.4, 5.6}}, 1);  // a drill: a dot in the file, a plunge in the job
    CVector& b = AddTestChain(doc, 1, {{1, 1}, {2, 2}});
    b.m_tool = 3;
    AddTestPath(b, {{1, 1}, {2, 2}});
    CVector& none = AddTestChain(doc, 1, {{1, 1}, {2, 2}});
    none.m_tool = 17;  // no tool of the machine: never milled
    AddTestPath(none, {{1, 1}, {2, 2}});

    TempDir dir;
    const std::string path = dir.File("r.plt");
    s.ui.files = {path, path};
    CMouseExport ex(app, doc);
    ex.OnMouseExport();
    ASSERT_EQ(app.m_nMouseMode, kMouseModeExport);
    EXPECT_EQ(s.ui.shown.back(), "Jetzt alle Radiusvektoren mit der Mouse anklicken!");
    ex.Click(a);
    const std::string afterA = "IN;PU;VS38;\r\nPU;\r\nPU;SP2;\r\nPU;\r\nPA5,6;\r\nPD5,6;\r\nPU;\r\nPA0,0;\r\nPD;\r\nPA10,0;\r\n";
    EXPECT_EQ(ReadFile(path), afterA);
    // none has no tool of the machine, a nothing left to take: only b is taken.
    EXPECT_EQ(ex.ClickAll({&none, &a, &b}), 1u);
    EXPECT_EQ(ReadFile(path), afterA + "PU;\r\nPU;SP3;\r\nPU;\r\nPA1,1;\r\nPD;\r\nPA2,2;\r\n");
    ASSERT_EQ(app.m_millingList.size(), 2u);
    EXPECT_EQ(app.m_millingList[0]->m_paths.size(), 2u);

    ex.StepBackExport();
    EXPECT_EQ(ReadFile(path), afterA);
    EXPECT_EQ(b.m_radiusList[0]->m_mark, 0);
    EXPECT_EQ(a.m_radiusList[0]->m_mark, 1);
    EXPECT_EQ(app.m_millingList.size(), 1u);
    EXPECT_EQ(ex.m_exportLastTool, 3);  // the removed click's tool stays

    ex.OnMouseExport();
    EXPECT_EQ(ReadFile(path), afterA + "PU;SP0;");
    EXPECT_EQ(app.m_nMouseMode, kMouseModeNone);
    EXPECT_EQ(app.m_bMillingReady, 1);
    EXPECT_EQ(a.m_radiusList[0]->m_mark, 0);

    // Finishing without a click deletes the file.
    ex.OnMouseExport();
    EXPECT_EQ(ReadFile(path), "IN;PU;VS38;\r\n");
    ex.OnMouseExport();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(app.m_millingList.size(), 1u);
}
