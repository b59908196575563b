// A job with a tab and a corner drill, from the sample sign to the G-code program: the
// cutter lifts over the tab at every pass, and the drill is a plunge at its point.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/cli_run.h"
#include "import/import_command.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "model/settings_file.h"
#include "output/format_number.h"
#include "output/gcode.h"
#include "output/mouse_export.h"
#include "support/scripted_interaction.h"
#include "toolpath/correction_command.h"
#include "toolpath/pick.h"

namespace {
int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

std::string Xy(const char* word, const CPunkt& p, double u) {
    return std::string(word) + "X" + FormatNumber(p.x * u) + "Y" + FormatNumber(p.y * u) + "\r\n";
}
}  // namespace

TEST(TabsInProgram, TheCutterLiftsOverTheTabAndPlungesAtTheDrill) {
    ScriptedSession s;
    CQuenkApp app;
    CompleteSettingsTables(app);
    app.m_bSaveSettingsOnExit = 0;
    app.m_tools[0].m_diameter = 2.0;
    // Letters outside, the border inside, all with tool 1; the engraved stroke uncorrected.
    app.m_penTool[1] = app.m_penTool[3] = 1;
    app.m_penTool[2] = 0;
    app.m_penFunction[1] = 1;
    app.m_penFunction[3] = 2;
    app.m_materialThickness = 5.0;
    app.m_maxPassDepth = 2.0;
    app.m_safetyDistance = 2.0;
    app.m_extraDepth = 0.5;
    CQuenkDoc doc(app);
    ImportFile(doc, QUENK_SOURCE_DIR "/samples/schild.plt");
    RunRadiusCorrection(doc, RadiusCorrectionOptions{17, false});

    // The border is the widest chain; its corners are right angles.
    CVector* border = nullptr;
    for (auto& pen : doc.m_layers[0]->m_pens)
        for (auto& chain : pen->m_chains)
            if (!border || chain->m_maxX - chain->m_minX > border->m_maxX - border->m_minX) border = chain.get();
    ASSERT_TRUE(border && border->m_radiusList.size() == 1);
    const std::vector<CPunkt>& path = border->m_radiusList[0]->m_path.Raw();
    std::size_t longest = 1;
    for (std::size_t i = 1; i < path.size(); ++i)
        if (Distance(path[i - 1], path[i]) > Distance(path[longest - 1], path[longest])) longest = i;
    // Half way along, a little to the left, where the pick looks.
    const CPunkt& a = path[longest - 1];
    const CPunkt& b = path[longest];
    const double len = Distance(a, b);
    const CPunkt mid{(a.x + b.x) / 2 - 0.1 * (b.y - a.y) / len, (a.y + b.y) / 2 + 0.1 * (b.x - a.x) / len};
    ASSERT_TRUE(TabClick(doc, TabSettings{3.0, 0}, mid, 1.0));
    bool drilled = false;
    for (int k = 0; k < border->PointCount() && !drilled; ++k)
        drilled = CornerDrillClick(doc, border->m_points[k], 0.01);
    ASSERT_TRUE(drilled);
    ASSERT_EQ(border->m_radiusList.size(), 3u);
    const CPunkt drill = border->m_radiusList[0]->m_path[0];
    const CPunkt tabStart = border->m_radiusList[1]->m_path.Back();
    const CPunkt tabEnd = border->m_radiusList[2]->m_path[0];

    CMouseExport order(app, doc);
    order.StartWithoutFile();
    for (auto& pen : doc.m_layers[0]->m_pens)
        for (auto& chain : pen->m_chains) order.Click(*chain);
    order.FinishMouseExport();
    const std::string file = std::string(::testing::TempDir()) + "/tabs.nc";
    ASSERT_TRUE(WriteGCode(app, file));
    std::ifstream in(file, std::ios::binary);
    const std::string program((std::istreambuf_iterator<char>(in)), {});

    const double u = app.m_plotterUnit;
    const std::string safe = "G00Z" + FormatNumber(2.0) + "\r\n";
    // Three passes: 5.5 mm deep at most 2 mm each.
    EXPECT_EQ(Count(program, Xy("G01", tabStart, u) + safe + Xy("G00", tabEnd, u)), 3);
    int plunges = 0;
    for (std::size_t at = program.find(Xy("G00", drill, u)); at != std::string::npos;
         at = program.find(Xy("G00", drill, u), at + 1)) {
        std::istringstream lines(program.substr(at));
        std::string l1, l2, l3;
        std::getline(lines, l1);
        std::getline(lines, l2);
        if (l2 == safe.substr(0, safe.size() - 1)) std::getline(lines, l2);
        std::getline(lines, l3);
        EXPECT_EQ(l2.rfind("G01Z-", 0), 0u) << l2;
        EXPECT_EQ(l3 + "\n", safe);
        ++plunges;
    }
    EXPECT_EQ(plunges, 3);
}

// quenk-cli: the same steps, with the mouse export writing its plotter file.
TEST(TabsInProgram, CommandLineStepsWriteThePlotterFiles) {
    ScratchDir dir("tabs");
    const CliResult r = RunCli(dir, "--tool 1:2 import '" QUENK_SOURCE_DIR "/samples/schild.plt' correct 1 "
                                    "export-plt a.plt export-rk r.plt order-plt m.plt 0:1:0 order all");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadAll(dir / "a.plt").rfind("IN;PU;VS38;\r\nSP", 0), 0u);
    EXPECT_EQ(ReadAll(dir / "r.plt").rfind("IN;PU;VS38;\r\nPU;\r\nSP1;\r\n", 0), 0u);
    const std::string m = ReadAll(dir / "m.plt");
    EXPECT_EQ(m.rfind("IN;PU;VS38;\r\nPU;\r\nPU;SP1;\r\n", 0), 0u);
    EXPECT_EQ(m.substr(m.size() - 7), "PU;SP0;");
    EXPECT_NE(r.err.find("Jetzt alle Radiusvektoren mit der Mouse anklicken!"), std::string::npos);
}
