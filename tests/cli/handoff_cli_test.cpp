// "-> WinPC-PC" through quenk-cli and the Qt platform, with a script standing in for
// WinPC-NC: it notes how many arguments it got and takes the hand-off file away, so that a
// second write shows as the file being there again.

#include <gtest/gtest.h>

#include <cstdlib>

#include "cli/cli_run.h"

namespace {
namespace fs = std::filesystem;

struct FakeWinPc {
    TempDir dir;
    std::string program;
    // A program path of the given length (0: short), registered as EXEPath unless told not to.
    explicit FakeWinPc(std::size_t length = 0, bool registered = true) {
        const std::size_t base = dir.File("").size() + 6;
        program = dir.File("") + std::string(length > base ? length - base : 3, 'w') + "PC.EXE";
        std::ofstream(program) << "#!/bin/sh\necho $# >\"$(dirname \"$0\")/ran\"\nmv \"${0%EXE}TMP\" \"${0%EXE}seen\"\n";
        fs::permissions(program, fs::perms::owner_all);
        fs::create_directories(dir.File("config/BLSoft"));
        if (registered) std::ofstream(dir.File("config/BLSoft/WinPC-NC.conf")) << "[General]\nEXEPath=" << program << "\n";
    }
    ~FakeWinPc() { ::unsetenv("XDG_CONFIG_HOME"); }
    std::string With(const char* extension) const { return program.substr(0, program.size() - 3) + extension; }
    bool HasProgram(const char* ext) const { return ReadFile(With(ext)).find("\r\n%" + With("TMP") + "\r\n") != std::string::npos; }
    // The hand-off's messages, after the note that there is no settings file.
    std::string Run() const {
        ::setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
        const std::string err = RunCli(dir, "--set m_materialThickness=5 winpc").err;
        const std::string noSettings = dir.File("QuenkV4.dat") + " nicht gefunden\n";
        return err.rfind(noSettings, 0) == 0 ? err.substr(noSettings.size()) : err;
    }
};
}  // namespace

TEST(CliWinPc, TheControllerFindsTheProgramWrittenTwiceOrIsNotStartedWhenItsMarkerIsThere) {
    FakeWinPc start, marked;
    std::ofstream(marked.With("FIL")) << "";
    for (const FakeWinPc* w : {&start, &marked}) {
        EXPECT_EQ(w->Run(), "");
        EXPECT_TRUE(w->HasProgram("TMP"));
    }
    EXPECT_EQ(ReadFile(start.dir.File("ran")), "0\n");
    EXPECT_TRUE(start.HasProgram("seen"));
    EXPECT_FALSE(fs::exists(marked.dir.File("ran")));
}

TEST(CliWinPc, AProgramThatCannotStartIsReportedAfterOneWrite) {
    FakeWinPc w;
    fs::permissions(w.program, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(w.Run(), "WinPC-NC nicht gestartet\n");
    EXPECT_TRUE(w.HasProgram("TMP"));
}

TEST(CliWinPc, ALongPathIsNotFoundAndAMissingKeyDoesNothing) {
    FakeWinPc longPath(80);
    ASSERT_EQ(longPath.program.size(), 80u);
    EXPECT_EQ(longPath.Run(), "WinPC-NC nicht gefunden\n");
    FakeWinPc unregistered(0, false);
    EXPECT_EQ(unregistered.Run(), "");
    for (const FakeWinPc* w : {&longPath, &unregistered}) EXPECT_FALSE(fs::exists(w->With("TMP")));
}
