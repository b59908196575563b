// The command "Radiuskorrektur" over a drawing of 10,000 closed chains of 100 points: wobbly
// rings of 50 mm on a 62.5 mm pitch, tools of 1 to 8.5 mm, outside and inside by pen.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "bench/bench_common.h"
#include "bench/correction_checksum.h"
#include "bench/radius_shapes.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "toolpath/correction_command.h"

int main(int argc, char** argv) {
    // A smaller drawing for profiling: the number of chains as an argument; "--checksum"
    // prints a fingerprint of all paths and messages of each run; "--source N" runs only the
    // tool source N (17 or 1), to profile one of them alone.
    int chains = 10000;
    bool checksum = false;
    int only = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--checksum")
            checksum = true;
        else if (std::string(argv[i]) == "--source" && i + 1 < argc)
            only = std::atoi(argv[++i]);
        else
            chains = std::atoi(argv[i]);
    }
    using Clock = std::chrono::steady_clock;
    bench::Checksum sum;
    bench::ChecksumInteraction messages(sum);
    ScopedInteraction install(messages);
    CQuenkApp app;
    app.m_tools.resize(17);
    for (std::size_t i = 0; i < 16; ++i) app.m_tools[i].m_diameter = 1.0 + 0.5 * static_cast<double>(i);
    app.m_penTool.assign(17, 0);
    app.m_penFunction.assign(17, 0);
    for (int p = 1; p <= 16; ++p) {
        app.m_penTool[static_cast<std::size_t>(p)] = p;
        app.m_penFunction[static_cast<std::size_t>(p)] = 1 + p % 2;
    }
    CQuenkDoc doc(app);
    std::mt19937 g(5);
    doc.AddLayer();
    doc.m_curLayer = doc.m_layers.back().get();
    for (int k = 0; k < chains; ++k) {
        CStift* pen = doc.FindOrCreatePen(1 + k % 16, 0);
        CVector* v = pen->AddVector();
        for (const CPunkt& p : bench::Ring(2500.0 * (k % 100), 2500.0 * (k / 100), 1000, 100, g)) v->AddPoint(p);
    }
    {
        const auto t0 = Clock::now();
        doc.RecomputeBox();
        const auto t1 = Clock::now();
        // The command ends with this recomputation of every chain; it is part of the figures below.
        std::printf("document box recomputation alone: %.3f s\n", std::chrono::duration<double>(t1 - t0).count());
    }
    for (int mode : {17, 1}) {
        if (only != 0 && mode != only) continue;
        const double cpu0 = CpuSeconds();
        const auto t0 = Clock::now();
        RunRadiusCorrection(doc, {mode, false});
        const auto t1 = Clock::now();
        const double cpu = CpuSeconds() - cpu0;
        int robust = 0;
        for (auto& pen : doc.m_layers.back()->m_pens)
            for (auto& chain : pen->m_chains) {
                if (!chain->m_radiusList.empty() && chain->m_radiusList.front()->m_robust) ++robust;
                if (checksum) sum.Chain(*chain);
            }
        std::printf("Radiuskorrektur, %d chains of 100 points, tool source %2d: %.3f s (processor %.3f s), %d chains robust\n",
                    chains, mode, std::chrono::duration<double>(t1 - t0).count(), cpu, robust);
        if (checksum)
            std::printf("  checksum %016llx (%d messages so far)\n", static_cast<unsigned long long>(sum.Hash()),
                        messages.Messages());
    }
    return 0;
}
