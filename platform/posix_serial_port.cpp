// The serial port over termios: raw bytes both ways, no echo, no line editing, no software
// flow control, so that a controller's protocol passes through unchanged.

#include "platform/posix_serial_port.h"

#include <cerrno>
#include <chrono>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {
using Parity = SerialLineSettings::Parity;

constexpr std::pair<speed_t, std::int32_t> kSpeeds[] = {
    {B1200, 1200},   {B2400, 2400},   {B4800, 4800},     {B9600, 9600},     {B19200, 19200},
    {B38400, 38400}, {B57600, 57600}, {B115200, 115200}, {B230400, 230400},
};
constexpr std::pair<tcflag_t, std::int32_t> kSizes[] = {{CS5, 5}, {CS6, 6}, {CS7, 7}, {CS8, 8}};

// How long a write may find the driver's queue full before the device counts as gone: at
// 115200 baud a full queue drains in well under a second.
constexpr auto kWriteStall = std::chrono::seconds(5);
constexpr std::size_t kReadChunk = 4096;

class PosixSerialPort : public SerialPort {
public:
    explicit PosixSerialPort(int fd) : m_fd(fd) {}
    ~PosixSerialPort() override { ::close(m_fd); }
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    // The terminal driver's queues have sizes of their own that cannot be set.
    bool SetQueueSizes(std::int32_t, std::int32_t) override { return true; }

    std::optional<SerialLineSettings> ReadSettings() override {
        termios t{};
        if (::tcgetattr(m_fd, &t) != 0) return std::nullopt;
        SerialLineSettings s;
        for (const auto& [speed, baud] : kSpeeds)
            if (::cfgetospeed(&t) == speed) s.baudRate = baud;
        for (const auto& [size, bits] : kSizes)
            if ((t.c_cflag & CSIZE) == size) s.dataBits = bits;
        s.stopBits = (t.c_cflag & CSTOPB) ? 2 : 1;
        const bool odd = t.c_cflag & PARODD, sticky = t.c_cflag & CMSPAR;
        s.parity = !(t.c_cflag & PARENB) ? Parity::None
                   : sticky              ? (odd ? Parity::Mark : Parity::Space)
                                         : (odd ? Parity::Odd : Parity::Even);
        s.parityCheck = t.c_iflag & INPCK;
        s.ctsOutputFlow = t.c_cflag & CRTSCTS;
        int lines = 0;
        if (::ioctl(m_fd, TIOCMGET, &lines) == 0) {
            s.dtrOn = lines & TIOCM_DTR;
            s.rtsOn = lines & TIOCM_RTS;
        }
        return s;
    }

    bool WriteSettings(const SerialLineSettings& s) override {
        termios t{};
        if (::tcgetattr(m_fd, &t) != 0) return false;
        const speed_t* speed = nullptr;
        for (const auto& [sp, baud] : kSpeeds)
            if (baud == s.baudRate) speed = &sp;
        const tcflag_t* size = nullptr;
        for (const auto& [sz, bits] : kSizes)
            if (bits == s.dataBits) size = &sz;
        // One and a half stop bits has no termios setting.
        if (!speed || !size || (s.stopBits != 1 && s.stopBits != 2)) return false;
        t.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | INPCK);
        if (s.parityCheck) t.c_iflag |= INPCK;
        t.c_oflag &= ~tcflag_t(OPOST);
        t.c_lflag &= ~tcflag_t(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
        t.c_cflag &= ~tcflag_t(CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS);
        t.c_cflag |= *size | CREAD | CLOCAL;
        if (s.stopBits == 2) t.c_cflag |= CSTOPB;
        if (s.parity != Parity::None) t.c_cflag |= PARENB;
        if (s.parity == Parity::Odd || s.parity == Parity::Mark) t.c_cflag |= PARODD;
        if (s.parity == Parity::Mark || s.parity == Parity::Space) t.c_cflag |= CMSPAR;
        if (s.ctsOutputFlow) t.c_cflag |= CRTSCTS;
        t.c_cc[VMIN] = 0;
        t.c_cc[VTIME] = 0;
        if (::cfsetispeed(&t, *speed) != 0 || ::cfsetospeed(&t, *speed) != 0 || ::tcsetattr(m_fd, TCSANOW, &t) != 0)
            return false;
        return SetModemLine(TIOCM_DTR, s.dtrOn) && (s.ctsOutputFlow || SetModemLine(TIOCM_RTS, s.rtsOn));
    }

    bool CanStream() const override { return true; }

    bool Write(std::string_view bytes) override {
        auto lastProgress = std::chrono::steady_clock::now();
        while (!bytes.empty()) {
            const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
            if (n > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(n));
                lastProgress = std::chrono::steady_clock::now();
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno != EAGAIN) return false;
            if (std::chrono::steady_clock::now() - lastProgress > kWriteStall) return false;
            pollfd p{m_fd, POLLOUT, 0};
            if (::poll(&p, 1, 100) < 0 && errno != EINTR) return false;
            if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) return false;
        }
        return true;
    }

    bool Read(std::string& into, int timeoutMs) override {
        pollfd p{m_fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, timeoutMs);
        if (ready < 0) return errno == EINTR;
        if (ready == 0) return true;
        if (p.revents & (POLLERR | POLLNVAL)) return false;
        char buffer[kReadChunk];
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n > 0) {
            into.append(buffer, static_cast<std::size_t>(n));
            return true;
        }
        // Nothing to read although poll said so: the other end hung up.
        if (n == 0) return false;
        return errno == EAGAIN || errno == EINTR;
    }

private:
    // A device without modem lines (a pseudo-terminal, some adapters) has no DTR or RTS to
    // drive; that is no failure of the set-up.
    bool SetModemLine(int line, bool on) {
        if (::ioctl(m_fd, on ? TIOCMBIS : TIOCMBIC, &line) == 0) return true;
        return errno == ENOTTY || errno == EINVAL;
    }

    int m_fd;
};
}  // namespace

std::unique_ptr<SerialPort> OpenPosixSerialPort(const std::string& device) {
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    // Unshared: no second program may write to a machine while this one drives it.
    if (!::isatty(fd) || ::ioctl(fd, TIOCEXCL) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<PosixSerialPort>(fd);
}
