// The import report's own cost on the large generated plotter file of the HPGL import
// benchmark: the doubled strokes counted pen by pen on the strokes as read, and the chain
// counts with the near open ends on the imported layer, beside the whole import command.
//   bench_import_report [strokes]   (default 100000 strokes, about 50 MB)

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>

#include "bench_common.h"
#include "files/file_bytes.h"
#include "hpgl_plot_generator.h"
#include "import/hpgl_reader.h"
#include "import/import_command.h"
#include "import/import_report.h"
#include "model/core_context.h"
#include "model/document.h"
#include "model/quenk_app.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    const std::size_t strokes = argc > 1 ? static_cast<std::size_t>(std::atol(argv[1])) : 100000;
    const fs::path dir = fs::temp_directory_path() / "quenk_bench_report";
    fs::create_directories(dir);
    const fs::path file = dir / "large.plt";
    const PlotFileFigures fig = WriteLargePlotFile(file.string(), 12345, strokes, 1);
    std::printf("file: %.1f MB, %zu strokes, %zu polyline points\n", fig.bytes / 1e6, fig.strokes, fig.polylinePoints);
    SilentInteraction ui;
    ScopedInteraction install(ui);
    const int runs = 3;

    double importCpu = 1e9;
    ImportReport report;
    for (int r = 0; r < runs; ++r) {
        CQuenkApp app;
        CQuenkDoc doc(app);
        const double c0 = CpuSeconds();
        ImportFile(doc, file.string());
        importCpu = std::min(importCpu, CpuSeconds() - c0);
        report = doc.m_importReport;
    }
    std::printf("import command (report included): %.3f s CPU (best of %d)\n", importCpu, runs);
    std::printf("  report: %lld chains (%lld closed), %lld double strokes, %zu near open ends\n",
                static_cast<long long>(report.chains), static_cast<long long>(report.closed),
                static_cast<long long>(report.doubleStrokes), report.nearEnds.size());

    // The two parts of the report alone, on the strokes as read and on the placed layer.
    CQuenkApp app;
    CQuenkDoc read(app);
    read.m_curLayer = read.AddLayer();
    std::string bytes;
    ReadFileBytes(file.string(), bytes, std::numeric_limits<std::size_t>::max(), LineBreaks::Drop);
    InterpretHpgl(read, bytes);
    CQuenkDoc placed(app);
    ImportFile(placed, file.string());
    double doublesCpu = 1e9, endsCpu = 1e9;
    std::int64_t doubles = 0;
    for (int r = 0; r < runs; ++r) {
        double c0 = CpuSeconds();
        doubles = 0;
        for (auto& pen : read.m_layers[0]->m_pens) doubles += CountDoubleStrokes(pen->m_chains);
        doublesCpu = std::min(doublesCpu, CpuSeconds() - c0);
        ImportReport r2;
        c0 = CpuSeconds();
        CountChainsAndEnds(r2, *placed.m_layers[0], 2 * app.m_joinDistance / app.m_plotterUnit);
        endsCpu = std::min(endsCpu, CpuSeconds() - c0);
    }
    std::printf("double strokes alone: %.4f s CPU (%lld found); chains and near ends alone: %.4f s CPU\n",
                doublesCpu, static_cast<long long>(doubles), endsCpu);
    std::printf("report share of the import: %.1f %%\n", 100.0 * (doublesCpu + endsCpu) / importCpu);
    fs::remove(file);
    return 0;
}
