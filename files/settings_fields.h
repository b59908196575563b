#pragma once
// The fields of the settings file "QuenkV4.dat" in file order (see files/file_fields.h),
// with the settings dialog's labels and ranges.

#include <span>

#include "files/file_fields.h"

// The format versions by age; a field is in every version from its `since` on.
inline constexpr std::uint8_t kSettingsV40 = 0, kSettingsV41 = 1, kSettingsV42 = 2, kSettingsV46 = 3;

// The version text first, then fields 2 to 57.
std::span<const FileField> SettingsFields();
