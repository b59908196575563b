#include <gtest/gtest.h>

#include "cli/cli_run.h"
#include "model/quenk_app.h"
#include "files/settings_file.h"

TEST(Cli, WrongCommandLinesExitWithTwo) {
    TempDir dir;
    EXPECT_EQ(RunCli(dir, "--help").status, 0);
    const CliResult unknown = RunCli(dir, "frobnicate");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown step frobnicate"), std::string::npos);
    EXPECT_EQ(RunCli(dir, "import").status, 2);
    EXPECT_EQ(RunCli(dir, "--set m_noSuchSetting=1 dump").status, 2);
    EXPECT_EQ(RunCli(dir, "--set m_plotterUnit=abc dump").status, 2);
    EXPECT_EQ(RunCli(dir, "--tool 17:3 dump").status, 2);
    EXPECT_EQ(RunCli(dir, "--dialect fanuc dump").status, 2);
}

TEST(Cli, MissingSettingsFileIsReportedAndNeverWritten) {
    TempDir dir;
    const CliResult r = RunCli(dir, "dump");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, dir.File("QuenkV4.dat") + " nicht gefunden\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("QuenkV4.dat")));
    EXPECT_NE(r.out.find("\"m_plotterUnit\":0.025"), std::string::npos);
    EXPECT_NE(r.out.find("\"m_penTool\":[1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1]"), std::string::npos);
}

TEST(Cli, SetAndWriteSettingsUseTheProgramsOwnFile) {
    TempDir dir;
    const CliResult w = RunCli(dir, "--set m_plotterUnit=0.02 --tool 3:6:left --pen-tool 2:3:1 "
                                    "--write-settings written.dat");
    ASSERT_EQ(w.status, 0) << w.err;
    const std::string bytes = ReadFile(dir.File("written.dat"));

    CQuenkApp app;
    ASSERT_TRUE(LoadSettingsFromBytes(app, bytes));
    EXPECT_EQ(app.m_plotterUnit, 0.02);
    EXPECT_EQ(app.m_tools[2].m_diameter, 6.0);
    EXPECT_EQ(app.m_tools[2].m_side, 0);
    EXPECT_EQ(app.m_toolDiameter[2], 6.0);
    EXPECT_EQ(app.m_penTool[2], 3);
    EXPECT_EQ(app.m_penFunction[2], 1);
    EXPECT_EQ(EncodeSettings(app), bytes);

    // Read back through --settings: no message, and the file stays as it was.
    const CliResult r = RunCli(dir, "--settings written.dat dump");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("\"m_plotterUnit\":0.02,"), std::string::npos);
    EXPECT_EQ(ReadFile(dir.File("written.dat")), bytes);
}

// A step that fails or is refused ends the run with 1; the steps after it do not run.
TEST(Cli, FailedAndRefusedStepsExitWithOne) {
    TempDir dir;
    std::ofstream(dir.File("bad.Quenk"), std::ios::binary) << "\x0EQuenk Ver. 4.6";
    std::ofstream(dir.File("tiny.plt"), std::ios::binary) << "PU;PD1,1;";  // too short to count as a drawing
    const std::pair<const char*, const char*> cases[] = {  // steps, the one that fails
        {"import bad.Quenk", "import"}, {"import missing.plt", "import"}, {"join", "join"}, {"cw", "cw"},
        {"ccw", "ccw"}, {"correct", "correct"}, {"import tiny.plt join", "join"},
        {"--set m_materialThickness=1 --set m_extraDepth=9 gcode-winpc x.nc", "gcode-winpc"},
        {"--dialect grbl --tool 1:3 --set m_materialThickness=3 rectangle 9 9 correct 1 order all gcode x", "gcode"}};
    for (const auto& [steps, failing] : cases) {
        SCOPED_TRACE(steps);
        const CliResult r = RunCli(dir, std::string(steps) + " dump");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(std::string("quenk-cli: ") + failing + ": "), std::string::npos) << r.err;
    }
}
