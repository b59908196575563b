// What one mouse click costs on a large drawing: the hit test walks every chain in drawing
// order until one is near, and the context commands check that the remembered chain is still
// in the drawing. Worst cases: a click on the last chain, a click on nothing.
//   bench_mouse_pick [chains, default 100000]

#include <cstdio>
#include <cstdlib>

#include "bench_common.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "prepare/chain_context.h"
#include "toolpath/pick.h"

int main(int argc, char** argv) {
    SilentInteraction ui;
    ScopedInteraction install(ui);
    const int chains = argc > 1 ? std::atoi(argv[1]) : 100000;
    CQuenkApp app;
    CQuenkDoc doc(app);
    doc.AddLayer();
    CStift* pen = doc.m_layers[0]->AddPen(1);
    doc.m_layers[0]->m_empty = pen->m_empty = 0;
    CVector* last = nullptr;
    for (int i = 0; i < chains; ++i) {
        const double x = (i % 1000) * 100.0, y = (i / 1000) * 100.0;
        last = pen->AddVector();
        last->m_points = CPointArray({{x, y}, {x + 50, y}, {x + 50, y + 50}, {x, y + 50}, {x, y}});
        last->AddRadius()->m_path = CPointArray({{x - 5, y - 5}, {x + 55, y - 5}, {x + 55, y + 55}, {x - 5, y - 5}});
        last->m_empty = 0;
    }
    const CPunkt onLast = last->m_points[2];
    const double tol = 5.0;
    std::optional<Hit> hit;
    char what[96];
    std::snprintf(what, sizeof what, "hit test on the last of %d chains", chains);
    Report(what, BestOf(5, [&] { hit = HitTest(doc, onLast, tol); }), "< 50 ms, a click");
    if (!hit || hit->chain != last) std::printf("wrong hit\n");
    Report("hit test on nothing", BestOf(5, [&] { hit = HitTest(doc, {-1e6, -1e6}, tol); }), "< 50 ms, a click");
    bool held = false;
    Report("the last chain is still in the drawing", BestOf(5, [&] { held = DocumentHolds(doc, last); }),
           "< 50 ms, a click");
    if (!held) std::printf("chain not found\n");
    return 0;
}
