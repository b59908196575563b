#pragma once
// A GRBL controller on a pseudo-terminal, for the sender's tests and benchmark. It keeps a
// receive buffer as GRBL does (and records the most it held), takes
// real-time bytes out of the stream at once, answers every line with "ok" (at once, after a
// delay, or at a byte rate), answers "?" with a status report, and can be told to refuse a
// line, raise an alarm, stay silent until reset, or vanish.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <time.h>
#include <termios.h>
#include <unistd.h>

struct GrblSimOptions {
    bool greetAtStart = true;     // false: silent until a soft reset
    bool mute = false;            // answers nothing at all
    int ackDelayMs = 0;           // per line
    double bytesPerSecond = 0;    // > 0: lines are taken from the buffer no faster (the link's rate)
    std::size_t errorAtLine = 0;  // answer line n (from 1) with "error:<code>"
    std::size_t alarmAfterLine = 0;
    int code = 0;
    std::size_t vanishAfterLine = 0;  // close the device after line n
};

class GrblSimulator {
public:
    explicit GrblSimulator(GrblSimOptions options = {}) : m_options(options) {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(m_master);
        ::unlockpt(m_master);
        m_device = ::ptsname(m_master);
        // The terminal starts out cooked, with echo: raw from the start, so nothing the
        // controller says comes back to it.
        m_slave = ::open(m_device.c_str(), O_RDWR | O_NOCTTY);
        termios t{};
        ::tcgetattr(m_slave, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(m_slave, TCSANOW, &t);
        if (m_options.greetAtStart) Say("\r\nGrbl 1.1h ['$' for help]\r\n");
        m_thread = std::thread([this] { Loop(); });
    }
    ~GrblSimulator() {
        m_stop = true;
        m_thread.join();
        if (m_master >= 0) ::close(m_master);
        ::close(m_slave);
    }

    const std::string& Device() const { return m_device; }
    // Waits until the controller has taken in everything sent to it so far.
    void Quiet() const {
        for (pollfd p{m_master, POLLIN, 0}; m_master >= 0 && ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN);)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // What the controller received: the lines in order, the real-time bytes other than "?",
    // and the most bytes its buffer held (GRBL's holds 127).
    std::vector<std::string> Lines() const { return Locked(m_lines); }
    std::string RealTime() const { return Locked(m_realTime); }
    std::size_t Peak() const { return Locked(m_peak); }

private:
    template <class T>
    T Locked(const T& v) const {
        std::lock_guard lock(m_mutex);
        return v;
    }
    void Say(const std::string& s) {
        if (m_master >= 0 && ::write(m_master, s.data(), s.size()) < 0) {}
    }

    // The link as a budget of bytes that grows at its rate from the first byte: a line
    // leaves the buffer when the budget covers it. Whenever the buffer holds no whole line
    // while budget is left, the link idles and that budget is lost, as on a real wire.
    void Loop() {
        using Clock = std::chrono::steady_clock;
        double taken = 0;
        auto budget = [&] { return std::chrono::duration<double>(Clock::now() - m_firstByte).count() * m_options.bytesPerSecond; };
        const bool paced = m_options.bytesPerSecond > 0;
        double wait = 0.002;
        while (!m_stop && m_master >= 0) {
            const auto ns = static_cast<long long>(wait * 1e9);
            timespec t{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
            pollfd p{m_master, POLLIN, 0};
            if (::ppoll(&p, 1, &t, nullptr) > 0 && (p.revents & POLLIN)) {
                char bytes[512];
                const ssize_t n = ::read(m_master, bytes, sizeof bytes);
                for (ssize_t i = 0; i < n; ++i) Take(bytes[i]);
            }
            wait = 0.002;
            std::size_t end;
            while (m_master >= 0 && (end = m_buffer.find('\n')) != std::string::npos) {
                if (paced && taken + double(end + 1) > budget()) {
                    wait = (taken + double(end + 1) - budget()) / m_options.bytesPerSecond;
                    break;
                }
                taken += double(end + 1);
                if (m_options.ackDelayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(m_options.ackDelayMs));
                Answer(m_buffer.substr(0, end));
                m_buffer.erase(0, end + 1);
            }
            if (paced && m_received > 0 && m_buffer.find('\n') == std::string::npos) taken = std::max(taken, budget());
        }
    }

    void Take(char c) {
        std::lock_guard lock(m_mutex);
        if (m_options.mute && c != '\x18') return;
        if (c == '?') {
            Say("<" + m_state + "|MPos:1.500,-2.250,3.000|FS:0,0>\r\n");
        } else if (c == '!' || c == '~' || c == '\x18') {
            m_realTime += c;
            m_state = c == '!' ? "Hold:0" : "Idle";
            if (c == '\x18' && !m_options.mute) {
                m_buffer.clear();
                Say("\r\nGrbl 1.1h ['$' for help]\r\n");
            }
        } else {
            if (m_received++ == 0) m_firstByte = std::chrono::steady_clock::now();
            m_buffer += c;
            m_peak = std::max(m_peak, m_buffer.size());
        }
    }

    void Answer(const std::string& line) {
        std::lock_guard lock(m_mutex);
        m_lines.push_back(line);
        const std::size_t n = m_lines.size();
        if (n == m_options.vanishAfterLine) {
            ::close(m_master);
            m_master = -1;
        } else if (n == m_options.errorAtLine) {
            Say("error:" + std::to_string(m_options.code) + "\r\n");
        } else if (n == m_options.alarmAfterLine) {
            Say("ok\r\nALARM:" + std::to_string(m_options.code) + "\r\n");
            m_state = "Alarm";
        } else {
            Say("ok\r\n");
        }
    }

    GrblSimOptions m_options;
    std::atomic<int> m_master{-1};
    int m_slave = -1;
    std::string m_device;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::string m_buffer, m_realTime, m_state = "Idle";
    std::vector<std::string> m_lines;
    std::size_t m_peak = 0, m_received = 0;
    std::chrono::steady_clock::time_point m_firstByte;
};
