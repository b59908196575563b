#pragma once
// The 48-byte archive record of a tool and the object list of tools, shared by the settings
// file and the job file.

#include <vector>

#include "files/archive.h"
#include "model/werkzeug.h"

inline constexpr const char* kWerkzeugClassName = "CWerkzeug";
inline constexpr std::size_t kWerkzeugRecordSize = 48;

void WriteWerkzeug(ArchiveWriter& ar, const CWerkzeug& t);
CWerkzeug ReadWerkzeug(ArchiveReader& ar);

// The object list of tools: a count and each tool with its class tag.
void WriteToolList(ArchiveWriter& ar, const std::vector<CWerkzeug>& tools);
// Appends to `tools` as it reads, so that the tools before a damaged entry are kept when
// ArchiveError leaves. A null entry keeps its place as a tool with the defaults, because the
// position in the list is the tool number.
void ReadToolList(ArchiveReader& ar, std::vector<CWerkzeug>& tools);
