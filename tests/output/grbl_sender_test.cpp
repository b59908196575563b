// The GRBL sender against a simulated controller on a pseudo-terminal, through the POSIX
// serial port the program uses.

#include <gtest/gtest.h>

#include <random>
#include <thread>

#include "output/grbl_sender.h"
#include "output/texts.h"
#include "platform/posix_serial_port.h"
#include "support/grbl_simulator.h"

namespace {
constexpr GrblTimings kQuick{300, 20, 2000, 300};

// A program of lines from 3 to 110 bytes, with blank and comment lines between, so that
// lines are packed into the buffer in every combination and numbers differ from positions.
std::string Program(std::size_t lines) {
    std::mt19937 random(7);
    std::string text = "\r\n(Fräser 1: 3 mm)\r\n";
    for (std::size_t i = 0; i < lines; ++i) {
        text += "G1 X" + std::to_string(random() % 1000) + " Y" + std::to_string(random() % 1000);
        text += std::string(random() % 90, ' ') + "F" + std::to_string(i) + (i % 17 == 0 ? "\r\n\r\n" : "\r\n");
    }
    return text;
}

std::vector<std::string> Texts(const std::vector<GrblLine>& lines) {
    std::vector<std::string> texts;
    for (const GrblLine& l : lines) texts.push_back(l.text);
    return texts;
}

enum class Act { None, PauseResume, Cancel };

struct SendCase {
    const char* name;
    GrblSimOptions sim;
    Act act;
    GrblOutcome outcome;
    const char* message;   // part of the result's message
    std::string realTime;  // feed hold, cycle start and reset as the controller got them
};

const SendCase kSendCases[] = {
    {"instant answers", {}, Act::None, GrblOutcome::Finished, texts::kGrblFinished, ""},
    {"slow answers", {.ackDelayMs = 1}, Act::None, GrblOutcome::Finished, texts::kGrblFinished, ""},
    {"silent until reset", {.greetAtStart = false}, Act::None, GrblOutcome::Finished, texts::kGrblFinished, "\x18"},
    {"no controller", {.greetAtStart = false, .mute = true}, Act::None, GrblOutcome::NoGreeting,
     texts::kGrblNoGreeting, "\x18"},
    {"refused line", {.errorAtLine = 37, .code = 22}, Act::None, GrblOutcome::Error,
     "Der Vorschub ist nicht gesetzt", "!\x18"},
    {"alarm", {.alarmAfterLine = 50, .code = 1}, Act::None, GrblOutcome::Alarm, "Endschalter ausgelöst", ""},
    {"vanished device", {.vanishAfterLine = 60}, Act::None, GrblOutcome::Lost, texts::kGrblLost, ""},
    {"pause and resume", {.ackDelayMs = 1}, Act::PauseResume, GrblOutcome::Finished, texts::kGrblFinished, "!~"},
    {"cancel", {.ackDelayMs = 1}, Act::Cancel, GrblOutcome::Cancelled, texts::kGrblCancelled, "!\x18"},
};
}  // namespace

TEST(GrblSender, StreamsWithinTheReceiveBufferAndStopsAsTheControllerSays) {
    const std::vector<GrblLine> lines = GrblLines(Program(200));
    const std::vector<std::string> texts = Texts(lines);
    for (const SendCase& c : kSendCases) {
        SCOPED_TRACE(c.name);
        GrblSimulator sim(c.sim);
        std::unique_ptr<SerialPort> port = OpenPosixSerialPort(sim.Device());
        ASSERT_TRUE(port);
        GrblSender sender(lines, *port, kQuick);
        GrblResult result;
        std::thread worker([&] { result = sender.Run(); });
        if (c.act != Act::None) {
            while (sender.Progress().acknowledged < 20) std::this_thread::yield();
            if (c.act == Act::Cancel) sender.Cancel();
            if (c.act == Act::PauseResume) {
                sender.Pause();
                while (sim.RealTime().empty()) std::this_thread::yield();
                sender.Resume();
            }
        }
        worker.join();
        sim.Quiet();

        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_NE(result.message.find(c.message), std::string::npos) << result.message;
        EXPECT_EQ(sim.RealTime(), c.realTime);
        EXPECT_LE(sim.Peak(), kGrblReceiveRoom);
        // What arrived is the program, unchanged and in order, up to where it stopped.
        const std::vector<std::string> got = sim.Lines();
        ASSERT_LE(got.size(), texts.size());
        EXPECT_TRUE(std::equal(got.begin(), got.end(), texts.begin()));
        if (c.outcome == GrblOutcome::Finished) {
            EXPECT_EQ(got.size(), texts.size());
            const GrblProgress p = sender.Progress();
            EXPECT_EQ(p.acknowledged, p.total);
            EXPECT_EQ(p.position, (std::array<double, 3>{1.5, -2.25, 3.0}));
        }
        if (c.outcome == GrblOutcome::Error) {
            const GrblLine& refused = lines[c.sim.errorAtLine - 1];
            EXPECT_EQ(result.line, refused.number);
            EXPECT_NE(result.message.find(" in Zeile " + std::to_string(refused.number) + ": " + refused.text), std::string::npos);
        }
        // Answering late, the controller has its buffer kept full.
        EXPECT_TRUE(c.sim.ackDelayMs == 0 || sim.Peak() > kGrblReceiveRoom - 40) << sim.Peak();
    }
}

TEST(GrblSender, RealTimeBytesBecomeBlanksInCommentsAndRefuseTheProgramElsewhere) {
    const struct {
        std::string program;
        std::vector<std::string> texts;
        std::size_t refusedLine;  // 0: sent
    } cases[] = {
        {"G0 X1 (Fräser! 3mm?)\r\nG1 Z-1 ; ok~\n\n\t\n", {"G0 X1 (Fr  ser  3mm )", "G1 Z-1 ; ok "}, 0},
        {"G0 X1\nG1 X2!\n", {"G0 X1", "G1 X2!"}, 2},
        {"G0 X1\n\nG1 X\x18", {"G0 X1", "G1 X\x18"}, 3},
        {"(a)\n(b)\n", {"(a)", "(b)"}, 0},
        {"G1 (x) ?", {"G1 (x) ?"}, 1},
        {"G0\n" + std::string(126, 'X'), {"G0", std::string(126, 'X')}, 0},
        {"G0\n" + std::string(127, 'X'), {"G0", std::string(127, 'X')}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        const std::vector<GrblLine> lines = GrblLines(c.program);
        EXPECT_EQ(Texts(lines), c.texts);
        GrblSimulator sim;
        std::unique_ptr<SerialPort> port = OpenPosixSerialPort(sim.Device());
        const GrblResult result = GrblSender(lines, *port, kQuick).Run();
        EXPECT_EQ(result.outcome, c.refusedLine ? GrblOutcome::Refused : GrblOutcome::Finished);
        EXPECT_EQ(result.line, c.refusedLine);
        EXPECT_TRUE(!c.refusedLine || sim.Lines().size() + sim.Peak() == 0);
    }
}
