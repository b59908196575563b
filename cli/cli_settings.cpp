#include "cli/cli_settings.h"

#include <filesystem>

#include "model/quenk_app.h"
#include "files/settings_file.h"

bool LoadCliSettings(CQuenkApp& app, const std::string& path, std::string& error) {
    std::error_code ec;
    if (!path.empty() && !std::filesystem::is_regular_file(path, ec)) {
        error = "cannot read settings file " + path;
        return false;
    }
    // A missing default file takes the program's own path: the message and the defaults.
    app.LoadSettings(path);
    // The command line never rewrites a settings file behind the user's back, not even when
    // a job file is loaded.
    app.m_bSaveSettingsOnExit = 0;
    return true;
}

bool WriteCliSettings(CQuenkApp& app, const std::string& path, std::string& error) {
    const std::string keptPath = app.m_settingsPath;
    const std::uint8_t keptFlag = app.m_bSaveSettingsOnExit;
    app.m_settingsPath = path;
    app.m_bSaveSettingsOnExit = 1;
    const bool ok = app.SaveSettings();
    app.m_settingsPath = keptPath;
    app.m_bSaveSettingsOnExit = keptFlag;
    if (!ok) error = "cannot write settings file " + path;
    return ok;
}
