// The serial controller's port through Qt on a pseudo-terminal, its line settings read back
// from the terminal itself.

#include <QSettings>
#include <gtest/gtest.h>

#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include "model/quenk_app.h"
#include "output/handoff.h"
#include "platform/qt_platform.h"
#include "support/scripted_interaction.h"

namespace {
// Switches the controller on at COM<port>, whose device the application profile names.
std::vector<std::string> SwitchOn(CQuenkApp& app, int port, const char* device) {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Quenk", "Quenk").setValue(QStringLiteral("Ports/COM%1").arg(port), device);
    ScriptedSession s;
    app.m_comPort = port;
    app.m_bUseComPort = 1;
    QtPlatform platform;
    SwitchOnComPort(app, platform);
    return s.ui.shown;
}
}  // namespace

TEST(QtSerialPort, OpensTheNamedDeviceWith115200Baud8N1AndNoFlowControlOrSwitchesTheControllerOff) {
    int master = -1, slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    CQuenkApp app;
    EXPECT_TRUE(SwitchOn(app, 3, name).empty());
    ASSERT_TRUE(app.m_comHandle);
    termios t{};
    ASSERT_EQ(::tcgetattr(slave, &t), 0);
    EXPECT_EQ(std::make_pair(::cfgetispeed(&t), ::cfgetospeed(&t)), std::make_pair(speed_t{B115200}, speed_t{B115200}));
    EXPECT_EQ(t.c_cflag & (CSIZE | CSTOPB | PARENB | CRTSCTS), tcflag_t{CS8});
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | INPCK), 0u);
    CloseComPort(app);
    EXPECT_FALSE(app.m_comHandle);
    ::close(slave);
    ::close(master);

    // A device that is not there switches the controller off.
    EXPECT_EQ(SwitchOn(app, 4, "/nonexistent/ttyQuenk"), (std::vector<std::string>{"COM Open Error", "Kann COM-Port nicht öffnen"}));
    EXPECT_EQ(app.m_bUseComPort, 0);
}

TEST(QtSerialPort, ComNIsTtySNMinusOneUnlessTheProfileNamesADevice) {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Quenk", "Quenk").setValue("Ports/COM2", "/dev/ttyUSB0");
    const std::pair<const char*, const char*> cases[] = {{"COM1", "/dev/ttyS0"}, {"COM6", "/dev/ttyS5"}, {"COM2", "/dev/ttyUSB0"}, {"COM0", "COM0"}};
    for (const auto& [port, device] : cases) EXPECT_EQ(SerialDeviceFor(port).toStdString(), device) << port;
}
