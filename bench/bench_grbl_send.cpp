// The GRBL sender against a simulated controller whose link takes bytes no faster than a
// serial line: with GRBL's answers coming back at once, the stream's rate is the link's
// only while the sender keeps the controller's buffer from running dry; time the link
// waits for a line is lost (see GrblSimulator). A sender that waited for each "ok" before
// the next line would lose one round trip per line. The buffer's 127 bytes are 11 ms of
// the link at 115200 baud: a sender that answers an "ok" within that never lets it idle.
//
// At 115200 baud (11520 bytes/s, 8N1) the 100,000 lines would take minutes, so the long
// program runs on a link ten times as fast, where a gap in the stream weighs ten times as
// much; a shorter program runs at the true rate.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <time.h>

#include "bench_common.h"
#include "output/grbl_sender.h"
#include "platform/posix_serial_port.h"
#include "tests/support/grbl_simulator.h"

namespace {
std::string Program(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += "G1 X" + std::to_string(100 + i % 400) + "." + std::to_string(i % 1000) + " Y" +
                std::to_string(50 + i % 300) + ".25 F600\r\n";
    return text;
}

void Measure(int lines, double bytesPerSecond) {
    const std::vector<GrblLine> program = GrblLines(Program(lines));
    double bytes = 0;
    for (const GrblLine& l : program) bytes += static_cast<double>(l.text.size() + 1);
    GrblSimOptions options;
    options.bytesPerSecond = bytesPerSecond;
    GrblSimulator sim(options);
    auto port = OpenPosixSerialPort(sim.Device());
    GrblSender sender(program, *port);
    Stopwatch watch;
    GrblResult result;
    double cpu = 0;
    std::thread worker([&] {
        timespec a{}, b{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &a);
        result = sender.Run();
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &b);
        cpu = double(b.tv_sec - a.tv_sec) + double(b.tv_nsec - a.tv_nsec) * 1e-9;
    });
    // Until the last line is answered: after it the sender only waits for the machine's rest.
    while (sender.Progress().acknowledged < program.size() && watch.Seconds() < 3 * bytes / bytesPerSecond)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const double seconds = watch.Seconds();
    worker.join();
    const double linkSeconds = bytes / bytesPerSecond;
    std::printf("%6d lines, %8.0f bytes at %6.0f bytes/s: %7.2f s, link time %7.2f s, %5.1f%% of the link's rate, "
                "sender %.1f us processor time per line%s\n",
                lines, bytes, bytesPerSecond, seconds, linkSeconds, 100.0 * linkSeconds / seconds, cpu * 1e6 / lines,
                result.outcome == GrblOutcome::Finished ? "" : "  (did not finish)");
}
}  // namespace

// With LINES and SPEED-UP given, only that run: "bench_grbl_send 100000 1" streams the
// 100,000 lines at the true rate, which takes some four minutes.
int main(int argc, char** argv) {
    constexpr double kBaud115200 = 11520.0;
    if (argc == 3) {
        Measure(std::atoi(argv[1]), std::atof(argv[2]) * kBaud115200);
        return 0;
    }
    Measure(5'000, kBaud115200);
    Measure(100'000, 10 * kBaud115200);
    return 0;
}
