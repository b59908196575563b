// "Nutzen erstellen" 10 x 10 on a corrected drawing of 100 wobbly rings of 100 points: 99
// copies, 9,900 chains with their corrected paths, and the box of the whole document.

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>

#include "bench/bench_common.h"
#include "bench/radius_shapes.h"
#include "model/core_context.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "prepare/grid_copies.h"
#include "toolpath/correction_command.h"

namespace {
constexpr int kRings = 100;
constexpr int kRuns = 3;

void Drawing(CQuenkDoc& doc) {
    std::mt19937 g(7);
    doc.m_curLayer = doc.AddLayer();
    for (int k = 0; k < kRings; ++k) {
        CVector* v = doc.FindOrCreatePen(1 + k % 4, 0)->AddVector();
        for (const CPunkt& p : bench::Ring(2500.0 * (k % 10), 2500.0 * (k / 10), 1000, 100, g)) v->AddPoint(p);
    }
    doc.RecomputeBox();
    doc.m_nothingImported = 0;
    RunRadiusCorrection(doc, {1, false});
}
}  // namespace

int main() {
    SilentInteraction silent;
    ScopedInteraction install(silent);
    CQuenkApp app;
    app.m_tools.resize(17);
    app.m_tools[0].m_diameter = 3.0;
    // Wall time and processor time: on a shared machine the second shows what the copies cost.
    double best = 1e300, bestCpu = 1e300;
    long points = 0;
    for (int run = 0; run < kRuns; ++run) {
        CQuenkDoc doc(app);
        Drawing(doc);
        Stopwatch w;
        const std::clock_t cpu = std::clock();
        MakeGridCopies(doc, {10, 5.0, 10, 5.0});
        best = std::min(best, w.Seconds());
        bestCpu = std::min(bestCpu, static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC);
        points = 0;
        for (const auto& layer : doc.m_layers)
            for (const auto& pen : layer->m_pens)
                for (const auto& chain : pen->m_chains)
                    for (const auto& path : chain->m_radiusList) points += path->m_path.Size();
    }
    std::printf("100 layers, %ld corrected path points in all\n", points);
    Report("Nutzen erstellen 10 x 10 of 100 corrected rings of 100 points", best, "0.5 s");
    std::printf("processor time %.1f ms\n", bestCpu * 1000.0);
    std::printf("peak memory %.0f MB\n", PeakRssMb());
}
