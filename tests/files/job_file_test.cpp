#include "files/job_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "model/quenk_app.h"
#include "support/box.h"
#include "support/byte_builder.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "model/fraes_kontur.h"

namespace {
namespace fs = std::filesystem;

ByteBuilder Werkzeug(double diameter, double depth, std::uint32_t colour) {
    ByteBuilder b;
    b.f64(diameter).i32(-1).u32(0xBF800000u).i32(-1).i32(1).i32(-1).f64(depth).i32(-1).i32(-1).u32(colour);
    return b;
}

ByteBuilder Points(std::initializer_list<CPunkt> pts) {
    ByteBuilder b;
    b.u16(static_cast<std::uint16_t>(pts.size()));
    for (const CPunkt& p : pts) b.u32(0x0046E170u).u32(0).f64(p.x).f64(p.y);
    return b;
}

ByteBuilder KonturFields(std::int32_t tool, std::uint32_t colour, double reservedA, std::int32_t reservedB) {
    ByteBuilder b;
    b.i32(tool).f64(reservedA).f64(0.0).u8(1).u32(colour).i32(reservedB).i32(0).f64(-2.5);
    b.f64(200.0).f64(-20.0).f64(120.0).f64(-5.0).i32(2);
    return b;
}

ByteBuilder Name(std::string_view n) {
    ByteBuilder b;
    b.u16(static_cast<std::uint16_t>(n.size())).raw(n);
    return b;
}

// A job with two tools and two contours of tool 2, written field by field. Indexes: class
// CWerkzeug 1, its objects 2 and 3; class CFraesKontur 4, contour 5; class CFraesDaten 6,
// path 7; contour 8 (tag 0x8004), path 9 (tag 0x8006).
std::string HandBuiltJob() {
    ByteBuilder b;
    b.text("Quenk Ver. 4.c").text("Buche \xE4").f64(12.0).i32(7);
    b.f64(1.0).f64(-11.0).f64(3.0).i32(1).i32(0).f64(4.0).f64(0.2).f64(0.025);
    b.u16(3).u32(0x111111).u32(0x222222).u32(0x333333);
    b.u16(2).u16(0xFFFF).u16(1).append(Name("CWerkzeug")).append(Werkzeug(3.0, 5.0, 0x0000FF));
    b.u16(0x8001).append(Werkzeug(6.0, 8.0, 0x00FF00));
    b.u16(2).f64(3.0).f64(6.0);                      // diameters
    b.u16(3).f64(0.0).f64(5.0).f64(8.0);             // depths
    b.u16(2).i32(1).i32(0);                          // sides
    b.u16(3).f64(0.0).f64(0.5).f64(0.25);            // value C
    b.u16(3).f64(0.0).f64(10.0).f64(20.0);           // feed XY
    b.u16(0);                                        // feed Z
    b.u16(2);
    b.u16(0xFFFF).u16(1).append(Name("CFraesKontur")).append(KonturFields(2, 0xABCDEF, 9.5, 42));
    b.u16(1).u16(0xFFFF).u16(1).append(Name("CFraesDaten")).append(Points({{0, 0}, {4000, 0}, {4000, 2000}}));
    b.append(Points({{1, 1}, {2, 2}}));
    b.u16(0x8004).append(KonturFields(2, 0x445566, 0.0, 0));
    b.u16(1).u16(0x8006).append(Points({{-800, -200}}));
    b.append(Points({}));
    return b.str();
}

// A current job that a failed load must leave untouched.
void FillCurrentJob(CQuenkApp& app) {
    ScriptedSession quiet;
    ASSERT_TRUE(LoadJobBytes(app, HandBuiltJob()));
}
}  // namespace

// Loaded and saved again, the hand-built file comes back byte for byte: class names once,
// later objects of a class with 0x8000 plus the class's index, reserved fields as read. The
// spot checks tie positions to members; extent and colours are worked out on loading.
TEST(JobFile, HandBuiltFileLoadsAndSavesByteForByte) {
    ScriptedSession s;
    CQuenkApp app;
    const std::string original = HandBuiltJob();
    ASSERT_TRUE(LoadJobBytes(app, original));
    EXPECT_TRUE(s.ui.shown.empty());
    EXPECT_EQ(app.m_materialName, "Buche ä");
    EXPECT_EQ(app.m_zBottom, -11.0);
    EXPECT_EQ(app.m_plotterUnit, 0.025);
    EXPECT_EQ(app.m_tools.at(1).m_diameter, 6.0);
    EXPECT_EQ(app.m_toolDepth, (std::vector<double>{0.0, 5.0, 8.0}));
    ASSERT_EQ(app.m_millingList.size(), 2u);
    const CFraesKontur& k = *app.m_millingList[0];
    EXPECT_EQ(k.m_reserved1, 9.5);
    EXPECT_EQ(k.m_direction, 2);
    ASSERT_EQ(k.m_paths.size(), 1u);
    EXPECT_EQ(k.m_paths[0]->m_points.Raw(), (std::vector<CPunkt>{{0, 0}, {4000, 0}, {4000, 2000}}));
    EXPECT_EQ(k.m_points.Raw(), (std::vector<CPunkt>{{1, 1}, {2, 2}}));
    // The extent of the outer boxes, and the colour of the tool's last contour.
    EXPECT_EQ(JobBoxOf(app), (Box{-20, 200, -5, 120}));
    EXPECT_EQ(app.m_toolColoursB, (std::vector<std::uint32_t>{0x111111, 0x222222, 0x445566}));

    app.m_toolColoursB = {0x111111, 0x222222, 0x333333};  // what the file held
    const std::string saved = SerializeJob(app);
    EXPECT_EQ(saved, original);
    EXPECT_EQ(saved.find("CFraesKontur"), saved.rfind("CFraesKontur"));
}

TEST(JobFile, EmptyJobHasTheDefaultExtent) {
    ScriptedSession s;
    CQuenkApp app;
    app.m_toolColoursB.assign(17, 0x141414);
    const std::string bytes = SerializeJob(app);
    CQuenkApp loaded;
    FillCurrentJob(loaded);
    ASSERT_TRUE(LoadJobBytes(loaded, bytes));
    EXPECT_TRUE(loaded.m_millingList.empty());
    EXPECT_TRUE(loaded.m_tools.empty());
    EXPECT_EQ(JobBoxOf(loaded), (Box{10, 100, 10, 100}));
    EXPECT_EQ(bytes.substr(bytes.size() - 2), std::string(2, '\0'));  // milling list count 0
}

// Whatever is wrong with a file, the current job stays and one message says why.
TEST(JobFile, DamagedFilesLeaveTheJobAsItWas) {
    CQuenkApp app;
    FillCurrentJob(app);
    const std::string before = SerializeJob(app);
    const std::string good = HandBuiltJob();
    auto expectRefused = [&](const std::string& bytes, const std::string& what) -> std::string {
        SCOPED_TRACE(what);
        ScriptedSession s;
        EXPECT_FALSE(LoadJobBytes(app, bytes));
        EXPECT_EQ(SerializeJob(app), before);
        EXPECT_EQ(s.ui.shown.size(), 1u);
        return s.ui.shown.empty() ? "" : s.ui.shown[0];
    };
    std::string settingsVersion = good;
    settingsVersion.replace(1, 14, "Quenk Ver. 4.6");
    EXPECT_EQ(expectRefused(settingsVersion, "settings file version"), " Falsche Quenk Version ");
    for (std::size_t cut = 0; cut < good.size(); ++cut) expectRefused(good.substr(0, cut), "cut " + std::to_string(cut));

    std::string unknownClass = good;
    unknownClass.replace(unknownClass.find("CFraesDaten"), 11, "CFraesXaten");
    expectRefused(unknownClass, "unknown class");

    std::string hugeCount = good;
    const std::size_t listAt = good.find("CFraesKontur") - 8;  // count before the first tag
    hugeCount.replace(listAt, 2, "\xFF\xFF\xFF\xFF\xFF\x7F");  // 0xFFFF, then 0x7FFFFFFF
    expectRefused(hugeCount, "count beyond the file");

    std::string badTool = good;
    badTool[good.find("CFraesKontur") + 12] = 3;  // tool 3, colour table has 0..2
    expectRefused(badTool, "tool outside the table");

    std::string badUnit = good;
    const std::size_t unitAt = 1 + 14 + 1 + 7 + 8 + 4 + 3 * 8 + 2 * 4 + 2 * 8;
    std::memset(badUnit.data() + unitAt, 0, 8);
    expectRefused(badUnit, "plotter unit 0");

    std::string badPass = good;  // a value no dialog accepts would go into the next program
    const double negative = -1.0;
    std::memcpy(badPass.data() + unitAt - 16, &negative, 8);  // the maximum pass depth
    EXPECT_NE(expectRefused(badPass, "pass depth").find("Maximale Frästiefe (erlaubt: 0 bis 100000)"), std::string::npos);
}

TEST(JobFile, LoadingWritesTheSettingsOnceAndNeverAgain) {
    ScriptedSession s;
    TempDir dir;
    const std::string path = dir.File("a.Quenk");
    { std::ofstream(path, std::ios::binary) << HandBuiltJob(); }
    CQuenkApp app;
    app.m_settingsPath = dir.File("QuenkV4.dat");
    EXPECT_TRUE(LoadJob(app, path));
    EXPECT_TRUE(fs::exists(app.m_settingsPath));
    EXPECT_EQ(app.m_bSaveSettingsOnExit, 0);
    fs::remove(app.m_settingsPath);
    EXPECT_TRUE(LoadJob(app, path));
    EXPECT_FALSE(LoadJob(app, dir.File("missing.Quenk")));
    app.SaveSettings();  // what the end of the program does
    EXPECT_FALSE(fs::exists(app.m_settingsPath));
    EXPECT_TRUE(s.ui.shown.empty());  // a file that cannot be opened says nothing
}

TEST(JobFile, SaveCommandOffersTheDrawingTitle) {
    TempDir dir;
    const std::string path = dir.File("Schild.Quenk");
    CQuenkApp app;
    FillCurrentJob(app);
    app.m_drawingTitle = "Schild";
    {
        ScriptedSession s;
        s.ui.files.push_back(path);
        OnSaveJob(app);
        EXPECT_EQ(s.ui.shown, (std::vector<std::string>{"save: Schild"}));
    }
    EXPECT_EQ(ReadFile(path), SerializeJob(app));
    {
        ScriptedSession s;
        EXPECT_FALSE(SaveJob(app, dir.File("no/such/dir.Quenk")));
        EXPECT_TRUE(s.ui.shown.empty());
    }
}
