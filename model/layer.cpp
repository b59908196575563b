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
    for (auto& pen : m_pens)
        for (auto& c : pen->m_chains)
            for (CPunkt& p : c->m_points) {
                p.x += dx;
                p.y += dy;
            }
    RecomputeBox();
}

void CLayer::RemoveDuplicatePoints() {
    for (auto& p : m_pens) p->RemoveDuplicatePoints();
}
