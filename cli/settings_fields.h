#pragma once
// The application's settings and tables by their member names, for `--set NAME=VALUE` and
// for the dump.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "model/quenk_app.h"

using SettingMember =
    std::variant<double CQuenkApp::*, std::int32_t CQuenkApp::*, std::uint32_t CQuenkApp::*,
                 std::uint8_t CQuenkApp::*, std::string CQuenkApp::*, std::vector<std::int32_t> CQuenkApp::*,
                 std::vector<std::uint32_t> CQuenkApp::*, std::vector<double> CQuenkApp::*>;

struct SettingField {
    const char* name;
    SettingMember member;
};

// Every scalar setting, table and job value of the application, in settings-file order
// first, then the job and mode values.
const std::vector<SettingField>& SettingFields();

// Sets one scalar setting from text; false with a reason when the name is unknown, the
// member is a table, or the value does not parse completely.
bool SetSetting(CQuenkApp& app, const std::string& name, const std::string& value, std::string& error);
