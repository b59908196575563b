// "Reihenfolge automatisch" against "order all" (the drawing order): the rapid travel on the
// sample sign, on a sheet of 1,000 parts with 3 holes each and on 100 random sheets, and the
// time to order 10,000 contours.

#include <algorithm>
#include <cstdio>
#include <string>

#include "bench_common.h"
#include "files/settings_file.h"
#include "import/import_command.h"
#include "model/document.h"
#include "model/fraes_kontur.h"
#include "model/quenk_app.h"
#include "output/milling_order.h"
#include "output/order_auto.h"
#include "prepare/join.h"
#include "tests/support/part_sheet.h"
#include "toolpath/correction_command.h"

namespace {

struct Travels {
    double all = 0, automatic = 0;
    bool allKeepsContainment = false;
    std::vector<std::int32_t> allTools, autoTools;
};

// The tools in the order the machine takes them up.
std::vector<std::int32_t> ToolRuns(const CQuenkApp& app) {
    std::vector<std::int32_t> runs;
    for (const auto& k : app.m_millingList)
        if (runs.empty() || runs.back() != k->m_tool) runs.push_back(k->m_tool);
    return runs;
}

// Both orders of the same drawing; the milling list is emptied between them.
Travels Compare(CQuenkApp& app, CQuenkDoc& doc) {
    Travels t;
    std::vector<CVector*> chains;
    const OrderInput in = AutoOrderInput(app, doc, chains);
    std::vector<std::uint32_t> listed(in.items.size());
    for (std::uint32_t k = 0; k < listed.size(); ++k) listed[k] = k;
    t.allKeepsContainment = KeepsContainment(FindContainment(in), listed);
    app.m_millingList.clear();
    OrderAll(app, doc);
    t.all = MillingTravel(app);
    t.allTools = ToolRuns(app);
    app.m_millingList.clear();
    OrderAuto(app, doc);
    t.automatic = MillingTravel(app);
    t.autoTools = ToolRuns(app);
    return t;
}

void Print(const char* what, const Travels& t, double mmPerUnit) {
    std::printf("%-34s order all %10.0f mm   order auto %10.0f mm   %5.1f%% shorter   order all keeps "
                "containment: %s\n",
                what, t.all * mmPerUnit, t.automatic * mmPerUnit, 100.0 * (1.0 - t.automatic / t.all),
                t.allKeepsContainment ? "yes" : "no");
}

// Best wall time of three runs and the processor time of the best, which on a shared machine
// shows what the code costs when others take the cores.
template <typename F>
void Timed(const char* what, F&& f) {
    double wall = 1e300, cpu = 1e300;
    for (int run = 0; run < 3; ++run) {
        const double c0 = CpuSeconds();
        Stopwatch w;
        f();
        wall = std::min(wall, w.Seconds());
        cpu = std::min(cpu, CpuSeconds() - c0);
    }
    Report(what, wall, "< 1 s");
    std::printf("%-60s %9.1f ms\n", "  processor time", cpu * 1000.0);
}

}  // namespace

int main() {
    SilentInteraction ui;
    ScopedInteraction install(ui);
    {
        CQuenkApp app;
        CompleteSettingsTables(app);
        app.m_tools[0].m_diameter = 3.0;
        CQuenkDoc doc(app);
        if (ImportFile(doc, QUENK_SOURCE_DIR "/samples/schild.plt")) {
            JoinChains(doc);
            RadiusCorrectionOptions options = CorrectionOptionsFromSettings(app);
            options.toolMode = 1;
            RunRadiusCorrection(doc, options);
            Print("sample sign (samples/schild.plt)", Compare(app, doc), app.m_plotterUnit);
        }
    }
    const double mm = 0.025;
    {
        CQuenkApp app;
        app.m_toolColours.assign(17, 0);
        CQuenkDoc doc(app);
        Dice dice(1);
        AddPartSheet(doc, dice, {1000, 3, 3, 1, 0, 0, false});
        Print("1,000 parts with 3 holes", Compare(app, doc), mm);
    }
    {
        Travels sum;
        int broken = 0, longer = 0, fairOnes = 0;
        for (unsigned seed = 0; seed < 100; ++seed) {
            CQuenkApp app;
            app.m_toolColours.assign(17, 0);
            CQuenkDoc doc(app);
            Dice dice(seed);
            AddPartSheet(doc, dice, {dice(1, 40), 0, 3, dice(1, 3), 40, dice(0, 1) * 30, dice(0, 1) == 1});
            const Travels t = Compare(app, doc);
            sum.all += t.all;
            sum.automatic += t.automatic;
            broken += t.allKeepsContainment ? 0 : 1;
            // The drawing order is a fair rival only where it keeps the rules too.
            const bool fair = t.allKeepsContainment && t.allTools == t.autoTools;
            longer += fair && t.automatic > t.all ? 1 : 0;
            fairOnes += fair ? 1 : 0;
        }
        Print("100 random sheets, summed", sum, mm);
        std::printf("%-34s order all breaks containment on %d; of the %d where it keeps containment and takes "
                    "up the tools in the same order, order auto travels further on %d\n",
                    "", broken, fairOnes, longer);
    }
    {
        CQuenkApp app;
        app.m_toolColours.assign(17, 0);
        CQuenkDoc doc(app);
        Dice dice(2);
        AddPartSheet(doc, dice, {2500, 3, 3, 2, 0, 0, false});
        std::vector<CVector*> chains;
        const OrderInput in = AutoOrderInput(app, doc, chains);
        char what[96];
        std::snprintf(what, sizeof what, "plan the order of %zu contours, two tools", in.items.size());
        Timed(what, [&] { PlanOrder(in); });
        Timed("order auto on them, the milling list filled", [&] {
            app.m_millingList.clear();
            OrderAuto(app, doc);
        });
    }
    return 0;
}
