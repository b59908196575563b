#include "files/archive.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "files/cp1252.h"

namespace {
// Text length prefixes: one byte below this, else 0xFF and a 16-bit length, and so on.
constexpr std::uint8_t kLen8Escape = 0xFF;
constexpr std::uint16_t kLen16Escape = 0xFFFF;
// After 0xFF, this 16-bit value announces a text of 2-byte characters.
constexpr std::uint16_t kUnicodeMarker = 0xFFFE;
constexpr std::uint32_t kLen32Escape = 0xFFFFFFFFu;
// Counts: 16-bit below this, else this value and a 32-bit count.
constexpr std::uint16_t kCount16Escape = 0xFFFF;
// Class names are short ASCII identifiers; the archive form allows no more.
constexpr std::size_t kMaxClassNameLength = 64;

std::string DescribeName(const std::uint8_t* p, std::size_t n) {
    return Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(p), n));
}
}  // namespace

ArchiveError::ArchiveError(const std::string& reason, std::size_t position)
    : std::runtime_error(reason + " (Byte " + std::to_string(position) + ")"),
      m_reason(reason),
      m_position(position) {}

// ---------------------------------------------------------------- writer

void ArchiveWriter::WriteByte(std::uint8_t v) { m_bytes += static_cast<char>(v); }

void ArchiveWriter::WriteUInt16(std::uint16_t v) {
    WriteByte(static_cast<std::uint8_t>(v));
    WriteByte(static_cast<std::uint8_t>(v >> 8));
}

void ArchiveWriter::WriteUInt32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) WriteByte(static_cast<std::uint8_t>(v >> (8 * i)));
}

void ArchiveWriter::WriteInt32(std::int32_t v) { WriteUInt32(static_cast<std::uint32_t>(v)); }

void ArchiveWriter::WriteDouble(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) WriteByte(static_cast<std::uint8_t>(bits >> (8 * i)));
}

void ArchiveWriter::WriteString(std::string_view utf8) {
    const std::string bytes = Utf8ToCp1252(utf8);
    const std::size_t n = bytes.size();
    if (n < kLen8Escape) {
        WriteByte(static_cast<std::uint8_t>(n));
    } else if (n < kUnicodeMarker) {
        WriteByte(kLen8Escape);
        WriteUInt16(static_cast<std::uint16_t>(n));
    } else {
        WriteByte(kLen8Escape);
        WriteUInt16(kLen16Escape);
        WriteUInt32(static_cast<std::uint32_t>(n));
    }
    m_bytes += bytes;
}

void ArchiveWriter::WriteCount(std::size_t n) {
    if (n < kCount16Escape) {
        WriteUInt16(static_cast<std::uint16_t>(n));
    } else {
        WriteUInt16(kCount16Escape);
        WriteUInt32(static_cast<std::uint32_t>(n));
    }
}

void ArchiveWriter::WriteInt32Array(const std::vector<std::int32_t>& v) {
    WriteCount(v.size());
    for (std::int32_t x : v) WriteInt32(x);
}

void ArchiveWriter::WriteUInt32Array(const std::vector<std::uint32_t>& v) {
    WriteCount(v.size());
    for (std::uint32_t x : v) WriteUInt32(x);
}

void ArchiveWriter::WriteDoubleArray(const std::vector<double>& v) {
    WriteCount(v.size());
    for (double x : v) WriteDouble(x);
}

void ArchiveWriter::WritePointArray(const CPointArray& v) {
    WriteCount(static_cast<std::size_t>(v.Size()));
    for (const CPunkt& p : v) {
        WriteUInt32(archive_tag::kPointTypeWord);
        WriteUInt32(0);
        WriteDouble(p.x);
        WriteDouble(p.y);
    }
}

void ArchiveWriter::WriteClassTag(std::uint32_t classIndex) {
    if (classIndex < archive_tag::kBigObject) {
        WriteUInt16(static_cast<std::uint16_t>(archive_tag::kClassFlag | classIndex));
    } else {
        WriteUInt16(archive_tag::kBigObject);
        WriteUInt32(archive_tag::kBigClassFlag | classIndex);
    }
}

void ArchiveWriter::WriteObjectHeader(std::string_view className) {
    const auto known = std::find_if(m_classes.begin(), m_classes.end(),
                                    [&](const auto& c) { return c.first == className; });
    if (known != m_classes.end()) {
        WriteClassTag(known->second);
    } else {
        WriteUInt16(archive_tag::kNewClass);
        WriteUInt16(archive_tag::kSchema);
        WriteUInt16(static_cast<std::uint16_t>(className.size()));
        m_bytes.append(className);
        m_classes.emplace_back(std::string(className), m_nextIndex++);
    }
    ++m_nextIndex;  // the object itself
}

// ---------------------------------------------------------------- reader

void ArchiveReader::Fail(const std::string& reason) const { throw ArchiveError(reason, m_pos); }

const std::uint8_t* ArchiveReader::Take(std::size_t n) {
    if (n > Remaining()) Fail("Unerwartetes Dateiende");
    const std::uint8_t* p = m_bytes.data() + m_pos;
    m_pos += n;
    return p;
}

void ArchiveReader::RequireElements(std::uint64_t count, std::size_t elemSize) const {
    if (count > Remaining() / elemSize) Fail("Anzahl größer als der Rest der Datei");
}

std::uint8_t ArchiveReader::ReadByte() { return *Take(1); }

std::uint16_t ArchiveReader::ReadUInt16() {
    const std::uint8_t* p = Take(2);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t ArchiveReader::ReadUInt32() {
    const std::uint8_t* p = Take(4);
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

std::int32_t ArchiveReader::ReadInt32() { return static_cast<std::int32_t>(ReadUInt32()); }

double ArchiveReader::ReadDouble() {
    const std::uint8_t* p = Take(8);
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | p[i];
    return std::bit_cast<double>(bits);
}

std::string ArchiveReader::ReadString() {
    std::size_t charSize = 1;
    std::uint64_t n = ReadByte();
    if (n == kLen8Escape) {
        std::uint16_t w = ReadUInt16();
        if (w == kUnicodeMarker) {
            charSize = 2;
            n = ReadByte();
            if (n == kLen8Escape) w = ReadUInt16();
        }
        if (n == kLen8Escape) {
            n = w;
            if (w == kLen16Escape) {
                n = ReadUInt32();
                if (n == kLen32Escape) Fail("Text zu lang");
            }
        }
    }
    RequireElements(n, charSize);
    const std::uint8_t* p = Take(static_cast<std::size_t>(n) * charSize);
    if (charSize == 1) return Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(p), n));
    std::u16string units(static_cast<std::size_t>(n), u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
    return Utf16ToUtf8(units);
}

std::uint32_t ArchiveReader::ReadCount() {
    const std::uint16_t w = ReadUInt16();
    if (w != kCount16Escape) return w;
    return ReadUInt32();
}

std::vector<std::int32_t> ArchiveReader::ReadInt32Array() {
    const std::uint32_t n = ReadCount();
    RequireElements(n, 4);
    std::vector<std::int32_t> v(n);
    for (auto& x : v) x = ReadInt32();
    return v;
}

std::vector<std::uint32_t> ArchiveReader::ReadUInt32Array() {
    const std::uint32_t n = ReadCount();
    RequireElements(n, 4);
    std::vector<std::uint32_t> v(n);
    for (auto& x : v) x = ReadUInt32();
    return v;
}

std::vector<double> ArchiveReader::ReadDoubleArray() {
    const std::uint32_t n = ReadCount();
    RequireElements(n, 8);
    std::vector<double> v(n);
    for (auto& x : v) x = ReadDouble();
    return v;
}

CPointArray ArchiveReader::ReadPointArray() {
    const std::uint32_t n = ReadCount();
    RequireElements(n, archive_tag::kPointRecordSize);
    std::vector<CPunkt> v(n);
    for (auto& p : v) {
        Take(8);  // type word and padding carry nothing a reader needs
        p.x = ReadDouble();
        p.y = ReadDouble();
    }
    return CPointArray(std::move(v));
}

std::optional<std::string> ArchiveReader::ReadObjectHeader(std::initializer_list<std::string_view> known) {
    const std::size_t start = m_pos;
    const std::uint16_t w = ReadUInt16();
    std::uint32_t tag = 0;
    if (w == archive_tag::kBigObject)
        tag = ReadUInt32();
    else
        tag = (static_cast<std::uint32_t>(w & archive_tag::kClassFlag) << 16) |
              static_cast<std::uint32_t>(w & ~archive_tag::kClassFlag & 0xFFFFu);

    if ((tag & archive_tag::kBigClassFlag) == 0) {
        if (tag == archive_tag::kNull) return std::nullopt;
        m_pos = start;
        Fail("Verweis auf ein früheres Objekt nicht erlaubt");
    }

    int slot = kObjectSlot;
    if (w == archive_tag::kNewClass) {
        const std::uint16_t schema = ReadUInt16();
        const std::uint16_t len = ReadUInt16();
        if (len > kMaxClassNameLength) {
            m_pos = start;
            Fail("Klassenname zu lang");
        }
        const std::uint8_t* p = Take(len);
        const std::string name = DescribeName(p, len);
        if (std::find(known.begin(), known.end(), name) == known.end()) {
            m_pos = start;
            Fail("Unbekannte Klasse \"" + name + "\"");
        }
        if (schema != archive_tag::kSchema) {
            m_pos = start;
            Fail("Falsche Schemanummer der Klasse " + name);
        }
        m_classNames.push_back(name);
        slot = static_cast<int>(m_classNames.size()) - 1;
        m_loaded.push_back(slot);
    } else {
        const std::uint32_t index = tag & ~archive_tag::kBigClassFlag;
        if (index == 0 || index >= m_loaded.size() || m_loaded[index] == kObjectSlot) {
            m_pos = start;
            Fail("Ungültiger Klassenverweis");
        }
        slot = m_loaded[index];
        const std::string& name = m_classNames[static_cast<std::size_t>(slot)];
        if (std::find(known.begin(), known.end(), name) == known.end()) {
            m_pos = start;
            Fail("Klasse \"" + name + "\" an dieser Stelle nicht erlaubt");
        }
    }
    m_loaded.push_back(kObjectSlot);
    return m_classNames[static_cast<std::size_t>(slot)];
}
