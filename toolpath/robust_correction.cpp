// The fallback of the correction: the chain's paths from the robust offset, with each point
// traced back to the contour vertex whose corner produced it.

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/geometry.h"
#include "model/parallel.h"
#include "model/vector.h"
#include "toolpath/clearance.h"
#include "toolpath/correction_steps.h"
#include "toolpath/path_check.h"
#include "toolpath/robust_offset.h"

namespace {
// The contour is simplified within this share of the checks' tolerance before offsetting:
// dense noisy contours make the offset's union slow, and the path stays within tolerance.
constexpr double kSimplifyShare = 0.9;
// A walk that passed its checks is kept unless it is shorter than the robust paths by more
// than this share: then it has lost reachable boundary.
constexpr double kWalkShortfall = 0.015;
// From this many contour points on, the corner points are found beside the offset.
constexpr std::size_t kCornersBesideOffset = 8192;

double Length(const std::vector<RobustPath>& paths) {
    double sum = 0;
    for (const RobustPath& p : paths)
        for (std::size_t i = 1; i < p.points.size(); ++i) sum += Distance(p.points[i - 1], p.points[i]);
    return sum;
}

double WalkLength(const CVector& v) {
    double sum = 0;
    for (const auto& rad : v.m_radiusList)
        for (int i = 1; i < rad->m_path.Size(); ++i) sum += Distance(rad->m_path[i - 1], rad->m_path[i]);
    return sum;
}

// A robust point is the corner point of a vertex when it lies this close to it: the integer
// coordinates of the offset round to a thousandth of a unit.
constexpr double kSameCorner = 0.004;

// The corner points of the contour as the vertex walk computes them, with their vertices,
// sorted by x for the look-up.
class CornerIndex {
public:
    CornerIndex(const std::vector<CPunkt>& w, const std::vector<std::int32_t>& kept, bool closed, int side,
                double r, double tol)
        : m_tol(tol) {
        std::vector<CPunkt> simple;
        for (std::int32_t k : kept) simple.push_back(w[static_cast<std::size_t>(k)]);
        std::vector<CPunkt> raw;
        std::vector<std::int32_t> src;
        if (simple.size() >= 2) OffsetVertices(simple, closed, side, r, raw, src);
        for (std::size_t i = 0; i < raw.size(); ++i) {
            const std::int32_t s = src[i];
            m_corners.push_back({raw[i], s >= 0 && static_cast<std::size_t>(s) < kept.size()
                                             ? kept[static_cast<std::size_t>(s)]
                                             : -1});
        }
        std::sort(m_corners.begin(), m_corners.end(),
                  [](const Corner& a, const Corner& b) { return a.at.x < b.at.x; });
    }

    std::int32_t SourceOf(const CPunkt& p) const {
        auto it = std::lower_bound(m_corners.begin(), m_corners.end(), p.x - m_tol,
                                   [](const Corner& c, double x) { return c.at.x < x; });
        for (; it != m_corners.end() && it->at.x <= p.x + m_tol; ++it)
            if (std::fabs(it->at.y - p.y) <= m_tol) return it->vertex;
        return -1;
    }

private:
    struct Corner {
        CPunkt at;
        std::int32_t vertex;
    };
    std::vector<Corner> m_corners;
    double m_tol;
};
}  // namespace

RobustResult RobustCorrection(CVector& v, bool keepFullWalk) {
    std::vector<CPunkt> own;
    const bool fromChain = &CheckedContour(v, own) == &own;
    const std::vector<CPunkt>& w = fromChain ? own : v.Correction().m_offsetPoints.Raw();
    const double r = v.m_toolRadius;
    RobustRequest q;
    q.working = &w;
    q.closed = v.m_closed != 0;
    q.outside = PathOutside(v);
    q.side = v.m_side == 0 ? 0 : 1;
    q.r = r;
    const double tol = CheckTolerance(r, w);
    q.simplify = tol * kSimplifyShare;
    double walk = 0;
    if (keepFullWalk) {
        // Most walks that reach this point are longer than the robust paths: a bound on their
        // length keeps those without running the offset. Where it cannot tell, the offset does.
        walk = WalkLength(v);
        if (RobustLengthBound(q) * (1 - kWalkShortfall) <= walk) return RobustResult::WalkKept;
    }
    // The corner points trace the paths' points back to their vertices. On a large contour
    // they are found on the second core while the offset runs on the first.
    const double cornerTol = kSameCorner + (tol - std::min(kClearanceTolerance, r / 4));
    std::optional<CornerIndex> corners;
    const auto findCorners = [&](const std::vector<CPunkt>& contour) {
        corners.emplace(contour, SimplifiedVertices(contour, q.simplify), q.closed, q.side, r, cornerTol);
    };
    std::vector<RobustPath> paths;
    if (w.size() >= kCornersBesideOffset) {
        RunTwoPieces(true, [&](std::size_t k) {
            if (k == 0)
                paths = RobustOffset(q);
            else
                findCorners(w);
        });
    } else {
        paths = RobustOffset(q);
    }
    if (keepFullWalk && Length(paths) * (1 - kWalkShortfall) <= walk) return RobustResult::WalkKept;

    v.m_radiusList.clear();
    if (fromChain) {
        // The preparation of the working contour moved points; the robust offset keeps its
        // distance from the chain itself, and its sources index the chain's points. The raw
        // and problem points of the walk belong to the old working contour and go with it.
        v.Correction().m_offsetPoints.Raw() = std::move(own);
        v.Correction().m_correctionPointsA.RemoveAll();
        v.Correction().m_correctionIndexA.RemoveAll();
        v.Correction().m_correctionIndexB.RemoveAll();
    }
    const std::vector<CPunkt>& contour = v.Correction().m_offsetPoints.Raw();
    if (paths.empty()) return RobustResult::CutterFitsNowhere;
    if (!corners) findCorners(contour);
    for (RobustPath& p : paths) {
        CRadius* path = v.AddRadius();
        path->m_closed = p.closed ? 1 : 0;
        path->m_robust = 1;
        std::vector<std::int32_t>& src = path->m_source.Raw();
        src.reserve(p.points.size());
        for (const CPunkt& x : p.points) src.push_back(corners->SourceOf(x));
        path->m_path.Raw() = std::move(p.points);
    }
    return RobustResult::Replaced;
}
