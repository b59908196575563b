#pragma once
// Sending a G-code program to a GRBL controller over a serial port. GRBL receives into a
// buffer of 128 bytes and answers every line with "ok" or "error:N"; the sender counts the
// bytes of the lines not yet answered and sends the next line only when it fits, so the
// buffer never overflows and yet never runs dry. Status reports ("?"), feed hold ("!"),
// cycle start ("~") and the soft reset (0x18) are single bytes that GRBL takes out of the
// stream at once; they take no room in the buffer.
//
// Run() blocks; it is meant for a thread of its own. Pause, Resume, Cancel and Progress
// may be called from any other thread meanwhile. The sender shows nothing: the caller
// reads Progress() and shows the result's message.

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class SerialPort;

// GRBL's receive buffer keeps one byte free, so this is what may be on the way.
inline constexpr std::size_t kGrblReceiveRoom = 127;

struct GrblTimings {
    int greetingMs = 3000;  // for "Grbl ...": an Arduino's boot loader alone takes a second or two
    int statusMs = 200;     // between status reports
    int silenceMs = 5000;   // a controller that answers nothing, not even "?", for so long is gone
    int holdMs = 3000;      // how long a stop lets the feed hold bring the axes to rest
};

// One line as GRBL gets it, with its number in the program (from 1) for messages.
struct GrblLine {
    std::string text;  // without line end and trailing blanks
    std::size_t number = 0;
    bool safe = true;  // holds no byte that GRBL would take as a real-time command
};

// The program's lines for GRBL: line ends (LF or CR LF) and trailing blanks removed, empty
// lines left out. GRBL acts on a real-time byte ("?", "!", "~", control bytes, bytes of
// 128 and above) wherever it stands, even inside a comment: within a comment ("(...)" or
// after ";") such a byte becomes a blank, elsewhere it makes the line unsafe.
std::vector<GrblLine> GrblLines(std::string_view program);

enum class GrblOutcome {
    Finished,    // every line acknowledged and the machine at rest
    Error,       // "error:N": the stream stopped at that line, the machine was halted
    Alarm,       // "ALARM:N": the controller stopped the machine
    Cancelled,   // by the user: feed hold, then soft reset
    Refused,     // the port cannot stream, or a line cannot be sent safely; nothing was sent
    NoGreeting,  // no GRBL controller answered
    Lost,        // the device vanished, went silent or was reset meanwhile
};

struct GrblResult {
    GrblOutcome outcome = GrblOutcome::Finished;
    std::string message;   // German, for the user
    std::size_t line = 0;  // the program line of an error or a refusal
    int code = 0;          // the error's or alarm's number
};

struct GrblProgress {
    std::size_t acknowledged = 0;
    std::size_t total = 0;
    std::string state;  // GRBL's state word from the last status report: "Idle", "Run", "Hold:0", ...
    std::array<double, 3> position{};
    bool hasPosition = false;
    bool workPosition = false;  // the controller reports the work position (WPos) instead of MPos
};

// "Zeile 120 von 4711", the state and the position, for a progress line.
std::string DescribeGrblProgress(const GrblProgress& progress);

class GrblSender {
public:
    GrblSender(std::vector<GrblLine> lines, SerialPort& port, GrblTimings timings = {});
    GrblResult Run();

    void Pause() { m_pause = true; }
    void Resume() { m_resume = true; }
    void Cancel() { m_cancel = true; }
    GrblProgress Progress() const;

private:
    bool AwaitGreeting();
    bool Stream();
    bool WaitForRest();
    bool ReadAnswers(int timeoutMs);
    void HandleAnswer(std::string_view answer);
    void HandleStatus(std::string_view report);
    bool Send(std::string_view bytes);
    bool Fail(GrblOutcome outcome, std::string message);
    void Halt();
    void Publish();

    std::vector<GrblLine> m_lines;
    SerialPort& m_port;
    GrblTimings m_timings;

    std::atomic<bool> m_pause{false}, m_resume{false}, m_cancel{false};
    mutable std::mutex m_mutex;
    GrblProgress m_shared;  // under m_mutex

    // The worker's own state.
    GrblProgress m_progress;
    std::string m_received;             // bytes after the last complete answer
    std::deque<std::size_t> m_inFlight;  // lines sent and not yet answered, oldest first
    std::size_t m_used = 0;             // their bytes in the receive buffer
    std::size_t m_next = 0;             // the next line to send
    bool m_greeted = false;
    std::size_t m_reports = 0;           // status reports received
    std::chrono::steady_clock::time_point m_lastByte;
    std::size_t m_reportsAtRest = 0;     // "Idle" reports since the last line was answered
    std::optional<GrblResult> m_result;  // set by the first answer or fault that ends the run
};
