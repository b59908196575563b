#include <gtest/gtest.h>

#include <string>
#include <type_traits>

#include "files/archive.h"
#include "files/werkzeug_archive.h"
#include "support/byte_builder.h"

namespace {
template <typename F>
void ExpectArchiveError(const std::string& bytes, F read, std::size_t position, const char* message = nullptr) {
    ArchiveReader ar(bytes);
    try {
        read(ar);
        FAIL() << "no error";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.Position(), position) << e.what();
        if (message) { EXPECT_EQ(std::string(e.what()), message); }
    }
}

// Writes value with one writer call, compares with the bytes built by hand, and reads those
// bytes back with the matching reader call, which must give `back` and use up every byte.
template <typename W, typename R>
void ExpectGolden(void (ArchiveWriter::*write)(W), R (ArchiveReader::*read)(),
                  std::type_identity_t<std::remove_cvref_t<W>> value, const std::string& bytes,
                  std::type_identity_t<R> back) {
    SCOPED_TRACE(testing::PrintToString(bytes.substr(0, 12)));
    ArchiveWriter w;
    (w.*write)(value);
    EXPECT_EQ(w.Bytes(), bytes);
    ArchiveReader r(bytes);
    EXPECT_EQ((r.*read)(), back);
    EXPECT_TRUE(r.AtEnd());
}

using W = ArchiveWriter;
using R = ArchiveReader;
using B = ByteBuilder;
}  // namespace

TEST(Archive, PrimitivesHaveTheirGoldenBytes) {
    ExpectGolden(&W::WriteInt32, &R::ReadInt32, -2, std::string("\xFE\xFF\xFF\xFF", 4), -2);
    ExpectGolden(&W::WriteUInt16, &R::ReadUInt16, 0x1234, "\x34\x12", 0x1234);
    ExpectGolden(&W::WriteDouble, &R::ReadDouble, 1.0, std::string("\0\0\0\0\0\0\xF0\x3F", 8), 1.0);
    ExpectGolden(&W::WriteFlag, &R::ReadFlag, 5, "\x01", 1);
    ExpectGolden(&W::WriteFlag, &R::ReadFlag, 0, std::string(1, '\0'), 0);
    // Counts: 16 bits, or 0xFFFF and 32 bits from 0xFFFF on.
    ExpectGolden(&W::WriteCount, &R::ReadCount, 3, B().u16(3).str(), 3);
    ExpectGolden(&W::WriteCount, &R::ReadCount, 0xFFFE, B().u16(0xFFFE).str(), 0xFFFE);
    ExpectGolden(&W::WriteCount, &R::ReadCount, 0xFFFF, B().u16(0xFFFF).u32(0xFFFF).str(), 0xFFFF);
    ExpectGolden(&W::WriteCount, &R::ReadCount, 70000, B().u16(0xFFFF).u32(70000).str(), 70000);
    // Arrays: a count, then the elements; points as 24-byte records with a type word.
    ExpectGolden(&W::WriteInt32Array, &R::ReadInt32Array, {1, -1}, B().u16(2).i32(1).i32(-1).str(), {1, -1});
    ExpectGolden(&W::WriteInt32Array, &R::ReadInt32Array, {}, B().u16(0).str(), {});
    ExpectGolden(&W::WriteUInt32Array, &R::ReadUInt32Array, {0xE6E6E6}, B().u16(1).u32(0xE6E6E6).str(), {0xE6E6E6});
    ExpectGolden(&W::WriteDoubleArray, &R::ReadDoubleArray, {0.5}, B().u16(1).f64(0.5).str(), {0.5});
    ExpectGolden(&W::WritePointArray, &R::ReadPointArray, CPointArray{{1.0, -2.0}},
                 B().u16(1).u32(0x0046E170).u32(0).f64(1.0).f64(-2.0).str(), CPointArray{{1.0, -2.0}});
    // Texts: the length in one byte, 0xFF and 16 bits from 255, 0xFF 0xFFFF and 32 bits
    // from 0xFFFE.
    for (std::size_t n : {0, 254, 255, 0xFFFD, 0xFFFE, 70000}) {
        const std::string text(n, 'a');
        const std::string prefix = n < 255      ? B().u8(static_cast<std::uint8_t>(n)).str()
                                   : n < 0xFFFE ? B().u8(0xFF).u16(static_cast<std::uint16_t>(n)).str()
                                                : B().u8(0xFF).u16(0xFFFF).u32(static_cast<std::uint32_t>(n)).str();
        ExpectGolden(&W::WriteString, &R::ReadString, text, prefix + text, text);
    }
}

TEST(Archive, ReadersIgnoreWhatTheWriterNeverVaries) {
    // Any non-zero flag byte is 1; the point type word and padding are not looked at.
    ArchiveReader flags(std::string_view("\x07\x80", 2));
    EXPECT_EQ(flags.ReadFlag(), 1);
    EXPECT_EQ(flags.ReadFlag(), 1);
    const std::string point = B().u16(1).u32(0x12345678).u32(0xFFFFFFFF).f64(3).f64(4).str();
    EXPECT_EQ(ArchiveReader(point).ReadPointArray(), (CPointArray{{3, 4}}));
}

TEST(ArchiveText, Utf8InMemoryWindows1252InTheFile) {
    ArchiveWriter w;
    w.WriteString("Größe €5");
    w.WriteString("日本");  // not in the code page
    w.WriteString("a\xC3" "b\xE2\x82");  // malformed UTF-8: a cut sequence in the middle and at the end
    EXPECT_EQ(w.Bytes(), ByteBuilder().text("Gr\xF6\xDF" "e \x80" "5").text("??").text("a?b??").str());

    const std::string c1 = ByteBuilder().text("\xC4\x9D\x81").str();
    ArchiveReader r(c1);
    EXPECT_EQ(r.ReadString(), "Ä\u009D\u0081");  // undefined bytes keep their C1 meaning
}

TEST(ArchiveText, Utf16FormIsReadAsUtf8) {
    const std::string bytes = ByteBuilder()
                                  .u8(0xFF).u16(0xFFFE).u8(4)
                                  .u16('A').u16(0x20AC).u16(0xD83D).u16(0xDE00)
                                  .u8(0xFF).u16(0xFFFE).u8(0xFF).u16(300).raw(std::string(600, '\0'))
                                  .u8(0xFF).u16(0xFFFE).u8(1).u16(0xDC00)
                                  .str();
    ArchiveReader r(bytes);
    EXPECT_EQ(r.ReadString(), "A€\U0001F600");
    EXPECT_EQ(r.ReadString(), std::string(300, '\0'));
    EXPECT_EQ(r.ReadString(), "\uFFFD");  // unpaired surrogate
    EXPECT_TRUE(r.AtEnd());
}

TEST(Archive, ShortInputAndCountsBeyondTheFileAreErrorsBeforeAnyAllocation) {
    const std::string huge = ByteBuilder().u16(0xFFFF).u32(0xFFFFFFF0).i32(1).str();
    ExpectArchiveError(huge, [](ArchiveReader& r) { r.ReadInt32Array(); }, 6);
    ExpectArchiveError(huge, [](ArchiveReader& r) { r.ReadDoubleArray(); }, 6);
    ExpectArchiveError(huge, [](ArchiveReader& r) { r.ReadPointArray(); }, 6);
    // Exactly as many bytes as the count needs is fine; one fewer is not.
    const std::string two = ByteBuilder().u16(2).f64(1).f64(2).str();
    EXPECT_EQ(ArchiveReader(two).ReadDoubleArray().size(), 2u);
    ExpectArchiveError(two.substr(0, two.size() - 1), [](ArchiveReader& r) { r.ReadDoubleArray(); }, 2);
    // Texts too, in both character sizes.
    ExpectArchiveError(ByteBuilder().u8(0xFF).u16(0xFFFF).u32(0x7FFFFFFF).str(),
                       [](ArchiveReader& r) { r.ReadString(); }, 7);
    ExpectArchiveError(ByteBuilder().u8(0xFF).u16(0xFFFE).u8(3).raw("abcde").str(),
                       [](ArchiveReader& r) { r.ReadString(); }, 4);
    // Short input, at the position of the value that did not fit.
    ExpectArchiveError(std::string("\x01\x02\x03", 3), [](ArchiveReader& r) { r.ReadInt32(); }, 0);
    ExpectArchiveError(std::string("\x01\x02\x03", 3), [](ArchiveReader& r) { r.ReadUInt16(); r.ReadUInt16(); }, 2);
    ExpectArchiveError(std::string(), [](ArchiveReader& r) { r.ReadString(); }, 0, "Unerwartetes Dateiende (Byte 0)");
}

// ---------------------------------------------------------------- object lists

namespace {
std::string NewClass(std::string_view name) {
    return ByteBuilder().u16(0xFFFF).u16(1).u16(static_cast<std::uint16_t>(name.size())).raw(name).str();
}
}  // namespace

TEST(ArchiveObjects, ClassNameOnceThenClassIndex) {
    ArchiveWriter w;
    w.WriteObjectHeader("CFraesKontur");  // class 1, object 2
    w.WriteObjectHeader("CFraesDaten");   // class 3, object 4
    w.WriteNullObject();
    w.WriteObjectHeader("CFraesDaten");   // object 5
    w.WriteObjectHeader("CFraesKontur");  // object 6
    const std::string expected = ByteBuilder()
                                     .raw(NewClass("CFraesKontur"))
                                     .raw(NewClass("CFraesDaten"))
                                     .u16(0)
                                     .u16(0x8003)
                                     .u16(0x8001)
                                     .str();
    EXPECT_EQ(w.Bytes(), expected);

    ArchiveReader r(expected);
    const auto known = {std::string_view("CFraesKontur"), std::string_view("CFraesDaten")};
    EXPECT_EQ(r.ReadObjectHeader(known), "CFraesKontur");
    EXPECT_EQ(r.ReadObjectHeader(known), "CFraesDaten");
    EXPECT_EQ(r.ReadObjectHeader(known), std::nullopt);
    EXPECT_EQ(r.ReadObjectHeader(known), "CFraesDaten");
    EXPECT_EQ(r.ReadObjectHeader(known), "CFraesKontur");
    EXPECT_TRUE(r.AtEnd());
}

TEST(ArchiveObjects, IndexesFrom0x7FFFUseTheLongForms) {
    ArchiveWriter w;
    // Class A takes index 1; its objects 2 .. 0x7FFE; class B then takes 0x7FFF.
    for (int i = 0; i < 0x7FFD; ++i) w.WriteObjectHeader("A");
    const std::size_t before = w.Bytes().size();
    w.WriteObjectHeader("B");  // class 0x7FFF, object 0x8000
    w.WriteObjectHeader("B");
    w.WriteObjectHeader("A");
    EXPECT_EQ(w.Bytes().substr(before),
              ByteBuilder().raw(NewClass("B")).u16(0x7FFF).u32(0x80007FFF).u16(0x8001).str());

    ArchiveReader r(w.Bytes());
    for (int i = 0; i < 0x7FFD; ++i) ASSERT_EQ(r.ReadObjectHeader({"A", "B"}), "A");
    EXPECT_EQ(r.ReadObjectHeader({"A", "B"}), "B");
    EXPECT_EQ(r.ReadObjectHeader({"A", "B"}), "B");
    EXPECT_EQ(r.ReadObjectHeader({"A", "B"}), "A");
    EXPECT_TRUE(r.AtEnd());
}

TEST(ArchiveObjects, BadTagsAreErrors) {
    // Unknown class name.
    ExpectArchiveError(NewClass("CEvil"), [](ArchiveReader& r) { r.ReadObjectHeader({"CWerkzeug"}); }, 0);
    // Other schema.
    ExpectArchiveError(ByteBuilder().u16(0xFFFF).u16(2).u16(9).raw("CWerkzeug").str(),
                       [](ArchiveReader& r) { r.ReadObjectHeader({"CWerkzeug"}); }, 0);
    // Class index never defined, and an index that names an object.
    ExpectArchiveError(ByteBuilder().u16(0x8001).str(), [](ArchiveReader& r) { r.ReadObjectHeader({"A"}); }, 0);
    ExpectArchiveError(ByteBuilder().raw(NewClass("A")).u16(0x8002).str(),
                       [](ArchiveReader& r) { r.ReadObjectHeader({"A"}); r.ReadObjectHeader({"A"}); }, 7);
    // A reference to an earlier object.
    ExpectArchiveError(ByteBuilder().raw(NewClass("A")).u16(0x0002).str(),
                       [](ArchiveReader& r) { r.ReadObjectHeader({"A"}); r.ReadObjectHeader({"A"}); }, 7);
    // A class that is known in the archive but has no place in this list.
    ExpectArchiveError(ByteBuilder().raw(NewClass("A")).u16(0x8001).str(),
                       [](ArchiveReader& r) { r.ReadObjectHeader({"A"}); r.ReadObjectHeader({"B"}); }, 7);
    // A name longer than any class name, and a name cut by the end of the file.
    ExpectArchiveError(ByteBuilder().u16(0xFFFF).u16(1).u16(0xFFFF).str(),
                       [](ArchiveReader& r) { r.ReadObjectHeader({"A"}); }, 0);
    ExpectArchiveError(ByteBuilder().u16(0xFFFF).u16(1).u16(9).raw("CWerk").str(),
                       [](ArchiveReader& r) { r.ReadObjectHeader({"CWerkzeug"}); }, 6);
}

// ---------------------------------------------------------------- tools

TEST(WerkzeugRecord, FortyEightBytesInFileOrder) {
    const CWerkzeug t{.m_colour = 0x00FF8040, .m_depth = -1.5, .m_valueF = 0x40000000, .m_param1 = 11, .m_param2 = 22,
                      .m_param3 = 33, .m_side = 0, .m_param4 = 44, .m_param5 = 55, .m_diameter = 3.0};
    ArchiveWriter w;
    WriteWerkzeug(w, t);
    const std::string expected =
        ByteBuilder().f64(3.0).i32(22).u32(0x40000000).i32(11).i32(0).i32(33).f64(-1.5).i32(55).i32(44).u32(0x00FF8040).str();
    ASSERT_EQ(expected.size(), kWerkzeugRecordSize);
    EXPECT_EQ(w.Bytes(), expected);
    ArchiveReader r(expected);
    EXPECT_EQ(ReadWerkzeug(r), t);
}

TEST(WerkzeugList, NullEntryKeepsItsPlaceAndDamageKeepsWhatWasRead) {
    CWerkzeug t;
    t.m_diameter = 2;
    ArchiveWriter w;
    w.WriteCount(3);
    w.WriteNullObject();
    w.WriteObjectHeader(kWerkzeugClassName);
    WriteWerkzeug(w, t);
    w.WriteObjectHeader(kWerkzeugClassName);
    const std::string cut = w.Bytes() + std::string(10, '\0');  // third record cut short

    std::vector<CWerkzeug> tools;
    ArchiveReader r(cut);
    EXPECT_THROW(ReadToolList(r, tools), ArchiveError);
    ASSERT_EQ(tools.size(), 2u);
    EXPECT_EQ(tools[0], CWerkzeug{});
    EXPECT_EQ(tools[1], t);
}
