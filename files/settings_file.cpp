#include "files/settings_file.h"

#include <cmath>
#include <string>
#include <vector>

#include "files/archive.h"
#include "model/program_values.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "files/settings_fields.h"

namespace {
// The four versions differ only by leaving the newer fields out.
struct VersionLayout {
    const char* text;
    std::uint8_t version;
};
constexpr VersionLayout kVersions[] = {
    {kSettingsVersion46, kSettingsV46},
    {kSettingsVersion42, kSettingsV42},
    {kSettingsVersion41, kSettingsV41},
    {kSettingsVersion40, kSettingsV40},
};

// The fields after the version text.
std::span<const FileField> BodyFields() { return SettingsFields().subspan(1); }

void ReadFields(ArchiveReader& ar, CQuenkApp& a, const VersionLayout& v) {
    for (const FileField& f : BodyFields())
        if (f.since <= v.version) ReadField(ar, a, f.member);
}

// Later code divides by the plotter unit and steps arcs and long vectors by the other two;
// a damaged file must not make any of them zero, negative or not finite.
void RepairStepValues(CQuenkApp& a, std::vector<std::string>& repaired) {
    const CQuenkApp defaults;
    auto repair = [&](double& v, double def, const char* name) {
        if (!std::isfinite(v) || v <= 0.0) {
            v = def;
            repaired.emplace_back(name);
        }
    };
    // The plotter unit and every value a program is made of.
    RepairProgramValues(a, defaults, repaired);
    repair(a.m_segmentAngle, defaults.m_segmentAngle, "Kreissegmente");
    repair(a.m_maxVectorLength, defaults.m_maxVectorLength, "Maximale Vektorlänge");
}

// The colour tables after a settings file of an unknown version: 18 entries of 0x141414,
// entry 0 0xE6E6E6.
void PadColourTablesForUnknownVersion(CQuenkApp& a) {
    constexpr std::size_t kPaddedEntries = 18;
    constexpr std::uint32_t kPadColour = 0x141414;
    constexpr std::uint32_t kEntryZeroColour = 0xE6E6E6;
    for (auto* t : {&a.m_toolColours, &a.m_penColours}) {
        if (t->size() < kPaddedEntries) t->resize(kPaddedEntries, kPadColour);
        (*t)[0] = kEntryZeroColour;
    }
}

std::string FileNameForMessages(const CQuenkApp& a) {
    return a.m_settingsPath.empty() ? std::string(kSettingsFileName) : a.m_settingsPath;
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names) out += (out.empty() ? "" : ", ") + n;
    return out;
}
}  // namespace

std::string EncodeSettings(const CQuenkApp& a) {
    ArchiveWriter ar;
    ar.WriteString(kSettingsVersion46);
    for (const FileField& f : BodyFields()) WriteField(ar, a, f.member);
    return ar.Bytes();
}

bool LoadSettingsFromBytes(CQuenkApp& a, std::string_view bytes) {
    ClearSettingsTables(a);
    std::string complaint;
    ArchiveReader ar(bytes);
    try {
        const std::string version = ar.ReadString();
        const VersionLayout* layout = nullptr;
        for (const VersionLayout& v : kVersions)
            if (version == v.text) layout = &v;
        if (layout) {
            ReadFields(ar, a, *layout);
        } else {
            PadColourTablesForUnknownVersion(a);
            complaint = FileNameForMessages(a) + settings_texts::kUnknownVersion;
        }
    } catch (const ArchiveError& e) {
        complaint = FileNameForMessages(a) + settings_texts::kDamaged + e.what() + settings_texts::kDamagedTail;
    }
    std::vector<std::string> repaired;
    RepairStepValues(a, repaired);
    if (complaint.empty() && !repaired.empty())
        complaint = FileNameForMessages(a) + settings_texts::kInvalidValues + JoinNames(repaired);
    CompleteSettingsTables(a);
    if (!complaint.empty()) Ui().Message(complaint);
    return complaint.empty();
}
