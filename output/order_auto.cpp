#include "output/order_auto.h"

#include <cmath>

#include "model/document.h"
#include "model/fraes_kontur.h"
#include "model/quenk_app.h"
#include "output/milling_order.h"
#include "output/mouse_export.h"
#include "toolpath/milling_job.h"

namespace {
// Where the machine stands once the milling list is milled: the end of its last path.
CPunkt EndOfMillingList(const CQuenkApp& app) {
    for (auto k = app.m_millingList.rbegin(); k != app.m_millingList.rend(); ++k)
        for (auto p = (*k)->m_paths.rbegin(); p != (*k)->m_paths.rend(); ++p)
            if (!(*p)->m_points.IsEmpty()) return (*p)->m_points.Back();
    return {0.0, 0.0};
}

OrderItem ItemOf(const CVector& chain, std::vector<CPunkt>& outlines) {
    OrderItem it;
    it.tool = chain.m_tool;
    it.open = chain.m_closed == 0;
    it.outlineFirst = static_cast<std::uint32_t>(outlines.size());
    bool any = false;
    // The paths the click will take, in the order the contour keeps them.
    for (const auto& path : chain.m_radiusList) {
        if (path->m_mark != 0 || path->m_path.IsEmpty()) continue;
        if (!any) it.entry = path->m_path.Front();
        it.exit = path->m_path.Back();
        any = true;
        // Corner drills are single points beside the contour, no part of its outline.
        if (path->m_selected == -1) outlines.insert(outlines.end(), path->m_path.begin(), path->m_path.end());
    }
    // A closed chain whose paths give no area (all drills, or a path cut to pieces by tabs
    // that leaves too little) is judged by its own outline.
    if (!it.open && outlines.size() - it.outlineFirst < 3) {
        outlines.resize(it.outlineFirst);
        outlines.insert(outlines.end(), chain.m_points.begin(), chain.m_points.end());
    }
    it.outlineCount = static_cast<std::uint32_t>(outlines.size() - it.outlineFirst);
    if (!any && !chain.m_points.IsEmpty()) it.entry = it.exit = chain.m_points.Front();
    return it;
}
}  // namespace

OrderInput AutoOrderInput(const CQuenkApp& app, CQuenkDoc& doc, std::vector<CVector*>& chains) {
    OrderInput in;
    in.start = EndOfMillingList(app);
    chains.clear();
    for (CVector* chain : CorrectedChains(doc)) {
        if (!CanEnterMillingList(app, *chain)) continue;
        chains.push_back(chain);
        in.items.push_back(ItemOf(*chain, in.outlines));
    }
    return in;
}

std::size_t ClickInAutoOrder(CMouseExport& exporter, const CQuenkApp& app, CQuenkDoc& doc) {
    std::vector<CVector*> chains;
    const OrderInput in = AutoOrderInput(app, doc, chains);
    std::vector<CVector*> ordered;
    ordered.reserve(chains.size());
    for (std::uint32_t k : PlanOrder(in)) ordered.push_back(chains[k]);
    return exporter.ClickAll(ordered);
}

std::size_t OrderAuto(CQuenkApp& app, CQuenkDoc& doc) {
    CMouseExport exporter(app, doc);
    exporter.StartWithoutFile();
    const std::size_t taken = ClickInAutoOrder(exporter, app, doc);
    exporter.FinishMouseExport();
    return taken;
}

double MillingTravel(const CQuenkApp& app) {
    double travel = 0.0;
    CPunkt at{0.0, 0.0};
    for (const auto& kontur : app.m_millingList)
        for (const auto& path : kontur->m_paths) {
            if (path->m_points.IsEmpty()) continue;
            const CPunkt& p = path->m_points.Front();
            travel += std::hypot(p.x - at.x, p.y - at.y);
            at = path->m_points.Back();
        }
    return travel;
}
