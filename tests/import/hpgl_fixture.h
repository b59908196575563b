#pragma once
// A document with a scripted front end for the HPGL reader's tests.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "import/hpgl_reader.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "support/scripted_interaction.h"

class HpglTest : public ::testing::Test {
protected:
    ScriptedSession s;
    CQuenkApp app;
    CQuenkDoc doc{app};

    // Interprets text into a fresh layer, without placement or joining.
    int Read(const std::string& text) {
        doc.m_curLayer = doc.AddLayer();
        return InterpretHpgl(doc, text);
    }
    // The whole reader after the file was read.
    void Import(const std::string& text, const std::string& name = "t.plt") {
        ImportHpglBytes(doc, text, name);
    }
    CLayer& Layer(std::size_t i = 0) { return *doc.m_layers.at(i); }
    CStift* Pen(int number, std::size_t layer = 0) {
        for (auto& p : Layer(layer).m_pens)
            if (p->m_number == number) return p.get();
        return nullptr;
    }
    // The chains of a pen that hold points.
    std::vector<CVector*> Strokes(int pen, std::size_t layer = 0) {
        std::vector<CVector*> out;
        if (CStift* p = Pen(pen, layer))
            for (auto& c : p->m_chains)
                if (c->PointCount() > 0) out.push_back(c.get());
        return out;
    }
    bool AllPointsFinite() {
        for (auto& l : doc.m_layers)
            for (auto& p : l->m_pens)
                for (auto& c : p->m_chains)
                    for (const CPunkt& q : c->m_points)
                        if (!std::isfinite(q.x) || !std::isfinite(q.y)) return false;
        return true;
    }
    std::size_t PointCount() {
        std::size_t n = 0;
        for (auto& l : doc.m_layers)
            for (auto& p : l->m_pens)
                for (auto& c : p->m_chains) n += static_cast<std::size_t>(c->PointCount());
        return n;
    }
};

inline void ExpectPoint(const CPunkt& p, double x, double y, double tol = 0.0) {
    EXPECT_NEAR(p.x, x, tol);
    EXPECT_NEAR(p.y, y, tol);
}
