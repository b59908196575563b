#include "cadreader/dwg_lz77.h"

namespace {
class Decompressor {
public:
    Decompressor(const std::uint8_t* in, std::size_t size, std::size_t limit, std::vector<std::uint8_t>& out)
        : m_in(in), m_size(size), m_out(out), m_start(out.size()), m_limit(limit) {}

    bool Run() {
        unsigned op = Next();
        if (op > 0x11) op = Literal(op - 17);
        else if (op < 0x10) op = Literal(Length(op, 0xF) + 3);
        while (m_ok && op != 0x11) {
            std::size_t count = 0, offset = 0;
            if (op >= 0x40 || op < 0x10) {
                // Short copy: length in the high nibble, offset in two bits and one byte.
                count = op >= 0x20 ? (op >> 4) - 1 : 0;
                offset = (((op >> 2) & 3u) | (std::size_t{Next()} << 2)) + 1;
            } else if (op < 0x20) {
                count = Length(op, 7) + 2;
                offset = std::size_t{(op & 8u)} << 11;
                op = TwoByteOffset(offset, 0x4000);
            } else {
                count = Length(op, 0x1F) + 2;
                op = TwoByteOffset(offset, 1);
            }
            if (!Copy(count, offset)) return false;
            std::size_t literals = op & 3u;
            if (literals == 0) {
                op = Next();
                if ((op & 0xF0u) == 0) literals = Length(op, 0xF) + 3;
            }
            if (literals > 0) op = Literal(literals);
        }
        return m_ok;
    }

private:
    unsigned Next() {
        if (m_at >= m_size) {
            m_ok = false;
            return 0x11;
        }
        return m_in[m_at++];
    }
    // A length held in the low bits of op; zero bits mean that following bytes extend it.
    std::size_t Length(unsigned op, unsigned bits) {
        std::size_t n = op & bits;
        if (n != 0) return n;
        unsigned b = 0;
        while (m_ok && (b = Next()) == 0) n += 0xFF;
        return n + b + bits;
    }
    unsigned TwoByteOffset(std::size_t& offset, std::size_t add) {
        const unsigned first = Next();
        offset |= first >> 2;
        offset |= std::size_t{Next()} << 6;
        offset += add;
        return first;
    }
    unsigned Literal(std::size_t n) {
        if (n > m_size - m_at || n > m_limit - Produced()) {
            m_ok = false;
            return 0x11;
        }
        m_out.insert(m_out.end(), m_in + m_at, m_in + m_at + n);
        m_at += n;
        return Next();
    }
    bool Copy(std::size_t count, std::size_t offset) {
        if (count == 0) return m_ok;
        if (!m_ok || offset == 0 || offset > Produced() || count > m_limit - Produced()) return m_ok = false;
        // Byte by byte: the source may overlap the bytes being written.
        std::size_t from = m_out.size() - offset;
        for (std::size_t k = 0; k < count; ++k) m_out.push_back(m_out[from++]);
        return true;
    }
    std::size_t Produced() const { return m_out.size() - m_start; }

    const std::uint8_t* m_in;
    std::size_t m_size, m_at = 0;
    std::vector<std::uint8_t>& m_out;
    std::size_t m_start, m_limit;
    bool m_ok = true;
};
}  // namespace

bool DwgDecompress(const std::uint8_t* in, std::size_t size, std::size_t limit, std::vector<std::uint8_t>& out) {
    return Decompressor(in, size, limit, out).Run();
}
