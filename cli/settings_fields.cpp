#include "cli/settings_fields.h"

#include <algorithm>
#include <charconv>
#include <type_traits>

#include "files/job_file.h"
#include "files/settings_fields.h"

namespace {
// What the dump shows of the running program besides the two files' fields.
const FileField kStateFields[] = {
    {QUENK_MEMBER(m_jobMinX)},       {QUENK_MEMBER(m_jobMaxX)},       {QUENK_MEMBER(m_jobMinY)},
    {QUENK_MEMBER(m_jobMaxY)},       {QUENK_MEMBER(m_toolUsed)},      {QUENK_MEMBER(m_drawingTitle)},
    {QUENK_MEMBER(m_pathMinX)},      {QUENK_MEMBER(m_pathMaxX)},      {QUENK_MEMBER(m_pathMinY)},
    {QUENK_MEMBER(m_pathMaxY)},      {QUENK_MEMBER(m_bMillingReady)}, {QUENK_MEMBER(m_bMillingMode)},
    {QUENK_MEMBER(m_nColorMode)},
};
}  // namespace

const std::vector<NamedMember>& AppFields() {
    static const std::vector<NamedMember> fields = [] {
        std::vector<NamedMember> all;
        for (std::span<const FileField> table : {SettingsFields(), JobFields(), std::span<const FileField>(kStateFields)})
            for (const FileField& f : table) {
                const bool seen = std::any_of(all.begin(), all.end(), [&](const NamedMember& n) { return n.member == f.member; });
                if (!seen && !std::holds_alternative<std::vector<CWerkzeug> CQuenkApp::*>(f.member))
                    all.push_back({f.name, f.member});
            }
        return all;
    }();
    return fields;
}

namespace {

template <typename T>
bool ParseWhole(const std::string& text, T& out) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    int base = 10;
    if constexpr (std::is_integral_v<T>) {
        if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
            first += 2;
            base = 16;
        }
        const auto r = std::from_chars(first, last, out, base);
        return r.ec == std::errc() && r.ptr == last && first != last;
    } else {
        const auto r = std::from_chars(first, last, out);
        return r.ec == std::errc() && r.ptr == last && first != last;
    }
}

}  // namespace

bool SetSetting(CQuenkApp& app, const std::string& name, const std::string& value, std::string& error) {
    for (const NamedMember& f : AppFields()) {
        if (name != f.name) continue;
        return std::visit(
            [&](auto member) -> bool {
                auto& target = app.*member;
                using T = std::decay_t<decltype(target)>;
                if constexpr (std::is_same_v<T, std::string>) {
                    target = value;
                    return true;
                } else if constexpr (std::is_same_v<T, std::uint8_t>) {
                    int v = 0;
                    if (!ParseWhole(value, v) || v < 0 || v > 255) {
                        error = "not a byte value: " + value;
                        return false;
                    }
                    target = static_cast<std::uint8_t>(v);
                    return true;
                } else if constexpr (std::is_arithmetic_v<T>) {
                    T v{};
                    if (!ParseWhole(value, v)) {
                        error = "not a number: " + value;
                        return false;
                    }
                    target = v;
                    return true;
                } else {
                    error = name + " is a table";
                    return false;
                }
            },
            f.member);
    }
    error = "unknown setting " + name;
    return false;
}
