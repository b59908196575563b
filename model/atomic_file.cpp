#include "model/atomic_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace {
// A name beside the target that no other writer of the same target uses at the same time.
std::string TempNameFor(const std::string& target) {
    return target + ".tmp" + std::to_string(static_cast<long>(::getpid()));
}

// Makes the written bytes durable before the rename, so that a crash cannot leave the
// target renamed onto an empty file.
bool SyncFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}
}  // namespace

AtomicFile::AtomicFile(std::string target) : m_target(std::move(target)), m_temp(TempNameFor(m_target)) {
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
    if (!written || m_out.fail() || !SyncFile(m_temp)) {
        std::filesystem::remove(m_temp, ec);
        return false;
    }
    std::filesystem::rename(m_temp, m_target, ec);
    if (ec) {
        std::filesystem::remove(m_temp, ec);
        return false;
    }
    return true;
}

void AtomicFile::Abort() {
    if (m_out.is_open()) m_out.close();
    m_done = true;
    std::error_code ec;
    std::filesystem::remove(m_temp, ec);
}
