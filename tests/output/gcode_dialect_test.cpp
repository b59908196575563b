// The dialects' programs: the same moves, GRBL 1.1's words, and LinuxCNC's interpreter rs274.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>

#include "model/fraes_kontur.h"
#include "model/quenk_app.h"
#include "output/gcode.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace {
// 3 passes of 3.5 mm, two tools, a contour in two pieces, a one-point path, a name that tries to be a command.
struct Job {
    ScriptedSession s;
    CQuenkApp app;
    Job() {
        app.m_materialName = "MSG,(Eiche)\r\nG0X0 ä" + std::string(300, 'x');
        app.m_materialThickness = 10.0, app.m_safetyDistance = 5.0, app.m_maxPassDepth = 4.0, app.m_extraDepth = 0.5;
        app.m_toolFeedXY = {0, 10, 5}, app.m_toolFeedZ = {0, 2, 1}, app.m_toolUsed = {0, 1, 1};
        for (const std::vector<std::vector<CPunkt>>& paths :
             {std::vector<std::vector<CPunkt>>{{{0, 0}, {4000, 0}, {4000, 2000}, {0, 0}}},
              {{{100, 100}, {500, 100}}, {{600, 100}, {900, 300}}}, {{{40, 40}}, {{20, 20}, {20, 80}, {80, 80}}}}) {
            auto& k = app.m_millingList.emplace_back(std::make_unique<CFraesKontur>());
            k->m_tool = app.m_millingList.size() < 3 ? 1 : 2;
            for (auto& p : paths) k->m_paths.emplace_back(std::make_unique<CFraesDaten>())->m_points = CPointArray(p);
        }
        ComputePathExtents(app);
    }
    std::string Program(GCodeDialect dialect, GCodeResult expected = GCodeResult::Complete) {
        std::ostringstream out;
        EXPECT_EQ(WriteProgram(app, out, {"Schild", false, dialect}), expected);
        return out.str();
    }
};

TEST(GCodeDialect, EveryDialectMakesTheSameMoves) {
    const std::regex move("G0[01][XYZ][^F\r]*");
    std::vector<std::string> moves[std::size(kAllDialects)];
    for (GCodeDialect d : kAllDialects) {
        const std::string p = Job().Program(d);
        auto& mine = moves[static_cast<int>(d)];
        for (std::sregex_iterator m(p.begin(), p.end(), move), end; m != end; ++m) mine.push_back(m->str());
        EXPECT_EQ(mine, moves[0]) << WordsOf(d).label;
    }
    EXPECT_EQ(moves[0].size(), 68u);  // the moves of the job, counted by hand
}

// GRBL 1.1's G and M codes and the letters of its other words, from its documentation.
const std::set<std::string> kGrblCodes = {
    "G0", "G1", "G2", "G3", "G4", "G10", "G17", "G18", "G19", "G20", "G21", "G28", "G28.1", "G30", "G30.1",
    "G38.2", "G38.3", "G38.4", "G38.5", "G40", "G43.1", "G49", "G53", "G54", "G55", "G56", "G57", "G58",
    "G59", "G61", "G80", "G90", "G91", "G91.1", "G92", "G92.1", "G93", "G94", "M0", "M1", "M2", "M30", "M3",
    "M4", "M5", "M7", "M8", "M9", "M56", "F", "I", "J", "K", "L", "N", "P", "R", "S", "T", "X", "Y", "Z"};

TEST(GCodeDialect, GrblProgramHasOnlyGrblWordsAndShortLines) {
    const std::string program = Job().Program(GCodeDialect::Grbl);
    const std::regex word("([A-Z])-?0*([0-9]*\\.?[0-9]*)");
    std::istringstream lines(program);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size() + 1, 80u) << line;
        const std::string code = std::regex_replace(line, std::regex("\\([^()]*\\)|\r"), "");
        for (std::sregex_iterator w(code.begin(), code.end(), word), end; w != end; ++w) {
            const bool coded = (*w)[1] == "G" || (*w)[1] == "M";
            EXPECT_TRUE(kGrblCodes.count((*w)[1].str() + (!coded ? "" : (*w)[2].length() ? (*w)[2].str() : "0")));
        }
        EXPECT_EQ(std::regex_replace(code, word, ""), "") << line;
    }
    // 2 mm/s plunge and 10 mm/s cut of tool 1, per minute.
    EXPECT_NE(program.find("G01Z-3.500F120.000\r\nG01X100.000Y0.0F600.000\r\n"), std::string::npos);
}

TEST(GCodeDialect, ToolWithoutPlungeFeedStopsTheRun) {
    Job job;
    job.app.m_toolFeedZ[2] = 0.0;
    job.Program(GCodeDialect::LinuxCnc, GCodeResult::StoppedDrop);
    EXPECT_EQ(job.s.ui.shown.back(), std::string(texts::kFeedZMissing) + "2");
}

// LinuxCNC's interpreter reads both programs (WinPC-NC's "%" line and G71 are not its words);
// their cuts are the job's paths at each pass depth, and the material name stays a comment.
TEST(GCodeDialect, LinuxCncInterpreterAcceptsTheProgramsAndCutsTheJob) {
    if (std::system("command -v rs274 >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "rs274 (LinuxCNC, Debian package linuxcnc-uspace) is not installed";
    for (GCodeDialect d : {GCodeDialect::Grbl, GCodeDialect::LinuxCnc}) {
        Job job;
        TempDir dir;
        std::ofstream(dir.File("p.ngc"), std::ios::binary) << job.Program(d);
        std::ofstream(dir.File("t.tbl")) << "T1 P1 D3\nT2 P2 D6\n";
        const int status = std::system(("cd " + dir.path.string() + " && rs274 -t t.tbl -g p.ngc >out 2>&1").c_str());
        const std::string out = ReadFile(dir.path / "out");
        ASSERT_EQ(status, 0) << out;
        EXPECT_EQ(out.find("MESSAGE"), std::string::npos) << out;
        std::vector<std::array<double, 3>> cuts, expected;
        const std::regex feed("STRAIGHT_FEED\\(([-0-9.]+), ([-0-9.]+), ([-0-9.]+),");
        for (std::sregex_iterator m(out.begin(), out.end(), feed), end; m != end; ++m)
            cuts.push_back({std::stod((*m)[1]), std::stod((*m)[2]), std::stod((*m)[3])});
        for (const auto& k : job.app.m_millingList)
            for (double zPass : {-3.5, -7.0, -10.5})
                for (const auto& path : k->m_paths)
                    for (const CPunkt& p : path->m_points.Raw()) expected.push_back({p.x * 0.025, p.y * 0.025, zPass});
        ASSERT_EQ(cuts.size(), expected.size()) << WordsOf(d).label;
        for (std::size_t i = 0; i < cuts.size(); ++i)
            for (int c = 0; c < 3; ++c) EXPECT_NEAR(cuts[i][c], expected[i][c], 0.001) << WordsOf(d).label << i;
    }
}
}  // namespace
