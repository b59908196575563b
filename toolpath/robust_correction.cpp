// The fallback of the correction: the chain's paths from the robust offset, with each point
// traced back to the contour vertex whose corner produced it.

#include <algorithm>
#include <cmath>

#include "model/session.h"
#include "model/vector.h"
#include "toolpath/clearance.h"
#include "toolpath/correction_steps.h"
#include "toolpath/correction_texts.h"
#include "toolpath/path_check.h"
#include "toolpath/robust_offset.h"

namespace {
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

void RobustCorrection(CVector& v) {
    v.m_radiusList.clear();
    const std::vector<CPunkt>& w = v.m_offsetPoints.Raw();
    const double r = v.m_toolRadius;
    RobustRequest q;
    q.working = &w;
    q.closed = v.m_closed != 0;
    q.outside = PathOutside(v);
    q.side = v.m_side == 0 ? 0 : 1;
    q.r = r;
    const double tol = CheckTolerance(r, w);
    q.simplify = tol / 2;
    const std::vector<RobustPath> paths = RobustOffset(q);
    if (paths.empty()) {
        Ui().Message(texts::kCutterTooLarge);
        return;
    }
    const CornerIndex corners(w, SimplifiedVertices(w, q.simplify), q.closed, q.side, r,
                              kSameCorner + (tol - std::min(kClearanceTolerance, r / 4)));
    for (const RobustPath& p : paths) {
        CRadius* path = v.AddRadius();
        path->m_closed = p.closed ? 1 : 0;
        path->m_robust = 1;
        path->m_path.Raw() = p.points;
        std::vector<std::int32_t>& src = path->m_source.Raw();
        src.reserve(p.points.size());
        for (const CPunkt& x : p.points) src.push_back(corners.SourceOf(x));
    }
}
