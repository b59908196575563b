#pragma once
// Runs quenk-cli in a scratch directory and captures its exit status, stdout and stderr.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// A fresh directory per test, removed afterwards.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& name)
        : m_path(std::filesystem::temp_directory_path() / ("quenk-test-" + name + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& Path() const { return m_path; }
    std::string operator/(const std::string& f) const { return (m_path / f).string(); }

private:
    std::filesystem::path m_path;
};

// Runs quenk-cli with args (already shell-quoted where needed) in dir.
inline CliResult RunCli(const ScratchDir& dir, const std::string& args) {
    const std::string out = dir / "stdout.txt";
    const std::string err = dir / "stderr.txt";
    const std::string cmd = "cd '" + dir.Path().string() + "' && '" + QUENK_CLI_PATH + "' " + args + " >'" + out +
                            "' 2>'" + err + "' </dev/null";
    const int raw = std::system(cmd.c_str());
    CliResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadAll(out);
    r.err = ReadAll(err);
    return r;
}
