#include "output/hpgl_export.h"

#include <gtest/gtest.h>

#include <random>

#include "import/hpgl_reader.h"
#include "import/import_command.h"
#include "model/quenk_app.h"
#include "support/drawing_builder.h"
#include "support/scripted_interaction.h"
#include "support/test_depth.h"

namespace {
const std::string kHead = "IN;PU;VS38;\r\n";
const std::string kTail = "PU;SP0;";

// Our reader gives back every chain with the integer points we wrote (function 0 keeps the
// drawing's order); the reader's chains that never got a point are left aside.
void ExpectReadsBack(CQuenkDoc& doc) {
    std::string text = HpglOfChains(doc);
    StripLineBreaks(text);
    CQuenkDoc back(doc.App());
    InterpretHpgl(back, text);
    std::vector<std::vector<CPunkt>> wrote, read;
    for (CQuenkDoc* d : {&doc, &back})
        for (auto& layer : d->m_layers)
            for (auto& pen : layer->m_pens)
                for (auto& chain : pen->m_chains)
                    if (!chain->m_points.IsEmpty()) (d == &doc ? wrote : read).push_back(chain->m_points.Raw());
    for (auto& chain : wrote)
        for (CPunkt& p : chain) p = {static_cast<double>(TruncToInt32(p.x)), static_cast<double>(TruncToInt32(p.y))};
    EXPECT_FALSE(wrote.empty());
    EXPECT_EQ(read, wrote);
}
}  // namespace

TEST(HpglExport, GoldenBytes) {
    ScriptedSession s;
    CQuenkApp app;
    CQuenkDoc doc(app);
    EXPECT_EQ(HpglOfCorrections(doc), kHead + kTail);
    // Inside contours first whatever their pen; chain coordinates truncated toward zero.
    AddTestChain(doc, 3, {{12.7, -3.9}, {20, 5}});
    AddTestChain(doc, 1, {{1.9, 2.2}}).m_function = 2;
    CVector& v = AddTestChain(doc, 3, {{0, 0}, {-0.5, 7}});
    EXPECT_EQ(HpglOfChains(doc), kHead + "SP1;\r\nPU;\r\nPA1,2;\r\nPD1,2;\r\nSP3;\r\nPU;\r\nPA12,-3;\r\nPD;\r\n"
                                         "PA20,5;\r\nPU;\r\nPA0,0;\r\nPD;\r\nPA0,7;\r\n" + kTail);
    // Paths rounded up from one half, negative values truncated, repeats written once; the
    // drill of chain point 1 as a dot before the contour path; a path of no chain point left out.
    v.m_tool = 2;
    AddTestPath(v, {{12.5, -3.5}, {12.6, -3.4}, {20, 5}});
    AddTestPath(v, {{7.5, 7.4}}, 1);
    AddTestPath(v, {{99, 99}}, 7);
    EXPECT_EQ(HpglOfCorrections(doc), kHead + "PU;\r\nSP2;\r\nPU;\r\nPA8,7;\r\nPD8,7;\r\nPU;\r\nPA13,-3;\r\nPD;\r\n"
                                              "PA20,5;\r\n" + kTail);
}

TEST(HpglExport, SampleAndRandomDrawingsReadBackThroughOurReader) {
    ScriptedSession s;
    CQuenkApp app;
    CQuenkDoc sample(app);
    ImportFile(sample, QUENK_SOURCE_DIR "/samples/schild.plt");
    ExpectReadsBack(sample);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> coord(-5000, 5000);
    for (int round = 0; round < Rounds(20); ++round) {
        CQuenkDoc doc(app);
        for (int c = 0; c < 8; ++c) {
            CVector& v = AddTestChain(doc, 1 + static_cast<int>(rng() % 4), {});
            for (int i = 0, n = 2 + static_cast<int>(rng() % 6); i < n; ++i) v.AddPoint({coord(rng), coord(rng)});
        }
        ExpectReadsBack(doc);
    }
}
