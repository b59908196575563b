#pragma once
// The binary archive form of the program's settings and job files: little-endian integers
// and doubles, length-prefixed Windows-1252 texts, counts, plain arrays and object lists with
// class tags, in the conventions of the MFC archive that the files were first written with.
//
// ArchiveReader is the only thing that looks at file bytes. Whatever the bytes are, it either
// returns a value or throws ArchiveError (German text and byte position); it never allocates
// more than the remaining bytes can fill.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/point_array.h"

class ArchiveError : public std::runtime_error {
public:
    ArchiveError(const std::string& reason, std::size_t position);
    // What went wrong, without the position.
    const std::string& Reason() const { return m_reason; }
    // Byte offset in the archive where reading failed.
    std::size_t Position() const { return m_position; }

private:
    std::string m_reason;
    std::size_t m_position;
};

// Tags of the archive's object lists.
namespace archive_tag {
inline constexpr std::uint16_t kNull = 0x0000;
inline constexpr std::uint16_t kNewClass = 0xFFFF;
inline constexpr std::uint16_t kClassFlag = 0x8000;
// A 16-bit tag of this value is followed by a 32-bit tag (indexes from here up).
inline constexpr std::uint16_t kBigObject = 0x7FFF;
inline constexpr std::uint32_t kBigClassFlag = 0x80000000u;
// Schema number of every persistent class of the program.
inline constexpr std::uint16_t kSchema = 1;
// Type word of a 24-byte point record.
inline constexpr std::uint32_t kPointTypeWord = 0x0046E170u;
inline constexpr std::size_t kPointRecordSize = 24;
}  // namespace archive_tag

class ArchiveWriter {
public:
    const std::string& Bytes() const { return m_bytes; }

    void WriteByte(std::uint8_t v);
    void WriteUInt16(std::uint16_t v);
    void WriteInt32(std::int32_t v);
    void WriteUInt32(std::uint32_t v);
    void WriteDouble(double v);
    // Writes 1 for any non-zero value.
    void WriteFlag(std::uint8_t v) { WriteByte(v ? 1 : 0); }
    // UTF-8 in memory, Windows-1252 in the file.
    void WriteString(std::string_view utf8);
    void WriteCount(std::size_t n);

    void WriteInt32Array(const std::vector<std::int32_t>& v);
    void WriteUInt32Array(const std::vector<std::uint32_t>& v);
    void WriteDoubleArray(const std::vector<double>& v);
    void WritePointArray(const CPointArray& v);

    // Starts an object-list entry of the named class: the class's tag (new or known), then
    // the caller writes the object's own fields.
    void WriteObjectHeader(std::string_view className);
    void WriteNullObject() { WriteUInt16(archive_tag::kNull); }

private:
    void WriteClassTag(std::uint32_t classIndex);

    std::string m_bytes;
    // One running index for classes and objects; 0 is the null entry.
    std::uint32_t m_nextIndex = 1;
    std::vector<std::pair<std::string, std::uint32_t>> m_classes;
};

class ArchiveReader {
public:
    explicit ArchiveReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    explicit ArchiveReader(std::string_view bytes)
        : m_bytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()) {}
    // The reader does not own the bytes; a temporary string would be gone before reading.
    explicit ArchiveReader(std::string&&) = delete;

    std::size_t Position() const { return m_pos; }
    std::size_t Remaining() const { return m_bytes.size() - m_pos; }
    bool AtEnd() const { return m_pos == m_bytes.size(); }

    std::uint8_t ReadByte();
    std::uint16_t ReadUInt16();
    std::int32_t ReadInt32();
    std::uint32_t ReadUInt32();
    double ReadDouble();
    // Any non-zero byte is 1.
    std::uint8_t ReadFlag() { return ReadByte() ? 1 : 0; }
    // Windows-1252 or UTF-16 in the file, UTF-8 returned.
    std::string ReadString();
    std::uint32_t ReadCount();

    std::vector<std::int32_t> ReadInt32Array();
    std::vector<std::uint32_t> ReadUInt32Array();
    std::vector<double> ReadDoubleArray();
    CPointArray ReadPointArray();

    // Reads the tag of the next object-list entry. Returns the class name (one of `known`),
    // or nothing for a null entry; the caller then reads the object's fields. Unknown class
    // names, other schemas, references to earlier objects and bad indexes are errors.
    std::optional<std::string> ReadObjectHeader(std::initializer_list<std::string_view> known);

    // The error for a value that the archive form allows but the file's meaning does not,
    // at the current position.
    [[noreturn]] void Fail(const std::string& reason) const;
    // Throws unless count elements of at least elemSize bytes each can still be in the
    // archive; call it before reserving room for a count read from the file.
    void RequireElements(std::uint64_t count, std::size_t elemSize) const;

private:
    // Throws unless n more bytes are there; returns a pointer to them and advances.
    const std::uint8_t* Take(std::size_t n);
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
    // The running index of classes and objects: for each index the class slot in
    // m_classNames, or kObjectSlot for an object (index 0 is the null entry).
    static constexpr int kObjectSlot = -1;
    std::vector<int> m_loaded{kObjectSlot};
    std::vector<std::string> m_classNames;
};
