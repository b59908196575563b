#include "toolpath/pick.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "model/document.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "toolpath/texts.h"

namespace {
constexpr std::int32_t kTabsSingle = 0;
constexpr std::int32_t kTabsVertical = 1;

// The exact picking tests compute with the coordinates, so their rounding is relative to the
// largest of them; growing the boxes below by a billionth of the coordinates (millions of
// times that rounding) keeps every hit of theirs inside.
constexpr double kSlack = 1e-9;

double Reach(const CPunkt& x, const CPunkt& p, const CPunkt& q, double tol) {
    return tol + kSlack * (std::fabs(tol) + std::fabs(x.x) + std::fabs(x.y) + std::fabs(p.x) + std::fabs(p.y) +
                           std::fabs(q.x) + std::fabs(q.y));
}

bool InGrownBox(const CPunkt& x, const CPunkt& p, const CPunkt& q, double tol) {
    const double r = Reach(x, p, q, tol);
    return x.x >= std::min(p.x, q.x) - r && x.x <= std::max(p.x, q.x) + r && x.y >= std::min(p.y, q.y) - r &&
           x.y <= std::max(p.y, q.y) + r;
}

// Whether any point of p, or any segment, can lie within tol of x: a point only when x lies
// in its box grown by tol, a segment's band only when x lies in the segment's box grown by
// tol. Compares only, no roots: on a large drawing the exact point and segment tests then run
// for the few chains near the click, and the walk finds the same first hit as without this.
bool MayHit(const std::vector<CPunkt>& p, const CPunkt& x, double tol) {
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (i > 0 && InGrownBox(x, p[i - 1], p[i], tol)) return true;
        if (InGrownBox(x, p[i], p[i], tol)) return true;
    }
    return false;
}

inline void Fetch(const void* p) {
#if defined(__GNUC__)
    __builtin_prefetch(p);
#else
    (void)p;
#endif
}

// The chains' objects, their point lists, their paths and the paths' points lie scattered in
// memory, and a click on a large drawing would wait for memory at each of them. Chains a few
// places ahead are asked for one level of pointers per place, the nearest the deepest, so
// that by its turn a chain's points are there.
void FetchAhead(const std::vector<std::unique_ptr<CVector>>& chains, std::size_t k) {
    constexpr std::size_t kObject = 8, kLists = 6, kPaths = 4, kPathPoints = 2;
    const std::size_t n = chains.size();
    if (k + kObject < n) {
        const CVector* v = chains[k + kObject].get();
        Fetch(&v->m_empty);
        Fetch(&v->m_points);
        Fetch(&v->m_radiusList);
    }
    if (k + kLists < n) {
        const CVector& v = *chains[k + kLists];
        Fetch(v.m_points.Raw().data());
        Fetch(v.m_radiusList.data());
    }
    if (k + kPaths < n)
        for (const auto& path : chains[k + kPaths]->m_radiusList) Fetch(path.get());
    if (k + kPathPoints < n)
        for (const auto& path : chains[k + kPathPoints]->m_radiusList) Fetch(path->m_path.Raw().data());
}

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
            const auto& chains = pen->m_chains;
            for (std::size_t k = 0; k < chains.size(); ++k) {
                FetchAhead(chains, k);
                const auto& chain = chains[k];
                if (chain->m_empty) continue;
                h.chain = chain.get();
                for (auto& path : chain->m_radiusList) {
                    if (!MayHit(path->m_path.Raw(), x, tol)) continue;
                    h.radius = path.get();
                    h.radiusIndex = path->FindPoint(x, tol);
                    h.radiusPoint = h.radiusIndex != -1;
                    if (!h.radiusPoint) h.radiusIndex = path->FindSegment(x, tol);
                    h.radiusHit = h.radiusIndex != -1;
                    if (h.radiusHit) return h;
                }
                h.radius = nullptr;
                if (!MayHit(chain->m_points.Raw(), x, tol)) continue;
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
