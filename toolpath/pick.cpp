#include "toolpath/pick.h"

#include "model/document.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "toolpath/texts.h"

namespace {
constexpr std::int32_t kTabsSingle = 0;
constexpr std::int32_t kTabsVertical = 1;

bool Changed(bool changed) {
    if (changed) Ui().RequestRedraw();
    return changed;
}
}  // namespace

std::optional<Hit> HitTest(CQuenkDoc& doc, const CPunkt& x, double tol) {
    Hit h;
    for (auto& layer : doc.m_layers) {
        if (layer->m_empty) continue;
        for (auto& pen : layer->m_pens) {
            if (pen->m_empty) continue;
            h.pen = pen.get();
            for (auto& chain : pen->m_chains) {
                if (chain->m_empty) continue;
                h.chain = chain.get();
                for (auto& path : chain->m_radiusList) {
                    h.radius = path.get();
                    h.radiusIndex = path->FindPoint(x, tol);
                    h.radiusPoint = h.radiusIndex != -1;
                    if (!h.radiusPoint) h.radiusIndex = path->FindSegment(x, tol);
                    h.radiusHit = h.radiusIndex != -1;
                    if (h.radiusHit) return h;
                }
                h.radius = nullptr;
                h.index = chain->FindPoint(x, tol);
                h.point = h.index != -1;
                if (!h.point) h.index = chain->FindSegment(x, tol);
                h.chainHit = h.index != -1;
                if (h.chainHit) return h;
            }
        }
    }
    return std::nullopt;
}

void ApplyTabDialog(CQuenkApp& app, TabSettings& view, const std::optional<TabSettings>& entered) {
    if (entered) view = *entered;
    app.m_tabSize = view.length;
    app.m_nMouseMode = kMouseModeTabs;
}

bool TabClick(CQuenkDoc& doc, const TabSettings& tabs, const CPunkt& x, double tol) {
    if (tabs.kind != kTabsSingle) {
        // Tabs along vertical or horizontal lines are only announced.
        Ui().Message(tabs.kind == kTabsVertical ? texts::kTabsVertical : texts::kTabsHorizontal);
        return false;
    }
    const std::optional<Hit> h = HitTest(doc, x, tol);
    if (!h || !h->radiusHit) return false;
    return Changed(h->chain->InsertTab(tabs.length, x, tol, doc.App().m_plotterUnit) != 0);
}

bool CornerDrillClick(CQuenkDoc& doc, const CPunkt& x, double tol) {
    const std::optional<Hit> h = HitTest(doc, x, tol);
    if (!h) return false;
    return Changed(h->chain->InsertCornerDrill(x, tol) != 0);
}

bool CornerVectorClick(CQuenkDoc& doc, const CPunkt& x, double tol) {
    const std::optional<Hit> h = HitTest(doc, x, tol);
    if (!h || !h->radiusPoint) return false;
    return Changed(h->chain->InsertCornerVector(*h->radius, h->radiusIndex) != 0);
}
