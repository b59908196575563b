// The cutter-centre path of one chain.

#include <cmath>
#include <new>

#include "model/quenk_app.h"
#include "model/vector.h"
#include "toolpath/clearance.h"
#include "toolpath/correction_steps.h"
#include "toolpath/path_check.h"
#include "toolpath/plain_distance.h"

namespace {
// Spikes narrower than this are cut off even without clean-up: thinner than any cutter.
constexpr double kMinSpike = 0.01;

// The paths (tabs and corner drills live in them and go with them), the correction's lists
// and its working contour: a correction starts from nothing of the last one.
void DropOldCorrection(CVector& v) {
    v.ClearCorrection();
    if (v.HasCorrectionLists()) v.Correction().m_offsetPoints.RemoveAll();
}

// A chain that leaves no contour to follow (a point, a closed chain without area, an open
// one shorter than the tool is wide): a path there would plunge the cutter into the part or
// run it past the chain's ends, so there is none, and the user is to be told.
void NoPath(CVector& v, std::vector<CPunkt>&& w, CorrectionReport& report) {
    v.Correction().m_offsetPoints.Raw() = std::move(w);
    v.m_hasCorrection = 1;
    report.cutterTooLarge = true;
}

bool Degenerate(const std::vector<CPunkt>& w, bool closed, double r) {
    if (w.size() < 2 || (closed && w.size() < 3)) return true;
    if (closed) return false;
    double length = 0;
    for (std::size_t i = 1; i < w.size(); ++i) length += PlainDistance(w[i - 1], w[i]);
    return length < 2 * r;
}

// CorrectWith, filling report as it goes, so that what was to be told survives a lack of
// memory later on.
void CorrectInto(CVector& v, PathQueries& queries, CorrectionReport& report) {
    if (v.m_empty) return;
    if (v.m_tool == kNoTool) {
        v.ClearCorrection();
        return;
    }
    DropOldCorrection(v);
    const double r = v.m_toolRadius;
    if (!(r >= 0) || !std::isfinite(r)) {
        // A radius from a broken tool table or plotter unit would put non-finite points in
        // the path; the chain is left without correction instead.
        v.ClearCorrection();
        report.result = 0;
        return;
    }
    const std::vector<CPunkt>& pts = v.m_points.Raw();
    if (pts.empty()) return;

    if (r == 0) {
        CRadius* path = v.AddRadius();
        path->m_path = v.m_points;
        path->m_closed = v.m_closed;
        std::vector<std::int32_t>& src = path->m_source.Raw();
        for (std::size_t i = 0; i < pts.size(); ++i) src.push_back(static_cast<std::int32_t>(i));
        v.Correction().m_offsetPoints = v.m_points;
        v.m_hasCorrection = 1;
        return;
    }

    const bool closed = v.m_closed != 0;
    const int side = v.m_side == 0 ? 0 : 1;
    std::vector<CPunkt> w = BuildWorkingContour(pts, closed, v.m_cleanContour != 0, r);
    std::vector<CPunkt>& buffer = queries.walk.contour;
    WindowPass(w, buffer);
    DropExactRepeats(w);
    // A closed contour needs at least one segment out and back; [P, P] is a point.
    if (Degenerate(w, closed, r)) return NoPath(v, std::move(w), report);
    SmoothSharpCorners(w, closed, side, v.m_cleanContour ? 2 * r : kMinSpike, buffer);
    DropExactRepeats(w);
    if (Degenerate(w, closed, r)) return NoPath(v, std::move(w), report);
    v.Correction().m_offsetPoints.Raw() = std::move(w);

    v.m_hasCorrection = 1;
    // Into the walk's buffers first, so that the chain's lists are made once at their length.
    PathQueries::WalkBuffers& walk = queries.walk;
    const bool offset = OffsetVertices(v.Correction().m_offsetPoints.Raw(), closed, side, r, walk.points, walk.sources);
    v.Correction().m_correctionPointsA.Raw().assign(walk.points.begin(), walk.points.end());
    v.Correction().m_correctionIndexA.Raw().assign(walk.sources.begin(), walk.sources.end());
    if (!offset) {
        // Only straight spikes, where no corner gives a point: nothing to follow.
        report.cutterTooLarge = true;
        report.result = 0;
        return;
    }
    AssemblyOutcome& outcome = queries.walk.outcome;
    AssemblePath(v, queries, outcome);
    report.sourcesOutOfStep = outcome.sourcesOutOfStep;
    RobustResult robust = RobustResult::WalkKept;
    if (outcome.nothingPasses || !queries.checker.Sound(v, outcome))
        robust = RobustCorrection(v);
    else if (closed && queries.checker.MayHaveLostBoundary())
        // The walk left out raw path that the cutter may reach: whether that was boundary is
        // told surely only by the robust offset.
        robust = RobustCorrection(v, true);
    report.cutterTooLarge = robust == RobustResult::CutterFitsNowhere;
}
}  // namespace

CorrectionReport CorrectWith(CVector& v, PathQueries& queries) {
    CorrectionReport report;
    CorrectInto(v, queries, report);
    return report;
}

CorrectionReport CorrectOrOutOfMemory(CVector& v, PathQueries& queries) {
    CorrectionReport report;
    try {
        CorrectInto(v, queries, report);
    } catch (const std::bad_alloc&) {
        // What the correction had built is given back; the chain itself is untouched.
        v.ClearCorrection();
        report.result = -1;
    }
    return report;
}
