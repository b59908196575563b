#include "prepare/chain_context.h"

#include "model/document.h"

bool DocumentHolds(const CQuenkDoc& doc, const CVector* chain, const CRadius* path) {
    if (!chain) return false;
    for (const auto& layer : doc.m_layers)
        for (const auto& pen : layer->m_pens)
            for (const auto& c : pen->m_chains) {
                if (c.get() != chain) continue;
                if (!path) return true;
                for (const auto& r : c->m_radiusList)
                    if (r.get() == path) return true;
                return false;
            }
    return false;
}

CVector* CopyPathToContour(CQuenkDoc& doc, CStift& pen, CVector& chain, const CRadius& path) {
    CVector* copy = pen.AddVector();
    copy->m_points = path.m_path;  // before the correction, and with it the path, goes
    copy->m_empty = 0;
    chain.ClearCorrection();
    doc.RecomputeBox();
    return copy;
}
