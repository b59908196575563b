#include "cadreader/dxf_groups.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <type_traits>

namespace {
// The value type that a group code fixes in the binary form.
enum class ValueKind { Text, Real, Int16, Int32, Int64, Byte, Chunk };

constexpr ValueKind KindOfCode(int code) {
    if ((code >= 10 && code < 60) || (code >= 110 && code < 150) || (code >= 210 && code < 240) ||
        (code >= 460 && code < 470) || (code >= 1010 && code < 1060))
        return ValueKind::Real;
    if ((code >= 60 && code < 80) || (code >= 170 && code < 180) || (code >= 270 && code < 290) ||
        (code >= 370 && code < 390) || (code >= 400 && code < 410) || (code >= 1060 && code < 1071))
        return ValueKind::Int16;
    if ((code >= 90 && code < 100) || (code >= 420 && code < 460) || code == 1071) return ValueKind::Int32;
    if (code >= 160 && code < 170) return ValueKind::Int64;
    if (code >= 290 && code < 300) return ValueKind::Byte;
    if ((code >= 310 && code < 320) || code == 1004) return ValueKind::Chunk;
    return ValueKind::Text;
}

// The binary reader asks for the kind of every group: a table of the codes that have one.
constexpr int kKindCodes = 1072;
constexpr std::array<ValueKind, kKindCodes> kKinds = [] {
    std::array<ValueKind, kKindCodes> kinds{};
    for (int code = 0; code < kKindCodes; ++code) kinds[static_cast<std::size_t>(code)] = KindOfCode(code);
    return kinds;
}();

ValueKind KindOf(int code) {
    return code >= 0 && code < kKindCodes ? kKinds[static_cast<std::size_t>(code)] : ValueKind::Text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

template <typename T>
T LittleEndian(const char* p) {
    if constexpr (std::endian::native == std::endian::little) {
        T out;
        std::memcpy(&out, p, sizeof out);
        return out;
    }
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) v |= std::uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
    if constexpr (sizeof(T) == 8) {
        T out;
        std::memcpy(&out, &v, sizeof out);
        return out;
    } else {
        using U = std::make_unsigned_t<T>;
        return static_cast<T>(static_cast<U>(v));
    }
}
}  // namespace

std::string_view TrimDxf(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

std::string UpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

namespace {
// The stream is read this much at a time.
constexpr std::size_t kWindow = std::size_t{1} << 20;
}  // namespace

DxfGroups::DxfGroups(std::string_view bytes) : m_p(bytes.data()), m_end(bytes.data() + bytes.size()) { Start(); }

DxfGroups::DxfGroups(std::istream& in) : m_in(&in) {
    m_window.resize(kWindow);
    m_p = m_end = m_window.data();
    Start();
}

void DxfGroups::Start() {
    Have(kBinaryDxfSentinel.size() + 2);
    const std::string_view head(m_p, static_cast<std::size_t>(m_end - m_p));
    if (head.substr(0, kBinaryDxfSentinel.size()) == kBinaryDxfSentinel) {
        m_binary = true;
        m_p += kBinaryDxfSentinel.size();
        // The first group is 0 "SECTION": a one-byte code puts the name right after the 0.
        m_shortCodes = m_end - m_p > 1 && m_p[1] != '\0';
    } else if (head.substr(0, 3) == "\xEF\xBB\xBF") {
        m_p += 3;  // a UTF-8 byte order mark
    }
}

bool DxfGroups::More() {
    if (!m_in || !*m_in) return false;
    const auto unread = static_cast<std::size_t>(m_end - m_p);
    const auto offset = static_cast<std::size_t>(m_p - m_window.data());
    if (offset > 0) std::memmove(m_window.data(), m_p, unread);
    // A window full of one unfinished line or text grows; the file's size bounds it.
    if (unread == m_window.size()) m_window.resize(m_window.size() * 2);
    m_in->read(m_window.data() + unread, static_cast<std::streamsize>(m_window.size() - unread));
    const auto got = static_cast<std::size_t>(m_in->gcount());
    m_p = m_window.data();
    m_end = m_p + unread + got;
    return got > 0;
}

bool DxfGroups::Have(std::size_t n) {
    while (static_cast<std::size_t>(m_end - m_p) < n)
        if (!More()) return false;
    return true;
}

const char* DxfGroups::Find(char c) {
    std::size_t from = 0;  // bytes already searched
    for (;;) {
        const auto left = static_cast<std::size_t>(m_end - m_p);
        if (const void* hit = std::memchr(m_p + from, c, left - from)) return static_cast<const char*>(hit);
        from = left;
        if (!More()) return nullptr;
    }
}

bool DxfGroups::Next(DxfGroup& g) {
    if (m_damaged) return false;
    return m_binary ? NextBinary(g) : NextAscii(g);
}

bool DxfGroups::Line(std::string_view& line) {
    if (m_p >= m_end && !More()) return false;
    const char* lf = Find('\n');
    const char* stop = lf ? lf : m_end;
    line = std::string_view(m_p, static_cast<std::size_t>(stop - m_p));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    m_p = lf ? lf + 1 : m_end;
    return true;
}

bool DxfGroups::NextAscii(DxfGroup& g) {
    std::string_view codeLine;
    if (!Line(codeLine)) return false;
    codeLine = TrimDxf(codeLine);
    if (codeLine.empty() && m_p >= m_end && !More()) return false;  // blank lines after the end
    const auto r = std::from_chars(codeLine.data(), codeLine.data() + codeLine.size(), g.code);
    if (r.ec != std::errc() || r.ptr != codeLine.data() + codeLine.size() || g.code < -5) return Fail();
    if (!Line(g.text)) return Fail();
    // Names and numbers never end in blanks; trailing blanks of texts do not matter here.
    while (!g.text.empty() && IsBlank(g.text.back())) g.text.remove_suffix(1);
    return true;
}

bool DxfGroups::NextBinary(DxfGroup& g) {
    if (m_p >= m_end && !More()) return false;
    if (m_shortCodes) {
        g.code = static_cast<unsigned char>(*m_p++);
        if (g.code == 255) {  // an extended-data code follows in two bytes
            if (!Have(2)) return Fail();
            g.code = LittleEndian<std::uint16_t>(m_p);
            m_p += 2;
        }
    } else {
        if (!Have(2)) return Fail();
        g.code = LittleEndian<std::int16_t>(m_p);
        m_p += 2;
    }
    g.text = {};
    std::size_t size = 0;
    switch (KindOf(g.code)) {
    case ValueKind::Real:
        size = 8;
        if (!Have(size)) return Fail();
        g.real = LittleEndian<double>(m_p);
        break;
    case ValueKind::Int16:
        size = 2;
        if (!Have(size)) return Fail();
        g.integer = LittleEndian<std::int16_t>(m_p);
        break;
    case ValueKind::Int32:
        size = 4;
        if (!Have(size)) return Fail();
        g.integer = LittleEndian<std::int32_t>(m_p);
        break;
    case ValueKind::Int64:
        size = 8;
        if (!Have(size)) return Fail();
        g.integer = LittleEndian<std::int64_t>(m_p);
        break;
    case ValueKind::Byte:
        size = 1;
        if (!Have(size)) return Fail();
        g.integer = static_cast<unsigned char>(*m_p);
        break;
    case ValueKind::Chunk:
        if (!Have(1)) return Fail();
        size = 1 + static_cast<unsigned char>(*m_p);
        if (!Have(size)) return Fail();
        g.text = std::string_view(m_p + 1, size - 1);
        break;
    case ValueKind::Text: {
        const char* nul = Find('\0');
        if (!nul) return Fail();
        g.text = std::string_view(m_p, static_cast<std::size_t>(nul - m_p));
        size = g.text.size() + 1;
        break;
    }
    }
    m_p += size;
    return true;
}

bool DxfGroups::Real(const DxfGroup& g, double& v) {
    if (m_binary) {
        const ValueKind k = KindOf(g.code);
        if (k == ValueKind::Real) v = g.real;
        else if (k == ValueKind::Text || k == ValueKind::Chunk) return Fail();
        else v = static_cast<double>(g.integer);
    } else {
        std::string_view t = TrimDxf(g.text);
        if (!t.empty() && t.front() == '+') t.remove_prefix(1);
        const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
        if (r.ec != std::errc() || r.ptr != t.data() + t.size()) return Fail();
    }
    if (!std::isfinite(v)) return Fail();
    return true;
}

bool DxfGroups::Integer(const DxfGroup& g, std::int64_t& v) {
    if (m_binary) {
        const ValueKind k = KindOf(g.code);
        if (k == ValueKind::Text || k == ValueKind::Chunk) return Fail();
        if (k != ValueKind::Real) {
            v = g.integer;
            return true;
        }
        if (!std::isfinite(g.real) || std::fabs(g.real) > 9.0e18) return Fail();
        v = static_cast<std::int64_t>(g.real);
        return true;
    }
    std::string_view t = TrimDxf(g.text);
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    if (r.ec == std::errc() && r.ptr == t.data() + t.size()) return true;
    // Some writers put a decimal point into integer values.
    double d = 0.0;
    if (!Real(g, d) || std::fabs(d) > 9.0e18) return Fail();
    v = static_cast<std::int64_t>(d);
    return true;
}
