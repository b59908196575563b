// "-> WinPC-PC" through quenk-cli and the Qt platform, with a script standing in for
// WinPC-NC: it notes that it ran and with how many arguments, and takes the hand-off file
// away, so that a second write shows as the file being there again.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "cli/cli_run.h"

namespace {
namespace fs = std::filesystem;

struct FakeWinPc {
    ScratchDir dir;
    std::string program;
    explicit FakeWinPc(const std::string& name, std::size_t programLength = 0) : dir(name) {
        const std::string base = dir / "";
        program = base + std::string(programLength > base.size() + 6 ? programLength - base.size() - 6 : 3, 'w') + "PC.EXE";
        ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
        std::ofstream(program) << "#!/bin/sh\nd=$(dirname \"$0\")\necho $# >\"$d/ran\"\n"
                                  "mv \"${0%EXE}TMP\" \"$d/seen\"\n";
        fs::permissions(program, fs::perms::owner_all);
    }
    ~FakeWinPc() { ::unsetenv("XDG_CONFIG_HOME"); }
    void Register() const {
        fs::create_directories(dir / "config/BLSoft");
        std::ofstream(dir / "config/BLSoft/WinPC-NC.conf") << "[General]\nEXEPath=" << program << "\n";
    }
    std::string With(const char* extension) const { return program.substr(0, program.size() - 3) + extension; }
    // What the hand-off showed on stderr, after the note that there is no settings file.
    std::string Run() const {
        const std::string err = RunCli(dir, "--set m_materialThickness=5 winpc").err;
        const std::string noSettings = dir / "QuenkV4.dat" + " nicht gefunden\n";
        return err.rfind(noSettings, 0) == 0 ? err.substr(noSettings.size()) : err;
    }
    std::string ProgramLine() const { return "\r\n%" + With("TMP") + "\r\n"; }
};
}  // namespace

TEST(CliWinPc, WithoutTheMarkerTheControllerStartsAndFindsTheProgramWrittenTwice) {
    FakeWinPc w("winpc-start");
    w.Register();
    EXPECT_EQ(w.Run(), "");
    EXPECT_EQ(ReadAll(w.dir / "ran"), "0\n");
    EXPECT_NE(ReadAll(w.dir / "seen").find(w.ProgramLine()), std::string::npos);
    EXPECT_EQ(ReadAll(w.With("TMP")), ReadAll(w.dir / "seen"));
}

TEST(CliWinPc, WithTheMarkerTheProgramIsWrittenAndNothingStarted) {
    FakeWinPc w("winpc-marker");
    w.Register();
    std::ofstream(w.With("FIL")) << "";
    EXPECT_EQ(w.Run(), "");
    EXPECT_FALSE(fs::exists(w.dir / "ran"));
    EXPECT_NE(ReadAll(w.With("TMP")).find(w.ProgramLine()), std::string::npos);
}

TEST(CliWinPc, ALongPathIsNotFoundAndAMissingKeyDoesNothing) {
    FakeWinPc longPath("winpc-long", 80);
    ASSERT_EQ(longPath.program.size(), 80u);
    longPath.Register();
    EXPECT_EQ(longPath.Run(), "WinPC-NC nicht gefunden\n");
    EXPECT_FALSE(fs::exists(longPath.With("TMP")));

    FakeWinPc unregistered("winpc-none");
    EXPECT_EQ(unregistered.Run(), "");
    EXPECT_FALSE(fs::exists(unregistered.With("TMP")));
    EXPECT_FALSE(fs::exists(unregistered.dir / "ran"));
}
