#include "output/hpgl_export.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "import/hpgl_reader.h"
#include "import/import_command.h"
#include "model/quenk_app.h"
#include "support/drawing_builder.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace {
const std::string kHead = "IN;PU;VS38;\r\n";
const std::string kTail = "PU;SP0;";

// Inside contours first whatever their pen; coordinates truncated toward zero.
void FillChains(CQuenkDoc& doc) {
    AddTestChain(doc, 3, {{12.7, -3.9}, {20, 5}});
    AddTestChain(doc, 1, {{1.9, 2.2}}).m_function = 2;
    AddTestChain(doc, 3, {{0, 0}, {-0.5, 7}});
}
}  // namespace

TEST(HpglExport, ChainsGoldenBytes) {
    ScriptedSession s;
    CQuenkApp app;
    CQuenkDoc doc(app);
    FillChains(doc);
    TempDir dir;
    s.ui.files.push_back(dir.File("a.plt"));
    ASSERT_TRUE(OnExportHpgl(doc));
    EXPECT_EQ(ReadFile(dir.File("a.plt")), kHead + "SP1;\r\nPU;\r\nPA1,2;\r\nPD1,2;\r\nSP3;\r\nPU;\r\nPA12,-3;\r\nPD;\r\n"
                                                   "PA20,5;\r\nPU;\r\nPA0,0;\r\nPD;\r\nPA0,7;\r\n" + kTail);
}

TEST(HpglExport, CorrectionsGoldenBytes) {
    ScriptedSession s;
    CQuenkApp app;
    CQuenkDoc doc(app);
    CVector& v = AddTestChain(doc, 1, {{0, 0}, {10, 0}, {10, 10}});
    v.m_tool = 2;
    // Rounded up from one half, negative values truncated; repeats written once.
    AddTestPath(v, {{12.5, -3.5}, {12.6, -3.4}, {20, 5}});
    AddTestPath(v, {{7.5, 7.4}}, 1);
    AddTestPath(v, {{99, 99}}, 7);  // belongs to no point of the chain: not written
    doc.m_drawingName = "teil";
    TempDir dir;
    s.ui.files.push_back(dir.File("r.plt"));
    ASSERT_TRUE(OnExportCorrectionHpgl(doc));
    EXPECT_EQ(s.ui.shown.front(), "save: Rteil");
    EXPECT_EQ(ReadFile(dir.File("r.plt")),
              kHead + "PU;\r\nSP2;\r\nPU;\r\nPA8,7;\r\nPD8,7;\r\nPU;\r\nPA13,-3;\r\nPD;\r\nPA20,5;\r\n" + kTail);
}

TEST(HpglExport, EmptyDrawingAndRefusedReplacement) {
    ScriptedSession s;
    CQuenkApp app;
    CQuenkDoc doc(app);
    EXPECT_EQ(HpglOfChains(doc), kHead + kTail);
    TempDir dir;
    const std::string path = dir.File("old.plt");
    std::ofstream(path) << "old";
    s.ui.files.push_back(path);
    s.ui.yesNo.push_back(false);
    EXPECT_FALSE(OnExportHpgl(doc));
    EXPECT_EQ(s.ui.shown.back(), " File vorhanden. Ersetzen? ");
    EXPECT_EQ(ReadFile(path), "old");
}

// Our own reader gives back every chain with the integer points we wrote.
void ExpectReadsBack(CQuenkDoc& doc) {
    std::string text = HpglOfChains(doc);
    StripLineBreaks(text);
    CQuenkApp app;
    CQuenkDoc back(app);
    InterpretHpgl(back, text);
    std::vector<const CVector*> read;
    for (auto& pen : back.m_layers[0]->m_pens)
        for (auto& chain : pen->m_chains) read.push_back(chain.get());
    std::size_t i = 0;
    for (const bool inside : {true, false})
        for (auto& layer : doc.m_layers)
            for (auto& pen : layer->m_pens)
                for (auto& chain : pen->m_chains) {
                    if (chain->m_empty || (chain->m_function == 2) != inside) continue;
                    ASSERT_LT(i, read.size());
                    const std::vector<CPunkt>& got = read[i++]->m_points.Raw();
                    ASSERT_EQ(got.size(), chain->m_points.Raw().size());
                    for (std::size_t k = 0; k < got.size(); ++k)
                        EXPECT_EQ(got[k], (CPunkt{static_cast<double>(TruncToInt32(chain->m_points.Raw()[k].x)),
                                                  static_cast<double>(TruncToInt32(chain->m_points.Raw()[k].y))}));
                }
    EXPECT_EQ(i, read.size());
}

TEST(HpglExport, SampleAndRandomDrawingsReadBackThroughOurReader) {
    ScriptedSession s;
    CQuenkApp app;
    CQuenkDoc sample(app);
    ImportFile(sample, QUENK_SOURCE_DIR "/samples/schild.plt");
    ExpectReadsBack(sample);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> coord(-5000, 5000);
    for (int round = 0; round < 20; ++round) {
        CQuenkDoc doc(app);
        for (int c = 0; c < 8; ++c) {
            CVector& v = AddTestChain(doc, 1 + static_cast<int>(rng() % 4), {});
            for (int i = 0, n = 2 + static_cast<int>(rng() % 6); i < n; ++i) v.AddPoint({coord(rng), coord(rng)});
        }
        ExpectReadsBack(doc);
    }
}

TEST(HpglExport, Hp2xxReadsTheFile) {
    if (std::system("hp2xx -h x >/dev/null 2>&1 </dev/null; command -v hp2xx >/dev/null") != 0)
        GTEST_SKIP() << "hp2xx is not installed";
    ScriptedSession s;
    CQuenkApp app;
    CQuenkDoc doc(app);
    FillChains(doc);
    TempDir dir;
    std::ofstream(dir.File("d.plt"), std::ios::binary) << HpglOfChains(doc);
    const std::string cmd = "hp2xx -m svg -f '" + dir.File("d.svg") + "' '" + dir.File("d.plt") + "' >'" +
                            dir.File("log") + "' 2>&1 </dev/null";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << ReadFile(dir.File("log"));
    EXPECT_EQ(ReadFile(dir.File("log")).find("rror"), std::string::npos) << ReadFile(dir.File("log"));
    EXPECT_FALSE(ReadFile(dir.File("d.svg")).empty());
}
