#include "output/handoff.h"

#include <gtest/gtest.h>

#include "model/platform.h"
#include "model/quenk_app.h"
#include "support/scripted_interaction.h"

// The hand-off to a WinPC-NC stand-in and the port on a terminal are tested through quenk-cli
// and in tests/platform; here the port is a double that fails on call.
namespace {
using Shown = std::vector<std::string>;

// What the port double refuses, and what it was told.
struct PortScript {
    bool queues = true, read = true, write = true, closed = false;
    SerialLineSettings written;
};

struct FakePort : SerialPort {
    PortScript& p;
    explicit FakePort(PortScript& script) : p(script) {}
    ~FakePort() override { p.closed = true; }
    bool SetQueueSizes(std::int32_t in, std::int32_t out) override { return p.queues && in == 32768 && out == 2048; }
    std::optional<SerialLineSettings> ReadSettings() override {
        if (!p.read) return std::nullopt;
        return SerialLineSettings{9600, 7, 2, SerialLineSettings::Parity::Odd, true, true, true, true, true, true};
    }
    bool WriteSettings(const SerialLineSettings& s) override { return (p.written = s), p.write; }
};

struct FakePlatform : Platform {
    std::optional<PortScript> port;  // none: the port does not open
    bool RegistryKeyExists(const std::string&) override { return false; }
    std::optional<std::string> ReadRegistryString(const std::string&, const std::string&) override { return {}; }
    bool FileExists(const std::string&) override { return false; }
    bool StartProgram(const std::string&, int) override { return false; }
    std::unique_ptr<SerialPort> OpenSerialPort(const std::string&) override {
        return port ? std::make_unique<FakePort>(*port) : nullptr;
    }
};
}  // namespace

TEST(ComPort, OpensComNWithTheControllersLineSettingsOrClosesItAndSwitchesTheControllerOff) {
    // Whether the port opens, takes its queue sizes, gives and takes its settings.
    const struct { bool open, queues, read, write; Shown shown; } cases[] = {
        {true, true, true, true, {}}, {false, true, true, true, {"COM Open Error", "Kann COM-Port nicht öffnen"}},
        {true, false, true, true, {"COM Buffer Error", "Kann COM-Port nicht öffnen"}},
        {true, true, false, true, {"Kann COM-Port nicht öffnen"}}, {true, true, true, false, {"Kann COM-Port nicht öffnen"}}};
    for (const auto& c : cases) {
        ScriptedSession s;
        CQuenkApp app;
        app.m_bUseComPort = 1;
        FakePlatform platform;
        if (c.open) platform.port = PortScript{c.queues, c.read, c.write, false, {}};
        SwitchOnComPort(app, platform);
        EXPECT_EQ(s.ui.shown, c.shown);
        const bool ok = c.shown.empty();
        EXPECT_EQ(std::make_tuple(app.m_bUseComPort == 1, app.m_comHandle != nullptr, platform.port && !platform.port->closed),
                  std::make_tuple(ok, ok, ok));
        if (!ok) continue;
        const SerialLineSettings& w = platform.port->written;
        EXPECT_EQ(std::tie(w.baudRate, w.dataBits, w.stopBits, w.parity), std::make_tuple(115200, 8, 1, SerialLineSettings::Parity::Odd));
        EXPECT_FALSE(w.parityCheck || w.ctsOutputFlow || w.dsrOutputFlow || w.dtrOn || w.rtsOn || w.dsrSensitivity);
        CloseComPort(app);
        EXPECT_TRUE(platform.port->closed);
    }
}

TEST(SerialStart, AsksBothConfirmationsOnlyWithTheControllerOn) {
    const std::tuple<std::uint8_t, std::deque<bool>, Shown> cases[] = {
        {0, {}, {"Zelvator oder Lotrix nicht vorhanden"}}, {1, {false}, {"CLotrixInfo"}},
        {1, {true, false}, {"CLotrixInfo", "CLotrixSet"}}, {1, {true, true}, {"CLotrixInfo", "CLotrixSet"}}};
    for (const auto& [on, answers, shown] : cases) {
        ScriptedSession s;
        s.ui.lotrix = answers;
        CQuenkApp app;
        app.m_bUseComPort = on;
        EXPECT_EQ(OnSerialStart(app), answers.size() == 2 && answers.back());
        EXPECT_EQ(s.ui.shown, shown);
    }
}
