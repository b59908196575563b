#include "output/gcode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/quenk_app.h"
#include "output/format_number.h"
#include "support/scripted_interaction.h"
#include "toolpath/fraes_kontur.h"

namespace {
namespace fs = std::filesystem;

// The material of the worked example: 10 mm, top at 0, 5 mm safety, passes of at most 4 mm,
// milled 0.5 mm below the material.
void SetUpExample(CQuenkApp& app) {
    app.m_materialName = "Holz";
    app.m_materialThickness = 10.0;
    app.m_zReference = 0;
    app.m_zTop = 0.0;
    app.m_safetyDistance = 5.0;
    app.m_maxPassDepth = 4.0;
    app.m_depthMode = 0;
    app.m_extraDepth = 0.5;
    app.m_plotterUnit = 0.025;
    app.m_drawingTitle = "Schild";
    app.m_toolDepth.assign(17, 0.0);
    app.m_toolFeedXY.assign(17, 0.0);
}

CFraesKontur& AddContour(CQuenkApp& app, int tool, std::vector<std::vector<CPunkt>> paths) {
    auto k = std::make_unique<CFraesKontur>();
    k->m_tool = tool;
    for (auto& pts : paths) {
        auto d = std::make_unique<CFraesDaten>();
        d->m_points = CPointArray(std::move(pts));
        k->m_paths.push_back(std::move(d));
    }
    app.m_millingList.push_back(std::move(k));
    return *app.m_millingList.back();
}

const std::vector<CPunkt> kTriangle{{0, 0}, {4000, 0}, {4000, 2000}, {0, 0}};

std::string Generate(CQuenkApp& app, GCodeResult* result = nullptr, GCodeVariant v = {"Schild", false}) {
    ComputePathExtents(app);
    std::ostringstream out;
    const GCodeResult r = CGCodeGenerator(app, out, std::move(v)).Run();
    if (result) *result = r;
    return out.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(text.substr(at) + "<no line end>");
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

int CountPrefix(const std::string& text, const std::string& prefix) {
    int n = 0;
    for (const auto& l : Lines(text)) n += l.rfind(prefix, 0) == 0;
    return n;
}

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class TempDir {
public:
    TempDir() : path(fs::temp_directory_path() / ("quenk_gcode_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    fs::path path;
};
}  // namespace

TEST(GCode, WorkedExampleByteForByte) {
    ScriptedSession s;
    CQuenkApp app;
    SetUpExample(app);
    AddContour(app, 1, {kTriangle});
    GCodeResult r;
    const std::string text = Generate(app, &r);
    const std::string expected =
        "( Holz )\r\n( Materialdicke = 10.000 mm )\r\n( Max X = 100.000 mm )\r\n( Max Y = 50.000 mm )\r\n"
        "%Schild\r\nG90\r\nG71T1M6\r\nM03\r\n"
        "G00X0.0Y0.0\r\nG00Z5.000\r\nG01Z-3.500\r\nG01X100.000Y0.0\r\nG01X100.000Y50.000\r\nG01X0.0Y0.0\r\nG00Z5.000\r\n"
        "G00X0.0Y0.0\r\nG01Z-7.000\r\nG01X100.000Y0.0\r\nG01X100.000Y50.000\r\nG01X0.0Y0.0\r\nG00Z5.000\r\n"
        "G00X0.0Y0.0\r\nG01Z-10.500\r\nG01X100.000Y0.0\r\nG01X100.000Y50.000\r\nG01X0.0Y0.0\r\nG00Z5.000\r\n"
        "M30\r\n";
    EXPECT_EQ(text, expected);
    EXPECT_EQ(r, GCodeResult::Complete);
    EXPECT_EQ(s.ui.shown, (std::vector<std::string>{"3 Durchgänge"}));
}

TEST(GCode, EmptyListShowsZeroExtentsAndEndsOnTheG71Line) {
    ScriptedSession s;
    CQuenkApp app;
    SetUpExample(app);
    const std::string text = Generate(app);
    EXPECT_EQ(text,
              "( Holz )\r\n( Materialdicke = 10.000 mm )\r\n( Max X = 0.0 mm )\r\n( Max Y = 0.0 mm )\r\n"
              "%Schild\r\nG90\r\nG71M30\r\n");
    EXPECT_EQ(app.m_pathMinX, 2147483647.0);
    EXPECT_EQ(app.m_pathMaxY, -2147483648.0);
    EXPECT_TRUE(s.ui.shown.empty());
}

TEST(GCode, ToolChangesOnlyWhenTheToolDiffers) {
    ScriptedSession s;
    CQuenkApp app;
    SetUpExample(app);
    app.m_maxPassDepth = 0.0;
    AddContour(app, 1, {{{40, 0}}});
    AddContour(app, 1, {{{80, 0}}});
    AddContour(app, 3, {{{120, 0}}});
    AddContour(app, 1, {{{160, 0}}});
    const auto lines = Lines(Generate(app));
    const std::vector<std::string> expected{
        "G71T1M6", "M03",
        "G00X1.000Y0.0", "G00Z5.000", "G01Z-10.500", "G00Z5.000",
        "G00X2.000Y0.0", "G01Z-10.500", "G00Z5.000",
        "M05", "T3M6", "M03",
        "G00X3.000Y0.0", "G00Z5.000", "G01Z-10.500", "G00Z5.000",
        "M05", "T1M6", "M03",
        "G00X4.000Y0.0", "G00Z5.000", "G01Z-10.500", "G00Z5.000",
        "M30"};
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 6, lines.end()), expected);
    EXPECT_TRUE(s.ui.shown.empty());  // one pass each: no question
}

TEST(GCode, SwitchedOffToolKeepsItsToolChangeButCutsNothing) {
    ScriptedSession s;
    CQuenkApp app;
    SetUpExample(app);
    app.m_maxPassDepth = 0.0;
    app.m_toolUsed[2] = 0;
    AddContour(app, 1, {{{40, 0}}});
    AddContour(app, 2, {kTriangle});
    AddContour(app, 2, {kTriangle});
    AddContour(app, 1, {{{80, 0}}});
    const auto lines = Lines(Generate(app));
    const std::vector<std::string> expected{
        "G71T1M6", "M03", "G00X1.000Y0.0", "G00Z5.000", "G01Z-10.500", "G00Z5.000",
        "M05", "T2M6", "M03",
        "M05", "T1M6", "M03", "G00X2.000Y0.0", "G00Z5.000", "G01Z-10.500", "G00Z5.000",
        "M30"};
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 6, lines.end()), expected);
    // The switched-off tool's points still count for the extent.
    EXPECT_EQ(lines[2], "( Max X = 100.000 mm )");
}

TEST(GCode, PathsOfAContourAreCutPassByPassAndEmptyPathsVanish) {
    ScriptedSession s;
    CQuenkApp app;
    SetUpExample(app);
    app.m_materialThickness = 7.5;  // depth 8: two passes of 4
    AddContour(app, 1, {{{0, 0}, {40, 0}}, {}, {{80, 0}}});
    const auto lines = Lines(Generate(app));
    const std::vector<std::string> expected{
        "G71T1M6", "M03",
        "G00X0.0Y0.0", "G00Z5.000", "G01Z-4.000", "G01X1.000Y0.0", "G00Z5.000",
        "G00X2.000Y0.0", "G01Z-4.000", "G00Z5.000",
        "G00X0.0Y0.0", "G01Z-8.000", "G01X1.000Y0.0", "G00Z5.000",
        "G00X2.000Y0.0", "G01Z-8.000", "G00Z5.000",
        "M30"};
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 6, lines.end()), expected);
    EXPECT_EQ(s.ui.shown, (std::vector<std::string>{"2 Durchgänge"}));
}

// depth = thickness + 0.5 extra; the count is the fewest passes of at most max + 0.001 mm.
TEST(GCode, PassCountNeverCutsDeeperThanAllowed) {
    struct Case {
        double depth, maxPass;
        int passes;
    };
    for (const Case c : {Case{8.0, 4.0, 2}, Case{8.0005, 4.0, 2}, Case{7.9995, 4.0, 2}, Case{8.5, 4.0, 3},
                         Case{4.0, 4.0, 1}, Case{3.0, 4.0, 1}, Case{4.0009, 4.0, 1}, Case{4.0011, 4.0, 2},
                         Case{12.002, 4.0, 3}, Case{10.5, 0.0, 1}, Case{10.5, -1.0, 1}, Case{0.3, 0.1, 3}}) {
        ScriptedSession s;
        CQuenkApp app;
        SetUpExample(app);
        app.m_materialThickness = c.depth - 0.5;
        app.m_maxPassDepth = c.maxPass;
        AddContour(app, 1, {{{0, 0}}});
        const std::string text = Generate(app);
        EXPECT_EQ(CountPrefix(text, "G01Z"), c.passes) << c.depth << " / " << c.maxPass;
        EXPECT_EQ(CountPrefix(text, "G01Z-" + FormatNumber(c.depth)), 1) << c.depth;
    }
}

TEST(GCode, NegativeDepthIsOnePassAtTheBottom) {
    ScriptedSession s;
    CQuenkApp app;
    SetUpExample(app);
    app.m_depthMode = 1;
    app.m_toolDepth[1] = -2.0;  // the "bottom" lies 2 mm above the top
    AddContour(app, 1, {{{0, 0}}});
    const std::string text = Generate(app);
    EXPECT_EQ(CountPrefix(text, "G01Z"), 1);
    EXPECT_EQ(CountPrefix(text, "G01Z2.000"), 1);
    EXPECT_TRUE(s.ui.shown.empty());
}

TEST(GCode, ZGivenAtTheMaterialBottom) {
    ScriptedSession s;
    CQuenkApp app;
    SetUpExample(app);
    app.m_zReference = 1;
    app.m_zBottom = -10.0;
    app.m_zTop = 99.0;  // not read
    app.m_maxPassDepth = 0.0;
    AddContour(app, 1, {{{0, 0}}});
    const std::string text = Generate(app);
    EXPECT_EQ(CountPrefix(text, "G00Z5.000"), 2);  // zTop 0 + 5
    EXPECT_EQ(CountPrefix(text, "G01Z-10.500"), 1);
}

TEST(GCode, PassQuestionOnceAndCancelStops) {
    {
        ScriptedSession s;
        CQuenkApp app;
        SetUpExample(app);
        AddContour(app, 1, {{{0, 0}}});
        AddContour(app, 2, {{{0, 0}}});
        app.m_maxPassDepth = 2.0;  // second tool needs more passes than the first
        Generate(app);
        EXPECT_EQ(s.ui.shown, (std::vector<std::string>{"6 Durchgänge"}));
    }
    {
        ScriptedSession s;
        s.ui.okCancel.push_back(false);
        CQuenkApp app;
        SetUpExample(app);
        AddContour(app, 1, {kTriangle});
        GCodeResult r;
        const std::string text = Generate(app, &r);
        EXPECT_EQ(r, GCodeResult::StoppedDrop);
        EXPECT_EQ(text.find("M30"), std::string::npos);
        EXPECT_EQ(text.find("G00X"), std::string::npos);
    }
}

TEST(GCode, StopsThatKeepOrDropTheProgram) {
    {  // tool length 0 in "Fräsertiefe" mode
        ScriptedSession s;
        CQuenkApp app;
        SetUpExample(app);
        app.m_depthMode = 1;
        AddContour(app, 1, {kTriangle});
        GCodeResult r;
        Generate(app, &r);
        EXPECT_EQ(r, GCodeResult::StoppedDrop);
        EXPECT_EQ(s.ui.shown, (std::vector<std::string>{" Werkzeuglänge ist 0 !!"}));
    }
    {  // more than 900 passes
        ScriptedSession s;
        CQuenkApp app;
        SetUpExample(app);
        app.m_maxPassDepth = 0.01;
        AddContour(app, 1, {kTriangle});
        GCodeResult r;
        const std::string text = Generate(app, &r);
        EXPECT_EQ(r, GCodeResult::StoppedKeep);
        EXPECT_EQ(s.ui.shown, (std::vector<std::string>{"Über 900 Durchgänge! Ende"}));
        EXPECT_EQ(text.find("M30"), std::string::npos);
    }
    // 1e308 is finite but overflows when scaled by a plotter unit of 100.
    for (double bad : {std::nan(""), HUGE_VAL, 1e308}) {
        ScriptedSession s;
        CQuenkApp app;
        SetUpExample(app);
        app.m_plotterUnit = 100.0;
        app.m_maxPassDepth = 0.0;
        AddContour(app, 1, {{{0, 0}, {bad, 1}}});
        GCodeResult r;
        const std::string text = Generate(app, &r);
        EXPECT_EQ(r, GCodeResult::StoppedDrop);
        EXPECT_EQ(s.ui.shown, (std::vector<std::string>{texts::kNotANumber}));
        EXPECT_EQ(text.find("nan"), std::string::npos);
        EXPECT_EQ(text.find("inf"), std::string::npos);
    }
    {  // a tool number the tables do not hold
        ScriptedSession s;
        CQuenkApp app;
        SetUpExample(app);
        AddContour(app, 17, {kTriangle});
        GCodeResult r;
        Generate(app, &r);
        EXPECT_EQ(r, GCodeResult::StoppedDrop);
        EXPECT_EQ(s.ui.shown, (std::vector<std::string>{std::string(texts::kBadToolNumber) + "17"}));
    }
}

TEST(GCodeFile, WriteGCodeNamesTheFileWritesFeedsAndOverwrites) {
    ScriptedSession s;
    TempDir dir;
    const std::string path = (dir.path / "WinPC.cnc").string();
    { std::ofstream(path) << "old"; }
    CQuenkApp app;
    SetUpExample(app);
    app.m_maxPassDepth = 0.0;
    app.m_toolFeedXY[1] = 12.5;
    app.m_skipOverwriteQuestion = 1;
    AddContour(app, 1, {{{0, 0}}});
    WriteGCode(app, path);
    const auto lines = Lines(ReadFile(path));
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(lines[4], "%" + path);
    EXPECT_EQ(lines[6], "G71T1M6");
    EXPECT_EQ(lines[7], "F12.500");
    EXPECT_EQ(lines[8], "M03");
    EXPECT_EQ(lines.back(), "M30");
    EXPECT_EQ(app.m_skipOverwriteQuestion, 0);
    EXPECT_TRUE(s.ui.shown.empty());
    EXPECT_EQ(s.ui.maxWaitDepth, 1);
    EXPECT_EQ(s.ui.waitDepth, 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator{}), 1);
}

TEST(GCodeFile, OnGCodeAsksForTheFileAndBeforeReplacingIt) {
    TempDir dir;
    const std::string path = (dir.path / "GSchild.nc").string();
    CQuenkApp app;
    SetUpExample(app);
    AddContour(app, 1, {kTriangle});
    {
        ScriptedSession s;
        s.ui.files.push_back(path);
        OnGCode(app);
        EXPECT_EQ(s.ui.shown, (std::vector<std::string>{"save: GSchild", "3 Durchgänge"}));
        EXPECT_EQ(ReadFile(path), Generate(app));
    }
    { std::ofstream(path) << "old"; }
    {  // No to the replace question: untouched
        ScriptedSession s;
        s.ui.files.push_back(path);
        s.ui.yesNo.push_back(false);
        OnGCode(app);
        EXPECT_EQ(s.ui.shown, (std::vector<std::string>{"save: GSchild", " File vorhanden. Ersetzen? "}));
        EXPECT_EQ(ReadFile(path), "old");
    }
    {  // Cancel at the pass question: the old file stays, nothing else is left behind
        ScriptedSession s;
        s.ui.files.push_back(path);
        s.ui.okCancel.push_back(false);
        OnGCode(app);
        EXPECT_EQ(ReadFile(path), "old");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator{}), 1);
    }
    {  // no thickness: message, no file question
        ScriptedSession s;
        app.m_materialThickness = 0.0;
        OnGCode(app);
        EXPECT_EQ(s.ui.shown, (std::vector<std::string>{"Materialstärke ist 0"}));
    }
}

TEST(GCodeFile, TooManyPassesKeepsWhatWasWritten) {
    ScriptedSession s;
    TempDir dir;
    const std::string path = (dir.path / "x.nc").string();
    CQuenkApp app;
    SetUpExample(app);
    app.m_maxPassDepth = 0.001;
    AddContour(app, 1, {kTriangle});
    WriteGCode(app, path);
    const std::string text = ReadFile(path);
    EXPECT_NE(text.find("G71T1M6"), std::string::npos);
    EXPECT_EQ(text.find("M30"), std::string::npos);
}

TEST(GCode, TextsAreWrittenInTheSingleByteCodePage) {
    ScriptedSession s;
    CQuenkApp app;
    SetUpExample(app);
    app.m_materialName = "Föhre";
    app.m_drawingTitle = "Schild Ä";
    const auto lines = Lines(Generate(app, nullptr, {app.m_drawingTitle, false}));
    EXPECT_EQ(lines[0], "( F\xF6hre )");
    EXPECT_EQ(lines[4], "%Schild \xC4");
}
