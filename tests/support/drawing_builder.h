#pragma once
// Builds a drawing by hand: chains in pens of one layer, corrected paths where asked.

#include <initializer_list>

#include "model/document.h"

inline CVector& AddTestChain(CQuenkDoc& doc, int penNumber, std::initializer_list<CPunkt> pts) {
    if (doc.m_layers.empty()) doc.AddLayer()->m_empty = 0;
    CStift* pen = doc.m_layers.back()->m_pens.empty() ? nullptr : doc.m_layers.back()->m_pens.back().get();
    if (!pen || pen->m_number != penNumber) pen = doc.m_layers.back()->AddPen(penNumber);
    pen->m_empty = 0;
    CVector& v = *pen->AddVector();
    v.m_points = CPointArray(pts);
    v.m_empty = 0;
    return v;
}

inline void AddTestPath(CVector& v, std::initializer_list<CPunkt> pts, int selected = -1) {
    v.AddRadius()->m_path = CPointArray(pts);
    v.m_radiusList.back()->m_selected = selected;
    v.m_hasCorrection = 1;
}
