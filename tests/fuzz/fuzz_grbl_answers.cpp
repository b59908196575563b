// Feeds arbitrary bytes to the GRBL sender as the controller's answers: it must neither
// crash nor hang nor grow without bound, and may say it finished only when every line was
// answered. Each read takes one input byte as the count of the bytes that arrive next (0:
// the read times out); the input's end is a vanished device.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/platform.h"
#include "output/grbl_sender.h"

namespace {
class ScriptedPort : public SerialPort {
public:
    explicit ScriptedPort(std::string_view script) : m_script(script) {}
    bool SetQueueSizes(std::int32_t, std::int32_t) override { return true; }
    std::optional<SerialLineSettings> ReadSettings() override { return SerialLineSettings{}; }
    bool WriteSettings(const SerialLineSettings&) override { return true; }
    bool CanStream() const override { return true; }
    bool Write(std::string_view) override { return true; }
    bool Read(std::string& into, int) override {
        if (m_script.empty()) return false;
        const std::size_t n = std::min<std::size_t>(static_cast<unsigned char>(m_script[0]), m_script.size() - 1);
        into.append(m_script.substr(1, n));
        m_script.remove_prefix(n + 1);
        return true;
    }

private:
    std::string_view m_script;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<GrblLine> lines = GrblLines("G21 G90\nG0 Z5\n(Werkzeug 1)\nG1 X10 Y10 F600\nM0\nM2\n");
    ScriptedPort port(std::string_view(reinterpret_cast<const char*>(data), size));
    GrblSender sender(lines, port, GrblTimings{20, 1, 50, 5});
    const GrblResult result = sender.Run();
    const GrblProgress progress = sender.Progress();
    if (progress.acknowledged > progress.total ||
        (result.outcome == GrblOutcome::Finished && progress.acknowledged != progress.total))
        std::abort();
    return 0;
}
