#pragma once
// Small helpers that build chains for tests.

#include <initializer_list>

#include "model/vector.h"

inline void SetPoints(CVector& v, std::initializer_list<CPunkt> pts) {
    v.m_points.RemoveAll();
    for (const CPunkt& p : pts) v.AddPoint(p);
}

inline void MakeChain(CVector& v, std::initializer_list<CPunkt> pts) {
    SetPoints(v, pts);
    ShowDirectionNote(v.Recompute());
}
