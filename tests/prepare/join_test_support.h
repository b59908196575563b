#pragma once
// Small drawings for the joining tests: one document with layers, pens and chains.

#include <initializer_list>
#include <utility>
#include <vector>

#include "model/document.h"
#include "model/quenk_app.h"
#include "support/chain_builders.h"

struct JoinDrawing {
    CQuenkApp app;
    CQuenkDoc doc{app};

    // Joining distance in drawing units, with one millimetre per unit so that it is exact.
    explicit JoinDrawing(double joinUnits = 20.0) {
        app.m_joinDistance = joinUnits;
        doc.m_plotterUnit = 1.0;
    }
    CStift& Pen(int number, CLayer* layer = nullptr) {
        if (!layer) layer = doc.m_layers.empty() ? doc.AddLayer() : doc.m_layers.back().get();
        return *layer->AddPen(number);
    }
    static CVector& Chain(CStift& pen, std::initializer_list<CPunkt> pts) {
        CVector& v = *pen.AddVector();
        MakeChain(v, pts);
        return v;
    }
};

inline std::vector<std::pair<double, double>> Pts(const CVector& v) {
    std::vector<std::pair<double, double>> out;
    for (const CPunkt& p : v.m_points) out.emplace_back(p.x, p.y);
    return out;
}

using PointList = std::vector<std::pair<double, double>>;
