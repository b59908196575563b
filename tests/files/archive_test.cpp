#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>

#include "files/archive.h"
#include "files/werkzeug_archive.h"
#include "support/byte_builder.h"

namespace {
using W = ArchiveWriter;
using R = ArchiveReader;
using B = ByteBuilder;

// `read` is a reader member or a function of the reader; it must fail at `position`.
template <typename F>
void ExpectArchiveError(const std::string& bytes, F read, std::size_t position, const char* message = nullptr) {
    SCOPED_TRACE(testing::PrintToString(bytes.substr(0, 16)));
    R ar(bytes);
    try {
        std::invoke(read, ar);
        FAIL() << "no error";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.Position(), position) << e.what();
        if (message) { EXPECT_EQ(std::string(e.what()), message); }
    }
}

// The writer call gives the hand-built bytes; the reader call reads them back to `back`, using all.
template <typename Wv, typename Rv>
void ExpectGolden(void (W::*write)(Wv), Rv (R::*read)(), std::type_identity_t<std::remove_cvref_t<Wv>> value,
                  const std::string& bytes, std::type_identity_t<Rv> back) {
    SCOPED_TRACE(testing::PrintToString(bytes.substr(0, 12)));
    W w;
    (w.*write)(value);
    EXPECT_EQ(w.Bytes(), bytes);
    R r(bytes);
    EXPECT_EQ((r.*read)(), back);
    EXPECT_TRUE(r.AtEnd());
}

std::string NewClass(std::string_view name) {
    return B().u16(0xFFFF).u16(1).u16(static_cast<std::uint16_t>(name.size())).raw(name).str();
}

// Writes an object header per name (nullptr: a null entry), returns the bytes.
std::string WriteHeaders(const std::vector<const char*>& names) {
    W w;
    for (const char* n : names) n ? w.WriteObjectHeader(n) : w.WriteNullObject();
    return w.Bytes();
}

void ExpectHeadersRead(const std::string& bytes, std::initializer_list<std::string_view> known,
                       const std::vector<const char*>& names) {
    R r(bytes);
    for (const char* n : names) ASSERT_EQ(r.ReadObjectHeader(known), n ? std::optional<std::string>(n) : std::nullopt);
    EXPECT_TRUE(r.AtEnd());
}

// Reads one object header knowing only class `first`, then, if given, one knowing only `second`.
auto Headers(const char* first, const char* second = nullptr) {
    return [=](R& r) {
        r.ReadObjectHeader({first});
        if (second) r.ReadObjectHeader({second});
    };
}
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
    // Texts: the length in one byte, 0xFF and 16 bits from 255, 0xFF 0xFFFF and 32 bits from 0xFFFE.
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
    R flags(std::string_view("\x07\x80", 2));
    EXPECT_EQ(flags.ReadFlag(), 1);
    EXPECT_EQ(flags.ReadFlag(), 1);
    const std::string point = B().u16(1).u32(0x12345678).u32(0xFFFFFFFF).f64(3).f64(4).str();
    EXPECT_EQ(R(point).ReadPointArray(), (CPointArray{{3, 4}}));
}

TEST(ArchiveText, Utf8InMemoryWindows1252InTheFile) {
    W w;
    w.WriteString("Größe €5");
    w.WriteString("日本");  // not in the code page
    w.WriteString("a\xC3" "b\xE2\x82");  // malformed UTF-8: a cut sequence in the middle and at the end
    EXPECT_EQ(w.Bytes(), B().text("Gr\xF6\xDF" "e \x80" "5").text("??").text("a?b??").str());
    const std::string c1 = B().text("\xC4\x9D\x81").str();
    EXPECT_EQ(R(c1).ReadString(), "Ä\u009D\u0081");  // undefined bytes keep their C1 meaning
}

TEST(ArchiveText, Utf16FormIsReadAsUtf8) {
    const std::string bytes = B().u8(0xFF).u16(0xFFFE).u8(4).u16('A').u16(0x20AC).u16(0xD83D).u16(0xDE00)
                                  .u8(0xFF).u16(0xFFFE).u8(0xFF).u16(300).raw(std::string(600, '\0'))
                                  .u8(0xFF).u16(0xFFFE).u8(1).u16(0xDC00).str();
    R r(bytes);
    EXPECT_EQ(r.ReadString(), "A€\U0001F600");
    EXPECT_EQ(r.ReadString(), std::string(300, '\0'));
    EXPECT_EQ(r.ReadString(), "\uFFFD");  // unpaired surrogate
    EXPECT_TRUE(r.AtEnd());
}

TEST(Archive, ShortInputAndCountsBeyondTheFileAreErrorsBeforeAnyAllocation) {
    const std::string huge = B().u16(0xFFFF).u32(0xFFFFFFF0).i32(1).str();
    ExpectArchiveError(huge, &R::ReadInt32Array, 6);
    ExpectArchiveError(huge, &R::ReadDoubleArray, 6);
    ExpectArchiveError(huge, &R::ReadPointArray, 6);
    // Exactly as many bytes as the count needs is fine; one fewer is not.
    const std::string two = B().u16(2).f64(1).f64(2).str();
    EXPECT_EQ(R(two).ReadDoubleArray().size(), 2u);
    ExpectArchiveError(two.substr(0, two.size() - 1), &R::ReadDoubleArray, 2);
    // Texts too, in both character sizes.
    ExpectArchiveError(B().u8(0xFF).u16(0xFFFF).u32(0x7FFFFFFF).str(), &R::ReadString, 7);
    ExpectArchiveError(B().u8(0xFF).u16(0xFFFE).u8(3).raw("abcde").str(), &R::ReadString, 4);
    // Short input, at the position of the value that did not fit.
    ExpectArchiveError(std::string("\x01\x02\x03", 3), &R::ReadInt32, 0);
    ExpectArchiveError(std::string("\x01\x02\x03", 3), [](R& r) { r.ReadUInt16(); r.ReadUInt16(); }, 2);
    ExpectArchiveError(std::string(), &R::ReadString, 0, "Unerwartetes Dateiende (Byte 0)");
}

// ---------------------------------------------------------------- object lists

TEST(ArchiveObjects, ClassNameOnceThenClassIndex) {
    // Classes 1 and 3, objects 2 and 4; the null entry; then objects 5 and 6 by class index.
    const std::vector<const char*> names{"CFraesKontur", "CFraesDaten", nullptr, "CFraesDaten", "CFraesKontur"};
    const std::string bytes = WriteHeaders(names);
    EXPECT_EQ(bytes,
              B().raw(NewClass("CFraesKontur")).raw(NewClass("CFraesDaten")).u16(0).u16(0x8003).u16(0x8001).str());
    ExpectHeadersRead(bytes, {"CFraesKontur", "CFraesDaten"}, names);
}

TEST(ArchiveObjects, IndexesFrom0x7FFFUseTheLongForms) {
    // Class A takes index 1, its objects 2 .. 0x7FFE; class B then 0x7FFF, its object 0x8000.
    std::vector<const char*> names(0x7FFD, "A");
    const std::size_t before = WriteHeaders(names).size();
    names.insert(names.end(), {"B", "B", "A"});
    const std::string bytes = WriteHeaders(names);
    EXPECT_EQ(bytes.substr(before), B().raw(NewClass("B")).u16(0x7FFF).u32(0x80007FFF).u16(0x8001).str());
    ExpectHeadersRead(bytes, {"A", "B"}, names);
}

TEST(ArchiveObjects, BadTagsAreErrors) {
    const std::string a = NewClass("A");
    ExpectArchiveError(NewClass("CEvil"), Headers("CWerkzeug"), 0);  // unknown class name
    ExpectArchiveError(B().u16(0xFFFF).u16(2).u16(9).raw("CWerkzeug").str(), Headers("CWerkzeug"), 0);  // other schema
    ExpectArchiveError(B().u16(0x8001).str(), Headers("A"), 0);     // class index never defined
    ExpectArchiveError(a + B().u16(0x8002).str(), Headers("A", "A"), 7);  // an index that names an object
    ExpectArchiveError(a + B().u16(0x0002).str(), Headers("A", "A"), 7);  // a reference to an earlier object
    ExpectArchiveError(a + B().u16(0x8001).str(), Headers("A", "B"), 7);  // known, but no place in this list
    // A name longer than any class name, and a name cut by the end of the file.
    ExpectArchiveError(B().u16(0xFFFF).u16(1).u16(0xFFFF).str(), Headers("A"), 0);
    ExpectArchiveError(B().u16(0xFFFF).u16(1).u16(9).raw("CWerk").str(), Headers("CWerkzeug"), 6);
}

// ---------------------------------------------------------------- tools

TEST(WerkzeugRecord, FortyEightBytesInFileOrder) {
    const CWerkzeug t{.m_colour = 0x00FF8040, .m_depth = -1.5, .m_valueF = 0x40000000, .m_param1 = 11, .m_param2 = 22,
                      .m_param3 = 33, .m_side = 0, .m_param4 = 44, .m_param5 = 55, .m_diameter = 3.0};
    W w;
    WriteWerkzeug(w, t);
    const std::string expected =
        B().f64(3.0).i32(22).u32(0x40000000).i32(11).i32(0).i32(33).f64(-1.5).i32(55).i32(44).u32(0x00FF8040).str();
    ASSERT_EQ(expected.size(), kWerkzeugRecordSize);
    EXPECT_EQ(w.Bytes(), expected);
    R r(expected);
    EXPECT_EQ(ReadWerkzeug(r), t);
}

TEST(WerkzeugList, NullEntryKeepsItsPlaceAndDamageKeepsWhatWasRead) {
    const CWerkzeug t{.m_diameter = 2};
    W w;
    w.WriteCount(3);
    w.WriteNullObject();
    w.WriteObjectHeader(kWerkzeugClassName);
    WriteWerkzeug(w, t);
    w.WriteObjectHeader(kWerkzeugClassName);
    const std::string cut = w.Bytes() + std::string(10, '\0');  // third record cut short
    std::vector<CWerkzeug> tools;
    R r(cut);
    EXPECT_THROW(ReadToolList(r, tools), ArchiveError);
    EXPECT_EQ(tools, (std::vector<CWerkzeug>{CWerkzeug{}, t}));
}
