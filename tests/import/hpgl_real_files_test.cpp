// Plotter files nobody here wrote: the test drawings of Debian's hp2xx package and HPGL that
// pstoedit writes. Each must import without a crash and with only the messages the reader's
// rules prescribe.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "hpgl_fixture.h"
#include "import/texts.h"
#include "import/import_command.h"

namespace fs = std::filesystem;

namespace {
const fs::path kHp2xxTests = "/usr/share/doc/hp2xx/hp-tests";

fs::path ScratchDir() {
    const fs::path dir = fs::temp_directory_path() / "quenk_hpgl_real";
    fs::create_directories(dir);
    return dir;
}

bool HaveProgram(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

bool IsUnknownMessage(const std::string& m) {
    const std::string pre = import_texts::kUnknownPrefix, post = import_texts::kUnknownSuffix;
    return m.size() > pre.size() + post.size() && m.compare(0, pre.size(), pre) == 0 &&
           m.compare(m.size() - post.size(), post.size(), post) == 0;
}

// The messages the chain recomputation and the joining may add to the reader's.
const std::set<std::string> kChainMessages = {"Kann Drehrichtung nicht feststellen", " Vektor zu klein ",
                                              " Vektorkette in die gleiche Richtung gedreht !! "};

// The reader's own messages, and those of the chains.
bool IsPrescribed(const std::string& m) {
    static const std::set<std::string> fixed = {
        import_texts::kTooManyErrors, import_texts::kXYError,   import_texts::kIPErrorP1, import_texts::kIPErrorP2,
        import_texts::kSCError,       import_texts::kAAErrorXY, import_texts::kAAErrorArc, import_texts::kARError,
        import_texts::kCIError,       import_texts::kHpglArcRefused};
    return fixed.count(m) > 0 || kChainMessages.count(m) > 0 || IsUnknownMessage(m);
}

// What the reader itself said.
std::vector<std::string> ReaderMessages(const std::vector<std::string>& shown) {
    std::vector<std::string> out;
    for (const std::string& m : shown)
        if (kChainMessages.count(m) == 0) out.push_back(m);
    return out;
}
}  // namespace

class Hp2xxFiles : public HpglTest {
protected:
    void SetUp() override {
        if (!fs::is_directory(kHp2xxTests)) GTEST_SKIP() << "hp2xx test files are not installed";
        doc.m_showUnknown = 1;
    }
    // The file's plain text in the scratch folder, or empty when it cannot be unpacked.
    static std::string Plain(const fs::path& file) {
        if (file.extension() != ".gz") return file.string();
        if (!HaveProgram("gzip")) return {};
        const fs::path out = ScratchDir() / file.stem();
        const std::string cmd = "gzip -dc '" + file.string() + "' > '" + out.string() + "'";
        return std::system(cmd.c_str()) == 0 ? out.string() : std::string{};
    }
    void ImportPath(const std::string& path) {
        // The extension decides nothing here: every one of these is plotter text to the reader.
        ImportDispatch().hpgl(doc, path);
    }
};

TEST_F(Hp2xxFiles, EveryFileImportsWithThePrescribedMessages) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(kHp2xxTests)) {
        if (!entry.is_regular_file() || entry.path().filename() == "readme") continue;
        const std::string path = Plain(entry.path());
        if (path.empty()) continue;
        SCOPED_TRACE(entry.path().filename().string());
        s.ui.shown.clear();
        ImportPath(path);
        ++files;

        int unknown = 0;
        bool summary = false;
        for (const std::string& m : s.ui.shown) {
            EXPECT_TRUE(IsPrescribed(m)) << m;
            if (IsUnknownMessage(m)) {
                EXPECT_FALSE(summary) << "unknown command shown after the summary";
                ++unknown;
            }
            if (m == import_texts::kTooManyErrors) summary = true;
        }
        // Ten shown means ten or more counted: exactly then the summary follows.
        EXPECT_LE(unknown, 10);
        EXPECT_EQ(summary, unknown == 10);
    }
    EXPECT_GE(files, 30);
    EXPECT_TRUE(AllPointsFinite());
    EXPECT_EQ(doc.m_layers.size(), static_cast<std::size_t>(files));
}

TEST_F(Hp2xxFiles, SevenBoxesWithSevenPens) {
    ImportPath((kHp2xxTests / "colors.hp").string());
    EXPECT_TRUE(s.ui.shown.empty());
    ASSERT_EQ(Layer().m_pens.size(), 7u);
    for (int pen = 1; pen <= 7; ++pen) {
        auto strokes = Strokes(pen);
        ASSERT_EQ(strokes.size(), 1u) << pen;
        EXPECT_EQ(strokes[0]->m_closed, 1) << pen;
    }
}

TEST_F(Hp2xxFiles, ConcentricCircles) {
    ImportPath((kHp2xxTests / "ci.hp").string());
    EXPECT_EQ(ReaderMessages(s.ui.shown),
              (std::vector<std::string>{"Unbekannter CO Befehl", "Unbekannter PW Befehl", "Unbekannter PW Befehl",
                                        "Unbekannter PW Befehl"}));
    auto strokes = Strokes(1);
    ASSERT_EQ(strokes.size(), 4u);
    for (const CVector* c : strokes) EXPECT_EQ(c->m_closed, 1);
    // The largest circle (radius 500) sets the box: 1000 units wide, placed at the work zero.
    EXPECT_NEAR(doc.m_maxX - doc.m_minX, 1000.0, 0.05);
}

TEST_F(Hp2xxFiles, ScientificPlotWithThreePens) {
    const std::string path = Plain(kHp2xxTests / "inter.hp.gz");
    if (path.empty()) GTEST_SKIP() << "gzip is missing";
    ImportPath(path);
    EXPECT_EQ(ReaderMessages(s.ui.shown), (std::vector<std::string>{"Unbekannter LT Befehl", "Unbekannter LT Befehl",
                                                                   "Unbekannter PG Befehl"}));
    EXPECT_EQ(Layer().m_pens.size(), 3u);
    EXPECT_GT(PointCount(), 6000u);
}

TEST_F(HpglTest, PstoeditOutputImports) {
    if (!HaveProgram("pstoedit")) GTEST_SKIP() << "pstoedit is missing";
    const fs::path dir = ScratchDir();
    const fs::path ps = dir / "in.ps", plt = dir / "out.plt";
    std::ofstream(ps) << "%!PS\n"
                         "newpath 100 100 moveto 300 100 lineto 300 300 lineto 100 300 lineto closepath stroke\n"
                         "newpath 200 200 50 0 360 arc closepath stroke\n"
                         "newpath 400 100 moveto 450 200 lineto 500 100 lineto stroke\n"
                         "/Helvetica findfont 24 scalefont setfont 100 400 moveto (Quenk) show\n"
                         "showpage\n";
    fs::remove(plt);
    const std::string cmd = "pstoedit -f hpgl '" + ps.string() + "' '" + plt.string() + "' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0 || !fs::exists(plt)) GTEST_SKIP() << "pstoedit could not convert";
    doc.m_showUnknown = 1;
    ImportFile(doc, plt.string());
    for (const std::string& m : s.ui.shown) EXPECT_TRUE(IsPrescribed(m)) << m;
    // The square and the circle come out as closed strokes, the open wedge as an open one.
    auto strokes = Strokes(1);
    ASSERT_EQ(strokes.size(), 3u);
    EXPECT_EQ(strokes[0]->m_closed, 1);
    EXPECT_EQ(strokes[1]->m_closed, 1);
    EXPECT_EQ(strokes[2]->m_closed, 0);
    EXPECT_TRUE(AllPointsFinite());
}
