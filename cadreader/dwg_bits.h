#pragma once
// Inside the DWG front end: the bit-coded data types of DWG objects, read from a byte range.
//
// Every read is checked against the end of the range: past it, the reader reads zeros, stays
// at the end and remembers the fault (Ok() turns false), so that a damaged object is dropped
// without any read outside the file's bytes.

#include <cstddef>
#include <cstdint>
#include <string>

class DwgBits {
public:
    DwgBits() = default;
    // Reads the bytes [data, data + size); positions are in bits from data.
    DwgBits(const std::uint8_t* data, std::size_t size) : m_data(data), m_bytes(size), m_end(size * 8) {}

    bool Ok() const { return m_ok; }
    std::size_t Bit() const { return m_pos; }
    // Moves to a bit position; one past the end marks the reader as faulty.
    void Seek(std::size_t bit);
    // Sets the end of the readable range (never past the bytes given).
    void Limit(std::size_t endBit);
    std::size_t EndBit() const { return m_end; }

    unsigned B() { return static_cast<unsigned>(Bits(1)); }
    unsigned BB() { return static_cast<unsigned>(Bits(2)); }
    std::uint8_t RC() { return static_cast<std::uint8_t>(Bits(8)); }
    std::uint16_t RS();
    std::uint32_t RL();
    double RD();
    std::int32_t BS();
    std::int32_t BL();
    std::uint64_t BLL();
    double BD();
    // A double stored as the change from a default.
    double DD(double fallback);
    // The modular char and short of the object map and object sizes.
    std::uint64_t MC();
    std::int64_t SignedMC();
    std::uint64_t MS();
    // A handle reference, made absolute against the handle of the object that holds it.
    std::uint64_t H(std::uint64_t holder);
    // The object type: a bit short up to R2007, two bits and one or two bytes from R2010.
    std::uint32_t ObjectType(bool r2010);
    // A text: code-page bytes before R2007 (kept as they are), UTF-16 from R2007 (as UTF-8).
    std::string TV(bool utf16);
    // Skips n bytes.
    void SkipBytes(std::size_t n);

private:
    std::uint64_t Bits(unsigned n);

    const std::uint8_t* m_data = nullptr;
    std::size_t m_bytes = 0;
    std::size_t m_end = 0;
    std::size_t m_pos = 0;
    bool m_ok = true;
};
