#include "cadreader/dwg_object.h"

namespace {
constexpr std::uint64_t kMostObjectBytes = 1u << 30;
}  // namespace

bool ReadObjectMap(const DwgBytes& map, const DwgBytes& objects, std::vector<DwgMapEntry>& out) {
    std::size_t at = 0;
    while (at + 2 <= map.size) {
        const std::size_t size = std::size_t{map.data[at]} << 8 | map.data[at + 1];
        if (size <= 2) return true;
        const std::size_t body = size - 2;
        if (body > map.size - at - 2) return false;
        DwgBits bits(map.data + at + 2, body);
        std::uint64_t handle = 0;
        std::int64_t offset = 0;
        while (bits.Bit() < bits.EndBit()) {
            handle += bits.MC();
            offset += bits.SignedMC();
            if (!bits.Ok()) return false;
            if (offset < 0 || static_cast<std::uint64_t>(offset) >= objects.size) continue;
            out.push_back({handle, static_cast<std::uint64_t>(offset)});
        }
        at += 2 + body + 2;
    }
    return true;
}

void FindTextStream(DwgBits& text, std::size_t endBit) {
    // The text stream ends where the data end: a flag in the last data bit, and above it its
    // size in one or two 16-bit words.
    if (endBit == 0) return text.Seek(text.EndBit() + 1);
    text.Seek(endBit - 1);
    if (!text.B()) {
        text.Seek(endBit);
        text.Limit(endBit);
        return;
    }
    std::size_t end = endBit - 1;
    if (end < 16) return text.Seek(text.EndBit() + 1);
    end -= 16;
    text.Seek(end);
    std::size_t size = text.RS();
    if (size & 0x8000u) {
        if (end < 16) return text.Seek(text.EndBit() + 1);
        end -= 16;
        text.Seek(end);
        size = (size & 0x7FFFu) | std::size_t{text.RS()} << 15;
    }
    if (size > end) return text.Seek(text.EndBit() + 1);
    text.Seek(end - size);
}

bool DwgObject::Open(std::uint64_t offset) {
    if (offset >= m_objects.size) return false;
    DwgBits head(m_objects.data + offset, m_objects.size - offset);
    const std::uint64_t size = head.MS();
    if (!head.Ok() || size == 0 || size > kMostObjectBytes) return false;
    std::uint64_t handleBits = 0;
    if (m_release >= 1024) handleBits = head.MC();
    const std::size_t start = head.Bit();
    if (!head.Ok() || size > (m_objects.size - offset) - start / 8) return false;
    m_start = start;
    m_endBit = start + size * 8;
    m_data = DwgBits(m_objects.data + offset, m_objects.size - offset);
    m_data.Limit(m_endBit);
    m_data.Seek(start);
    m_refs = m_data;
    m_refs.Limit(m_endBit);
    m_text = m_data;
    m_type = m_data.ObjectType(m_release >= 1024);
    if (m_release >= 1024) {
        if (handleBits > size * 8) return false;
        SplitAt(m_endBit - handleBits - start);
    } else if (m_release >= 1015) {
        SplitAt(m_data.RL());
    }
    m_handle = m_data.H(0);
    Eed();
    return m_data.Ok();
}

void DwgObject::SplitAt(std::size_t bits) {
    const std::size_t at = m_start + bits;
    m_refs.Seek(at);
    if (m_release >= 1024) m_data.Limit(at);
    if (m_release >= 1021) FindTextStream(m_text, at);
}

void DwgObject::Eed() {
    for (std::int32_t size = m_data.BS(); size != 0 && m_data.Ok(); size = m_data.BS()) {
        m_data.H(0);
        m_data.SkipBytes(static_cast<std::size_t>(static_cast<std::uint16_t>(size)));
    }
}

std::int32_t DwgObject::EntityColour(bool& bookHandle) {
    bookHandle = false;
    if (m_release < 1018) return m_data.BS();
    const auto value = static_cast<std::uint32_t>(m_data.BS()) & 0xFFFFu;
    if (value == 0) return 0;
    std::int32_t colour = static_cast<std::int32_t>(value & 0x1FFu);
    if (value & 0x4000u) bookHandle = true;
    if (value & 0x8000u) {
        const auto rgb = static_cast<std::uint32_t>(m_data.BL());
        colour = (rgb >> 24) == 0xC2 ? NearestIndexColour(rgb & 0xFFFFFFu) : colour;
    }
    if (value & 0x2000u) m_data.BL();
    return colour;
}

std::int32_t DwgObject::TableColour() {
    std::int32_t colour = m_data.BS();
    if (m_release < 1018) return colour;
    const auto rgb = static_cast<std::uint32_t>(m_data.BL());
    const unsigned names = m_data.RC();
    if (names & 1) Text();
    if (names & 2) Text();
    switch (rgb >> 24) {
    case 0xC2: return NearestIndexColour(rgb & 0xFFFFFFu);
    case 0xC3: return colour < 0 ? -static_cast<std::int32_t>(rgb & 0xFFu) : static_cast<std::int32_t>(rgb & 0xFFu);
    default: return colour;
    }
}

bool DwgObject::EntityCommon(DwgEntityHead& head) {
    if (m_data.B()) {
        const std::uint64_t bytes = m_release >= 1024 ? m_data.BLL() : m_data.RL();
        if (bytes > kMostObjectBytes) return false;
        m_data.SkipBytes(static_cast<std::size_t>(bytes));
    }
    if (m_release < 1015) SplitAt(m_data.RL());
    head.mode = m_data.BB();
    const std::int32_t reactors = m_data.BL();
    const bool noXdic = m_release >= 1018 && m_data.B();
    if (m_release >= 1027) m_data.B();
    const bool byLayerLt = m_release < 1015 && m_data.B();
    const bool links = m_release < 1018 && !m_data.B();
    bool book = false;
    head.colour = EntityColour(book);
    m_data.BD();
    if (m_release >= 1015) {
        m_data.BB();
        m_data.BB();
        if (m_release >= 1021) {
            m_data.BB();
            m_data.RC();
        }
        if (m_release >= 1024) {
            m_data.B();
            m_data.B();
            m_data.B();
        }
    }
    head.invisible = (m_data.BS() & 1) != 0;
    if (m_release >= 1015) m_data.RC();
    if (!m_data.Ok() || reactors < 0 || static_cast<std::size_t>(reactors) > HandlesLeft()) return false;

    if (head.mode == 0) head.owner = NextHandle();
    for (std::int32_t k = 0; k < reactors && m_refs.Ok(); ++k) NextHandle();
    if (!noXdic) NextHandle();
    if (m_release < 1015) {
        head.layer = NextHandle();
        if (!byLayerLt) NextHandle();
    }
    if (links) {
        NextHandle();
        NextHandle();
    }
    if (book) NextHandle();
    if (m_release >= 1015) head.layer = NextHandle();
    return Ok();
}

bool DwgObject::ObjectCommon() {
    if (m_release < 1015) SplitAt(m_data.RL());
    const std::int32_t reactors = m_data.BL();
    const bool noXdic = m_release >= 1018 && m_data.B();
    if (m_release >= 1027) m_data.B();
    if (!m_data.Ok() || reactors < 0 || static_cast<std::size_t>(reactors) > HandlesLeft()) return false;
    NextHandle();  // the owner
    for (std::int32_t k = 0; k < reactors && m_refs.Ok(); ++k) NextHandle();
    if (!noXdic) NextHandle();
    return Ok();
}
