// The CAD import on small hand-made drawings: segmentation, polylines, colours, messages,
// placement and damaged files.

#include <cmath>
#include <numbers>

#include "cad_fixture.h"
#include "cadreader/cad_drawing.h"
#include "cadreader/dxf_groups.h"
#include "import/texts.h"

using namespace std::string_literals;

namespace {
constexpr double kTol = 1e-9;  // millimetres, after a move by a few hundred units
}  // namespace

TEST_F(CadTest, CircleOf38PointsClosesOnItsFirst) {
    app.m_segmentAngle = 10.0;
    app.m_maxVectorLength = 1000.0;
    Import(DxfText("0\nCIRCLE\n8\n0\n10\n5\n20\n5\n40\n10\n"));
    const auto p = Shape();
    ASSERT_EQ(p.size(), 38u);
    EXPECT_EQ(p.front().x, p.back().x);
    EXPECT_EQ(p.front().y, p.back().y);
    EXPECT_EQ(doc.m_bCadImported, 1);
    EXPECT_EQ(doc.m_nothingImported, 0);
}

TEST_F(CadTest, ChordsShrinkToTheMaximumVectorLength) {
    app.m_segmentAngle = 10.0;
    app.m_maxVectorLength = 0.5;
    Import(DxfText("0\nARC\n8\n0\n10\n0\n20\n0\n40\n50\n50\n0\n51\n90\n"));
    const auto p = Shape();
    ASSERT_EQ(p.size(), 159u);  // 90 / (2 asin(0.5 / 100)) = 157.1 whole steps, one more
    for (std::size_t k = 1; k < p.size(); ++k) {
        EXPECT_LE(Distance(p[k - 1], p[k]), 0.5 + kTol);
        EXPECT_GE(Distance(p[k - 1], p[k]), 0.49);
    }
}

TEST_F(CadTest, ArcFrom350To10RunsThroughZero) {
    Import(DxfText("0\nARC\n8\n0\n10\n0\n20\n0\n40\n10\n50\n350\n51\n10\n"));
    const auto p = Shape();
    ASSERT_EQ(p.size(), 22u);  // 20 steps of 1 degree, then the exact end point
    const CLayer& l = *doc.m_layers.back();
    // The short way round is 0.15 mm wide (less the sagitta of half a step); the long way 20 mm.
    EXPECT_NEAR((l.m_maxX - l.m_minX) * app.m_plotterUnit, 10.0 - 10.0 * std::cos(10.0 * std::numbers::pi / 180), 1e-3);
}

// Shapes that must come out alike: the pairs differ in the way the file says it.
TEST_F(CadTest, EquivalentEntitiesGiveTheSameChain) {
    const std::string lwClosed = "0\nLWPOLYLINE\n8\n0\n90\n3\n70\n1\n10\n0\n20\n0\n42\n0.5\n10\n20\n20\n0\n42\n-1\n"
                                 "10\n20\n20\n20\n42\n0.3\n";
    const std::string oldClosed = "0\nPOLYLINE\n8\n0\n66\n1\n70\n1\n0\nVERTEX\n8\n0\n10\n0\n20\n0\n42\n0.5\n0\nVERTEX\n"
                                  "8\n0\n10\n20\n20\n0\n42\n-1\n0\nVERTEX\n8\n0\n10\n20\n20\n20\n42\n0.3\n0\nSEQEND\n";
    const std::string mirror = "210\n0\n220\n0\n230\n-1\n";
    const struct {
        std::string a, b;
    } pairs[] = {
        // Old-style polylines follow the light-weight rule, closing arc included.
        {lwClosed, oldClosed},
        // A mirrored object coordinate system: x changes sign and arcs turn the other way.
        {"0\nARC\n8\n0\n10\n10\n20\n0\n40\n5\n50\n0\n51\n90\n" + mirror,
         "0\nARC\n8\n0\n10\n-10\n20\n0\n40\n5\n50\n90\n51\n180\n"},
        {"0\nLWPOLYLINE\n8\n0\n90\n2\n70\n0\n10\n0\n20\n0\n42\n0.5\n10\n20\n20\n0\n" + mirror,
         "0\nLWPOLYLINE\n8\n0\n90\n2\n70\n0\n10\n0\n20\n0\n42\n-0.5\n10\n-20\n20\n0\n"},
        {"0\nELLIPSE\n8\n0\n10\n0\n20\n0\n11\n10\n21\n0\n40\n0.5\n41\n0\n42\n1\n" + mirror,
         "0\nELLIPSE\n8\n0\n10\n0\n20\n0\n11\n10\n21\n0\n40\n0.5\n41\n-1\n42\n0\n"},
    };
    for (const auto& pair : pairs) {
        Import(DxfText(pair.a), "a.dxf");
        const auto a = Shape();
        doc.ClearAll();
        Import(DxfText(pair.b), "b.dxf");
        const auto b = Shape();
        doc.ClearAll();
        ASSERT_EQ(a.size(), b.size()) << pair.a;
        for (std::size_t k = 0; k < a.size(); ++k) EXPECT_LT(Distance(a[k], b[k]), 1e-9) << pair.a << k;
    }
}

TEST_F(CadTest, BulgesAndEllipsesFollowTheirRules) {
    // Bulge 1 from (0,0) to (20,0): the half circle below the chord, counter-clockwise.
    Import(DxfText("0\nLWPOLYLINE\n8\n0\n90\n2\n70\n0\n10\n0\n20\n0\n42\n1\n10\n20\n20\n0\n"));
    auto p = Shape();
    ASSERT_EQ(p.size(), 182u);  // the two vertices and 180 arc points between them
    for (const CPunkt& q : p) EXPECT_NEAR(Distance(q, CPunkt{10.0, 0.0}), 10.0, 1e-6);
    EXPECT_NEAR(p[91].y, -10.0, 1e-3);
    EXPECT_NEAR(p.back().x, 20.0, kTol);
    doc.ClearAll();
    // A closed square ends on its first point.
    Import(DxfText("0\nLWPOLYLINE\n8\n0\n90\n4\n70\n1\n10\n0\n20\n0\n10\n9\n20\n0\n10\n9\n20\n9\n10\n0\n20\n9\n"));
    p = Shape();
    ASSERT_EQ(p.size(), 5u);
    EXPECT_EQ(p.back().x, 0.0);
    EXPECT_EQ(p.back().y, 0.0);
    doc.ClearAll();
    // An elliptical arc whose end is before its start goes through 2 pi: 270 degrees here.
    Import(DxfText("0\nELLIPSE\n8\n0\n10\n0\n20\n0\n11\n10\n21\n0\n40\n0.5\n41\n3.14159265358979\n42\n1.5707963267949\n"));
    EXPECT_EQ(Shape().size(), 272u);
}

TEST_F(CadTest, MessagesForWhatIsNotConverted) {
    app.m_showUnknownCommands = 1;
    std::string twelveSplines;
    for (int k = 0; k < 12; ++k) twelveSplines += "0\nSPLINE\n8\n0\n";
    const std::string mesh = "0\nPOLYLINE\n8\n0\n70\n16\n0\nVERTEX\n8\n0\n10\n1\n20\n1\n0\nVERTEX\n8\n0\n10\n2\n20\n1\n0\nSEQEND\n";
    const std::string text = "0\nTEXT\n8\n0\n1\nA\n0\nTEXT\n8\n0\n1\nB\n";
    const std::string farLine = "0\nLINE\n8\n0\n10\n1e300\n20\n0\n11\n-1e300\n21\n0\n";
    Import(DxfText(mesh + text + "0\nHATCH\n8\n0\n0\nVERTEX\n8\n0\n" + farLine + twelveSplines));
    std::vector<std::string> expected = {import_texts::kPolyline, import_texts::kTextNotRead, "78", import_texts::kVertex,
                                         import_texts::kOutOfRange};
    expected.resize(5 + 7, import_texts::kSpline);  // the tenth counted message is the last
    EXPECT_EQ(s.ui.shown, expected);
    EXPECT_EQ(doc.m_unknownMessages, 10);
    EXPECT_TRUE(Chains().empty());
}

TEST_F(CadTest, ColoursLayersAndHiddenEntities) {
    app.m_colourPen.assign(256, 0);
    s.ui.pens = {5};
    const std::string layers = "0\nLAYER\n2\nGreen\n62\n3\n70\n0\n0\nLAYER\n2\nOff\n62\n-2\n70\n0\n"
                               "0\nLAYER\n2\nFrozen\n62\n4\n70\n1\n";
    const std::string line = "10\n0\n20\n0\n11\n5\n21\n0\n";
    Import(DxfText("0\nLINE\n8\nGREEN\n" + line + "0\nLINE\n8\nGreen\n10\n9\n20\n9\n11\n9\n21\n19\n" +
                       "0\nLINE\n8\nOff\n" + line + "0\nLINE\n8\nFrozen\n" + line + "0\nLINE\n8\nGreen\n60\n1\n" + line,
                   layers));
    // Asked once for colour 3; both visible lines are in pen 5.
    EXPECT_EQ(s.ui.shown, std::vector<std::string>{"DWG-Farbe -> Stiftnummer 3"});
    EXPECT_EQ(app.m_colourPen[3], 5);
    const auto chains = Chains();
    ASSERT_EQ(chains.size(), 2u);
    EXPECT_EQ(doc.m_layers.back()->m_pens.at(0)->m_number, 5);
    EXPECT_EQ(doc.m_layers.back()->m_pens.at(0)->m_colourIndex, 3);
}

TEST_F(CadTest, LoadOptionsAndPlacementBesideTheDrawing) {
    const std::string blocks = "0\nBLOCK\n8\n0\n2\nPart\n70\n0\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n3\n21\n0\n0\nENDBLK\n8\n0\n"
                               "0\nBLOCK\n8\n0\n2\n*Model_Space\n0\nENDBLK\n0\nBLOCK\n8\n0\n2\n*Paper_Space\n0\nENDBLK\n";
    const std::string entities = "0\nPOINT\n8\n0\n10\n1\n20\n1\n0\nPOINT\n8\n0\n67\n1\n10\n2\n20\n2\n";
    app.m_bLoadRemainingBlocks = 1;
    app.m_bLoadModelspace = 0;
    Import(DxfText(entities, "", blocks));
    ASSERT_EQ(Chains().size(), 1u);
    EXPECT_EQ(Chains()[0]->PointCount(), 2);  // the block's line only
    EXPECT_DOUBLE_EQ(doc.m_layers.back()->m_minX, app.m_workZeroX / app.m_plotterUnit);
    const double right = doc.m_maxX;

    app.m_bLoadRemainingBlocks = 0;
    app.m_bLoadModelspace = 1;
    app.m_bLoadPaperspace = 1;
    Import(DxfText(entities, "", blocks));
    EXPECT_EQ(Chains().size(), 2u);  // both points
    EXPECT_DOUBLE_EQ(doc.m_layers.back()->m_minX, right + 400.0);
}

TEST_F(CadTest, DamagedFilesLeaveTheDocumentAlone) {
    const std::string good = DxfText("0\nLINE\n8\n0\n10\n0\n20\n0\n11\n5\n21\n0\n");
    const std::string cuts[] = {
        good.substr(0, good.size() - 4),                 // no end-of-file group
        good.substr(0, good.find("LINE") + 3),           // inside a name
        "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nabc\n0\nENDSEC\n0\nEOF\n",  // no number
        "0\nSECTION\n2\nENTITIES\n0\nLINE\nten\n0\n0\nENDSEC\n0\nEOF\n",   // no group code
        std::string(kBinaryDxfSentinel) + "\0\0SECTION\0\x02\0ENTITIES\0\0\0LINE\0\x0a\0\x01"s,
    };
    for (const std::string& bytes : cuts) {
        s.ui.shown.clear();
        Import(bytes);
        EXPECT_EQ(s.ui.shown, std::vector<std::string>{import_texts::kDxfDamaged}) << bytes;
        EXPECT_TRUE(doc.m_layers.empty());
        EXPECT_EQ(doc.m_bCadImported, 0);
    }
    s.ui.shown.clear();
    Import("AC1032 and the rest of a DWG file", "misnamed.dxf");
    Import("just text", "plain.dxf");
    EXPECT_EQ(s.ui.shown, (std::vector<std::string>{import_texts::kDwgDamaged, import_texts::kFileOpenError}));
}

// Files are read a window at a time: groups that straddle a window's end, and a text longer
// than a window, must read as from memory.
TEST_F(CadTest, StreamedFilesReadAsFromMemory) {
    std::string entities = "0\nMTEXT\n8\n0\n1\n" + std::string(3u << 20, 'x') + "\n";
    for (int k = 0; k < 40000; ++k) entities += "0\nLINE\n8\nL" + std::to_string(k % 7) + "\n10\n" + std::to_string(k) + ".25\n20\n1\n11\n2\n21\n3\n";
    const std::string text = DxfText(entities);
    const std::string path = dir.File("big.dxf");
    std::ofstream(path, std::ios::binary) << text;
    CadOpenError e1 = CadOpenError::None, e2 = CadOpenError::None;
    const auto streamed = OpenDrawing(path, e1);
    const auto held = OpenDrawingBytes(text, e2);
    ASSERT_TRUE(streamed && held);
    const auto& a = streamed->Layout(CadSpace::Model)->entities;
    const auto& b = held->Layout(CadSpace::Model)->entities;
    ASSERT_EQ(a.size(), 40001u);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t k = 0; k < a.size(); ++k) {
        EXPECT_EQ(a[k].type, b[k].type);
        EXPECT_EQ(a[k].layer, b[k].layer);
        EXPECT_EQ(a[k].g[0], b[k].g[0]);
    }
    EXPECT_EQ(a.back().g[0], 39999.25);
}
