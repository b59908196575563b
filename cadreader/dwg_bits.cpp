#include "cadreader/dwg_bits.h"

#include <cstring>

#include "files/cp1252.h"

void DwgBits::Seek(std::size_t bit) {
    if (bit > m_end) {
        m_ok = false;
        bit = m_end;
    }
    m_pos = bit;
}

void DwgBits::Limit(std::size_t endBit) {
    if (endBit < m_end) m_end = endBit;
    if (m_pos > m_end) Seek(m_end + 1);
}

std::uint64_t DwgBits::Bits(unsigned n) {
    if (m_end - m_pos < n) {
        m_ok = false;
        m_pos = m_end;
        return 0;
    }
    const std::size_t at = m_pos >> 3;
    if (n <= 56 && m_bytes - at >= 8) {
        // Eight bytes at once hold any 56 bits from any bit position.
        std::uint64_t word = 0;
        for (std::size_t k = 0; k < 8; ++k) word = word << 8 | m_data[at + k];
        word <<= (m_pos & 7);
        m_pos += n;
        return word >> (64 - n);
    }
    std::uint64_t v = 0;
    while (n > 0) {
        const std::size_t byte = m_pos >> 3;
        const unsigned used = static_cast<unsigned>(m_pos & 7);
        const unsigned take = n < 8 - used ? n : 8 - used;
        const unsigned bits = (static_cast<unsigned>(m_data[byte]) >> (8 - used - take)) & ((1u << take) - 1);
        v = (v << take) | bits;
        m_pos += take;
        n -= take;
    }
    return v;
}

std::uint16_t DwgBits::RS() {
    const auto v = static_cast<unsigned>(Bits(16));
    return static_cast<std::uint16_t>((v >> 8) | (v & 0xFFu) << 8);
}

std::uint32_t DwgBits::RL() {
    const auto v = static_cast<std::uint32_t>(Bits(32));
    return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}

double DwgBits::RD() {
    std::uint64_t raw = RL();
    raw |= std::uint64_t{RL()} << 32;
    double v;
    std::memcpy(&v, &raw, sizeof v);
    return v;
}

std::int32_t DwgBits::BS() {
    switch (BB()) {
    case 0: return static_cast<std::int16_t>(RS());
    case 1: return RC();
    case 2: return 0;
    default: return 256;
    }
}

std::int32_t DwgBits::BL() {
    switch (BB()) {
    case 0: return static_cast<std::int32_t>(RL());
    case 1: return RC();
    default: return 0;
    }
}

std::uint64_t DwgBits::BLL() {
    const unsigned n = static_cast<unsigned>(Bits(3));
    std::uint64_t v = 0;
    for (unsigned k = 0; k < n; ++k) v |= std::uint64_t{RC()} << (8 * k);
    return v;
}

double DwgBits::BD() {
    switch (BB()) {
    case 0: return RD();
    case 1: return 1.0;
    default: return 0.0;
    }
}

double DwgBits::DD(double fallback) {
    const unsigned code = BB();
    if (code == 0) return fallback;
    if (code == 3) return RD();
    unsigned char b[8];
    std::memcpy(b, &fallback, sizeof b);
    if (code == 2) {
        b[4] = RC();
        b[5] = RC();
    }
    for (int k = 0; k < 4; ++k) b[k] = RC();
    double v;
    std::memcpy(&v, b, sizeof v);
    return v;
}

std::uint64_t DwgBits::MC() {
    std::uint64_t v = 0;
    for (unsigned shift = 0; shift < 64; shift += 7) {
        const unsigned c = RC();
        v |= std::uint64_t{c & 0x7Fu} << shift;
        if (!(c & 0x80u) || !m_ok) return v;
    }
    m_ok = false;
    return v;
}

std::int64_t DwgBits::SignedMC() {
    std::uint64_t v = 0;
    for (unsigned shift = 0; shift < 63; shift += 7) {
        const unsigned c = RC();
        if (!m_ok) return 0;
        if (c & 0x80u) {
            v |= std::uint64_t{c & 0x7Fu} << shift;
            continue;
        }
        // The last byte keeps a sign bit above its six value bits.
        v |= std::uint64_t{c & 0x3Fu} << shift;
        const auto s = static_cast<std::int64_t>(v);
        return (c & 0x40u) ? -s : s;
    }
    m_ok = false;
    return 0;
}

std::uint64_t DwgBits::MS() {
    std::uint64_t v = 0;
    for (unsigned shift = 0; shift < 60; shift += 15) {
        const unsigned w = RS();
        v |= std::uint64_t{w & 0x7FFFu} << shift;
        if (!(w & 0x8000u) || !m_ok) return v;
    }
    m_ok = false;
    return v;
}

std::uint64_t DwgBits::H(std::uint64_t holder) {
    const unsigned form = RC();
    const unsigned code = form >> 4, count = form & 0xFu;
    if (count > 8) {
        m_ok = false;
        return 0;
    }
    std::uint64_t v = 0;
    for (unsigned k = 0; k < count; ++k) v = (v << 8) | RC();
    switch (code) {
    case 6: return holder + 1;
    case 8: return holder - 1;
    case 0xA: return holder + v;
    case 0xC: return holder - v;
    default: return v;
    }
}

std::uint32_t DwgBits::ObjectType(bool r2010) {
    if (!r2010) return static_cast<std::uint16_t>(BS());
    switch (BB()) {
    case 0: return RC();
    case 1: return 0x1F0u + RC();
    default: return RS();
    }
}

std::string DwgBits::TV(bool utf16) {
    const auto length = static_cast<std::size_t>(static_cast<std::uint16_t>(BS()));
    const std::size_t bytes = utf16 ? 2 * length : length;
    if (bytes * 8 > m_end - m_pos) {
        Seek(m_end + 1);
        return {};
    }
    std::string out;
    if (!utf16) {
        out.reserve(length);
        for (std::size_t k = 0; k < length; ++k) out.push_back(static_cast<char>(RC()));
        while (!out.empty() && out.back() == '\0') out.pop_back();
        return out;
    }
    std::u16string units;
    units.reserve(length);
    for (std::size_t k = 0; k < length; ++k)
        if (const char16_t c = RS()) units.push_back(c);
    return Utf16ToUtf8(units);
}

void DwgBits::SkipBytes(std::size_t n) {
    if (n > (m_end - m_pos) / 8) {
        Seek(m_end + 1);
        return;
    }
    m_pos += n * 8;
}
