#pragma once
// The texts the CAD import shows for DWG files, byte for byte.

#include <string>
#include <string_view>

namespace dwg_texts {
// "{}" stands for the version, as the file names it, with its release: "AC1021 (R2007)".
inline constexpr const char* kVersionNotRead =
    "Die DWG-Zeichnung hat die Version {}, die nicht eingelesen werden kann. Bitte die Zeichnung "
    "im CAD-Programm als DXF oder als DWG einer anderen Version speichern und erneut importieren.";
inline constexpr const char* kDamaged =
    "Die DWG-Datei ist beschädigt oder unvollständig und wurde nicht eingelesen.";

inline std::string WithVersion(const char* text, const std::string& version) {
    const std::string_view t(text);
    const std::size_t at = t.find("{}");
    if (at == std::string_view::npos) return std::string(t);
    std::string out(t.substr(0, at));
    out += version;
    out += t.substr(at + 2);
    return out;
}
}  // namespace dwg_texts
