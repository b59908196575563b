#include "output/milling_order.h"

#include "model/document.h"
#include "output/mouse_export.h"

std::vector<CVector*> CorrectedChains(CQuenkDoc& doc) {
    std::vector<CVector*> chains;
    for (auto& layer : doc.m_layers)
        for (auto& pen : layer->m_pens)
            for (auto& chain : pen->m_chains)
                if (!chain->m_empty && chain->m_hasCorrection) chains.push_back(chain.get());
    return chains;
}

std::size_t OrderAll(CQuenkApp& app, CQuenkDoc& doc) {
    CMouseExport exporter(app, doc);
    exporter.StartWithoutFile();
    std::size_t taken = 0;
    for (CVector* chain : CorrectedChains(doc)) taken += exporter.Click(*chain) ? 1 : 0;
    exporter.FinishMouseExport();
    return taken;
}

std::size_t OrderChains(CQuenkApp& app, CQuenkDoc& doc, const std::vector<CVector*>& chains) {
    CMouseExport exporter(app, doc);
    exporter.StartWithoutFile();
    std::size_t i = 0;
    while (i < chains.size() && exporter.Click(*chains[i])) ++i;
    exporter.FinishMouseExport();
    return i;
}
