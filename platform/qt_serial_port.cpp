// The serial controller's port over Qt Serial Port.

#include <QSerialPort>

#include "platform/posix_serial_port.h"
#include "platform/qt_platform.h"

namespace {
using Parity = SerialLineSettings::Parity;

QSerialPort::Parity ToQt(Parity p) {
    switch (p) {
        case Parity::Even: return QSerialPort::EvenParity;
        case Parity::Odd: return QSerialPort::OddParity;
        case Parity::Mark: return QSerialPort::MarkParity;
        case Parity::Space: return QSerialPort::SpaceParity;
        case Parity::None: break;
    }
    return QSerialPort::NoParity;
}

Parity FromQt(QSerialPort::Parity p) {
    switch (p) {
        case QSerialPort::EvenParity: return Parity::Even;
        case QSerialPort::OddParity: return Parity::Odd;
        case QSerialPort::MarkParity: return Parity::Mark;
        case QSerialPort::SpaceParity: return Parity::Space;
        default: return Parity::None;
    }
}

// One and a half stop bits, as the settings record counts them.
constexpr std::int32_t kOneAndHalfStop = 15;

class QtSerialPort : public SerialPort {
public:
    explicit QtSerialPort(const QString& device) { m_port.setPortName(device); }
    bool Open() { return m_port.open(QIODevice::ReadWrite); }

    bool SetQueueSizes(std::int32_t input, std::int32_t) override {
        // Qt keeps the received bytes in its own buffer, which takes the input queue's size;
        // what is written is queued by Qt without a bound, so the output size has no place.
        m_port.setReadBufferSize(input);
        return true;
    }

    std::optional<SerialLineSettings> ReadSettings() override {
        SerialLineSettings s;
        s.baudRate = m_port.baudRate();
        s.dataBits = m_port.dataBits();
        s.stopBits = m_port.stopBits() == QSerialPort::OneAndHalfStop ? kOneAndHalfStop : m_port.stopBits();
        s.parity = FromQt(m_port.parity());
        s.parityCheck = m_port.parity() != QSerialPort::NoParity;
        s.ctsOutputFlow = m_port.flowControl() == QSerialPort::HardwareControl;
        s.dtrOn = m_port.isDataTerminalReady();
        s.rtsOn = m_port.isRequestToSend();
        m_port.clearError();
        return s;
    }

    bool WriteSettings(const SerialLineSettings& s) override {
        const QSerialPort::StopBits stop = s.stopBits == kOneAndHalfStop ? QSerialPort::OneAndHalfStop
                                           : s.stopBits == 2             ? QSerialPort::TwoStop
                                                                         : QSerialPort::OneStop;
        // The parity stays as read. Qt has no switch of its own for checking it: a port
        // opened by Qt has none, so nothing is checked.
        const QSerialPort::Parity parity = ToQt(s.parity);
        const QSerialPort::FlowControl flow = s.ctsOutputFlow ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl;
        if (!m_port.setBaudRate(s.baudRate) || !m_port.setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits)) ||
            !m_port.setStopBits(stop) || !m_port.setParity(parity) || !m_port.setFlowControl(flow))
            return false;
        return SetModemLine(&QSerialPort::setDataTerminalReady, s.dtrOn) &&
               (s.ctsOutputFlow || SetModemLine(&QSerialPort::setRequestToSend, s.rtsOn));
    }

private:
    // A device without modem lines (a pseudo-terminal, some adapters) has no DTR or RTS to
    // drive; that is no failure of the set-up.
    bool SetModemLine(bool (QSerialPort::*set)(bool), bool on) {
        if ((m_port.*set)(on)) return true;
        const bool unsupported = m_port.error() == QSerialPort::UnsupportedOperationError;
        m_port.clearError();
        return unsupported;
    }

    QSerialPort m_port;
};
}  // namespace

std::unique_ptr<SerialPort> OpenQtSerialPort(const QString& device) {
    auto port = std::make_unique<QtSerialPort>(device);
    if (!port->Open()) return nullptr;
    return port;
}

// Elsewhere than on Windows the terminal interface serves: Qt's port reads the device on
// the thread that opened it, which would take the controller's answers away from a sender
// running on a thread of its own.
std::unique_ptr<SerialPort> QtPlatform::OpenSerialPort(const std::string& name) {
    const QString device = SerialDeviceFor(QString::fromStdString(name));
#ifdef Q_OS_WIN
    return OpenQtSerialPort(device);
#else
    return OpenPosixSerialPort(device.toStdString());
#endif
}
