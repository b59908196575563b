#include "toolpath/milling_job.h"

#include <algorithm>
#include <memory>

#include "model/document.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "model/vector.h"
#include "model/fraes_kontur.h"

bool CanEnterMillingList(const CQuenkApp& app, const CVector& chain) {
    const std::int32_t t = chain.m_tool;
    if (t < kFirstTool || t > kLastTool || static_cast<std::size_t>(t) >= app.m_toolColours.size()) return false;
    return std::any_of(chain.m_radiusList.begin(), chain.m_radiusList.end(),
                       [](const auto& path) { return path->m_mark == 0; });
}

CFraesKontur* AddContourFromChain(CQuenkApp& app, CVector& chain) {
    if (!CanEnterMillingList(app, chain)) return nullptr;
    auto kontur = std::make_unique<CFraesKontur>();
    kontur->m_outerMaxX = chain.OuterMaxX();
    kontur->m_outerMinX = chain.OuterMinX();
    kontur->m_outerMaxY = chain.OuterMaxY();
    kontur->m_outerMinY = chain.OuterMinY();
    kontur->m_direction = chain.m_direction;
    kontur->m_tool = chain.m_tool;
    kontur->m_toolColor = app.m_toolColours[static_cast<std::size_t>(chain.m_tool)];
    kontur->m_points = chain.m_points;
    for (auto& path : chain.m_radiusList) {
        if (path->m_mark != 0) continue;
        auto daten = std::make_unique<CFraesDaten>();
        daten->m_points = path->m_path;
        kontur->m_paths.push_back(std::move(daten));
        path->m_mark = 1;
    }
    app.m_millingList.push_back(std::move(kontur));
    return app.m_millingList.back().get();
}

void RemoveLastContour(CQuenkApp& app, CVector* lastChain) {
    if (lastChain)
        for (auto& path : lastChain->m_radiusList) path->m_mark = 0;
    if (!app.m_millingList.empty()) app.m_millingList.pop_back();
}

bool ComputeJobExtent(CQuenkApp& app) {
    if (app.m_millingList.empty()) {
        // A frame of its own for the empty job, so that milling mode still shows something.
        app.m_jobMinX = app.m_jobMinY = 10.0;
        app.m_jobMaxX = app.m_jobMaxY = 100.0;
        return false;
    }
    app.m_jobMinX = app.m_jobMinY = kEmptyMin;
    app.m_jobMaxX = app.m_jobMaxY = kEmptyMax;
    for (const auto& k : app.m_millingList) {
        app.m_jobMinX = std::min(app.m_jobMinX, k->m_outerMinX);
        app.m_jobMaxX = std::max(app.m_jobMaxX, k->m_outerMaxX);
        app.m_jobMinY = std::min(app.m_jobMinY, k->m_outerMinY);
        app.m_jobMaxY = std::max(app.m_jobMaxY, k->m_outerMaxY);
    }
    return true;
}

void CopyToKontur(CQuenkApp& app, CQuenkDoc& doc, CStift& pen, CVector& chain, const CRadius& path) {
    // The path belongs to the chain and dies with its correction: copy first.
    CVector* copy = pen.AddVector();
    copy->m_points = path.m_path;
    copy->m_empty = 0;
    chain.ClearCorrection();
    doc.RecomputeBox();
    app.m_nColorMode = 0;
    Ui().RequestRedraw();
}
