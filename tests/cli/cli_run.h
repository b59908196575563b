#pragma once
// Runs quenk-cli in a fresh directory and captures its exit status, stdout and stderr.

#include <cstdio>
#include <cstdlib>
#include <string>

#include <sys/wait.h>

#include "support/temp_dir.h"

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs quenk-cli with args (already shell-quoted where needed) in dir.
inline CliResult RunCli(const TempDir& dir, const std::string& args) {
    const std::string out = dir.File("stdout.txt");
    const std::string err = dir.File("stderr.txt");
    const std::string cmd = "cd '" + dir.path.string() + "' && '" + QUENK_CLI_PATH + "' " + args + " >'" + out +
                            "' 2>'" + err + "' </dev/null";
    const int raw = std::system(cmd.c_str());
    CliResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadFile(out);
    r.err = ReadFile(err);
    return r;
}
