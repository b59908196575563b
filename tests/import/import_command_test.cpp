#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "hpgl_fixture.h"
#include "import/texts.h"
#include "import/import_command.h"
#include "prepare/join.h"

namespace {
std::string TempFile(const std::string& name, const std::string& content) {
    const auto dir = std::filesystem::temp_directory_path() / "quenk_import_test";
    std::filesystem::create_directories(dir);
    const auto path = dir / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

struct Calls {
    static inline std::vector<std::string> log;
};
bool RecordCad(CQuenkDoc&, const std::string& p) { return Calls::log.emplace_back("cad " + p).size(); }
bool RecordJob(CQuenkDoc&, const std::string& p) { return Calls::log.emplace_back("job " + p).size(); }
bool RecordHpgl(CQuenkDoc&, const std::string& p) { return Calls::log.emplace_back("hpgl " + p).size(); }

class Recording {
public:
    Recording() : m_saved(ImportDispatch()) {
        Calls::log.clear();
        ImportDispatch() = {&RecordCad, &RecordJob, &RecordHpgl};
    }
    ~Recording() { ImportDispatch() = m_saved; }

private:
    ImportBranches m_saved;
};
}  // namespace

TEST_F(HpglTest, DispatchByUpperCasedExtension) {
    Recording rec;
    ImportFile(doc, "/d/a.DxF");
    EXPECT_EQ(app.m_lastImportPath, "/d/a.DxF");
    ImportFile(doc, "/d/b.dwg");
    ImportFile(doc, "/d/c.quenk");
    ImportFile(doc, "/d/d.plt");
    ImportFile(doc, "/d.x/noext");
    EXPECT_EQ(Calls::log, (std::vector<std::string>{"cad /d/a.DxF", "cad /d/b.dwg", "job /d/c.quenk",
                                                    "hpgl /d/d.plt", "hpgl /d.x/noext"}));
    EXPECT_EQ(doc.m_importPath, "/d.x/noext");
    EXPECT_EQ(doc.m_drawingName, "noext");
}

TEST_F(HpglTest, CadSaysPlainlyItCannotReadAMissingJobOrPlotterFileIsPassedOverSilently) {
    app.m_bSaveSettingsOnExit = 0;
    ImportFile(doc, "/nowhere/x.dwg");
    ImportFile(doc, "/nowhere/x.Quenk");
    ImportFile(doc, "/nowhere/missing.plt");
    EXPECT_EQ(s.ui.shown, (std::vector<std::string>{import_texts::kFileOpenError}));
    EXPECT_TRUE(doc.m_layers.empty());
    EXPECT_EQ(app.m_bMillingReady, 0);
    EXPECT_EQ(app.m_drawingTitle, "");  // no file was taken
    EXPECT_EQ(app.m_lastImportPath, "");
}

// A reader that refuses after touching the names, as the HPGL reader does when memory runs out.
bool ScribbleAndRefuse(CQuenkDoc& doc, const std::string&) {
    doc.m_nothingImported = 0;
    doc.m_drawingName = doc.App().m_lastImportPath = "scribbled";
    return false;
}

TEST_F(HpglTest, ARefusedImportLeavesTheNamesAsTheyWere) {
    app.m_bSaveSettingsOnExit = 0;
    CQuenkDoc empty(app);
    ASSERT_TRUE(ImportFile(doc, TempFile("first.plt", "SP1;PU0,0;PD100,0,100,100;")));
    const ImportBranches saved = ImportDispatch();
    for (CQuenkDoc* d : {&doc, &empty}) {
        const auto names = [&] { return std::tuple(d->m_drawingName, d->m_importPath, app.m_drawingTitle,
                                                   app.m_lastImportPath, d->m_nothingImported); };
        const auto before = names();
        for (const std::string& file : {TempFile("damaged.Quenk", "\x0EQuenk Ver. 4.c\x03" "ab"),
                                        TempFile("version.Quenk", "\x0EQuenk Ver. 4.6"),
                                        std::string("/nowhere/missing.plt"), std::string("/nowhere/x.dxf"),
                                        std::string("scribble.plt")}) {
            SCOPED_TRACE(file);
            if (file == "scribble.plt") ImportDispatch().hpgl = &ScribbleAndRefuse;
            EXPECT_FALSE(ImportFile(*d, file));
            ImportDispatch() = saved;
            EXPECT_EQ(names(), before);
        }
    }
}

TEST_F(HpglTest, OnImportAsksWithTheFilterOfTheImportOrder) {
    app.m_importOrder = 1;
    doc.m_scaleX = 3.0;
    doc.m_relative = 1;
    OnImport(doc);  // cancelled
    EXPECT_EQ(s.ui.shown, std::vector<std::string>{std::string("open: ") + kImportFilterHpglFirst});
    EXPECT_EQ(doc.m_scaleX, 1.0);
    EXPECT_EQ(doc.m_relative, 0);
    EXPECT_TRUE(doc.m_layers.empty());

    app.m_importOrder = 0;
    s.ui.shown.clear();
    s.ui.files.push_back(TempFile("sq.plt", "SP1;PU0,0;PD100,0,100,100;"));
    OnImport(doc);
    EXPECT_EQ(s.ui.shown.at(0), std::string("open: ") + kImportFilterCadFirst);
    ASSERT_EQ(doc.m_layers.size(), 1u);
    EXPECT_EQ(doc.m_drawingName, "sq.plt");
    EXPECT_EQ(app.m_lastImportPath, doc.m_importPath);
}

TEST_F(HpglTest, FirstImportGoesToTheWorkZeroPointTheSecondBesideIt) {
    app.m_workZeroX = 10.0;  // 400 units at 0.025 mm
    app.m_workZeroY = 5.0;   // 200 units
    Import("SP1;PU-50,-20;PD50,-20,50,30;", "first.plt");
    EXPECT_EQ(doc.m_nothingImported, 0);
    EXPECT_EQ(doc.m_drawingName, "first.plt");
    EXPECT_DOUBLE_EQ(Layer(0).m_minX, 400.0);
    EXPECT_DOUBLE_EQ(Layer(0).m_minY, 200.0);
    EXPECT_DOUBLE_EQ(doc.m_maxX, 500.0);

    Import("SP1;PU0,0;PD10,10;", "second.plt");
    EXPECT_EQ(doc.m_drawingName, "first.plt");
    EXPECT_DOUBLE_EQ(Layer(1).m_minX, 900.0);
    EXPECT_DOUBLE_EQ(Layer(1).m_minY, 200.0);
    EXPECT_DOUBLE_EQ(doc.m_importTargetX, 900.0);
}

TEST_F(HpglTest, ShortTextLeavesTheDocumentMarkedEmpty) {
    Import("PU;PD1,1;", "tiny.plt");  // ten characters or fewer
    EXPECT_EQ(doc.m_nothingImported, 1);
    EXPECT_EQ(doc.m_layers.size(), 1u);
}

TEST_F(HpglTest, LineBreaksGoBeforeReadingAndRepeatedPointsAfterPlacement) {
    Import("SP1;PU0,0;PD0,0,1\r\n00,0,100,0,100,100;", "crlf.plt");
    auto strokes = Strokes(1);
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(strokes[0]->PointCount(), 3);
    EXPECT_DOUBLE_EQ(strokes[0]->m_maxX - strokes[0]->m_minX, 100.0);
}

TEST_F(HpglTest, APenLeftDownNeverDrawsIntoTheEarlierDrawing) {
    Import("SP1;PU0,0;PD100,100;", "a.plt");  // ends with the pen down
    const CVector* first = Strokes(1, 0).at(0);
    const int before = first->PointCount();
    Import("PA200,200,300,300;", "b.plt");
    EXPECT_EQ(first->PointCount(), before);
    auto strokes = Strokes(1, 1);
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(strokes[0]->PointCount(), 2);
}
