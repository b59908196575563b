#include "files/file_fields.h"

#include <type_traits>

#include "files/archive.h"
#include "files/werkzeug_archive.h"

namespace {
template <typename T>
constexpr bool kIsVector = false;
template <typename T>
constexpr bool kIsVector<std::vector<T> CQuenkApp::*> = true;
}  // namespace

void WriteField(ArchiveWriter& ar, const CQuenkApp& app, const AppMember& member) {
    std::visit(
        [&](auto m) {
            const auto& v = app.*m;
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string>) ar.WriteString(v);
            else if constexpr (std::is_same_v<T, double>) ar.WriteDouble(v);
            else if constexpr (std::is_same_v<T, std::int32_t>) ar.WriteInt32(v);
            else if constexpr (std::is_same_v<T, std::uint32_t>) ar.WriteUInt32(v);
            else if constexpr (std::is_same_v<T, std::uint8_t>) ar.WriteFlag(v);
            else if constexpr (std::is_same_v<T, std::vector<std::int32_t>>) ar.WriteInt32Array(v);
            else if constexpr (std::is_same_v<T, std::vector<std::uint32_t>>) ar.WriteUInt32Array(v);
            else if constexpr (std::is_same_v<T, std::vector<double>>) ar.WriteDoubleArray(v);
            else WriteToolList(ar, v);
        },
        member);
}

void ReadField(ArchiveReader& ar, CQuenkApp& app, const AppMember& member) {
    std::visit(
        [&](auto m) {
            auto& v = app.*m;
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string>) v = ar.ReadString();
            else if constexpr (std::is_same_v<T, double>) v = ar.ReadDouble();
            else if constexpr (std::is_same_v<T, std::int32_t>) v = ar.ReadInt32();
            else if constexpr (std::is_same_v<T, std::uint32_t>) v = ar.ReadUInt32();
            else if constexpr (std::is_same_v<T, std::uint8_t>) v = ar.ReadFlag();
            else if constexpr (std::is_same_v<T, std::vector<std::int32_t>>) v = ar.ReadInt32Array();
            else if constexpr (std::is_same_v<T, std::vector<std::uint32_t>>) v = ar.ReadUInt32Array();
            else if constexpr (std::is_same_v<T, std::vector<double>>) v = ar.ReadDoubleArray();
            else ReadToolList(ar, v);
        },
        member);
}

bool IsTable(const AppMember& member) {
    return std::visit([](auto m) { return kIsVector<decltype(m)>; }, member);
}

void MoveField(CQuenkApp& to, CQuenkApp& from, const AppMember& member) {
    std::visit([&](auto m) { to.*m = std::move(from.*m); }, member);
}
