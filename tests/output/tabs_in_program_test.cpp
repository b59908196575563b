// A job with a tab and a corner drill, from the sample sign to the G-code program: the
// cutter lifts over the tab at every pass, and the drill is a plunge at its point.

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "cli/cli_run.h"
#include "import/import_command.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "files/settings_file.h"
#include "output/format_number.h"
#include "output/gcode.h"
#include "output/mouse_export.h"
#include "support/scripted_interaction.h"
#include "toolpath/correction_command.h"
#include "toolpath/pick.h"

namespace {
// Matches of a pattern; the program's numbers match themselves ('.' stands for any byte).
long Count(const std::string& text, const std::string& pattern) {
    const std::regex re(pattern);
    return std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator());
}

std::string Line(const std::string& word, const CPunkt& p) {
    return word + "X" + FormatNumber(p.x * 0.025) + "Y" + FormatNumber(p.y * 0.025) + "\r\n";
}
}  // namespace

TEST(TabsInProgram, TheCutterLiftsOverTheTabAndPlungesAtTheDrill) {
    ScriptedSession s;
    CQuenkApp app;
    CompleteSettingsTables(app);
    app.m_tools[0].m_diameter = 2.0;
    app.m_penTool[1] = app.m_penTool[3] = 1;  // letters outside, border inside; no engraving
    app.m_penTool[2] = 0;
    app.m_penFunction[1] = 1;
    app.m_penFunction[3] = 2;
    app.m_materialThickness = 5.0;
    app.m_maxPassDepth = 2.0;  // three passes
    app.m_safetyDistance = 2.0;
    CQuenkDoc doc(app);
    ImportFile(doc, QUENK_SOURCE_DIR "/samples/schild.plt");
    RunRadiusCorrection(doc, RadiusCorrectionOptions{17, false});
    // The border is the widest chain; its corners are right angles.
    CVector* border = doc.m_layers[0]->m_pens[0]->m_chains[0].get();
    for (auto& pen : doc.m_layers[0]->m_pens)
        for (auto& chain : pen->m_chains)
            if (chain->m_maxX - chain->m_minX > border->m_maxX - border->m_minX) border = chain.get();
    // Half way along a long segment, a little to the left, where the pick looks.
    const std::vector<CPunkt>& path = border->m_radiusList.at(0)->m_path.Raw();
    std::size_t i = 1;
    while (Distance(path[i - 1], path[i]) < 1000) ++i;
    const CPunkt a = path[i - 1], b = path[i];
    const double len = Distance(a, b);
    const CPunkt mid{(a.x + b.x) / 2 - (b.y - a.y) / len, (a.y + b.y) / 2 + (b.x - a.x) / len};
    ASSERT_TRUE(TabClick(doc, TabSettings{3.0, 0}, mid, 2.0));
    for (int k = 0; !CornerDrillClick(doc, border->m_points.At(k), 0.01);) ++k;

    CMouseExport order(app, doc);
    order.StartWithoutFile();
    for (auto& pen : doc.m_layers[0]->m_pens)
        for (auto& chain : pen->m_chains) order.Click(*chain);
    order.FinishMouseExport();
    const std::string file = std::string(::testing::TempDir()) + "/tabs.nc";
    ASSERT_TRUE(WriteGCode(app, file));
    const std::string program = ReadFile(file);
    const std::string safe = "G00Z" + FormatNumber(2.0) + "\r\n";
    const CPunkt tabStart = border->m_radiusList[1]->m_path.Back(), tabEnd = border->m_radiusList[2]->m_path[0];
    EXPECT_EQ(Count(program, Line("G01", tabStart) + safe + Line("G00", tabEnd)), 3);
    // At each pass: over the drill point, down to the pass depth, straight up again.
    const std::string drill = Line("G00", border->m_radiusList[0]->m_path[0]);
    EXPECT_EQ(Count(program, drill + "(" + safe + ")?G01Z-[0-9.]+\r\n" + safe), 3);
}

// quenk-cli: the exports and the mouse export write their plotter files, and Debian's
// plotter-file converter reads each of them without complaint.
TEST(TabsInProgram, CommandLineStepsWriteThePlotterFiles) {
    TempDir dir;
    const CliResult r = RunCli(dir, "--tool 1:2 import '" QUENK_SOURCE_DIR "/samples/schild.plt' correct 1 "
                                    "export-plt a.plt export-rk r.plt order-plt m.plt 0:1:1 0:1:2 order all");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string m = ReadFile(dir.File("m.plt"));
    EXPECT_EQ(m.rfind("IN;PU;VS38;\r\nPU;\r\nPU;SP1;\r\n", 0), 0u);
    EXPECT_EQ(m.substr(m.size() - 7), "PU;SP0;");
    if (std::system("command -v hp2xx >/dev/null 2>&1") != 0) GTEST_SKIP() << "hp2xx is not installed";
    for (const char* f : {"a", "r", "m"}) {
        const std::string run = "cd '" + dir.path.string() + "' && hp2xx -m svg " + f + ".plt >log 2>&1 </dev/null";
        EXPECT_EQ(std::system(run.c_str()), 0) << ReadFile(dir.File("log"));
        EXPECT_EQ(ReadFile(dir.File("log")).find("rror"), std::string::npos) << ReadFile(dir.File("log"));
        EXPECT_FALSE(ReadFile(dir.File(std::string(f) + ".svg")).empty());
    }
}
