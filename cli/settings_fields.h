#pragma once
// The application's settings, tables and job values by their member names, for
// `--set NAME=VALUE` and for the dump.

#include <string>
#include <vector>

#include "files/file_fields.h"

struct NamedMember {
    const char* name;
    AppMember member;
};

// The settings file's fields in file order, then the job file's that the settings file
// lacks, then the state of the running program that no file holds. The tool list is left
// out: the dump writes it after them, record by record.
const std::vector<NamedMember>& AppFields();

// Sets one scalar setting from text; false with a reason when the name is unknown, the
// member is a table, or the value does not parse completely.
bool SetSetting(CQuenkApp& app, const std::string& name, const std::string& value, std::string& error);
