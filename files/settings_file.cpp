#include "files/settings_file.h"

#include <cmath>
#include <string>
#include <vector>

#include "files/archive.h"
#include "model/program_values.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "files/werkzeug_archive.h"

namespace {
// Which fields a version holds: the scalar fields run from field 2 to lastScalar, the tables
// are always there except the feed-Z table.
struct VersionLayout {
    const char* text;
    int lastScalar;
    bool hasFeedZ;
};
constexpr VersionLayout kVersions[] = {
    {kSettingsVersion46, 44, true},
    {kSettingsVersion42, 44, false},
    {kSettingsVersion41, 42, false},
    {kSettingsVersion40, 41, false},
};

// Fields 2 to 41, common to all versions.
void ReadCommonScalars(ArchiveReader& ar, CQuenkApp& a) {
    a.m_plotterUnit = ar.ReadDouble();
    a.m_importOrder = ar.ReadInt32();
    a.m_showUnknownCommands = ar.ReadInt32();
    a.m_screenMargin = ar.ReadInt32();
    a.m_segmentAngle = ar.ReadDouble();
    a.m_joinDistance = ar.ReadDouble();
    a.m_machineX = ar.ReadDouble();
    a.m_machineY = ar.ReadDouble();
    a.m_reserved1 = ar.ReadInt32();
    a.m_lastExportPath = ar.ReadString();
    a.m_lastImportPath = ar.ReadString();
    a.m_materialX = ar.ReadDouble();
    a.m_materialY = ar.ReadDouble();
    a.m_workZeroX = ar.ReadDouble();
    a.m_workZeroY = ar.ReadDouble();
    a.m_reserved2 = ar.ReadInt32();
    a.m_viewScale = ar.ReadDouble();
    a.m_rkToolMode = ar.ReadInt32();
    a.m_viewState1 = ar.ReadInt32();
    a.m_viewState2 = ar.ReadInt32();
    a.m_displayColour1 = ar.ReadUInt32();
    a.m_displayColour2 = ar.ReadUInt32();
    a.m_displayColour3 = ar.ReadUInt32();
    a.m_displayColour4 = ar.ReadUInt32();
    a.m_displayColour5 = ar.ReadUInt32();
    a.m_tabSize = ar.ReadDouble();
    a.m_maxVectorLength = ar.ReadDouble();
    a.m_materialZeroX = ar.ReadDouble();
    a.m_materialZeroY = ar.ReadDouble();
    a.m_bLoadModelspace = ar.ReadInt32();
    a.m_bLoadPaperspace = ar.ReadInt32();
    a.m_bLoadRemainingBlocks = ar.ReadInt32();
    a.m_cleanContourSetting = ar.ReadFlag();
    a.m_materialName = ar.ReadString();
    a.m_materialThickness = ar.ReadDouble();
    a.m_safetyDistance = ar.ReadDouble();
    a.m_zTop = ar.ReadDouble();
    a.m_zBottom = ar.ReadDouble();
    a.m_zReference = ar.ReadInt32();
    a.m_depthMode = ar.ReadInt32();
}

void ReadFields(ArchiveReader& ar, CQuenkApp& a, const VersionLayout& v) {
    ReadCommonScalars(ar, a);
    if (v.lastScalar >= 42) a.m_extraDepth = ar.ReadDouble();
    if (v.lastScalar >= 44) {
        a.m_bUseComPort = ar.ReadFlag();
        a.m_comPort = ar.ReadInt32();
    }
    ReadToolList(ar, a.m_tools);
    a.m_penColours = ar.ReadUInt32Array();
    a.m_toolColours = ar.ReadUInt32Array();
    a.m_penTool = ar.ReadInt32Array();
    a.m_penFunction = ar.ReadInt32Array();
    a.m_colourPen = ar.ReadInt32Array();
    a.m_toolDiameter = ar.ReadDoubleArray();
    a.m_toolDepth = ar.ReadDoubleArray();
    a.m_toolSide = ar.ReadInt32Array();
    a.m_toolValueC = ar.ReadDoubleArray();
    a.m_toolFeedXY = ar.ReadDoubleArray();
    if (v.hasFeedZ) a.m_toolFeedZ = ar.ReadDoubleArray();
    a.m_toolColoursB = ar.ReadUInt32Array();
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
    ar.WriteDouble(a.m_plotterUnit);
    ar.WriteInt32(a.m_importOrder);
    ar.WriteInt32(a.m_showUnknownCommands);
    ar.WriteInt32(a.m_screenMargin);
    ar.WriteDouble(a.m_segmentAngle);
    ar.WriteDouble(a.m_joinDistance);
    ar.WriteDouble(a.m_machineX);
    ar.WriteDouble(a.m_machineY);
    ar.WriteInt32(a.m_reserved1);
    ar.WriteString(a.m_lastExportPath);
    ar.WriteString(a.m_lastImportPath);
    ar.WriteDouble(a.m_materialX);
    ar.WriteDouble(a.m_materialY);
    ar.WriteDouble(a.m_workZeroX);
    ar.WriteDouble(a.m_workZeroY);
    ar.WriteInt32(a.m_reserved2);
    ar.WriteDouble(a.m_viewScale);
    ar.WriteInt32(a.m_rkToolMode);
    ar.WriteInt32(a.m_viewState1);
    ar.WriteInt32(a.m_viewState2);
    ar.WriteUInt32(a.m_displayColour1);
    ar.WriteUInt32(a.m_displayColour2);
    ar.WriteUInt32(a.m_displayColour3);
    ar.WriteUInt32(a.m_displayColour4);
    ar.WriteUInt32(a.m_displayColour5);
    ar.WriteDouble(a.m_tabSize);
    ar.WriteDouble(a.m_maxVectorLength);
    ar.WriteDouble(a.m_materialZeroX);
    ar.WriteDouble(a.m_materialZeroY);
    ar.WriteInt32(a.m_bLoadModelspace);
    ar.WriteInt32(a.m_bLoadPaperspace);
    ar.WriteInt32(a.m_bLoadRemainingBlocks);
    ar.WriteFlag(a.m_cleanContourSetting);
    ar.WriteString(a.m_materialName);
    ar.WriteDouble(a.m_materialThickness);
    ar.WriteDouble(a.m_safetyDistance);
    ar.WriteDouble(a.m_zTop);
    ar.WriteDouble(a.m_zBottom);
    ar.WriteInt32(a.m_zReference);
    ar.WriteInt32(a.m_depthMode);
    ar.WriteDouble(a.m_extraDepth);
    ar.WriteFlag(a.m_bUseComPort);
    ar.WriteInt32(a.m_comPort);
    WriteToolList(ar, a.m_tools);
    ar.WriteUInt32Array(a.m_penColours);
    ar.WriteUInt32Array(a.m_toolColours);
    ar.WriteInt32Array(a.m_penTool);
    ar.WriteInt32Array(a.m_penFunction);
    ar.WriteInt32Array(a.m_colourPen);
    ar.WriteDoubleArray(a.m_toolDiameter);
    ar.WriteDoubleArray(a.m_toolDepth);
    ar.WriteInt32Array(a.m_toolSide);
    ar.WriteDoubleArray(a.m_toolValueC);
    ar.WriteDoubleArray(a.m_toolFeedXY);
    ar.WriteDoubleArray(a.m_toolFeedZ);
    ar.WriteUInt32Array(a.m_toolColoursB);
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
