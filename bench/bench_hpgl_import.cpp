// The HPGL import command on two large generated plotter files, side by side with hp2xx
// converting the same file to G-code: one that draws each pen in one go, and one whose 8
// pens are revisited 5000 times each, as the plot output of many CAD programs is.
//   bench_hpgl_import [--checksum] [--no-hp2xx] [strokes]   (default 100000 strokes, about 50 MB each)
// --checksum prints a fingerprint of each imported document and its messages, to compare
// before and after a change; --no-hp2xx leaves out the slow comparison.

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>

#include "bench_common.h"
#include "doc_checksum.h"
#include "hpgl_plot_generator.h"
#include "import/hpgl_reader.h"
#include "import/import_command.h"
#include "model/document.h"
#include "files/file_bytes.h"
#include "model/quenk_app.h"
#include "model/core_context.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {
double Since(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

double CpuSeconds(int who) {
    rusage u{};
    getrusage(who, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}


std::size_t Points(const CQuenkDoc& doc, std::size_t* chains) {
    std::size_t n = 0, c = 0;
    for (auto& l : doc.m_layers)
        for (auto& p : l->m_pens)
            for (auto& ch : p->m_chains) {
                n += static_cast<std::size_t>(ch->PointCount());
                c += ch->PointCount() > 0;
            }
    if (chains) *chains = c;
    return n;
}

struct Options {
    bool checksum = false;
    bool hp2xx = true;
    std::size_t strokes = 100000;
};

void Run(const fs::path& dir, const char* kind, const Options& options, std::size_t visitsPerPen) {
    const std::size_t strokes = options.strokes;
    const fs::path file = dir / "large.plt";
    std::printf("-- %s\n", kind);
    auto t0 = Clock::now();
    const PlotFileFigures fig = WriteLargePlotFile(file.string(), 12345, strokes, visitsPerPen);
    std::printf("file: %.1f MB, %zu strokes (%zu arcs, %zu circles), %zu polyline points, written in %.2f s\n",
                fig.bytes / 1e6, fig.strokes, fig.arcs, fig.circles, fig.polylinePoints, Since(t0));

    SilentInteraction ui;
    ScopedInteraction install(ui);
    const int runs = 3;

    // The whole import command: read, parse, end-point joining, placement, clean-up. The
    // peak memory is measured in a child of its own, so that each file's figure is its own.
    const ChildRun fresh = RunInChild([&] {
        // Left for the exit to clear: the time is the import's, not the document's freeing.
        auto* app = new CQuenkApp;
        auto* doc = new CQuenkDoc(*app);
        ImportFile(*doc, file.string());
    });
    const double peakKb = fresh.peakMb * 1024.0;
    std::printf("quenk import command in a fresh process: %.3f s wall, %.3f s CPU\n", fresh.wall, fresh.cpu);
    double best = 1e9, bestCpu = 1e9;
    std::size_t points = 0, chains = 0;
    for (int r = 0; r < runs; ++r) {
        CQuenkApp app;
        CQuenkDoc doc(app);
        FingerprintInteraction messages;
        ScopedInteraction listen(messages);
        t0 = Clock::now();
        const double c0 = CpuSeconds(RUSAGE_SELF);
        ImportFile(doc, file.string());
        best = std::min(best, Since(t0));
        bestCpu = std::min(bestCpu, CpuSeconds(RUSAGE_SELF) - c0);
        if (r == 0) points = Points(doc, &chains);
        if (r == 0 && options.checksum)
            std::printf("checksum: document %016llx, %zu messages %016llx\n",
                        static_cast<unsigned long long>(DocumentFingerprint(doc)), messages.Count(),
                        static_cast<unsigned long long>(messages.Hash()));
    }
    std::printf("quenk import command: %.3f s wall, %.3f s CPU (best of %d), peak memory %.0f MB "
                "(%.2f times the file), %zu points in %zu chains\n",
                best, bestCpu, runs, peakKb / 1024.0, peakKb * 1024.0 / static_cast<double>(fig.bytes), points,
                chains);
    // The reading part alone: the file into memory without its line breaks, then the
    // interpretation on its own (no joining alongside).
    double bestRead = 1e9, bestParse = 1e9;
    std::size_t parsed = 0;
    for (int r = 0; r < runs; ++r) {
        CQuenkApp app;
        CQuenkDoc doc(app);
        t0 = Clock::now();
        std::string bytes;
        ReadFileBytes(file.string(), bytes, std::numeric_limits<std::size_t>::max(), LineBreaks::Drop);
        bestRead = std::min(bestRead, Since(t0));
        t0 = Clock::now();
        doc.m_curLayer = doc.AddLayer();
        InterpretHpgl(doc, bytes);
        bestParse = std::min(bestParse, Since(t0));
        parsed = Points(doc, nullptr);
    }
    std::printf("  for comparison: reading without line breaks %.3f s, interpreting alone %.3f s (%zu points)\n",
                bestRead, bestParse, parsed);

    // hp2xx converting the same file to G-code.
    const fs::path out = dir / "out.nc";
    if (!options.hp2xx) {
        std::printf("hp2xx left out\n");
    } else if (std::system("command -v hp2xx >/dev/null 2>&1") == 0) {
        const std::string cmd =
            "hp2xx -q -m nc -t -f '" + out.string() + "' '" + file.string() + "' >/dev/null 2>&1";
        double bestHp = 1e9, bestHpCpu = 1e9;
        for (int r = 0; r < 2; ++r) {
            t0 = Clock::now();
            const double c0 = CpuSeconds(RUSAGE_CHILDREN);
            const int rc = std::system(cmd.c_str());
            bestHp = std::min(bestHp, Since(t0));
            bestHpCpu = std::min(bestHpCpu, CpuSeconds(RUSAGE_CHILDREN) - c0);
            if (rc != 0) std::printf("hp2xx returned %d\n", rc);
        }
        const double hpPeakKb = 1024.0 * RunInChild([&] {
            std::freopen("/dev/null", "w", stderr);
            execlp("hp2xx", "hp2xx", "-q", "-m", "nc", "-t", "-f", out.c_str(), file.c_str(), static_cast<char*>(nullptr));
        }).peakMb;
        std::printf("hp2xx -m nc: %.3f s wall, %.3f s CPU (best of 2), peak memory %.0f MB\n", bestHp,
                    bestHpCpu, hpPeakKb / 1024.0);
        std::printf("ratio hp2xx / quenk import: %.1f wall, %.1f CPU\n", bestHp / best, bestHpCpu / bestCpu);
    } else {
        std::printf("hp2xx is not installed: no comparison\n");
    }
    fs::remove(out);
    fs::remove(file);
}
}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "--checksum") == 0)
            options.checksum = true;
        else if (std::strcmp(argv[k], "--no-hp2xx") == 0)
            options.hp2xx = false;
        else
            options.strokes = static_cast<std::size_t>(std::atol(argv[k]));
    }
    const fs::path dir = fs::temp_directory_path() / "quenk_bench_hpgl";
    fs::create_directories(dir);
    Run(dir, "each pen in one go", options, 1);
    Run(dir, "8 pens revisited 5000 times each", options, 5000);
    return 0;
}
