#pragma once
// Builds a drawing by hand: chains in pens in one layer, with corrected paths where asked.

#include <initializer_list>

#include "model/document.h"
#include "support/chain_builders.h"

inline CVector& AddTestChain(CQuenkDoc& doc, int penNumber, std::initializer_list<CPunkt> pts) {
    if (doc.m_layers.empty()) doc.AddLayer()->m_empty = 0;
    CLayer& layer = *doc.m_layers.back();
    CStift* pen = nullptr;
    for (auto& s : layer.m_pens)
        if (s->m_number == penNumber) pen = s.get();
    if (!pen) pen = layer.AddPen(penNumber);
    pen->m_empty = 0;
    CVector& v = *pen->AddVector();
    SetPoints(v, pts);
    v.m_empty = 0;
    return v;
}

inline CRadius& AddTestPath(CVector& v, std::initializer_list<CPunkt> pts, int selected = -1) {
    CRadius& r = *v.AddRadius();
    r.m_path = CPointArray(pts);
    r.m_selected = selected;
    v.m_hasCorrection = 1;
    return r;
}
