// Corner drill and corner vector: a round cutter cannot reach the vertex of an inner corner;
// a plunge on the corner's bisector, at the tool radius from the vertex, cuts it free.

#include <cmath>
#include <memory>
#include <optional>

#include "model/core_context.h"
#include "model/vector.h"
#include "toolpath/chain_toolpath.h"
#include "toolpath/texts.h"

namespace {
// Corners strictly between 70 and 110 degrees on the path's side are treated.
constexpr double kNarrowestCorner = 0.3888888888888889 * kPi;
constexpr double kWidestCorner = 0.6111111111111112 * kPi;
constexpr std::int32_t kNoSource = -1;

// The corner point of vertex v between u (before) and c (after), when the corner qualifies:
// both legs at least r long, the angle on the path's side between the limits above.
std::optional<CPunkt> CornerPoint(const CPunkt& u, const CPunkt& v, const CPunkt& c, double r, std::int32_t side) {
    if (Distance(u, v) < r || Distance(c, v) < r) return std::nullopt;
    const double a1 = std::atan2(u.y - v.y, u.x - v.x);
    const double a2 = std::atan2(c.y - v.y, c.x - v.x);
    double d = side == 0 ? a1 - a2 : a2 - a1;
    if (d < 0) d += 2 * kPi;
    if (!(d > kNarrowestCorner && d < kWidestCorner)) return std::nullopt;
    const double b = (side == 0 ? a2 : a1) + d / 2;
    return CPunkt{v.x + r * std::cos(b), v.y + r * std::sin(b)};
}

// The corner at index k of points (u, v, c), or none: the end points of an open chain have
// no corner, and a closed chain's first and last point are one corner.
std::optional<CPunkt> CornerAt(const std::vector<CPunkt>& p, int k, bool closed, double r, std::int32_t side) {
    const int n = static_cast<int>(p.size()) - 1;
    if (n < 2 || k < 0 || k > n) return std::nullopt;
    auto at = [&](int i) { return p[static_cast<std::size_t>(i)]; };
    if (k >= 1 && k < n) return CornerPoint(at(k - 1), at(k), at(k + 1), r, side);
    if (!closed) return std::nullopt;
    return CornerPoint(at(n - 1), at(0), at(1), r, side);
}
}  // namespace

int FindChainPoint(const CVector& v, const CPunkt& x, double tol) {
    const std::vector<CPunkt>& p = v.m_points.Raw();
    for (std::size_t i = 0; i < p.size(); ++i)
        if (Distance(p[i], x) <= tol) return static_cast<int>(i);
    return -1;
}

std::int32_t InsertCornerDrill(CVector& v, const CPunkt& x, double tol) {
    if (v.m_empty || !v.m_hasCorrection) return 0;
    const int k = FindChainPoint(v, x, tol);
    const std::optional<CPunkt> e = CornerAt(v.m_points.Raw(), k, v.m_closed != 0, v.m_toolRadius, v.m_side);
    if (!e) return 0;
    auto drill = std::make_unique<CRadius>();
    drill->m_path.AddPoint(*e);
    drill->m_selected = k;
    v.m_radiusList.insert(v.m_radiusList.begin(), std::move(drill));
    return 1;
}

std::int32_t InsertCornerVector(CVector& v, CRadius& path, int j) {
    if (path.m_path.Size() != path.m_source.Size()) {
        Ui().Message(texts::kIndexError);
        return 0;
    }
    if (j < 0 || j >= path.m_path.Size()) return 0;
    const std::int32_t k = path.m_source[j];
    if (k == kNoSource) {
        Ui().Message(texts::kNoCornerHere);
        return 0;
    }
    const std::optional<CPunkt> e =
        CornerAt(v.Correction().m_offsetPoints.Raw(), k, v.m_closed != 0, v.m_toolRadius, v.m_side);
    if (!e) return 0;
    // The cutter runs from P[j] to the corner and back: P[j], E, P[j].
    const CPunkt pj = path.m_path[j];
    path.m_source[j] = kNoSource;
    path.m_path.InsertPoint(j, *e);
    path.m_path.InsertPoint(j, pj);
    path.m_source.InsertPoint(j, kNoSource, 2);
    v.Correction().m_correctionPointsC.AddPoint(*e);
    return 1;
}
