// The GRBL sender: greeting, character-counting stream, answers and status reports.

#include "output/grbl_sender.h"

#include <algorithm>
#include <charconv>

#include "model/platform.h"
#include "output/grbl_codes.h"
#include "output/texts.h"

namespace {
using Clock = std::chrono::steady_clock;

// A wait for answers ends at least this often, so that a pause or a cancel from the user
// reaches the controller at once.
constexpr int kControlSliceMs = 50;
// Answers are short; a longer run of bytes without a line end is noise and is dropped.
constexpr std::size_t kLongestAnswer = 4096;
// Two reports of rest after the last answer: the machine has run out of moves, not merely
// not started the last ones yet.
constexpr std::size_t kReportsAtRest = 2;

constexpr char kStatusQuery[] = "?";
constexpr char kFeedHold[] = "!";
constexpr char kCycleStart[] = "~";
constexpr char kSoftReset[] = "\x18";

bool IsRealTimeByte(unsigned char c) {
    return c == '?' || c == '!' || c == '~' || c >= 0x7F || (c < 0x20 && c != '\t');
}

int MillisecondsSince(Clock::time_point t) {
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count());
}

int ParseCode(std::string_view digits) {
    int code = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), code);
    return code;
}

std::string Coordinate(double v) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 3);
    return std::string(buffer, r.ptr);
}
}  // namespace

std::vector<GrblLine> GrblLines(std::string_view program) {
    std::vector<GrblLine> lines;
    std::size_t number = 0;
    for (std::size_t start = 0; start < program.size();) {
        std::size_t end = program.find('\n', start);
        if (end == std::string_view::npos) end = program.size();
        ++number;
        std::string_view raw = program.substr(start, end - start);
        start = end + 1;
        while (!raw.empty() && (raw.back() == '\r' || raw.back() == ' ' || raw.back() == '\t')) raw.remove_suffix(1);
        if (raw.empty()) continue;
        GrblLine line{std::string(raw), number, true};
        bool inParentheses = false, toEnd = false;
        for (char& c : line.text) {
            const bool inComment = inParentheses || toEnd;
            if (!inComment && c == '(') {
                inParentheses = true;
            } else if (!inComment && c == ';') {
                toEnd = true;
            } else if (inParentheses && c == ')') {
                inParentheses = false;
            } else if (IsRealTimeByte(static_cast<unsigned char>(c))) {
                if (inComment)
                    c = ' ';
                else
                    line.safe = false;
            }
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string DescribeGrblProgress(const GrblProgress& p) {
    std::string s = texts::kGrblLineOf + std::to_string(p.acknowledged) + texts::kGrblOf + std::to_string(p.total);
    if (!p.state.empty()) s += std::string(", ") + texts::kGrblState + p.state;
    if (p.hasPosition)
        s += std::string(", ") + (p.workPosition ? texts::kGrblWorkPosition : texts::kGrblMachinePosition) + "X " +
             Coordinate(p.position[0]) + " Y " + Coordinate(p.position[1]) + " Z " + Coordinate(p.position[2]);
    return s;
}

GrblSender::GrblSender(std::vector<GrblLine> lines, SerialPort& port, GrblTimings timings)
    : m_lines(std::move(lines)), m_port(port), m_timings(timings) {
    m_progress.total = m_lines.size();
    m_shared = m_progress;
}

GrblProgress GrblSender::Progress() const {
    std::lock_guard lock(m_mutex);
    return m_shared;
}

void GrblSender::Publish() {
    std::lock_guard lock(m_mutex);
    m_shared = m_progress;
}

GrblResult GrblSender::Run() {
    if (!m_port.CanStream()) return {GrblOutcome::Refused, texts::kGrblCannotStream, 0, 0};
    // A line that could never fit the receive buffer would stall the stream for good, and a
    // real-time byte would act on the machine: either is found before anything is sent.
    for (const GrblLine& line : m_lines) {
        const char* fault = line.text.size() + 1 > kGrblReceiveRoom ? texts::kGrblLineTooLong
                            : !line.safe                             ? texts::kGrblLineUnsafe
                                                                     : nullptr;
        if (fault)
            return {GrblOutcome::Refused, texts::kGrblLineOf + std::to_string(line.number) + fault, line.number, 0};
    }
    if (!AwaitGreeting() || !Stream()) return *m_result;
    return {GrblOutcome::Finished, texts::kGrblFinished, 0, 0};
}

bool GrblSender::Fail(GrblOutcome outcome, std::string message) {
    if (!m_result) m_result = GrblResult{outcome, std::move(message), 0, 0};
    return false;
}

bool GrblSender::Send(std::string_view bytes) {
    return m_port.Write(bytes) || Fail(GrblOutcome::Lost, texts::kGrblLost);
}

// The greeting of a controller that was reset when the port opened may already wait; one
// that has run for a while is reset softly to greet, which also clears what an earlier run
// left in its buffers.
bool GrblSender::AwaitGreeting() {
    for (int attempt = 0; attempt < 2 && !m_greeted; ++attempt) {
        if (attempt == 1 && !Send(kSoftReset)) return false;
        const Clock::time_point start = Clock::now();
        while (!m_greeted) {
            if (m_cancel) return Fail(GrblOutcome::Cancelled, texts::kGrblCancelled);
            const int left = m_timings.greetingMs - MillisecondsSince(start);
            if (left <= 0) break;
            if (!ReadAnswers(std::min(left, kControlSliceMs))) return false;
        }
    }
    return m_greeted || Fail(GrblOutcome::NoGreeting, texts::kGrblNoGreeting);
}

bool GrblSender::Stream() {
    m_lastByte = Clock::now();
    Clock::time_point lastQuery = m_lastByte - std::chrono::milliseconds(m_timings.statusMs);
    std::string batch;
    for (;;) {
        if (m_cancel) {
            Halt();
            return Fail(GrblOutcome::Cancelled, texts::kGrblCancelled);
        }
        if (m_pause.exchange(false) && !Send(kFeedHold)) return false;
        if (m_resume.exchange(false) && !Send(kCycleStart)) return false;

        batch.clear();
        while (m_next < m_lines.size() && m_used + m_lines[m_next].text.size() + 1 <= kGrblReceiveRoom) {
            batch += m_lines[m_next].text;
            batch += '\n';
            m_used += m_lines[m_next].text.size() + 1;
            m_inFlight.push_back(m_next++);
        }
        if (!batch.empty() && !Send(batch)) return false;
        if (m_next == m_lines.size() && m_inFlight.empty() && m_reportsAtRest >= kReportsAtRest) return true;

        if (MillisecondsSince(lastQuery) >= m_timings.statusMs) {
            if (!Send(kStatusQuery)) return false;
            lastQuery = Clock::now();
        }
        const int untilQuery = m_timings.statusMs - MillisecondsSince(lastQuery);
        if (!ReadAnswers(std::clamp(untilQuery, 1, kControlSliceMs))) return false;
        if (m_result) {
            // The lines after a refused one are already in the controller: they belong to
            // a program that has gone wrong, so the machine is stopped.
            if (m_result->outcome == GrblOutcome::Error) Halt();
            return false;
        }
        if (MillisecondsSince(m_lastByte) > m_timings.silenceMs) return Fail(GrblOutcome::Lost, texts::kGrblSilent);
    }
}

// Feed hold first, so that the axes brake along their path and keep their position, then
// the soft reset once the hold has come to rest (or the wait is over), which empties the
// controller's buffers.
void GrblSender::Halt() {
    if (!m_port.Write(kFeedHold)) return;
    const Clock::time_point start = Clock::now();
    const std::size_t reportsBefore = m_reports;
    Clock::time_point lastQuery = start - std::chrono::milliseconds(m_timings.statusMs);
    while (MillisecondsSince(start) < m_timings.holdMs) {
        const std::string& state = m_progress.state;
        if (m_reports > reportsBefore && (state == "Hold:0" || state == "Idle" || state == "Alarm")) break;
        if (MillisecondsSince(lastQuery) >= m_timings.statusMs) {
            if (!m_port.Write(kStatusQuery)) return;
            lastQuery = Clock::now();
        }
        if (!ReadAnswers(kControlSliceMs)) return;
    }
    m_port.Write(kSoftReset);
}

bool GrblSender::ReadAnswers(int timeoutMs) {
    const std::size_t before = m_received.size();
    if (!m_port.Read(m_received, timeoutMs)) return Fail(GrblOutcome::Lost, texts::kGrblLost);
    if (m_received.size() > before) m_lastByte = Clock::now();
    std::size_t start = 0;
    for (std::size_t end; (end = m_received.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string_view answer(m_received.data() + start, end - start);
        while (!answer.empty() && (answer.back() == '\r' || answer.back() == ' ')) answer.remove_suffix(1);
        while (!answer.empty() && (answer.front() == '\r' || answer.front() == ' ')) answer.remove_prefix(1);
        HandleAnswer(answer);
    }
    m_received.erase(0, start);
    if (m_received.size() > kLongestAnswer) m_received.clear();
    return true;
}

void GrblSender::HandleAnswer(std::string_view answer) {
    const bool error = answer.starts_with("error:");
    if (answer == "ok" || error) {
        if (m_inFlight.empty()) return;  // an answer to nothing this run sent
        const GrblLine& line = m_lines[m_inFlight.front()];
        m_used -= line.text.size() + 1;
        m_inFlight.pop_front();
        if (error) {
            const int code = ParseCode(answer.substr(6));
            const std::string message = texts::kGrblErrorIntro + std::to_string(code) + texts::kGrblInLine +
                                        std::to_string(line.number) + ": " + line.text + "\n" + GrblErrorMeaning(code);
            if (!m_result) m_result = GrblResult{GrblOutcome::Error, message, line.number, code};
            return;
        }
        ++m_progress.acknowledged;
        m_reportsAtRest = 0;
        Publish();
    } else if (answer.starts_with("ALARM:")) {
        const int code = ParseCode(answer.substr(6));
        std::string message = texts::kGrblAlarmIntro + std::to_string(code);
        const std::size_t done = m_progress.acknowledged;
        if (done > 0) message += texts::kGrblAfterLine + std::to_string(m_lines[done - 1].number);
        message += "\n" + GrblAlarmMeaning(code);
        if (!m_result) m_result = GrblResult{GrblOutcome::Alarm, message, done > 0 ? m_lines[done - 1].number : 0, code};
    } else if (answer.starts_with('<')) {
        HandleStatus(answer);
    } else if (answer.starts_with("Grbl ")) {
        if (m_next > 0) Fail(GrblOutcome::Lost, texts::kGrblResetDuringSend);
        m_greeted = true;
    }
}

// "<Run|MPos:12.000,3.500,-1.000|FS:500,0>": the state, then fields separated by "|".
void GrblSender::HandleStatus(std::string_view report) {
    report.remove_prefix(1);
    if (report.ends_with('>')) report.remove_suffix(1);
    ++m_reports;
    std::size_t bar = report.find('|');
    m_progress.state = std::string(report.substr(0, bar));
    while (bar != std::string_view::npos) {
        report.remove_prefix(bar + 1);
        bar = report.find('|');
        const std::string_view field = report.substr(0, bar);
        const bool machine = field.starts_with("MPos:"), work = field.starts_with("WPos:");
        if (!machine && !work) continue;
        std::array<double, 3> xyz{};
        const char* p = field.data() + 5;
        const char* end = field.data() + field.size();
        bool parsed = true;
        for (std::size_t axis = 0; axis < 3 && parsed; ++axis) {
            const auto r = std::from_chars(p, end, xyz[axis]);
            parsed = r.ec == std::errc() && (axis == 2 || (r.ptr < end && *r.ptr == ','));
            p = r.ptr + 1;
        }
        if (!parsed) continue;
        m_progress.position = xyz;
        m_progress.hasPosition = true;
        m_progress.workPosition = work;
    }
    const bool allAnswered = m_next == m_lines.size() && m_inFlight.empty();
    m_reportsAtRest = allAnswered && m_progress.state == "Idle" ? m_reportsAtRest + 1 : 0;
    Publish();
}
