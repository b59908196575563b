#include "model/layer.h"

#include "model/box.h"

CVector* CStift::AddVector() {
    m_chains.push_back(std::make_unique<CVector>());
    return m_chains.back().get();
}

void CStift::RecomputeBox() {
    ResetBox(*this);
    if (m_chains.empty()) return;
    m_empty = 0;
    for (auto& c : m_chains) {
        c->Recompute();
        FoldBox(*this, *c);
    }
}

void CStift::RemoveDuplicatePoints() {
    for (auto& c : m_chains) c->RemoveDuplicatePoints();
}

CStift* CLayer::AddPen(std::int32_t number) {
    m_pens.push_back(std::make_unique<CStift>(number));
    return m_pens.back().get();
}

void CLayer::RecomputeBox() {
    ResetBox(*this);
    if (m_pens.empty()) return;
    m_empty = 0;
    for (auto& p : m_pens) {
        p->RecomputeBox();
        FoldBox(*this, *p);
    }
}

void CLayer::MoveBy(double dx, double dy, double z) {
    if (z < 0) return;
    // Moving every point and then recomputing every box, chain by chain: each chain is
    // recomputed while its points are still in the cache, with the same result and the same
    // messages in the same order as a move of everything followed by RecomputeBox.
    ResetBox(*this);
    if (!m_pens.empty()) m_empty = 0;
    for (auto& pen : m_pens) {
        ResetBox(*pen);
        if (!pen->m_chains.empty()) pen->m_empty = 0;
        for (auto& c : pen->m_chains) {
            for (CPunkt& p : c->m_points) {
                p.x += dx;
                p.y += dy;
            }
            c->Recompute();
            FoldBox(*pen, *c);
        }
        FoldBox(*this, *pen);
    }
}

void CLayer::RemoveDuplicatePoints() {
    for (auto& p : m_pens) p->RemoveDuplicatePoints();
}
