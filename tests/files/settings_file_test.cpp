#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/quenk_app.h"
#include "files/atomic_file.h"
#include "files/settings_file.h"
#include "support/byte_builder.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace {
// A tool record built by hand: diameter, param2, valueF bits, param1, side, param3, depth,
// param5, param4, colour.
ByteBuilder ToolRecord(double diameter, std::int32_t side, double depth, std::uint32_t colour) {
    return ByteBuilder().f64(diameter).i32(-1).u32(0xBF800000).i32(-1).i32(side).i32(-1).f64(depth).i32(-1).i32(-1).u32(colour);
}

ByteBuilder NewClassTag(std::string_view name) {
    return ByteBuilder().u16(0xFFFF).u16(1).u16(static_cast<std::uint16_t>(name.size())).raw(name);
}

// Every field with a value other than its default, written by hand in file order. The
// version decides which fields are there: scalars 2..lastScalar, the feed-Z table or not.
std::string HandBuiltFile(std::string_view version, int lastScalar, bool feedZ, int entries = 17) {
    ByteBuilder b;
    b.text(version);
    b.f64(0.02).i32(1).i32(1).i32(33);                  // 2-5
    b.f64(2.5).f64(0.75).f64(600).f64(400).i32(7);      // 6-10
    b.text("C:\\Export\\Teil.plt").text("C:\\Zeichnungen\\Gr\xF6\xDF" "e.dxf");  // 11-12
    b.f64(300).f64(200).f64(12.5).f64(-7.25).i32(9);    // 13-17
    b.f64(2.0).i32(17).i32(4).i32(5);                   // 18-21
    b.u32(0x010203).u32(0x040506).u32(0x070809).u32(0x0A0B0C).u32(0x0D0E0F);  // 22-26
    b.f64(2.25).f64(1.5).f64(3).f64(4);                 // 27-30
    b.i32(0).i32(1).i32(1).u8(1);                       // 31-34
    b.text("Birke Sperrholz").f64(6).f64(2).f64(20).f64(14);  // 35-39
    b.i32(1).i32(1);                                    // 40-41
    if (lastScalar >= 42) b.f64(0.3);                   // 42
    if (lastScalar >= 44) b.u8(1).i32(5);               // 43-44
    b.u16(static_cast<std::uint16_t>(entries));         // 45
    for (int i = 0; i < entries; ++i) {
        if (i == 0) b.append(NewClassTag("CWerkzeug"));
        else b.u16(0x8001);
        b.append(ToolRecord(i * 0.5, i % 2, -i * 0.25, 0x100000u + static_cast<std::uint32_t>(i)));
    }
    auto ints = [&](std::int32_t base) {
        b.u16(static_cast<std::uint16_t>(entries));
        for (int i = 0; i < entries; ++i) b.i32(base + i);
    };
    auto doubles = [&](double base) {
        b.u16(static_cast<std::uint16_t>(entries));
        for (int i = 0; i < entries; ++i) b.f64(base + i);
    };
    // 46-50 pen colours, tool colours, pen tool, pen function, colour pen; 51-55 diameter, depth,
    // side, value C, feed XY; 56 feed Z (new in 4.6); 57 tool colours B.
    ints(0x200000), ints(0x300000), ints(100), ints(200), ints(300);
    doubles(1.5), doubles(2.5), ints(400), doubles(3.5), doubles(4.5);
    if (feedZ) doubles(5.5);
    ints(0x400000);
    return b.str();
}

std::string File46() { return HandBuiltFile(kSettingsVersion46, 44, true); }

using Strings = std::vector<std::string>;

// A new app with its own front end that has read the bytes, as the settings file at `path`.
struct Loaded {
    ScriptedSession s;
    CQuenkApp a;
    bool ok;
    void ExpectQuiet() const {
        EXPECT_TRUE(ok);
        EXPECT_EQ(s.ui.shown, Strings{});
    }
    explicit Loaded(std::string_view bytes, const std::string& path = "") {
        a.m_settingsPath = path;
        ok = LoadSettingsFromBytes(a, bytes);
    }
};

// Every table has at least the 17 entries indexed by pen and tool number.
void ExpectCompleteTables(const CQuenkApp& a) {
    for (std::size_t n : {a.m_tools.size(), a.m_penColours.size(), a.m_toolColours.size(), a.m_penTool.size(),
                          a.m_penFunction.size(), a.m_colourPen.size(), a.m_toolDiameter.size(),
                          a.m_toolDepth.size(), a.m_toolSide.size(), a.m_toolValueC.size(),
                          a.m_toolFeedXY.size(), a.m_toolFeedZ.size(), a.m_toolColoursB.size()})
        EXPECT_GE(n, 17u);
}
}  // namespace

// ---------------------------------------------------------------- versions

// Read and written back, the hand-built file is unchanged: the writer's layout is the
// hand-built one and the reader takes every field. The spot checks tie positions to members.
TEST(SettingsFile, Version46IsReadAndWrittenAsBuiltByHand) {
    const Loaded l(File46());
    const CQuenkApp& a = l.a;
    l.ExpectQuiet();
    EXPECT_EQ(EncodeSettings(a), File46());
    EXPECT_EQ(a.m_plotterUnit, 0.02);
    EXPECT_EQ(a.m_lastImportPath, "C:\\Zeichnungen\\Größe.dxf");
    EXPECT_EQ(a.m_zBottom, 14);
    EXPECT_EQ(a.m_comPort, 5);
    EXPECT_EQ(a.m_tools[3], (CWerkzeug{.m_colour = 0x100003, .m_depth = -0.75, .m_side = 1, .m_diameter = 1.5}));
    EXPECT_EQ(a.m_penTool[2], 102);
    EXPECT_EQ(a.m_toolFeedZ[1], 6.5);
    EXPECT_EQ(a.m_toolColoursB[16], 0x400010u);
    // The frames in drawing units follow the plotter unit that was read.
    EXPECT_DOUBLE_EQ(FramesInDrawingUnits(a).machineX, 600 / 0.02);
    EXPECT_DOUBLE_EQ(FramesInDrawingUnits(a).materialZeroY, 4 / 0.02);
}

// Older versions lack fields at the end of the scalars and the feed-Z table; those keep their
// defaults. Everything else must be what the 4.6 file holds.
TEST(SettingsFile, OlderVersionsKeepDefaultsForTheFieldsTheyLack) {
    struct Case {
        const char* version;
        int lastScalar;
        double extraDepth;
        std::int32_t useComPort, comPort;
    };
    const Case cases[] = {{kSettingsVersion42, 44, 0.3, 1, 5},
                          {kSettingsVersion41, 42, 0.3, 0, 3},
                          {kSettingsVersion40, 41, 0.1, 0, 3}};
    const Loaded full(File46());
    ASSERT_TRUE(full.ok);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        Loaded l(HandBuiltFile(c.version, c.lastScalar, false));
        CQuenkApp& a = l.a;
        l.ExpectQuiet();
        EXPECT_EQ(a.m_extraDepth, c.extraDepth);
        EXPECT_EQ(a.m_bUseComPort, c.useComPort);
        EXPECT_EQ(a.m_comPort, c.comPort);
        EXPECT_EQ(a.m_toolFeedZ, std::vector<double>(17, 0.0));
        a.m_extraDepth = full.a.m_extraDepth;
        a.m_bUseComPort = full.a.m_bUseComPort;
        a.m_comPort = full.a.m_comPort;
        a.m_toolFeedZ = full.a.m_toolFeedZ;
        EXPECT_EQ(EncodeSettings(a), File46());
    }
}

// Read back, the written bytes come out unchanged: a field the reader skipped or misread would
// be written back with another value.
TEST(SettingsFile, WriteThenReadReproducesEveryField) {
    Loaded l(File46());
    CQuenkApp& a = l.a;
    ASSERT_TRUE(l.ok);
    // Values the hand-built file does not vary: more entries, odd bit patterns, long texts.
    a.m_tools.resize(20);
    a.m_tools[18].m_valueF = 0x7FC00001;  // a NaN pattern survives as bits
    a.m_tools[18].m_param5 = 12345;
    a.m_penColours.push_back(0xFFFFFFFF);
    a.m_toolFeedZ.assign(30, 0.1);
    a.m_lastExportPath = std::string(300, 'x');
    a.m_materialName = "Äpfel € «ÿ»";
    a.m_machineX = 1.0 / 3;
    a.m_reserved2 = -5;
    const std::string bytes = EncodeSettings(a);
    const Loaded b(bytes);
    b.ExpectQuiet();
    EXPECT_EQ(EncodeSettings(b.a), bytes);
    EXPECT_EQ(b.a.m_materialName, a.m_materialName);
}

// ---------------------------------------------------------------- damage

TEST(SettingsFile, ShortTablesArePaddedLongOnesKept) {
    const Loaded l(HandBuiltFile(kSettingsVersion46, 44, true, 5));
    const CQuenkApp& a = l.a;
    EXPECT_TRUE(l.ok);
    ASSERT_EQ(a.m_tools.size(), 17u);
    EXPECT_EQ(a.m_tools[4].m_diameter, 2.0);  // read
    EXPECT_EQ(a.m_tools[5], CWerkzeug{});      // padded
    ASSERT_EQ(a.m_penTool.size(), 17u);
    EXPECT_EQ(a.m_penTool[4], 104);
    EXPECT_EQ(a.m_penTool[5], 1);
    EXPECT_EQ(a.m_penColours[5], 0x141414u);
    EXPECT_EQ(a.m_toolColours[0], 0x300000u);  // read entry 0 stays
    EXPECT_EQ(a.m_toolColours[5], 0x323232u);
    EXPECT_EQ(a.m_toolSide[5], 1);

    const Loaded b(HandBuiltFile(kSettingsVersion46, 44, true, 21));
    EXPECT_TRUE(b.ok);
    EXPECT_EQ(b.a.m_tools.size(), 21u);
    EXPECT_EQ(b.a.m_toolColoursB.size(), 21u);
    EXPECT_EQ(b.a.m_toolColoursB[20], 0x400014u);
}

// A version text that is none of the four, also by the case of one letter, reads nothing.
TEST(SettingsFile, UnknownVersionCompletesTablesAndSaysSo) {
    std::string lowerCase = File46();
    lowerCase[1] = 'q';  // "quenk Ver. 4.6"
    for (const std::string& file : {ByteBuilder().text("Quenk Ver. 3.9").f64(0.02).str(), lowerCase}) {
        SCOPED_TRACE(file.substr(1, 14));
        const Loaded l(file, "/x/QuenkV4.dat");
        const CQuenkApp& a = l.a;
        EXPECT_FALSE(l.ok);
        EXPECT_EQ(l.s.ui.shown, Strings{std::string("/x/QuenkV4.dat") + settings_texts::kUnknownVersion});
        EXPECT_EQ(a.m_plotterUnit, 0.025);
        // The colour tables as this case has always left them; the rest as for a new file.
        ASSERT_EQ(a.m_penColours.size(), 18u);
        EXPECT_EQ(a.m_penColours[0], 0xE6E6E6u);
        EXPECT_EQ(a.m_toolColours[17], 0x141414u);
        EXPECT_EQ(a.m_penTool, std::vector<std::int32_t>(17, 1));
        ExpectCompleteTables(a);
    }
}

TEST(SettingsFile, FileCutAtEveryOffsetKeepsWhatCameBeforeAndCompletesTables) {
    const std::string file = File46();
    for (std::size_t cut = 0; cut < file.size(); ++cut) {
        SCOPED_TRACE(cut);
        const Loaded l(std::string_view(file).substr(0, cut), "/home/q/QuenkV4.dat");
        EXPECT_FALSE(l.ok);
        ASSERT_EQ(l.s.ui.shown.size(), 1u);
        EXPECT_NE(l.s.ui.shown[0].find(settings_texts::kDamaged), std::string::npos);
        ExpectCompleteTables(l.a);
        EXPECT_EQ(l.a.m_plotterUnit, cut >= 15 + 8 ? 0.02 : 0.025);
        if (cut == 20) {  // inside the plotter unit
            EXPECT_EQ(l.s.ui.shown[0], "/home/q/QuenkV4.dat ist beschädigt: Unerwartetes Dateiende (Byte 15). "
                                       "Die fehlenden Werte haben ihre Vorgaben.");
        }
    }
}

TEST(SettingsFile, HugeCountInATableIsDamageNotAnAllocation) {
    // The scalar fields end where a file without table entries has its 13 two-byte counts.
    const std::size_t scalarsEnd = HandBuiltFile(kSettingsVersion46, 44, true, 0).size() - 13 * 2;
    const Loaded l(File46().substr(0, scalarsEnd) + ByteBuilder().u16(0xFFFF).u32(0xFFFFFFFF).str());
    EXPECT_FALSE(l.ok);
    EXPECT_EQ(l.s.ui.shown.size(), 1u);
    EXPECT_EQ(l.a.m_comPort, 5);  // read before the damage
    EXPECT_EQ(l.a.m_tools.size(), 17u);
    ExpectCompleteTables(l.a);
}

TEST(SettingsFile, StepValuesThatWouldBreakLaterCodeAreReplaced) {
    Loaded l(File46());
    ASSERT_TRUE(l.ok);
    l.a.m_plotterUnit = 0.0;
    l.a.m_segmentAngle = -1.0;
    l.a.m_materialThickness = 1e308;
    l.a.m_toolFeedXY[2] = std::nan("");
    const Loaded b(EncodeSettings(l.a));
    EXPECT_FALSE(b.ok);
    EXPECT_EQ(b.a.m_plotterUnit, 0.025);
    EXPECT_EQ(b.a.m_segmentAngle, 1.0);
    EXPECT_EQ(b.a.m_maxVectorLength, 1.5);
    EXPECT_EQ(b.a.m_materialThickness, 0.0);
    EXPECT_EQ(b.a.m_toolFeedXY[2], 0.0);
    EXPECT_EQ(b.s.ui.shown, Strings{std::string(kSettingsFileName) + settings_texts::kInvalidValues +
                                    "Materialdicke, Plottereinheit, Geschwindigkeit XY Werkzeug 2, Kreissegmente"});
}

// ---------------------------------------------------------------- files

// New tables of exactly 17 entries each.
TEST(SettingsFileOnDisk, MissingFileGivesNewTablesAndOpensBothDialogs) {
    TempDir dir;
    ScriptedSession s;
    CQuenkApp a;
    const std::string path = dir.File("QuenkV4.dat");
    a.LoadSettings(path);
    EXPECT_EQ(a.m_settingsPath, path);
    EXPECT_EQ(s.ui.shown, Strings{path + " nicht gefunden"});
    EXPECT_EQ(s.ui.dialogs, (std::vector<DialogRequest>{DialogRequest::Settings, DialogRequest::Tools}));
    using Colours = std::vector<std::uint32_t>;
    EXPECT_EQ(a.m_tools, std::vector<CWerkzeug>(17));
    EXPECT_EQ(a.m_penColours, Colours(17, 0x141414));
    EXPECT_EQ(a.m_toolColoursB, Colours(17, 0x323232));
    Colours toolColours(17, 0x323232);
    toolColours[0] = 0xE6E6E6;  // m_displayColour1
    EXPECT_EQ(a.m_toolColours, toolColours);
    for (const auto* t : {&a.m_penTool, &a.m_toolSide}) EXPECT_EQ(*t, std::vector<std::int32_t>(17, 1));
    for (const auto* t : {&a.m_penFunction, &a.m_colourPen}) EXPECT_EQ(*t, std::vector<std::int32_t>(17, 0));
    for (const auto* t : {&a.m_toolDiameter, &a.m_toolDepth, &a.m_toolValueC, &a.m_toolFeedXY, &a.m_toolFeedZ})
        EXPECT_EQ(*t, std::vector<double>(17, 0.0));
}

TEST(SettingsFileOnDisk, DefaultPathIsTheWorkingDirectory) {
    EXPECT_EQ(DefaultSettingsPath(), std::filesystem::current_path().string() + "/QuenkV4.dat");
}

TEST(SettingsFileOnDisk, SaveThenLoadAndNothingWhenSwitchedOff) {
    TempDir dir;
    Loaded l(File46(), dir.File("QuenkV4.dat"));
    CQuenkApp& a = l.a;
    ASSERT_TRUE(l.ok);
    EXPECT_TRUE(a.SaveSettings());
    EXPECT_EQ(ReadFile(a.m_settingsPath), File46());

    CQuenkApp b;
    b.LoadSettings(a.m_settingsPath);
    EXPECT_EQ(l.s.ui.shown, Strings{});
    EXPECT_TRUE(l.s.ui.dialogs.empty());
    EXPECT_EQ(EncodeSettings(b), File46());

    std::filesystem::remove(a.m_settingsPath);
    a.m_bSaveSettingsOnExit = 0;
    EXPECT_TRUE(a.SaveSettings());
    EXPECT_FALSE(std::filesystem::exists(a.m_settingsPath));
}

TEST(SettingsFileOnDisk, WriteFailureKeepsTheOldFileWhole) {
    TempDir dir;
    ScriptedSession s;
    CQuenkApp a;
    a.m_settingsPath = dir.File("QuenkV4.dat");
    std::ofstream(a.m_settingsPath, std::ios::binary) << "old settings";
    // A folder that cannot be removed stands where the temporary file would go, so writing fails.
    const std::string blocker = AtomicFile::TempPath(a.m_settingsPath);
    std::filesystem::create_directory(blocker);
    std::ofstream(blocker + "/keep") << "x";
    EXPECT_FALSE(a.SaveSettings());
    EXPECT_EQ(s.ui.shown, Strings{"QuenkV2.dat schreibfehler"});
    EXPECT_EQ(ReadFile(a.m_settingsPath), "old settings");

    a.m_settingsPath = dir.File("no/such/dir/QuenkV4.dat");
    EXPECT_FALSE(a.SaveSettings());
    EXPECT_EQ(s.ui.shown.size(), 2u);
}

// The seed files read without complaint; the 4.6 one is written back as it was.
TEST(SettingsFileOnDisk, SeedFilesLoadWithoutComplaint) {
    const std::string seeds = std::string(QUENK_SOURCE_DIR) + "/tests/fuzz/seeds/settings/";
    ScriptedSession s;
    CQuenkApp a46, a40;
    a46.LoadSettings(seeds + "quenk46.dat");
    a40.LoadSettings(seeds + "quenk40.dat");
    EXPECT_EQ(s.ui.shown, Strings{});
    EXPECT_EQ(a46.m_lastImportPath, "C:\\Zeichnungen\\Größe.dxf");
    EXPECT_EQ(a46.m_toolFeedZ, std::vector<double>(17, 5.0));
    EXPECT_EQ(a46.m_penFunction[2], 2);
    EXPECT_EQ(EncodeSettings(a46), ReadFile(seeds + "quenk46.dat"));
    EXPECT_EQ(a40.m_extraDepth, 0.1);
    EXPECT_EQ(a40.m_toolFeedXY, std::vector<double>(17, 10.0));
    EXPECT_EQ(a40.m_toolFeedZ, std::vector<double>(17, 0.0));
    EXPECT_EQ(a40.m_tools[16].m_diameter, 8.0);
}
