// quenk-cli's step that streams a G-code program to a GRBL controller on a serial port.

#include <atomic>
#include <chrono>
#include <csignal>
#include <fstream>
#include <iterator>
#include <thread>

#include "cli/cli_interaction.h"
#include "cli/steps.h"
#include "model/platform.h"
#include "model/quenk_app.h"
#include "output/grbl_sender.h"
#include "output/handoff.h"
#include "platform/qt_platform.h"

namespace {
// How often the progress line is written while the program streams.
constexpr auto kProgressEvery = std::chrono::seconds(1);
constexpr auto kPollEvery = std::chrono::milliseconds(50);

// The send under way, for Ctrl-C: it stops the machine as "Abbrechen" does instead of
// leaving it running on the lines already in the controller.
std::atomic<GrblSender*> g_sending{nullptr};
static_assert(std::atomic<GrblSender*>::is_always_lock_free);

extern "C" void CancelOnInterrupt(int) {
    if (GrblSender* sender = g_sending.load()) sender->Cancel();
}

// send [--port DEVICE] PROGRAM: without --port, the port of the settings ("COM" m_comPort).
bool Send(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    const bool named = a.size() == 3 && a[0] == "--port";
    if (!named && a.size() != 1) {
        error = "usage: send [--port DEVICE] PROGRAM";
        return false;
    }
    const std::string& path = a.back();
    std::ifstream in(path, std::ios::binary);
    const std::string program(std::istreambuf_iterator<char>(in), {});
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    QtPlatform platform;
    const std::string device = named ? a[1] : ComPortName(c.app.m_comPort);
    const std::unique_ptr<SerialPort> port = OpenControllerPort(platform, device);
    if (!port) {
        error = "cannot open " + device;
        return false;
    }

    GrblSender sender(GrblLines(program), *port);
    std::atomic<bool> done{false};
    GrblResult result;
    g_sending = &sender;
    const auto previous = std::signal(SIGINT, CancelOnInterrupt);
    std::thread worker([&] {
        result = sender.Run();
        done = true;
    });
    std::string shown;
    for (auto last = std::chrono::steady_clock::now(); !done; std::this_thread::sleep_for(kPollEvery)) {
        if (std::chrono::steady_clock::now() - last < kProgressEvery) continue;
        last = std::chrono::steady_clock::now();
        const std::string line = DescribeGrblProgress(sender.Progress());
        if (line != shown) c.ui.Err() << line << '\n';
        shown = line;
    }
    worker.join();
    std::signal(SIGINT, previous);
    g_sending = nullptr;
    c.ui.Err() << DescribeGrblProgress(sender.Progress()) << '\n';
    if (result.outcome == GrblOutcome::Finished) {
        c.ui.Err() << result.message << '\n';
        return true;
    }
    error = result.message;
    return false;
}
}  // namespace

const std::vector<StepSpec>& SendSteps() {
    static const std::vector<StepSpec> steps = {
        {"send", 1, 3,
         "send [--port DEVICE] PROGRAM  stream the G-code file PROGRAM to a GRBL controller (115200 8N1) on DEVICE "
         "or the settings' COM port; progress on stderr, Ctrl-C stops the machine (see docs/controllers.md)",
         Send},
    };
    return steps;
}
