// The compression of R2007 pages: literal runs stored in a shuffled byte order, and copies
// from the bytes already written.
#include <array>

#include "cadreader/dwg_r2007.h"

namespace {
// A literal run is stored in pieces whose order is reversed on output, while a piece of 4 or
// 8 bytes keeps its own byte order. Runs of 32 bytes are four pieces of 8; the rest of a run
// is cut as listed here (piece sizes from the stored run's start) for its length 1 to 31.
constexpr std::array<std::string_view, 32> kPieces = {
    "",      "1",     "11",     "111",    "4",     "41",     "141",    "1411",
    "8",     "81",    "181",    "1811",   "84",    "841",    "1841",   "18411",
    "88",    "818",   "1881",   "88111",  "884",   "8841",   "88411",  "884111",
    "888",   "8818",  "88181",  "881811", "8884",  "88841",  "888411", "1188841"};
constexpr std::size_t kRun = 32, kMostPieces = 8;

class Decompressor {
public:
    Decompressor(const std::uint8_t* in, std::size_t size, std::size_t limit, std::vector<std::uint8_t>& out)
        : m_in(in), m_size(size), m_out(out), m_start(out.size()), m_limit(limit) {}

    bool Run() {
        if (m_size == 0) return true;
        unsigned op = Next();
        std::size_t length = 0;
        if ((op & 0xF0u) == 0x20) {
            m_pos += 2;
            length = Next() & 7u;
        }
        while (m_ok && m_pos < m_size) {
            if (length == 0) length = LiteralLength(op);
            Literal(length);
            if (!m_ok || m_pos >= m_size) break;
            op = Next();
            length = Copies(op);
        }
        return m_ok;
    }

private:
    unsigned Next() {
        if (m_pos >= m_size) {
            m_ok = false;
            return 0;
        }
        return m_in[m_pos++];
    }

    std::size_t LiteralLength(unsigned op) {
        std::size_t length = op + 8;
        if (length != 0x17) return length;
        std::size_t n = Next();
        length += n;
        if (n != 0xFF) return length;
        do {
            n = Next();
            n |= std::size_t{Next()} << 8;
            length += n;
        } while (n == 0xFFFF && m_ok);
        return length;
    }

    void Literal(std::size_t length) {
        if (!m_ok || length > m_size - m_pos || length > Room()) {
            m_ok = false;
            return;
        }
        const std::uint8_t* src = m_in + m_pos;
        m_pos += length;
        for (; length >= kRun; length -= kRun, src += kRun)
            for (std::size_t piece = kRun; piece > 0; piece -= 8) m_out.insert(m_out.end(), src + piece - 8, src + piece);
        // The remaining pieces, last stored first.
        const std::string_view cut = kPieces[length];
        std::array<std::size_t, kMostPieces + 1> starts{};
        for (std::size_t k = 0; k < cut.size(); ++k) starts[k + 1] = starts[k] + static_cast<std::size_t>(cut[k] - '0');
        for (std::size_t k = cut.size(); k > 0; --k) m_out.insert(m_out.end(), src + starts[k - 1], src + starts[k]);
    }

    // A chain of copies, each with the next opcode in its last byte; returns the length of
    // the literal run that follows, or 0 when its length is in the next opcode.
    std::size_t Copies(unsigned op) {
        while (m_ok) {
            std::size_t length = 0, offset = 0;
            switch (op >> 4) {
            case 0:
                length = (op & 0xFu) + 0x13;
                offset = Next();
                op = Next();
                length += (op >> 3) & 0x10u;
                offset += ((op & 0x78u) << 5) + 1;
                break;
            case 1:
                length = (op & 0xFu) + 3;
                offset = Next();
                op = Next();
                offset += ((op & 0xF8u) << 5) + 1;
                break;
            case 2:
                offset = Next();
                offset |= std::size_t{Next()} << 8;
                length = op & 7u;
                if ((op & 8u) == 0) {
                    op = Next();
                    length += op & 0xF8u;
                } else {
                    ++offset;
                    length += std::size_t{Next()} << 3;
                    op = Next();
                    length += (std::size_t{op & 0xF8u} << 8) + 0x100;
                }
                break;
            default:
                length = op >> 4;
                offset = op & 0xFu;
                op = Next();
                offset += ((op & 0xF8u) << 1) + 1;
                break;
            }
            Copy(length, offset);
            if ((op & 7u) != 0 || m_pos >= m_size) return op & 7u;
            op = Next();
            if ((op >> 4) == 0) return LiteralLength(op);
            if ((op >> 4) == 0xF) op &= 0xFu;
        }
        return 0;
    }

    void Copy(std::size_t length, std::size_t offset) {
        const std::size_t written = m_out.size() - m_start;
        if (!m_ok || offset == 0 || offset > written || length > Room()) {
            m_ok = false;
            return;
        }
        for (std::size_t from = m_out.size() - offset; length > 0; --length) m_out.push_back(m_out[from++]);
    }

    std::size_t Room() const { return m_limit - (m_out.size() - m_start); }

    const std::uint8_t* m_in;
    std::size_t m_size, m_pos = 0;
    std::vector<std::uint8_t>& m_out;
    std::size_t m_start, m_limit;
    bool m_ok = true;
};
}  // namespace

bool DwgDecompress2007(const std::uint8_t* in, std::size_t size, std::size_t limit, std::vector<std::uint8_t>& out) {
    const std::size_t before = out.size();
    if (Decompressor(in, size, limit, out).Run()) return true;
    out.resize(before);
    return false;
}

bool DwgDeinterleave(const std::uint8_t* in, std::size_t size, std::size_t blocks, std::size_t dataBytes,
                     std::size_t want, std::vector<std::uint8_t>& out) {
    constexpr std::size_t kWord = 255;
    if (dataBytes > kWord || blocks == 0 || blocks > size / kWord) return false;
    for (std::size_t b = 0; b < blocks && want > 0; ++b)
        for (std::size_t k = 0; k < dataBytes && want > 0; ++k, --want) out.push_back(in[b + k * blocks]);
    return true;
}
