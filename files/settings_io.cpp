#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "files/atomic_file.h"
#include "files/file_bytes.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "files/settings_file.h"

namespace {
// A settings file is a few kilobytes; reading stops here so that a wrong file of any size
// cannot take the memory. A real file never comes near it.
constexpr std::size_t kMaxSettingsBytes = 16 * 1024 * 1024;

}  // namespace

std::string DefaultSettingsPath() {
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::current_path(ec);
    if (ec) return kSettingsFileName;
    return dir.string() + "/" + kSettingsFileName;
}

void CQuenkApp::LoadSettings(const std::string& path) {
    m_settingsPath = path.empty() ? DefaultSettingsPath() : path;
    std::string bytes;
    if (ReadFileBytes(m_settingsPath, bytes, kMaxSettingsBytes) != ReadStatus::CannotOpen) {
        LoadSettingsFromBytes(*this, bytes);
        return;
    }
    // No file: the defaults of a new file, then the user fills in the two dialogs.
    Ui().Message(m_settingsPath + settings_texts::kNotFound);
    ClearSettingsTables(*this);
    CompleteSettingsTables(*this);
    Ui().OpenDialog(DialogRequest::Settings);
    Ui().OpenDialog(DialogRequest::Tools);
}

bool CQuenkApp::SaveSettings() {
    if (!m_bSaveSettingsOnExit) return true;
    AtomicFile file(m_settingsPath);
    bool ok = file.IsOpen();
    if (ok) {
        const std::string bytes = EncodeSettings(*this);
        file.Stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        ok = file.Commit();
    }
    if (!ok) Ui().Message(settings_texts::kWriteError);
    return ok;
}
