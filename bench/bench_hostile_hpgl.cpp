// Hostile plotter texts against their bounds: each is imported in a child process of its
// own, and its time and peak memory are compared with what an import may take (memory: 16
// times the text plus 200 MB; time: a few seconds where the plain algorithms took minutes).
//   bench_hostile_hpgl [--checksum] [--only K] [scale]   (default 1: texts of about 10 MB)
// --checksum prints a fingerprint of each imported document and its messages; --only K
// imports the K-th text alone.

#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

#include "bench_common.h"
#include "doc_checksum.h"
#include "import/hpgl_reader.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "model/core_context.h"

namespace {

// What an import may need beside its text.
constexpr double kMemoryPerTextByte = 16.0;
constexpr double kMemoryAllowanceMb = 200.0;
constexpr double kSecondsAllowed = 5.0;
bool g_checksum = false;

struct Hostile {
    const char* what;
    std::function<std::string(std::size_t scale)> text;
};

std::string Repeat(const std::string& piece, std::size_t bytes) {
    std::string s;
    s.reserve(bytes + piece.size());
    while (s.size() < bytes) s += piece;
    return s;
}

const Hostile kTexts[] = {
    {"10 MB of small circles with a one-degree chord (CI9,1;)",
     [](std::size_t k) { return "SP1;PU100,100;" + Repeat("CI9,1;", k * 10000000); }},
    {"a million distinct pen numbers, one stroke each",
     [](std::size_t k) {
         std::string s;
         for (std::size_t p = 1; p <= k * 1000000; ++p) s += "SP" + std::to_string(p) + ";PU0,0;PD5,5;";
         return s;
     }},
    {"500,000 strokes sharing one end point",
     [](std::size_t k) {
         std::string s = "SP1;";
         for (std::size_t i = 0; i < k * 500000; ++i)
             s += "PU0,0;PD" + std::to_string(1 + i % 1000) + "," + std::to_string(1 + i / 1000) + ";";
         return s;
     }},
    {"200,000 strokes of one line drawn backwards",
     [](std::size_t k) {
         // Each stroke ends where the one before began: every joining puts a stroke in front.
         std::string s = "SP1;";
         for (std::size_t i = 0; i < k * 200000; ++i)
             s += "PU" + std::to_string(10 * (i + 1)) + "," + std::to_string(i % 3) + ";PD" + std::to_string(10 * i) +
                  "," + std::to_string(i == 0 ? 0 : (i - 1) % 3) + ";";
         return s;
     }},
    {"a million pen numbers crowding one place of a fixed hash",
     [](std::size_t k) {
         // Numbers whose product with the golden-ratio constant is small: a table hashing pen
         // numbers that way without a seed puts them all into one run of slots.
         std::string s;
         std::size_t n = 0;
         for (std::uint64_t p = 1; p < 2147483648ull && n < k * 1000000; ++p)
             if (p * 0x9E3779B97F4A7C15ull < (std::uint64_t{1} << 53)) {
                 s += "SP" + std::to_string(p) + ";PU0,0;PD5,5;";
                 ++n;
             }
         return s;
     }},
    {"10 MB of arcs of a full turn with the finest chord (AA)",
     [](std::size_t k) { return "SP1;PU0,0;PD;" + Repeat("AA50,50,360,1;", k * 10000000); }},
};

// Runs the import in a child; its wall and processor time and its peak memory.
ChildRun Measure(const std::string& text) {
    return RunInChild([&] {
        FingerprintInteraction ui;
        ScopedInteraction install(ui);
        CQuenkApp app;
        CQuenkDoc doc(app);
        ImportHpglBytes(doc, text, "hostile.plt");
        if (g_checksum)
            std::printf("checksum: document %016llx, %zu messages %016llx\n",
                        static_cast<unsigned long long>(DocumentFingerprint(doc)), ui.Count(),
                        static_cast<unsigned long long>(ui.Hash()));
        std::fflush(stdout);
        std::_Exit(0);  // the document is left for the exit to clear
    });
}
}  // namespace

int main(int argc, char** argv) {
    std::size_t scale = 1;
    int only = -1;  // --only K: the K-th text alone (from 1)
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "--checksum") == 0)
            g_checksum = true;
        else if (std::strcmp(argv[k], "--only") == 0 && k + 1 < argc)
            only = std::atoi(argv[++k]);
        else
            scale = static_cast<std::size_t>(std::atol(argv[k]));
    }
    int failures = 0;
    int number = 0;
    for (const Hostile& h : kTexts) {
        if (++number != only && only > 0) continue;
        const std::string text = h.text(scale);
        const ChildRun run = Measure(text);
        const double seconds = run.wall, peakMb = run.peakMb;
        const bool ran = run.ok;
        const double sizeMb = static_cast<double>(text.size()) / (1024.0 * 1024.0);
        const double memoryBound = kMemoryPerTextByte * sizeMb + kMemoryAllowanceMb;
        const bool ok = ran && peakMb <= memoryBound && seconds <= kSecondsAllowed;
        failures += !ok;
        std::printf("%-60s %6.1f MB text: %6.2f s (bound %.0f; CPU %.2f s), peak %6.0f MB (bound %.0f)  %s\n", h.what,
                    sizeMb, seconds, kSecondsAllowed, run.cpu, peakMb, memoryBound,
                    ok ? "ok" : (ran ? "OVER" : "CRASHED"));
    }
    return failures == 0 ? 0 : 1;
}
