// The classes section: which object types from 500 on are entities.
#include <vector>

#include "cadreader/dwg_object.h"
#include "cadreader/dxf_entity.h"
#include "cadreader/dxf_groups.h"

namespace {
constexpr std::size_t kSentinelBytes = 16;
constexpr std::int32_t kEntityClass = 0x1F2;
constexpr std::uint32_t kFirstClass = 500;
// Entity types that began as classes (the light-weight polyline and the hatch of R14) keep the
// database's number for their kind.
std::uint16_t TypeNamed(const std::string& dxfName, std::uint32_t number) {
    for (std::uint16_t t = 1; t < kFirstClass; ++t)
        if (!DxfTypeName(t).empty() && SameName(DxfTypeName(t), dxfName)) return t;
    return static_cast<std::uint16_t>(number);
}
}  // namespace

std::vector<DwgClass> ReadEntityClasses(const DwgBytes& classes, int release, int maintenance) {
    std::vector<DwgClass> out;
    if (classes.size < kSentinelBytes + 4) return out;
    DwgBits bits(classes.data, classes.size);
    bits.Seek(kSentinelBytes * 8);
    const std::uint32_t size = bits.RL();
    if (size > classes.size) return out;
    std::size_t end = bits.Bit() + std::size_t{size} * 8;
    if ((release >= 1024 && maintenance > 3) || release > 1027) bits.RL();
    DwgBits text = bits;
    const bool utf16 = release >= 1021;
    if (utf16) {
        const std::size_t flag = bits.Bit() + bits.RL();
        if (!bits.Ok() || flag > bits.EndBit()) return out;
        FindTextStream(text, flag);
        end = text.Bit();
        bits.BL();
        bits.B();
    } else if (release >= 1018) {
        bits.BS();
        bits.RC();
        bits.RC();
        bits.B();
    }
    bits.Limit(end);
    while (bits.Ok() && text.Ok() && bits.Bit() < end) {
        const auto number = static_cast<std::uint32_t>(bits.BS());
        bits.BS();
        std::string name;
        for (int k = 0; k < 3; ++k) name = utf16 ? text.TV(true) : bits.TV(false);
        bits.B();
        const std::int32_t kind = bits.BS();
        if (release >= 1018)
            for (int k = 0; k < 5; ++k) bits.BL();
        if (bits.Ok() && kind == kEntityClass && number >= kFirstClass) out.push_back({number, TypeNamed(name, number)});
    }
    return out;
}
