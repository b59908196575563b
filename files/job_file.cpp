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
#include "files/file_fields.h"
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

// The job file's fields in file order, version text first; the milling list follows them.
const FileField kJobFields[] = {
    {QUENK_MEMBER(m_strJobVersion)},   {QUENK_MEMBER(m_materialName)},   {QUENK_MEMBER(m_materialThickness)},
    {QUENK_MEMBER(m_jobReserved)},     {QUENK_MEMBER(m_zTop)},           {QUENK_MEMBER(m_zBottom)},
    {QUENK_MEMBER(m_safetyDistance)},  {QUENK_MEMBER(m_zReference)},     {QUENK_MEMBER(m_depthMode)},
    {QUENK_MEMBER(m_maxPassDepth)},    {QUENK_MEMBER(m_extraDepth)},     {QUENK_MEMBER(m_plotterUnit)},
    {QUENK_MEMBER(m_toolColoursB)},    {QUENK_MEMBER(m_tools)},          {QUENK_MEMBER(m_toolDiameter)},
    {QUENK_MEMBER(m_toolDepth)},       {QUENK_MEMBER(m_toolSide)},       {QUENK_MEMBER(m_toolValueC)},
    {QUENK_MEMBER(m_toolFeedXY)},      {QUENK_MEMBER(m_toolFeedZ)},
};

std::span<const FileField> BodyFields() { return std::span<const FileField>(kJobFields).subspan(1); }

// Reads the fields after the version text into a state of their own, so that a damaged
// file changes nothing; throws ArchiveError on anything it cannot take.
std::unique_ptr<CQuenkApp> ReadJobFields(ArchiveReader& ar) {
    auto j = std::make_unique<CQuenkApp>();
    for (const FileField& f : BodyFields()) ReadField(ar, *j, f.member);
    const std::uint32_t n = ar.ReadCount();
    ar.RequireElements(n, kMinEntrySize);
    for (std::uint32_t i = 0; i < n; ++i) {
        if (!ar.ReadObjectHeader({kFraesKonturClassName})) continue;
        auto k = ReadKontur(ar);
        // The colour rule after loading indexes the colour table by the contour's tool.
        if (k->m_tool < 0 || static_cast<std::size_t>(k->m_tool) >= j->m_toolColoursB.size())
            ar.Fail(texts::kJobToolOutsideTable);
        j->m_millingList.push_back(std::move(k));
    }
    // A job is milled as it is loaded: a value that no dialog accepts makes the file damaged.
    const std::string complaint = ProgramValueComplaint(*j);
    if (!complaint.empty()) ar.Fail(complaint);
    return j;
}

void Apply(CQuenkApp& app, CQuenkApp& job) {
    for (const FileField& f : BodyFields()) MoveField(app, job, f.member);
    app.m_millingList = std::move(job.m_millingList);
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

std::span<const FileField> JobFields() { return kJobFields; }

std::string SerializeJob(const CQuenkApp& app) {
    ArchiveWriter ar;
    for (const FileField& f : kJobFields) WriteField(ar, app, f.member);
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
        Apply(app, *ReadJobFields(ar));
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
