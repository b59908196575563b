#include "output/gcode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "model/program_values.h"
#include "model/quenk_app.h"
#include "output/format_number.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "model/fraes_kontur.h"

namespace {
namespace fs = std::filesystem;

// The material of the worked example: 10 mm, top at 0, 5 mm safety, passes of at most 4 mm,
// milled 0.5 mm below the material.
struct Example {
    ScriptedSession s;
    CQuenkApp app;
    Example() {
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
    void Add(int tool, std::vector<std::vector<CPunkt>> paths) {
        auto k = std::make_unique<CFraesKontur>();
        k->m_tool = tool;
        for (auto& pts : paths) {
            auto d = std::make_unique<CFraesDaten>();
            d->m_points = CPointArray(std::move(pts));
            k->m_paths.push_back(std::move(d));
        }
        app.m_millingList.push_back(std::move(k));
    }
    std::string Generate(GCodeResult* result = nullptr) {
        ComputePathExtents(app);
        std::ostringstream out;
        const GCodeResult r = WriteProgram(app, out, {app.m_drawingTitle, false});
        if (result) *result = r;
        return out.str();
    }
};

const std::vector<CPunkt> kTriangle{{0, 0}, {4000, 0}, {4000, 2000}, {0, 0}};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    if (at < text.size()) lines.push_back(text.substr(at) + "<no line end>");
    return lines;
}

// The lines after the four comments, "%" name and "G90".
std::vector<std::string> Body(const std::string& text) {
    const auto lines = Lines(text);
    return std::vector<std::string>(lines.begin() + 6, lines.end());
}

int CountPrefix(const std::string& text, const std::string& prefix) {
    int n = 0;
    for (const auto& l : Lines(text)) n += l.rfind(prefix, 0) == 0;
    return n;
}

using Strings = std::vector<std::string>;
}  // namespace

TEST(GCode, WorkedExampleByteForByte) {
    Example e;
    e.Add(1, {kTriangle});
    GCodeResult r;
    EXPECT_EQ(e.Generate(&r),
              "( Holz )\r\n( Materialdicke = 10.000 mm )\r\n( Max X = 100.000 mm )\r\n( Max Y = 50.000 mm )\r\n"
              "%Schild\r\nG90\r\nG71T1M6\r\nM03\r\n"
              "G00X0.0Y0.0\r\nG00Z5.000\r\nG01Z-3.500\r\nG01X100.000Y0.0\r\nG01X100.000Y50.000\r\nG01X0.0Y0.0\r\nG00Z5.000\r\n"
              "G00X0.0Y0.0\r\nG01Z-7.000\r\nG01X100.000Y0.0\r\nG01X100.000Y50.000\r\nG01X0.0Y0.0\r\nG00Z5.000\r\n"
              "G00X0.0Y0.0\r\nG01Z-10.500\r\nG01X100.000Y0.0\r\nG01X100.000Y50.000\r\nG01X0.0Y0.0\r\nG00Z5.000\r\n"
              "M30\r\n");
    EXPECT_EQ(r, GCodeResult::Complete);
    EXPECT_EQ(e.s.ui.shown, Strings{"3 Durchgänge"});
}

TEST(GCode, EmptyListShowsZeroExtentsAndEndsOnTheG71Line) {
    Example e;
    EXPECT_EQ(e.Generate(), "( Holz )\r\n( Materialdicke = 10.000 mm )\r\n( Max X = 0.0 mm )\r\n( Max Y = 0.0 mm )\r\n"
                            "%Schild\r\nG90\r\nG71M30\r\n");
    EXPECT_EQ(e.app.m_pathMinX, 2147483647.0);
    EXPECT_EQ(e.app.m_pathMaxY, -2147483648.0);
    EXPECT_TRUE(e.s.ui.shown.empty());
}

// One pass each (no pass limit), so every contour is rapid move, plunge and lift.
TEST(GCode, ToolChangesOnlyWhenTheToolDiffersAndSwitchedOffToolsCutNothing) {
    {
        Example e;
        e.app.m_maxPassDepth = 0.0;
        for (auto [tool, x] : {std::pair{1, 40.0}, {1, 80.0}, {3, 120.0}, {1, 160.0}}) e.Add(tool, {{{x, 0}}});
        EXPECT_EQ(Body(e.Generate()),
                  (Strings{"G71T1M6", "M03",                                          // no M05 before the first
                           "G00X1.000Y0.0", "G00Z5.000", "G01Z-10.500", "G00Z5.000",  //
                           "G00X2.000Y0.0", "G01Z-10.500", "G00Z5.000",               // same tool: no change
                           "M05", "T3M6", "M03",                                      //
                           "G00X3.000Y0.0", "G00Z5.000", "G01Z-10.500", "G00Z5.000",  //
                           "M05", "T1M6", "M03",                                      // back to tool 1
                           "G00X4.000Y0.0", "G00Z5.000", "G01Z-10.500", "G00Z5.000", "M30"}));
        EXPECT_TRUE(e.s.ui.shown.empty());  // no question
    }
    {
        Example e;
        e.app.m_maxPassDepth = 0.0;
        e.app.m_toolUsed[2] = 0;
        e.Add(1, {{{40, 0}}});
        e.Add(2, {kTriangle});
        e.Add(2, {kTriangle});
        e.Add(1, {{{80, 0}}});
        const std::string text = e.Generate();
        EXPECT_EQ(Body(text), (Strings{"G71T1M6", "M03", "G00X1.000Y0.0", "G00Z5.000", "G01Z-10.500", "G00Z5.000",
                                       "M05", "T2M6", "M03",  // tool 2's change, once, and no moves
                                       "M05", "T1M6", "M03", "G00X2.000Y0.0", "G00Z5.000", "G01Z-10.500",
                                       "G00Z5.000", "M30"}));
        // The switched-off tool's points still count for the extent.
        EXPECT_EQ(Lines(text)[2], "( Max X = 100.000 mm )");
    }
}

TEST(GCode, PathsOfAContourAreCutPassByPassAndEmptyPathsVanish) {
    Example e;
    e.app.m_materialThickness = 7.5;  // depth 8: two passes of 4
    e.Add(1, {{{0, 0}, {40, 0}}, {}, {{80, 0}}});
    EXPECT_EQ(Body(e.Generate()),
              (Strings{"G71T1M6", "M03",                                                             //
                       "G00X0.0Y0.0", "G00Z5.000", "G01Z-4.000", "G01X1.000Y0.0", "G00Z5.000",       //
                       "G00X2.000Y0.0", "G01Z-4.000", "G00Z5.000",                                   //
                       "G00X0.0Y0.0", "G01Z-8.000", "G01X1.000Y0.0", "G00Z5.000",                    //
                       "G00X2.000Y0.0", "G01Z-8.000", "G00Z5.000", "M30"}));
    EXPECT_EQ(e.s.ui.shown, Strings{"2 Durchgänge"});
}

// depth = thickness; the count is the fewest passes of at most max + 0.001 mm,
// the last one always at the bottom.
TEST(GCode, PassCountNeverCutsDeeperThanAllowed) {
    struct Case {
        double depth, maxPass;
        int passes;
    };
    for (const Case c : {Case{8.0, 4.0, 2}, Case{8.0005, 4.0, 2}, Case{7.9995, 4.0, 2}, Case{8.5, 4.0, 3},
                         Case{4.0, 4.0, 1}, Case{3.0, 4.0, 1}, Case{4.0009, 4.0, 1}, Case{4.0011, 4.0, 2},
                         Case{12.002, 4.0, 3}, Case{10.5, 0.0, 1}, Case{0.3, 0.1, 3}}) {
        SCOPED_TRACE(testing::Message() << c.depth << " / " << c.maxPass);
        Example e;
        e.app.m_materialThickness = c.depth;
        e.app.m_extraDepth = 0.0;
        e.app.m_maxPassDepth = c.maxPass;
        e.Add(1, {{{0, 0}}});
        const std::string text = e.Generate();
        EXPECT_EQ(CountPrefix(text, "G01Z"), c.passes);
        EXPECT_EQ(CountPrefix(text, "G01Z-" + FormatNumber(c.depth)), 1);
    }
}

TEST(GCode, ZLevelsFromTheReferenceAndTheToolDepth) {
    const std::pair<const char*, std::function<void(CQuenkApp&)>> cases[] = {
        // a negative depth: the "bottom" lies 2 mm above the top, one pass there
        {"G01Z2.000", [](CQuenkApp& a) { a.m_depthMode = 1; a.m_toolDepth[1] = -2.0; }},
        // Z given at the material's bottom: zTop = -10 + 10 = 0, the stored top is not read
        {"G01Z-10.500",
         [](CQuenkApp& a) { a.m_zReference = 1; a.m_zBottom = -10.0; a.m_zTop = 99.0; a.m_maxPassDepth = 0.0; }},
    };
    for (const auto& [plunge, set] : cases) {
        SCOPED_TRACE(plunge);
        Example e;
        set(e.app);
        e.Add(1, {{{0, 0}}});
        EXPECT_EQ(Body(e.Generate()),
                  (Strings{"G71T1M6", "M03", "G00X0.0Y0.0", "G00Z5.000", plunge, "G00Z5.000", "M30"}));
        EXPECT_TRUE(e.s.ui.shown.empty());
    }
}

// The plan asks exactly where the writing would have reached the first multi-pass contour:
// not when a stop comes first, and before a stop that comes later. Tool 1 cuts 2 mm (one
// pass), tool 2 cuts 10 mm (three passes of at most 4 mm).
TEST(GCode, PlanAsksOnceWhereTheRunReachesTheFirstMultiPassContour) {
    const std::string bad = std::string(texts::kBadToolNumber) + "17";
    struct Case {
        const char* what;
        std::vector<std::pair<int, CPunkt>> contours;  // tool, the one point of its path
        int unusedTool;
        int question;
        Strings shown;
    };
    const Case cases[] = {
        {"single pass, then three", {{1, {0, 0}}, {2, {0, 0}}}, 0, 3, {"3 Durchgänge"}},
        {"asked once a run", {{2, {0, 0}}, {1, {0, 0}}, {2, {0, 0}}}, 0, 3, {"3 Durchgänge"}},
        {"question, then a bad tool", {{2, {0, 0}}, {17, {0, 0}}}, 0, 3, {"3 Durchgänge", bad}},
        {"bad tool before the question", {{17, {0, 0}}, {2, {0, 0}}}, 0, 0, {bad}},
        {"no text for a point before it", {{1, {NAN, 0}}, {2, {0, 0}}}, 0, 0, {texts::kNotANumber}},
        {"a switched-off contour is not written", {{1, {NAN, 0}}, {2, {0, 0}}}, 1, 3, {"3 Durchgänge"}},
        {"only a switched-off multi-pass tool", {{2, {0, 0}}}, 2, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Example e;
        e.app.m_depthMode = 1;
        e.app.m_toolDepth[1] = 2.0;
        e.app.m_toolDepth[2] = 10.0;
        if (c.unusedTool) e.app.m_toolUsed[static_cast<std::size_t>(c.unusedTool)] = 0;
        for (const auto& [tool, p] : c.contours) e.Add(tool, {{p}});
        std::ostringstream sink;
        EXPECT_EQ(CGCodeGenerator(e.app, sink, {"x", false}).Plan().passQuestion, c.question);
        e.Generate();
        EXPECT_EQ(e.s.ui.shown, c.shown);
    }
    {  // Cancel writes nothing at all; a run that was not confirmed stops silently
        Example e;
        e.Add(1, {kTriangle});
        e.s.ui.okCancel.push_back(false);
        GCodeResult r;
        EXPECT_EQ(e.Generate(&r), "");
        EXPECT_EQ(r, GCodeResult::StoppedDrop);
        std::ostringstream out;
        const GCodeOutcome unconfirmed = CGCodeGenerator(e.app, out, {"x", false}).Run(false);
        EXPECT_EQ(unconfirmed.result, GCodeResult::StoppedDrop);
        EXPECT_EQ(unconfirmed.message, "");
    }
}

// Every stop drops the whole program. 1e308 is finite but has no text in the number format.
TEST(GCode, StopsDropTheProgram) {
    auto badPoint = [](double x) {
        return [x](Example& e) {
            e.app.m_maxPassDepth = 0.0;
            e.app.m_millingList.clear();
            e.Add(1, {{{0, 0}, {x, 1}}});
        };
    };
    const std::pair<std::function<void(Example&)>, std::string> cases[] = {
        {[](Example& e) { e.s.ui.okCancel.push_back(false); }, "3 Durchgänge"},
        {[](Example& e) { e.app.m_depthMode = 1; }, texts::kToolLengthZero},
        {[](Example& e) { e.app.m_maxPassDepth = 0.01; }, texts::kTooManyPasses},
        {[](Example& e) { e.app.m_millingList[0]->m_tool = 17; }, std::string(texts::kBadToolNumber) + "17"},
        {badPoint(std::nan("")), texts::kNotANumber},
        {badPoint(HUGE_VAL), texts::kNotANumber},
        {badPoint(1e308), texts::kNotANumber},
    };
    for (const auto& [setUp, message] : cases) {
        SCOPED_TRACE(message);
        Example e;
        e.Add(1, {kTriangle});
        setUp(e);
        GCodeResult r;
        const std::string text = e.Generate(&r);
        EXPECT_EQ(r, GCodeResult::StoppedDrop);
        EXPECT_EQ(e.s.ui.shown, Strings{message});
        // A bad number stops the writing where it is met; the other stops come before any move.
        EXPECT_EQ(text.find(message == texts::kNotANumber ? "M30" : "G00X"), std::string::npos);
        EXPECT_EQ(text.find("nan"), std::string::npos);
        EXPECT_EQ(text.find("inf"), std::string::npos);
    }
}

TEST(GCodeFile, WriteGCodeNamesTheFileWritesFeedsAndOverwrites) {
    TempDir dir;
    const std::string path = dir.File("WinPC.cnc");
    { std::ofstream(path) << "old"; }
    Example e;
    e.app.m_maxPassDepth = 0.0;
    e.app.m_toolFeedXY[1] = 12.5;
    e.app.m_skipOverwriteQuestion = 1;
    e.Add(1, {{{0, 0}}});
    EXPECT_TRUE(WriteGCode(e.app, path));
    const auto lines = Lines(ReadFile(path));
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(lines[4], "%" + path);
    EXPECT_EQ(Strings(lines.begin() + 6, lines.begin() + 9), (Strings{"G71T1M6", "F12.500", "M03"}));
    EXPECT_EQ(lines.back(), "M30");
    EXPECT_EQ(e.app.m_skipOverwriteQuestion, 0);
    EXPECT_TRUE(e.s.ui.shown.empty());
    EXPECT_EQ(e.s.ui.maxWaitDepth, 1);
    EXPECT_EQ(e.s.ui.waitDepth, 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator{}), 1);

    // Too many passes: the earlier program stays as it was, and nothing is left beside it.
    const std::string complete = ReadFile(path);
    e.app.m_maxPassDepth = 0.001;
    EXPECT_FALSE(WriteGCode(e.app, path));
    EXPECT_EQ(ReadFile(path), complete);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator{}), 1);
}

TEST(GCode, NamesAreWrittenInTheCodePageAndNeverBecomeCommands) {
    const std::pair<const char*, const char*> cases[] = {  // name, and as written in "( )" and after "%"
        {"Multiplex (Birke)", "Multiplex [Birke]"},
        {"Eiche) G00 Z-50 (", "Eiche] G00 Z-50 ["},
        {"a\r\nG00 Z-50\tb\x7F", "a  G00 Z-50 b "},
        {"\xC2\x81x", " x"},  // U+0081: a byte the code page leaves to control characters
        {"Föhre Ä", "F\xF6hre \xC4"},  // the single-byte code page
    };
    for (const auto& [name, line] : cases) {
        SCOPED_TRACE(name);
        Example e;
        e.app.m_materialName = e.app.m_drawingTitle = name;
        const auto lines = Lines(e.Generate());
        EXPECT_EQ(lines[0], std::string("( ") + line + " )");
        EXPECT_EQ(lines[4], std::string("%") + line);
    }
}

TEST(GCode, ValuesOutsideTheirRangeStopBeforeAnythingIsWritten) {
    const std::pair<std::function<void(CQuenkApp&)>, const char*> cases[] = {
        {[](CQuenkApp& a) { a.m_maxPassDepth = std::nan(""); }, "Maximale Frästiefe (erlaubt: 0 bis 100000)"},
        {[](CQuenkApp& a) { a.m_materialThickness = 1e308; }, "Materialdicke (erlaubt: 0 bis 100000)"},
        {[](CQuenkApp& a) { a.m_extraDepth = 5.5; }, "Materialdicke + zusätzlich (erlaubt: 0 bis 5)"},
        {[](CQuenkApp& a) { a.m_zBottom = -1e6; }, "Materialunterkante ist bei (erlaubt: -100000 bis 100000)"},
        {[](CQuenkApp& a) { a.m_plotterUnit = 5e-324; }, "Plottereinheit (erlaubt: 0.02 bis 0.03)"},
        {[](CQuenkApp& a) { a.m_depthMode = 2; }, "Die Frästiefe beträgt ( Z ) (erlaubt: 0 bis 1)"},
        {[](CQuenkApp& a) { a.m_toolDepth[16] = std::nan(""); }, "Tiefe Werkzeug 16 (erlaubt: -100000 bis 100000)"},
        {[](CQuenkApp& a) { a.m_toolFeedXY[3] = -1.0; }, "Geschwindigkeit XY Werkzeug 3 (erlaubt: 0 bis 100000)"},
    };
    TempDir dir;
    const std::string path = dir.File("G.nc");
    for (const auto& [set, message] : cases) {
        SCOPED_TRACE(message);
        std::ofstream(path) << "old";
        Example e;
        e.Add(1, {kTriangle});
        set(e.app);
        EXPECT_FALSE(WriteGCode(e.app, path));
        EXPECT_EQ(e.s.ui.shown, Strings{std::string(texts::kValueOutOfRange) + message});
        EXPECT_EQ(ReadFile(path), "old");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator{}), 1);
    }
}

TEST(GCodeFile, OnGCodeAsksForTheFileAndBeforeReplacingIt) {
    TempDir dir;
    const std::string path = dir.File("GSchild.nc");
    Example e;
    e.Add(1, {kTriangle});
    {
        ScriptedSession s;
        s.ui.files.push_back(path);
        EXPECT_TRUE(OnGCode(e.app));
        EXPECT_EQ(s.ui.shown, (Strings{"save: GSchild", "3 Durchgänge"}));
        EXPECT_EQ(ReadFile(path), e.Generate());
    }
    { std::ofstream(path) << "old"; }
    {  // No to the replace question: untouched
        ScriptedSession s;
        s.ui.files.push_back(path);
        s.ui.yesNo.push_back(false);
        EXPECT_FALSE(OnGCode(e.app));
        EXPECT_EQ(s.ui.shown, (Strings{"save: GSchild", " File vorhanden. Ersetzen? "}));
        EXPECT_EQ(ReadFile(path), "old");
    }
    {  // Cancel at the pass question: the old file stays, nothing else is left behind
        ScriptedSession s;
        s.ui.files.push_back(path);
        s.ui.okCancel.push_back(false);
        EXPECT_FALSE(OnGCode(e.app));
        EXPECT_EQ(ReadFile(path), "old");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator{}), 1);
    }
    {  // no thickness: message, no file question
        ScriptedSession s;
        e.app.m_materialThickness = 0.0;
        EXPECT_FALSE(OnGCode(e.app));
        EXPECT_EQ(s.ui.shown, Strings{"Materialstärke ist 0"});
    }
}
