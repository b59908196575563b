#include "files/atomic_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace {
// One name per target, in the target's folder (a rename never crosses file systems): a
// write that was killed leaves at most this one file, and the next write of the same
// target replaces it.
std::string TempNameFor(const std::string& target) { return target + ".tmp"; }

// Makes the written bytes durable before the rename, so that a crash cannot leave the
// target renamed onto an empty file.
bool SyncPath(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// Makes the rename itself durable. Some file systems cannot sync a folder; the new file is
// in place then all the same, so this is no failure of the write.
void SyncFolderOf(const std::string& path) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) folder = ".";
    SyncPath(folder.string(), O_RDONLY | O_DIRECTORY);
}
}  // namespace

std::string AtomicFile::TempPath(const std::string& target) { return TempNameFor(target); }

AtomicFile::AtomicFile(std::string target) : m_target(std::move(target)), m_temp(TempNameFor(m_target)) {
    // A leftover of a killed write goes first; so does a link of that name, which must not
    // lead the data elsewhere.
    std::error_code ec;
    std::filesystem::remove(m_temp, ec);
    m_out.open(m_temp, std::ios::binary | std::ios::trunc);
}

AtomicFile::~AtomicFile() {
    if (!m_done) Abort();
}

bool AtomicFile::Commit() {
    if (m_done || !m_out.is_open()) return false;
    m_out.flush();
    const bool written = static_cast<bool>(m_out);
    m_out.close();
    m_done = true;
    std::error_code ec;
    if (!written || m_out.fail() || !SyncPath(m_temp, O_RDONLY)) {
        std::filesystem::remove(m_temp, ec);
        return false;
    }
    std::filesystem::rename(m_temp, m_target, ec);
    if (ec) {
        std::filesystem::remove(m_temp, ec);
        return false;
    }
    SyncFolderOf(m_target);
    return true;
}

void AtomicFile::Abort() {
    if (m_out.is_open()) m_out.close();
    m_done = true;
    std::error_code ec;
    std::filesystem::remove(m_temp, ec);
}
