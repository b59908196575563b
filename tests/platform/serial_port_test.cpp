// The serial controller's port through Qt on a pseudo-terminal: the line settings are read
// back from the terminal itself, outside Qt.

#include <QSettings>
#include <gtest/gtest.h>

#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include "model/platform.h"
#include "model/quenk_app.h"
#include "output/handoff.h"
#include "platform/qt_platform.h"
#include "support/scripted_interaction.h"

namespace {
void NamePortDevice(const QString& port, const QString& device) {
    QSettings profile(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quenk"), QStringLiteral("Quenk"));
    profile.setValue(QStringLiteral("Ports/") + port, device);
    profile.sync();
}

struct Pty {
    int master = -1, slave = -1;
    char name[256] = {};
    Pty() { EXPECT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0); }
    ~Pty() {
        ::close(slave);
        ::close(master);
    }
};
}  // namespace

TEST(QtSerialPort, OpensTheNamedDeviceWith115200Baud8N1AndNoFlowControl) {
    Pty pty;
    // Start from settings that differ in every field the port must set.
    termios before{};
    ASSERT_EQ(::tcgetattr(pty.slave, &before), 0);
    ::cfsetispeed(&before, B9600);
    ::cfsetospeed(&before, B9600);
    before.c_cflag = (before.c_cflag & ~CSIZE) | CS7 | CSTOPB | PARENB | CRTSCTS;
    before.c_iflag |= IXON | IXOFF;
    ASSERT_EQ(::tcsetattr(pty.slave, TCSANOW, &before), 0);
    NamePortDevice(QStringLiteral("COM3"), QString::fromLocal8Bit(pty.name));

    ScriptedSession s;
    CQuenkApp app;
    app.m_comPort = 3;
    app.m_bUseComPort = 1;
    QtPlatform platform;
    SwitchOnComPort(app, platform);
    EXPECT_TRUE(s.ui.shown.empty());
    ASSERT_TRUE(app.m_comHandle);
    EXPECT_EQ(app.m_bUseComPort, 1);

    termios t{};
    ASSERT_EQ(::tcgetattr(pty.slave, &t), 0);
    EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B115200));
    EXPECT_EQ(::cfgetispeed(&t), static_cast<speed_t>(B115200));
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t.c_cflag & (CSTOPB | PARENB | CRTSCTS), 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | INPCK), 0u);

    CloseComPort(app);
    EXPECT_FALSE(app.m_comHandle);
}

TEST(QtSerialPort, AMissingDeviceSwitchesTheControllerOff) {
    NamePortDevice(QStringLiteral("COM4"), QStringLiteral("/nonexistent/ttyQuenk"));
    ScriptedSession s;
    CQuenkApp app;
    app.m_comPort = 4;
    app.m_bUseComPort = 1;
    QtPlatform platform;
    SwitchOnComPort(app, platform);
    EXPECT_EQ(s.ui.shown, (std::vector<std::string>{"COM Open Error", "Kann COM-Port nicht öffnen"}));
    EXPECT_EQ(app.m_bUseComPort, 0);
    EXPECT_FALSE(app.m_comHandle);
}

TEST(QtSerialPort, PortNamesMapToSerialDevicesUnlessTheProfileNamesOne) {
    NamePortDevice(QStringLiteral("COM2"), QStringLiteral("/dev/ttyUSB0"));
    const std::pair<const char*, const char*> cases[] = {
        {"COM1", "/dev/ttyS0"}, {"COM6", "/dev/ttyS5"}, {"COM2", "/dev/ttyUSB0"}, {"COM0", "COM0"}};
    for (const auto& [port, device] : cases) EXPECT_EQ(SerialDeviceFor(QString::fromLatin1(port)).toStdString(), device) << port;
}
