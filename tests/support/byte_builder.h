#pragma once
// Builds expected file bytes by hand, field by field, independent of the production writer:
// little-endian integers, IEEE doubles, raw bytes.

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

class ByteBuilder {
public:
    ByteBuilder& u8(std::uint8_t v) {
        m_s += static_cast<char>(v);
        return *this;
    }
    ByteBuilder& u16(std::uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
    ByteBuilder& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    ByteBuilder& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    ByteBuilder& f64(double v) {
        const auto b = std::bit_cast<std::uint64_t>(v);
        return u32(static_cast<std::uint32_t>(b)).u32(static_cast<std::uint32_t>(b >> 32));
    }
    ByteBuilder& raw(std::string_view bytes) {
        m_s.append(bytes);
        return *this;
    }
    // A short single-byte text: one length byte and the bytes as given.
    ByteBuilder& text(std::string_view bytes) { return u8(static_cast<std::uint8_t>(bytes.size())).raw(bytes); }
    ByteBuilder& append(const ByteBuilder& other) { return raw(other.str()); }

    const std::string& str() const { return m_s; }
    std::size_t size() const { return m_s.size(); }

private:
    std::string m_s;
};
