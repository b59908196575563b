// The DWG reader's decoders on hand-made bytes: the bit-coded types, the page decompressor, and
// damaged files.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "cad_fixture.h"
#include "cadreader/dwg_bits.h"
#include "cadreader/dwg_lz77.h"
#include "cadreader/dwg_r2007.h"
#include "cadreader/dwg_reader.h"
#include "import/texts.h"

namespace {
using Bytes = std::vector<std::uint8_t>;

struct BitCase {
    Bytes bytes;
    std::function<double(DwgBits&)> read;
    double expected;
    std::size_t endBit;  // where the read leaves the reader
};
}  // namespace

TEST(DwgBits, TypesDecodeAsTheFormatCodesThem) {
    const BitCase cases[] = {
        {{0x80}, [](DwgBits& b) { return b.BS(); }, 0, 2},                   // 10: zero
        {{0xC0}, [](DwgBits& b) { return b.BS(); }, 256, 2},                 // 11: 256
        {{0x41, 0x40}, [](DwgBits& b) { return b.BS(); }, 5, 10},            // 01: one byte
        {{0x3D, 0x3F, 0xC0}, [](DwgBits& b) { return b.BS(); }, -12, 18},    // 00: two bytes
        {{0x40, 0x00}, [](DwgBits& b) { return b.BD(); }, 1.0, 2},
        {{0x00}, [](DwgBits& b) { return b.DD(2.5); }, 2.5, 2},              // the default
        {{0x82, 0x01}, [](DwgBits& b) { return double(b.MC()); }, 130, 16},
        {{0x45}, [](DwgBits& b) { return double(b.SignedMC()); }, -5, 8},
        {{0x01, 0x80, 0x01, 0x00}, [](DwgBits& b) { return double(b.MS()); }, 1 + (1 << 15), 32},
        {{0x51, 0x2A}, [](DwgBits& b) { return double(b.H(100)); }, 0x2A, 16},
        {{0x60}, [](DwgBits& b) { return double(b.H(100)); }, 101, 8},
        {{0xC1, 0x03}, [](DwgBits& b) { return double(b.H(100)); }, 97, 16},
        {{0x47, 0x00}, [](DwgBits& b) { return double(b.ObjectType(true)); }, 0x1F0 + 0x1C, 10},
        {{0x40}, [](DwgBits& b) { b.RC(); return double(b.RC()); }, 0, 8},  // past the end: zero
    };
    for (const BitCase& c : cases) {
        DwgBits b(c.bytes.data(), c.bytes.size());
        const double v = c.read(b);
        EXPECT_EQ(v, c.expected) << int(c.bytes[0]);
        EXPECT_EQ(b.Bit(), c.endBit) << int(c.bytes[0]);
        EXPECT_EQ(b.Ok(), c.bytes != Bytes{0x40}) << int(c.bytes[0]);
    }
}

TEST(DwgBits, TextsInCodePageAndUtf16) {
    const Bytes cp = {0x40, 0xC1, 0x09, 0x40};  // 01, length 3, then fewer than three bytes
    DwgBits a(cp.data(), cp.size());
    a.TV(false);
    EXPECT_FALSE(a.Ok());  // three bytes announced, fewer there
    const Bytes utf16 = {0x40, 0xBF, 0, 0, 0, 0};  // 01, length 2, then 'ü' and 0 as UTF-16
    DwgBits b(utf16.data(), utf16.size());
    EXPECT_EQ(b.TV(true), "\xC3\xBC");
}

TEST(DwgLz77, KnownBlocksDecompress) {
    struct Case {
        Bytes in;
        std::string out;  // empty: damaged
    };
    const Case cases[] = {
        {{0x03, 'a', 'b', 'c', 'd', 'e', 'f', 0x11}, "abcdef"},         // six literals
        {{0x01, 'a', 'b', 'c', 'd', 0x5C, 0x00, 0x11}, "abcdabcd"},    // four back by four
        {{0x12, 'a', 0x60, 0x00, 0x11}, "aaaaaa"},                     // a run over itself
        {{0x12, 'a', 0x60, 0x04, 0x11}, ""},                           // from before the start
        {{0x03, 'a', 'b'}, ""},                                        // cut short
        {{0x12, 'a', 0xF0, 0x00, 0x11}, ""},                           // more than the limit
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> out;
        const bool ok = DwgDecompress(c.in.data(), c.in.size(), 8, out);
        EXPECT_EQ(ok, !c.out.empty());
        EXPECT_EQ(ok ? std::string(out.begin(), out.end()) : "", c.out);
    }
}

TEST(DwgLz77, R2007BlocksDecompress) {
    const std::string abc = "abcdefgh";
    const struct {
        std::string in, out;  // out empty: damaged
        std::size_t limit;
    } cases[] = {
        {'\x00' + abc, abc, 40},                                              // eight literals
        {'\x01' + abc + "i", "i" + abc, 40},                                  // pieces 8 and 1 swap
        {'\x18' + abc + "ABCDEFGH01234567ijklmnop", "ijklmnop01234567ABCDEFGH" + abc, 40},
        {'\x00' + abc + "\x47" + '\x00', abc + "abcd", 40},                   // four back by eight
        {'\x00' + abc + "\x40" + '\x00', abc + "hhhh", 40},                   // a run over itself
        {'\x00' + abc + "\x4F\xF8", "", 40},                                 // from before the start
        {"\x05" "ab", "", 40},                                                 // cut short
        {'\x00' + abc + "\x47" + '\x00', "", 10},                             // more than the limit
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> out;
        const auto* in = reinterpret_cast<const std::uint8_t*>(c.in.data());
        const bool ok = DwgDecompress2007(in, c.in.size(), c.limit, out);
        EXPECT_EQ(ok, !c.out.empty()) << c.out;
        EXPECT_EQ(std::string(out.begin(), out.end()), c.out);
    }
}

TEST(DwgReedSolomon, CodeWordsAreInterleaved) {
    Bytes coded(2 * 255, 0);
    coded[0] = 'a', coded[2] = 'b', coded[1] = 'c', coded[3] = 'd';  // word 0: a b, word 1: c d
    std::vector<std::uint8_t> out;
    EXPECT_TRUE(DwgDeinterleave(coded.data(), coded.size(), 2, 2, 3, out));
    EXPECT_EQ(std::string(out.begin(), out.end()), "abc");
    EXPECT_FALSE(DwgDeinterleave(coded.data(), coded.size() - 1, 2, 2, 4, out));
}

TEST_F(CadTest, DwgFilesOfOtherVersionsOrDamagedOnesChangeNothing) {
    const struct {
        std::string bytes, message;
    } cases[] = {
        {"AC1009" + std::string(200, '\0'), import_texts::WithVersion(import_texts::kVersionNotRead, "AC1009 (R11/R12)")},
        {"AC1040" + std::string(200, '\0'), import_texts::WithVersion(import_texts::kVersionNotRead, "AC1040")},
        {"AC1015" + std::string(200, '\x55'), import_texts::kDwgDamaged},
        {"AC1018" + std::string(300, '\x55'), import_texts::kDwgDamaged},
        {"AC1021" + std::string(2000, '\x55'), import_texts::kDwgDamaged},
        {"AC1032", import_texts::kDwgDamaged},
    };
    for (const auto& c : cases) {
        s.ui.shown.clear();
        Import(c.bytes, "t.dwg");
        EXPECT_EQ(s.ui.shown, std::vector<std::string>{c.message}) << c.bytes.substr(0, 6);
        EXPECT_TRUE(doc.m_layers.empty());
    }
}

// The fuzz seeds are tiny drawings made from scratch (tests/fuzz/make_dwg_seeds.py).
TEST(DwgReader, HandMadeDrawingsRead) {
    const struct {
        const char* file;
        std::vector<CadType> types;
        std::vector<double> firstGeometry;
    } cases[] = {
        {"line.dwg", {kCadLine}, {1.5, -2.0, 20.25, -2.0}},
        {"circle_arc.dwg", {kCadCircle, kCadArc}, {10.0, 5.0, 4.0}},
        {"lwpolyline.dwg", {kCadLwPolyline, kCadLine}, {1.0}},
    };
    for (const auto& c : cases) {
        CadOpenError error = CadOpenError::None;
        const auto d = OpenDrawing(std::string(QUENK_SOURCE_DIR) + "/tests/fuzz/seeds/dwg/" + c.file, error);
        ASSERT_TRUE(d) << c.file;
        const auto& entities = d->Layout(CadSpace::Model)->entities;
        ASSERT_EQ(entities.size(), c.types.size()) << c.file;
        for (std::size_t k = 0; k < entities.size(); ++k) EXPECT_EQ(entities[k].type, c.types[k]) << c.file;
        for (std::size_t k = 0; k < c.firstGeometry.size(); ++k) EXPECT_EQ(entities[0].g[k], c.firstGeometry[k]) << c.file;
        EXPECT_EQ(entities[0].colour, 1);
        EXPECT_EQ(d->layers.at(entities[0].layer).name, "0");
    }
    CadOpenError error = CadOpenError::None;
    const auto d = OpenDrawing(std::string(QUENK_SOURCE_DIR) + "/tests/fuzz/seeds/dwg/lwpolyline.dwg", error);
    const CadEntity& polyline = d->Layout(CadSpace::Model)->entities[0];
    EXPECT_EQ(d->LwPolylineVertex(polyline, 1).bulge, 1.0);
    EXPECT_EQ(d->LwPolylineVertex(polyline, 2).y, 10.0);
}
