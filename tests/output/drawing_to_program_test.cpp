// From a real drawing to a machine program: the sample sign is imported, corrected, taken
// into the milling order and written as G-code; every move of the program must follow the
// corrected paths, pass by pass, at the right depths.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "import/import_command.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "files/settings_file.h"
#include "output/gcode.h"
#include "support/scripted_interaction.h"
#include "toolpath/correction_command.h"
#include "model/fraes_kontur.h"
#include "toolpath/milling_job.h"

namespace {

struct Move {
    bool rapid;
    double x, y;
};

// The XY moves and the Z of each G01 plunge, in program order.
void ParseProgram(const std::string& text, std::vector<Move>& moves, std::vector<double>& plunges) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const bool rapid = line.rfind("G00", 0) == 0;
        if (!rapid && line.rfind("G01", 0) != 0) continue;
        if (line[3] == 'Z') {
            if (!rapid) plunges.push_back(std::strtod(line.c_str() + 4, nullptr));
            continue;
        }
        const auto y = line.find('Y');
        moves.push_back({rapid, std::strtod(line.c_str() + 4, nullptr), std::strtod(line.c_str() + y + 1, nullptr)});
    }
}

void SetUpTools(CQuenkApp& app) {
    CompleteSettingsTables(app);
    app.m_bSaveSettingsOnExit = 0;
    app.m_tools[0].m_diameter = 3.0;  // letters, outside
    app.m_tools[2].m_diameter = 2.0;  // holes and border, inside
    app.m_penTool[1] = 1;
    app.m_penFunction[1] = 1;
    app.m_penTool[2] = 0;  // the engraved stroke is not corrected
    app.m_penTool[3] = 3;
    app.m_penFunction[3] = 2;
    app.m_materialName = "Alu";
    app.m_materialThickness = 5.0;
    app.m_maxPassDepth = 2.0;
    app.m_safetyDistance = 2.0;
    app.m_extraDepth = 0.5;
}

}  // namespace

TEST(DrawingToProgram, CutMovesFollowTheCorrectedPathsPassByPass) {
    ScriptedSession s;
    CQuenkApp app;
    SetUpTools(app);
    CQuenkDoc doc(app);
    ImportFile(doc, QUENK_SOURCE_DIR "/samples/schild.plt");
    ASSERT_FALSE(doc.m_layers.empty());
    RunRadiusCorrection(doc, RadiusCorrectionOptions{17, false});
    ASSERT_EQ(doc.m_bCorrectionDone, 1);
    for (auto& layer : doc.m_layers)
        for (auto& pen : layer->m_pens)
            for (auto& chain : pen->m_chains)
                if (!chain->m_empty && chain->m_hasCorrection) AddContourFromChain(app, *chain);
    ASSERT_EQ(app.m_millingList.size(), 9u);  // six letter outlines, two holes, the border

    const std::string path = std::string(::testing::TempDir()) + "/schild.nc";
    app.m_skipOverwriteQuestion = 1;
    WriteGCode(app, path);
    const std::string program = ReadFile(path);
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.substr(program.size() - 5), "M30\r\n");

    std::vector<Move> moves;
    std::vector<double> plunges;
    ParseProgram(program, moves, plunges);

    // Depth 5.5 mm at most 2 mm a pass: three passes at -1.833, -3.666, -5.5 for every path.
    std::size_t m = 0, p = 0;
    const double u = app.m_plotterUnit;
    for (const auto& k : app.m_millingList) {
        for (int pass = 1; pass <= 3; ++pass) {
            for (const auto& d : k->m_paths) {
                const auto& pts = d->m_points.Raw();
                ASSERT_LT(p, plunges.size());
                EXPECT_NEAR(plunges[p++], pass == 3 ? -5.5 : -5.5 / 3 * pass, 0.001);
                for (std::size_t i = 0; i < pts.size(); ++i, ++m) {
                    ASSERT_LT(m, moves.size());
                    EXPECT_EQ(moves[m].rapid, i == 0);
                    // Numbers of 1 mm and more keep three decimals, cut off.
                    EXPECT_NEAR(moves[m].x, pts[i].x * u, 0.001);
                    EXPECT_NEAR(moves[m].y, pts[i].y * u, 0.001);
                }
            }
        }
    }
    EXPECT_EQ(m, moves.size());
    EXPECT_EQ(p, plunges.size());
}

TEST(DrawingToProgram, TheCommandLineWritesTheSameProgram) {
    TempDir dir;
    const std::string sample = QUENK_SOURCE_DIR "/samples/schild.plt";
    const CliResult r = RunCli(dir, "--tool 1:3 --tool 3:2 --pen-tool 1:1:1 --pen-tool 2:0:0 --pen-tool 3:3:2 "
                                    "--set m_materialName=Alu --set m_materialThickness=5 --set m_maxPassDepth=2 "
                                    "--set m_safetyDistance=2 --set m_extraDepth=0.5 import '" +
                                        sample + "' correct 17 order all gcode-winpc out.nc save-job out.Quenk");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string program = ReadFile(dir.File("out.nc"));
    EXPECT_NE(program.find("( Alu )\r\n( Materialdicke = 5.000 mm )\r\n"), std::string::npos);
    EXPECT_NE(program.find("\r\nG71T1M6\r\nF0.0\r\nM03\r\n"), std::string::npos);
    EXPECT_NE(program.find("\r\nM05\r\nT3M6\r\n"), std::string::npos);

    // The saved job, loaded again, writes the same program.
    const CliResult again = RunCli(dir, "import out.Quenk gcode-winpc out.nc");
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(ReadFile(dir.File("out.nc")), program);
}
