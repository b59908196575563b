#include "join_reference.h"

#include <cmath>
#include <optional>

#include "model/document.h"
#include "model/geometry.h"
#include "model/quenk_app.h"
#include "model/core_context.h"

namespace {

struct End {
    int x, y;
    bool operator==(const End&) const = default;
};
End StartOf(const CVector& v) { return {v.m_startX, v.m_startY}; }
End EndOf(const CVector& v) { return {v.m_endX, v.m_endY}; }

double Dist(End a, End b) {
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    return std::sqrt(dx * dx + dy * dy);
}

void RecomputeBoth(CVector& a, CVector& b) {
    ShowDirectionNote(a.Recompute());
    ShowDirectionNote(b.Recompute());
}

bool JoinPenPlain(CStift& pen) {
    auto& c = pen.m_chains;
    bool any = false;
    for (;;) {
        bool joined = false;
        for (std::size_t i = 0; i < c.size(); ++i) {
            CVector& a = *c[i];
            if (a.m_empty) continue;
            for (std::size_t j = i + 1; j < c.size(); ++j) {
                CVector& b = *c[j];
                if (b.m_empty || b.m_closed) continue;
                if (a.m_closed) break;  // a closed chain is never joined
                a.Correction().m_correctionPointsA.RemoveAll();
                b.Correction().m_correctionPointsA.RemoveAll();
                const End sa = StartOf(a), ea = EndOf(a), sb = StartOf(b), eb = EndOf(b);
                if (sa == sb) {
                    for (int k = 1; k < b.PointCount(); ++k) a.m_points.InsertPoint(0, b.m_points[k]);
                    b.m_points.RemoveAll();
                    RecomputeBoth(a, b);
                    joined = true;
                }
                if (sa == eb) {
                    for (int k = b.PointCount() - 2; k >= 0; --k) a.m_points.InsertPoint(0, b.m_points[k]);
                    b.m_points.RemoveAll();
                    RecomputeBoth(a, b);
                    joined = true;
                }
                if (ea == sb) {
                    for (int k = 1; k < b.PointCount(); ++k) a.AddPoint(b.m_points[k]);
                    b.m_points.RemoveAll();
                    RecomputeBoth(a, b);
                    joined = true;
                }
                if (ea == eb) {
                    for (int k = b.PointCount() - 2; k >= 0; --k) a.AddPoint(b.m_points[k]);
                    b.m_points.RemoveAll();
                    RecomputeBoth(a, b);
                    joined = true;
                }
            }
        }
        if (!joined) return any;
        any = true;
    }
}

// The meeting ends of case 1..4 and their treatment, then the merge.
void MergePlain(CVector& a, CVector& b, int joinCase) {
    const int ri = (joinCase == 1 || joinCase == 2) ? 0 : a.PointCount() - 1;
    const int rni = ri == 0 ? 1 : ri - 1;
    const int di = (joinCase == 1 || joinCase == 3) ? 0 : b.PointCount() - 1;
    const int dni = di == 0 ? 1 : di - 1;
    const CPunkt r = a.m_points[ri], rn = a.m_points[rni], d = b.m_points[di], dn = b.m_points[dni];
    const std::optional<CPunkt> x = TryLineIntersection(r, rn, d, dn);
    auto toCrossing = [&] {
        if (!x) return;  // no crossing point: bridged
        a.m_points[ri] = *x;
        b.m_points.RemovePoints(di, 1);
    };
    if (SegmentsCross(r, rn, d, dn)) {
        toCrossing();
    } else if (Turn(r, rn, dn) == 0 && Turn(d, dn, r) * Turn(d, dn, rn) == -1) {
        a.m_points[ri] = d;
        b.m_points.RemovePoints(di, 1);
    } else if (Turn(d, dn, r) == 0 && Turn(r, rn, d) * Turn(r, rn, dn) == -1) {
        b.m_points[di] = r;
        a.m_points.RemovePoints(ri, 1);
    } else if (Turn(r, rn, d) * Turn(r, rn, dn) == -1) {
        toCrossing();
    } else if (Turn(d, dn, r) * Turn(d, dn, rn) == -1) {
        toCrossing();
    }
    switch (joinCase) {
        case 1:
            for (int k = 0; k < b.PointCount(); ++k) a.m_points.InsertPoint(0, b.m_points[k]);
            b.m_points.RemoveAll();
            break;
        case 2:
            for (int k = 0; k < a.PointCount(); ++k) b.AddPoint(a.m_points[k]);
            a.m_points.RemoveAll();
            break;
        case 3:
            for (int k = 0; k < b.PointCount(); ++k) a.AddPoint(b.m_points[k]);
            b.m_points.RemoveAll();
            break;
        case 4:
            for (int k = b.PointCount() - 1; k >= 0; --k) a.AddPoint(b.m_points[k]);
            b.m_points.RemoveAll();
            break;
    }
    RecomputeBoth(a, b);
}

bool Qualifies(const CVector& v) { return !v.m_empty && !v.m_closed && v.PointCount() >= 2; }

void JoinPenByDistancePlain(CStift& pen, double dist) {
    auto& c = pen.m_chains;
    for (;;) {
        double best = 2147483647.0;
        int bi = -1, bj = -1, bc = 0;
        for (std::size_t i = 0; i < c.size(); ++i) {
            for (std::size_t j = i + 1; j < c.size(); ++j) {
                if (!Qualifies(*c[i]) || !Qualifies(*c[j])) continue;
                const double d[4] = {Dist(StartOf(*c[i]), StartOf(*c[j])), Dist(StartOf(*c[i]), EndOf(*c[j])),
                                     Dist(EndOf(*c[i]), StartOf(*c[j])), Dist(EndOf(*c[i]), EndOf(*c[j]))};
                for (int k = 0; k < 4; ++k) {
                    if (d[k] < best) {
                        best = d[k];
                        bi = static_cast<int>(i);
                        bj = static_cast<int>(j);
                        bc = k + 1;
                    }
                }
            }
        }
        if (bi < 0 || !(best <= dist)) break;
        MergePlain(*c[static_cast<std::size_t>(bi)], *c[static_cast<std::size_t>(bj)], bc);
    }
    for (auto& chain : c) {
        CVector& v = *chain;
        if (v.m_empty || v.m_closed || v.PointCount() < 3) continue;
        if (!(Dist(StartOf(v), EndOf(v)) <= dist)) continue;
        const int n = v.PointCount();
        const CPunkt p0 = v.m_points[0], p1 = v.m_points[1], q0 = v.m_points[n - 2], q1 = v.m_points[n - 1];
        const std::optional<CPunkt> x = TryLineIntersection(p0, p1, q0, q1);
        if (SegmentsCross(p0, p1, q0, q1) && x) {
            v.m_points[0] = *x;
            v.m_points[n - 1] = *x;
        } else {
            v.AddPoint(p0);
        }
        ShowDirectionNote(v.Recompute());
    }
}

}  // namespace

bool ReferenceJoinEndPoints(CQuenkDoc& doc, CLayer& layer) {
    bool any = false;
    for (auto& pen : layer.m_pens)
        if (JoinPenPlain(*pen)) any = true;
    doc.RecomputeBox();
    if (any) Ui().Message(" Vektorkette in die gleiche Richtung gedreht !! ");
    Ui().RequestRedraw();
    return any;
}

void ReferenceJoinChains(CQuenkDoc& doc) {
    Ui().BeginWait();
    doc.m_joinDistanceUnits = doc.App().m_joinDistance / doc.m_plotterUnit;
    for (auto& layer : doc.m_layers) {
        if (layer->m_empty) continue;
        for (auto& pen : layer->m_pens) {
            if (pen->m_empty) continue;
            if (doc.m_bCorrectionDone)
                for (auto& v : pen->m_chains) v->ClearCorrection();
            JoinPenByDistancePlain(*pen, doc.m_joinDistanceUnits);
        }
    }
    doc.m_bCorrectionDone = 0;
    doc.RecomputeBox();
    Ui().EndWait();
    Ui().RequestRedraw();
}
