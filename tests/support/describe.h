#pragma once
// Everything a later step or the user can see of a chain or a drawing, as text lines with
// every number in its shortest exact form: two runs that must agree compare bit for bit, and
// a difference reads plainly in the failure.

#include <charconv>
#include <string>
#include <vector>

#include "model/document.h"
#include "model/vector.h"

inline std::string Num(double v) {
    char buf[40];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

inline std::string DescribeChain(const CVector& v) {
    std::string s = "e" + std::to_string(v.m_empty) + " c" + std::to_string(v.m_closed) + " d" +
                    std::to_string(v.m_direction) + " ends " + std::to_string(v.m_startX) + "," +
                    std::to_string(v.m_startY) + " " + std::to_string(v.m_endX) + "," + std::to_string(v.m_endY) +
                    " box";
    for (double b : {v.m_minX, v.m_maxX, v.m_minY, v.m_maxY, v.OuterMinX(), v.OuterMaxX(), v.OuterMinY(),
                     v.OuterMaxY()})
        s += " " + Num(b);
    s += " corr " + std::to_string(v.m_hasCorrection) + "/" + std::to_string(v.m_radiusList.size()) + "/" +
         std::to_string(v.Correction().m_correctionPointsA.Size()) + " :";
    for (const CPunkt& p : v.m_points) s += " " + Num(p.x) + "," + Num(p.y);
    return s;
}

inline std::vector<std::string> DescribeDrawing(const CQuenkDoc& doc) {
    std::vector<std::string> out{"doc " + Num(doc.m_minX) + " " + Num(doc.m_maxX) + " " + Num(doc.m_minY) + " " +
                                 Num(doc.m_maxY) + " target " + Num(doc.m_importTargetX) + " " +
                                 Num(doc.m_importTargetY) + " corrected " + std::to_string(doc.m_bCorrectionDone) +
                                 " join " + Num(doc.m_joinDistanceUnits)};
    for (std::size_t l = 0; l < doc.m_layers.size(); ++l) {
        const CLayer& layer = *doc.m_layers[l];
        out.push_back("layer " + Num(layer.m_minX) + " " + Num(layer.m_maxX) + " " + Num(layer.m_minY) + " " +
                      Num(layer.m_maxY) + " " + Num(layer.m_outerMaxX));
        for (std::size_t p = 0; p < layer.m_pens.size(); ++p) {
            const CStift& pen = *layer.m_pens[p];
            out.push_back("pen " + std::to_string(pen.m_number) + " " + Num(pen.m_minX) + " " + Num(pen.m_maxY));
            for (std::size_t c = 0; c < pen.m_chains.size(); ++c)
                out.push_back(std::to_string(l) + "/" + std::to_string(p) + "/" + std::to_string(c) + " " +
                              DescribeChain(*pen.m_chains[c]));
        }
    }
    return out;
}
