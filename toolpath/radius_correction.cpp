// CVector::Correct: the cutter-centre path of one chain.

#include <cmath>

#include "model/quenk_app.h"
#include "model/vector.h"
#include "toolpath/clearance.h"
#include "toolpath/correction_steps.h"

namespace {
// Spikes narrower than this are cut off even without clean-up: thinner than any cutter.
constexpr double kMinSpike = 0.01;

void DropOldCorrection(CVector& v) {
    v.m_radiusList.clear();  // tabs and corner drills live in the paths and go with them
    v.m_correctionPointsC.RemoveAll();
    v.m_correctionPointsA.RemoveAll();
    v.m_correctionIndexA.RemoveAll();
    v.m_correctionIndexB.RemoveAll();
    v.m_cutBand.RemoveAll();
    v.m_offsetPoints.RemoveAll();
}

// A path of one point with no vertex behind it.
void SinglePoint(CVector& v) {
    CRadius* path = v.AddRadius();
    path->m_path.AddPoint(v.m_points[0]);
    path->m_source.AddPoint(-1);
    v.m_hasCorrection = 1;
}
}  // namespace

std::int32_t CorrectWith(CVector& v, PathQueries& queries) {
    if (v.m_empty) return 1;
    if (v.m_tool == kNoTool) {
        v.ClearCorrection();
        return 1;
    }
    DropOldCorrection(v);
    const double r = v.m_toolRadius;
    if (!(r >= 0) || !std::isfinite(r)) {
        // A radius from a broken tool table or plotter unit would put non-finite points in
        // the path; the chain is left without correction instead.
        v.ClearCorrection();
        return 0;
    }
    const std::vector<CPunkt>& pts = v.m_points.Raw();
    if (pts.empty()) return 1;

    if (r == 0) {
        CRadius* path = v.AddRadius();
        path->m_path = v.m_points;
        path->m_closed = v.m_closed;
        std::vector<std::int32_t>& src = path->m_source.Raw();
        for (std::size_t i = 0; i < pts.size(); ++i) src.push_back(static_cast<std::int32_t>(i));
        v.m_offsetPoints = v.m_points;
        v.m_hasCorrection = 1;
        return 1;
    }

    const bool closed = v.m_closed != 0;
    const int side = v.m_side == 0 ? 0 : 1;
    std::vector<CPunkt> w = BuildWorkingContour(pts, closed, v.m_cleanContour != 0, r);
    WindowPass(w);
    DropExactRepeats(w);
    // A closed contour needs at least one segment out and back; [P, P] is a point.
    if (w.size() < 2 || (closed && w.size() < 3)) {
        v.m_offsetPoints.Raw() = std::move(w);
        SinglePoint(v);
        return 1;
    }
    SmoothSharpCorners(w, closed, side, v.m_cleanContour ? 2 * r : kMinSpike);
    DropExactRepeats(w);
    if (w.size() < 2 || (closed && w.size() < 3)) {
        v.m_offsetPoints.Raw() = std::move(w);
        SinglePoint(v);
        return 1;
    }
    v.m_offsetPoints.Raw() = std::move(w);

    v.m_hasCorrection = 1;
    if (!OffsetVertices(v.m_offsetPoints.Raw(), closed, side, r, v.m_correctionPointsA.Raw(),
                        v.m_correctionIndexA.Raw()))
        return 0;
    AssemblePath(v, queries);
    BuildCutBand(v);
    return 1;
}

std::int32_t CVector::Correct() {
    GridPathQueries queries;
    return CorrectWith(*this, queries);
}
