#pragma once
// A document with a scripted front end for the CAD import's tests, and small DXF files
// written by hand.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "import/cad_import.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

// An ASCII DXF file of the given sections' bodies: layer table rows (each "name colour
// flags"), block definitions and entities, all as group/value lines.
inline std::string DxfText(const std::string& entities, const std::string& layers = "",
                           const std::string& blocks = "") {
    std::string t = "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n0\nENDSEC\n";
    if (!layers.empty()) t += "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n" + layers + "0\nENDTAB\n0\nENDSEC\n";
    if (!blocks.empty()) t += "0\nSECTION\n2\nBLOCKS\n" + blocks + "0\nENDSEC\n";
    return t + "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

class CadTest : public ::testing::Test {
protected:
    ScriptedSession s;
    CQuenkApp app;
    CQuenkDoc doc{app};
    TempDir dir;

    CadTest() {
        app.m_colourPen.assign(256, 1);  // every colour answered with pen 1
    }
    void Import(const std::string& bytes, const std::string& name = "t.dxf") {
        const std::string path = dir.File(name);
        std::ofstream(path, std::ios::binary) << bytes;
        ImportCad(doc, path);
    }
    // The chains with points of the last layer, in pen and chain order.
    std::vector<const CVector*> Chains() {
        std::vector<const CVector*> out;
        if (doc.m_layers.empty()) return out;
        for (auto& p : doc.m_layers.back()->m_pens)
            for (auto& c : p->m_chains)
                if (c->PointCount() > 0) out.push_back(c.get());
        return out;
    }
    // The only chain's points, moved so that the first lies at (0, 0), in millimetres.
    std::vector<CPunkt> Shape() {
        std::vector<CPunkt> out;
        const auto chains = Chains();
        if (chains.size() != 1) {
            ADD_FAILURE() << "expected one chain, got " << chains.size();
            return out;
        }
        const CPointArray& p = chains[0]->m_points;
        for (int k = 0; k < p.Size(); ++k)
            out.push_back({(p[k].x - p[0].x) * app.m_plotterUnit, (p[k].y - p[0].y) * app.m_plotterUnit});
        return out;
    }
};
