#include "files/werkzeug_archive.h"

namespace {
// The smallest list entry: a null tag.
constexpr std::size_t kMinEntrySize = 2;
}  // namespace

void WriteWerkzeug(ArchiveWriter& ar, const CWerkzeug& t) {
    ar.WriteDouble(t.m_diameter);
    ar.WriteInt32(t.m_param2);
    ar.WriteUInt32(t.m_valueF);
    ar.WriteInt32(t.m_param1);
    ar.WriteInt32(t.m_side);
    ar.WriteInt32(t.m_param3);
    ar.WriteDouble(t.m_depth);
    ar.WriteInt32(t.m_param5);
    ar.WriteInt32(t.m_param4);
    ar.WriteUInt32(t.m_colour);
}

CWerkzeug ReadWerkzeug(ArchiveReader& ar) {
    CWerkzeug t;
    t.m_diameter = ar.ReadDouble();
    t.m_param2 = ar.ReadInt32();
    t.m_valueF = ar.ReadUInt32();
    t.m_param1 = ar.ReadInt32();
    t.m_side = ar.ReadInt32();
    t.m_param3 = ar.ReadInt32();
    t.m_depth = ar.ReadDouble();
    t.m_param5 = ar.ReadInt32();
    t.m_param4 = ar.ReadInt32();
    t.m_colour = ar.ReadUInt32();
    return t;
}

void WriteToolList(ArchiveWriter& ar, const std::vector<CWerkzeug>& tools) {
    ar.WriteCount(tools.size());
    for (const CWerkzeug& t : tools) {
        ar.WriteObjectHeader(kWerkzeugClassName);
        WriteWerkzeug(ar, t);
    }
}

void ReadToolList(ArchiveReader& ar, std::vector<CWerkzeug>& tools) {
    const std::uint32_t n = ar.ReadCount();
    ar.RequireElements(n, kMinEntrySize);
    for (std::uint32_t i = 0; i < n; ++i) {
        if (!ar.ReadObjectHeader({kWerkzeugClassName})) {
            tools.emplace_back();
            continue;
        }
        tools.push_back(ReadWerkzeug(ar));
    }
}
