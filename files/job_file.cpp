#include "files/job_file.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "files/archive.h"
#include "files/atomic_file.h"
#include "files/file_bytes.h"
#include "model/program_values.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "files/werkzeug_archive.h"
#include "model/fraes_kontur.h"
#include "toolpath/milling_job.h"

namespace {
// The smallest object-list entry: its 16-bit tag.
constexpr std::size_t kMinEntrySize = 2;

void WriteKontur(ArchiveWriter& ar, const CFraesKontur& k) {
    ar.WriteObjectHeader(kFraesKonturClassName);
    ar.WriteInt32(k.m_tool);
    ar.WriteDouble(k.m_reserved1);
    ar.WriteDouble(k.m_reserved2);
    ar.WriteFlag(k.m_reservedFlag);
    ar.WriteUInt32(k.m_toolColor);
    ar.WriteInt32(k.m_reserved3);
    ar.WriteInt32(k.m_reserved4);
    ar.WriteDouble(k.m_reserved5);
    ar.WriteDouble(k.m_outerMaxX);
    ar.WriteDouble(k.m_outerMinX);
    ar.WriteDouble(k.m_outerMaxY);
    ar.WriteDouble(k.m_outerMinY);
    ar.WriteInt32(k.m_direction);
    ar.WriteCount(k.m_paths.size());
    for (const auto& d : k.m_paths) {
        ar.WriteObjectHeader(kFraesDatenClassName);
        ar.WritePointArray(d->m_points);
    }
    ar.WritePointArray(k.m_points);
}

// A null entry in a list of contours or paths stands for nothing and is passed over.
std::unique_ptr<CFraesKontur> ReadKontur(ArchiveReader& ar) {
    auto k = std::make_unique<CFraesKontur>();
    k->m_tool = ar.ReadInt32();
    k->m_reserved1 = ar.ReadDouble();
    k->m_reserved2 = ar.ReadDouble();
    k->m_reservedFlag = ar.ReadFlag();
    k->m_toolColor = ar.ReadUInt32();
    k->m_reserved3 = ar.ReadInt32();
    k->m_reserved4 = ar.ReadInt32();
    k->m_reserved5 = ar.ReadDouble();
    k->m_outerMaxX = ar.ReadDouble();
    k->m_outerMinX = ar.ReadDouble();
    k->m_outerMaxY = ar.ReadDouble();
    k->m_outerMinY = ar.ReadDouble();
    k->m_direction = ar.ReadInt32();
    const std::uint32_t n = ar.ReadCount();
    ar.RequireElements(n, kMinEntrySize);
    for (std::uint32_t i = 0; i < n; ++i) {
        if (!ar.ReadObjectHeader({kFraesDatenClassName})) continue;
        auto d = std::make_unique<CFraesDaten>();
        d->m_points = ar.ReadPointArray();
        k->m_paths.push_back(std::move(d));
    }
    k->m_points = ar.ReadPointArray();
    return k;
}

// Everything a job file replaces, read aside so that a damaged file changes nothing.
struct JobData {
    std::string materialName;
    double materialThickness = 0.0;
    std::int32_t jobReserved = 0;
    double zTop = 0.0, zBottom = 0.0, safetyDistance = 0.0;
    std::int32_t zReference = 0, depthMode = 0;
    double maxPassDepth = 0.0, extraDepth = 0.0, plotterUnit = 0.0;
    std::vector<std::uint32_t> toolColoursB;
    std::vector<CWerkzeug> tools;
    std::vector<double> toolDiameter, toolDepth;
    std::vector<std::int32_t> toolSide;
    std::vector<double> toolValueC, toolFeedXY, toolFeedZ;
    std::vector<std::unique_ptr<CFraesKontur>> millingList;
};

// Reads the fields after the version text; throws ArchiveError on anything it cannot take.
JobData ReadJobFields(ArchiveReader& ar) {
    JobData j;
    j.materialName = ar.ReadString();
    j.materialThickness = ar.ReadDouble();
    j.jobReserved = ar.ReadInt32();
    j.zTop = ar.ReadDouble();
    j.zBottom = ar.ReadDouble();
    j.safetyDistance = ar.ReadDouble();
    j.zReference = ar.ReadInt32();
    j.depthMode = ar.ReadInt32();
    j.maxPassDepth = ar.ReadDouble();
    j.extraDepth = ar.ReadDouble();
    j.plotterUnit = ar.ReadDouble();
    j.toolColoursB = ar.ReadUInt32Array();
    ReadToolList(ar, j.tools);
    j.toolDiameter = ar.ReadDoubleArray();
    j.toolDepth = ar.ReadDoubleArray();
    j.toolSide = ar.ReadInt32Array();
    j.toolValueC = ar.ReadDoubleArray();
    j.toolFeedXY = ar.ReadDoubleArray();
    j.toolFeedZ = ar.ReadDoubleArray();
    const std::uint32_t n = ar.ReadCount();
    ar.RequireElements(n, kMinEntrySize);
    for (std::uint32_t i = 0; i < n; ++i) {
        if (!ar.ReadObjectHeader({kFraesKonturClassName})) continue;
        auto k = ReadKontur(ar);
        // The colour rule after loading indexes the colour table by the contour's tool.
        if (k->m_tool < 0 || static_cast<std::size_t>(k->m_tool) >= j.toolColoursB.size())
            ar.Fail(texts::kJobToolOutsideTable);
        j.millingList.push_back(std::move(k));
    }
    return j;
}

// A job is milled as it is loaded: a value that no dialog accepts makes the file damaged.
void CheckProgramValues(ArchiveReader& ar, const JobData& j) {
    CQuenkApp probe;
    probe.m_materialThickness = j.materialThickness;
    probe.m_zTop = j.zTop;
    probe.m_zBottom = j.zBottom;
    probe.m_safetyDistance = j.safetyDistance;
    probe.m_zReference = j.zReference;
    probe.m_depthMode = j.depthMode;
    probe.m_maxPassDepth = j.maxPassDepth;
    probe.m_extraDepth = j.extraDepth;
    probe.m_plotterUnit = j.plotterUnit;
    probe.m_toolDepth = j.toolDepth;
    probe.m_toolFeedXY = j.toolFeedXY;
    const std::string complaint = ProgramValueComplaint(probe);
    if (!complaint.empty()) ar.Fail(complaint);
}

void Apply(CQuenkApp& app, JobData&& j) {
    app.m_materialName = std::move(j.materialName);
    app.m_materialThickness = j.materialThickness;
    app.m_jobReserved = j.jobReserved;
    app.m_zTop = j.zTop;
    app.m_zBottom = j.zBottom;
    app.m_safetyDistance = j.safetyDistance;
    app.m_zReference = j.zReference;
    app.m_depthMode = j.depthMode;
    app.m_maxPassDepth = j.maxPassDepth;
    app.m_extraDepth = j.extraDepth;
    app.m_plotterUnit = j.plotterUnit;
    app.m_toolColoursB = std::move(j.toolColoursB);
    app.m_tools = std::move(j.tools);
    app.m_toolDiameter = std::move(j.toolDiameter);
    app.m_toolDepth = std::move(j.toolDepth);
    app.m_toolSide = std::move(j.toolSide);
    app.m_toolValueC = std::move(j.toolValueC);
    app.m_toolFeedXY = std::move(j.toolFeedXY);
    app.m_toolFeedZ = std::move(j.toolFeedZ);
    app.m_millingList = std::move(j.millingList);
}

// The view draws each tool in the colour its contours were added with; the last contour of
// a tool decides.
void TakeContourColours(CQuenkApp& app) {
    for (const auto& k : app.m_millingList) {
        const std::int32_t t = k->m_tool;
        if (t >= 0 && static_cast<std::size_t>(t) < app.m_toolColoursB.size())
            app.m_toolColoursB[static_cast<std::size_t>(t)] = k->m_toolColor;
    }
}
}  // namespace

std::string SerializeJob(const CQuenkApp& app) {
    ArchiveWriter ar;
    ar.WriteString(app.m_strJobVersion);
    ar.WriteString(app.m_materialName);
    ar.WriteDouble(app.m_materialThickness);
    ar.WriteInt32(app.m_jobReserved);
    ar.WriteDouble(app.m_zTop);
    ar.WriteDouble(app.m_zBottom);
    ar.WriteDouble(app.m_safetyDistance);
    ar.WriteInt32(app.m_zReference);
    ar.WriteInt32(app.m_depthMode);
    ar.WriteDouble(app.m_maxPassDepth);
    ar.WriteDouble(app.m_extraDepth);
    ar.WriteDouble(app.m_plotterUnit);
    ar.WriteUInt32Array(app.m_toolColoursB);
    WriteToolList(ar, app.m_tools);
    ar.WriteDoubleArray(app.m_toolDiameter);
    ar.WriteDoubleArray(app.m_toolDepth);
    ar.WriteInt32Array(app.m_toolSide);
    ar.WriteDoubleArray(app.m_toolValueC);
    ar.WriteDoubleArray(app.m_toolFeedXY);
    ar.WriteDoubleArray(app.m_toolFeedZ);
    ar.WriteCount(app.m_millingList.size());
    for (const auto& k : app.m_millingList) WriteKontur(ar, *k);
    return ar.Bytes();
}

bool SaveJob(CQuenkApp& app, const std::string& path) {
    AtomicFile file(path);
    if (!file.IsOpen()) return false;
    {
        WaitCursor wait(Ui());
        const std::string bytes = SerializeJob(app);
        file.Stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    if (file.Commit()) return true;
    Ui().Message(texts::kJobWriteError + path);
    return false;
}

void OnSaveJob(CQuenkApp& app) {
    FileQuestion q;
    q.filter = texts::kJobFilter;
    q.defaultExtension = "Quenk";
    q.suggestedName = app.m_drawingTitle;
    if (const auto path = Ui().AskSaveFile(q)) SaveJob(app, *path);
}

bool LoadJobBytes(CQuenkApp& app, std::string_view bytes) {
    ArchiveReader ar(bytes);
    try {
        if (ar.ReadString() != app.m_strJobVersion) {
            Ui().Message(texts::kWrongJobVersion);
            return false;
        }
        JobData job = ReadJobFields(ar);
        CheckProgramValues(ar, job);
        Apply(app, std::move(job));
    } catch (const ArchiveError& e) {
        Ui().Message(texts::kJobDamaged + std::string(e.what()));
        return false;
    }
    ComputeJobExtent(app);
    TakeContourColours(app);
    return true;
}

bool LoadJob(CQuenkApp& app, const std::string& path) {
    if (app.m_bSaveSettingsOnExit) {
        app.SaveSettings();
        app.m_bSaveSettingsOnExit = 0;
    }
    std::string bytes;
    {
        WaitCursor wait(Ui());
        if (ReadFileBytes(path, bytes) != ReadStatus::Ok) return false;
    }
    return LoadJobBytes(app, bytes);
}
