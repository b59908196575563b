#include "output/handoff.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/platform.h"
#include "model/quenk_app.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace {
using Shown = std::vector<std::string>;

struct FakePort : SerialPort {
    bool* closed;
    bool queuesOk = true, readOk = true, writeOk = true;
    std::optional<SerialLineSettings> written;
    SerialLineSettings current;
    explicit FakePort(bool* c) : closed(c) {}
    ~FakePort() override { *closed = true; }
    bool SetQueueSizes(std::int32_t in, std::int32_t out) override { return queuesOk && in == 32768 && out == 2048; }
    std::optional<SerialLineSettings> ReadSettings() override {
        if (!readOk) return std::nullopt;
        return current;
    }
    bool WriteSettings(const SerialLineSettings& s) override {
        written = s;
        return writeOk;
    }
};

// The registry holds what the test puts there; a started program takes the hand-off file
// away, as a control program that loads it would.
struct FakePlatform : Platform {
    bool keyExists = true;
    std::optional<std::string> exePath;
    bool startOk = true;
    std::vector<std::string> started;
    std::string handOffSeenAtStart;
    std::string portName;
    std::function<void(FakePort&)> setUpPort;
    bool portClosed = false;

    bool RegistryKeyExists(const std::string& key) override { return keyExists && key == "Software\\BLSoft\\WinPC-NC"; }
    std::optional<std::string> ReadRegistryString(const std::string&, const std::string& value) override {
        return value == "EXEPath" ? exePath : std::nullopt;
    }
    bool FileExists(const std::string& path) override { return std::filesystem::exists(path); }
    bool StartProgram(const std::string& path, int waitMilliseconds) override {
        EXPECT_EQ(waitMilliseconds, 1000);
        if (!startOk) return false;
        started.push_back(path);
        const std::string handOff = path.substr(0, path.size() - 3) + "TMP";
        handOffSeenAtStart = ReadFile(handOff);
        std::filesystem::remove(handOff);
        return true;
    }
    std::unique_ptr<SerialPort> OpenSerialPort(const std::string& name) override {
        portName = name;
        if (!setUpPort) return nullptr;
        auto port = std::make_unique<FakePort>(&portClosed);
        setUpPort(*port);
        return port;
    }
};

struct HandOff {
    ScriptedSession s;
    CQuenkApp app;
    FakePlatform platform;
    TempDir dir;
    HandOff() {
        app.m_materialThickness = 5.0;
        app.m_drawingTitle = "Schild";
        platform.exePath = dir.File("WINPC.EXE");
    }
};
}  // namespace

TEST(WinPcHandOff, WithoutTheMarkerTheProgramIsWrittenStartedAndWrittenAgain) {
    HandOff h;
    OnWinPcHandOff(h.app, h.platform);
    EXPECT_EQ(h.s.ui.shown, (Shown{"save: Schild"}));
    EXPECT_EQ(h.platform.started, (Shown{h.dir.File("WINPC.EXE")}));
    EXPECT_NE(h.platform.handOffSeenAtStart.find("\r\n%" + h.dir.File("WINPC.TMP") + "\r\n"), std::string::npos);
    EXPECT_EQ(ReadFile(h.dir.File("WINPC.TMP")), h.platform.handOffSeenAtStart);
    EXPECT_EQ(h.app.m_skipOverwriteQuestion, 0);
}

TEST(WinPcHandOff, WithTheMarkerTheProgramIsOnlyWritten) {
    HandOff h;
    std::ofstream(h.dir.File("WINPC.FIL")) << "";
    std::ofstream(h.dir.File("WINPC.TMP")) << "old";
    OnWinPcHandOff(h.app, h.platform);
    EXPECT_TRUE(h.platform.started.empty());
    EXPECT_EQ(h.s.ui.shown, (Shown{"save: Schild"}));
    EXPECT_NE(ReadFile(h.dir.File("WINPC.TMP")).find("\r\n%" + h.dir.File("WINPC.TMP") + "\r\n"), std::string::npos);
}

TEST(WinPcHandOff, AProgramThatDoesNotStartIsReportedAfterOneWrite) {
    HandOff h;
    h.platform.startOk = false;
    OnWinPcHandOff(h.app, h.platform);
    EXPECT_EQ(h.s.ui.shown, (Shown{"save: Schild", "WinPC-NC nicht gestartet"}));
    EXPECT_TRUE(std::filesystem::exists(h.dir.File("WINPC.TMP")));
}

TEST(WinPcHandOff, WhatTheRegistryLacksStopsTheHandOff) {
    // The path with its terminating zero must fit into 80 bytes, and it needs an extension
    // to replace.
    const std::string dir = "/q/";
    const struct {
        bool key;
        std::optional<std::string> path;
        Shown shown;
    } cases[] = {
        {false, dir + "WINPC.EXE", {"save: Schild"}},
        {true, std::nullopt, {"save: Schild", "WinPC-NC nicht gefunden"}},
        {true, dir + std::string(76 - dir.size(), 'w') + ".EXE", {"save: Schild", "WinPC-NC nicht gefunden"}},
        {true, "EX", {"save: Schild", "WinPC-NC nicht gefunden"}},
        {true, dir + std::string(75 - dir.size(), 'w') + ".EXE", {"save: Schild", "WinPC-NC nicht gestartet"}},
    };
    for (const auto& c : cases) {
        HandOff h;
        h.platform.keyExists = c.key;
        h.platform.exePath = c.path;
        h.platform.startOk = false;
        OnWinPcHandOff(h.app, h.platform);
        EXPECT_EQ(h.s.ui.shown, c.shown) << c.path.value_or("(none)");
    }
}

TEST(ComPort, OpensComNWithTheControllersLineSettingsAndKeepsTheParity) {
    ScriptedSession s;
    CQuenkApp app;
    app.m_comPort = 3;
    FakePlatform platform;
    FakePort* port = nullptr;
    platform.setUpPort = [&](FakePort& p) {
        p.current.parity = SerialLineSettings::Parity::Odd;
        p.current.parityCheck = p.current.ctsOutputFlow = p.current.dsrOutputFlow = true;
        p.current.dtrOn = p.current.rtsOn = p.current.dsrSensitivity = true;
        port = &p;
    };
    ASSERT_TRUE(OpenComPort(app, platform));
    EXPECT_EQ(platform.portName, "COM3");
    ASSERT_TRUE(port->written);
    const SerialLineSettings& w = *port->written;
    EXPECT_EQ(std::tie(w.baudRate, w.dataBits, w.stopBits), std::make_tuple(115200, 8, 1));
    EXPECT_EQ(w.parity, SerialLineSettings::Parity::Odd);
    EXPECT_FALSE(w.parityCheck || w.ctsOutputFlow || w.dsrOutputFlow || w.dtrOn || w.rtsOn || w.dsrSensitivity);
    EXPECT_TRUE(s.ui.shown.empty());
    CloseComPort(app);
    EXPECT_TRUE(platform.portClosed);
}

TEST(ComPort, APortThatCannotBeSetUpIsClosedAndTheControllerSwitchedOff) {
    const struct {
        bool open, queues, read, write;
        Shown shown;
    } cases[] = {
        {false, true, true, true, {"COM Open Error", "Kann COM-Port nicht öffnen"}},
        {true, false, true, true, {"COM Buffer Error", "Kann COM-Port nicht öffnen"}},
        {true, true, false, true, {"Kann COM-Port nicht öffnen"}},
        {true, true, true, false, {"Kann COM-Port nicht öffnen"}},
    };
    for (const auto& c : cases) {
        ScriptedSession s;
        CQuenkApp app;
        app.m_bUseComPort = 1;
        FakePlatform platform;
        if (c.open)
            platform.setUpPort = [&](FakePort& p) {
                p.queuesOk = c.queues;
                p.readOk = c.read;
                p.writeOk = c.write;
            };
        SwitchOnComPort(app, platform);
        EXPECT_EQ(s.ui.shown, c.shown);
        EXPECT_EQ(app.m_bUseComPort, 0);
        EXPECT_FALSE(app.m_comHandle);
        EXPECT_EQ(platform.portClosed, c.open);
    }
}

TEST(SerialStart, AsksBothConfirmationsOnlyWithTheControllerOn) {
    const struct {
        std::uint8_t on;
        std::deque<bool> answers;
        Shown shown;
        bool result;
    } cases[] = {
        {0, {}, {"Zelvator oder Lotrix nicht vorhanden"}, false},
        {1, {false}, {"CLotrixInfo"}, false},
        {1, {true, false}, {"CLotrixInfo", "CLotrixSet"}, false},
        {1, {true, true}, {"CLotrixInfo", "CLotrixSet"}, true},
    };
    for (const auto& c : cases) {
        ScriptedSession s;
        s.ui.lotrix = c.answers;
        CQuenkApp app;
        app.m_bUseComPort = c.on;
        EXPECT_EQ(OnSerialStart(app), c.result);
        EXPECT_EQ(s.ui.shown, c.shown);
    }
}
