#pragma once
// Builds a drawing by hand: chains in pens of one layer, corrected paths where asked.

#include <initializer_list>

#include "model/document.h"

inline CVector& AddTestChain(CQuenkDoc& doc, int penNumber, std::initializer_list<CPunkt> pts) {
    doc.m_curPen = doc.FindOrCreatePen(penNumber, 0);
    doc.m_curLayer->m_empty = doc.m_curPen->m_empty = 0;
    CVector& v = *doc.AddChainToCurrentPen();
    v.m_points = CPointArray(pts);
    v.m_empty = 0;
    return v;
}

inline void AddTestPath(CVector& v, std::initializer_list<CPunkt> pts, int selected = -1) {
    v.AddRadius()->m_path = CPointArray(pts);
    v.m_radiusList.back()->m_selected = selected;
}
