// A tab: a gap cut into a corrected path, so that the cutter leaves a bridge of
// material standing there.

#include <cmath>
#include <memory>
#include <optional>

#include "model/core_context.h"
#include "model/vector.h"
#include "toolpath/chain_toolpath.h"
#include "toolpath/texts.h"

namespace {
// Source entry of a path point that no contour vertex produced.
constexpr std::int32_t kNoSource = -1;

// The point at distance R from c on the ray from a through b, where the ray crosses the
// circle around c: entering it when a lies outside (the first crossing), leaving it when a
// lies inside. Solved as a quadratic, so that a ray through c itself (every straight run)
// is exact; none when the ray has no direction or misses the circle.
std::optional<CPunkt> RayMeetsCircle(const CPunkt& a, const CPunkt& b, const CPunkt& c, double R) {
    const double len = Distance(a, b);
    if (!(len > 0)) return std::nullopt;
    const double ux = (b.x - a.x) / len, uy = (b.y - a.y) / len;
    const double px = a.x - c.x, py = a.y - c.y;
    const double half = ux * px + uy * py;
    const double rest = px * px + py * py - R * R;
    const double disc = half * half - rest;
    if (!(disc >= 0)) return std::nullopt;
    const double root = std::sqrt(disc);
    const double t = rest >= 0 ? -half - root : -half + root;
    if (!(t >= 0) || !std::isfinite(t)) return std::nullopt;
    return CPunkt{a.x + t * ux, a.y + t * uy};
}

CPunkt Along(const CPunkt& from, const CPunkt& to, double d) {
    const double len = Distance(from, to);
    if (!(len > 0)) return from;
    return {from.x + d * (to.x - from.x) / len, from.y + d * (to.y - from.y) / len};
}

std::int32_t Refuse(const char* text) {
    Ui().Message(text);
    return 0;
}
}  // namespace

std::int32_t InsertTab(CVector& v, double lengthMm, const CPunkt& x, double tol, double plotterUnit) {
    if (v.m_empty || !v.m_hasCorrection || !(lengthMm > 0)) return 0;
    const double g = lengthMm / plotterUnit + 2 * v.m_toolRadius;
    if (!(g > 0) || !std::isfinite(g)) return 0;
    const double half = g / 2;

    std::size_t q = 0;
    int k = -1;
    bool pointHit = false;
    for (; q < v.m_radiusList.size(); ++q) {
        k = v.m_radiusList[q]->FindPoint(x, tol);
        pointHit = k != -1;
        if (!pointHit) k = v.m_radiusList[q]->FindSegment(x, tol);
        if (k != -1) break;
    }
    if (k == -1) return Refuse(texts::kTabNoHit);
    CRadius& path = *v.m_radiusList[q];
    const std::vector<CPunkt>& p = path.m_path.Raw();
    const int n = static_cast<int>(p.size());

    // The start S, half the gap before the click, and the last point j kept before it.
    const CPunkt centre = pointHit ? p[static_cast<std::size_t>(k)] : x;
    int j = -1;
    CPunkt s{};
    const double d = pointHit ? 0.0 : Distance(p[static_cast<std::size_t>(k - 1)], x);
    if (!pointHit && d >= half) {
        j = k - 1;
        s = Along(p[static_cast<std::size_t>(j)], p[static_cast<std::size_t>(k)], d - half);
    } else {
        for (j = pointHit ? k - 1 : k - 2; j >= 0; --j)
            if (Distance(p[static_cast<std::size_t>(j)], centre) >= half) break;
        const std::optional<CPunkt> hit =
            j < 0 ? std::nullopt
                  : RayMeetsCircle(p[static_cast<std::size_t>(j)], p[static_cast<std::size_t>(j + 1)], centre, half);
        if (!hit) return Refuse(texts::kTabStartTooShort);
        s = *hit;
    }

    // The end E, a whole gap after S, before the first point m kept after it.
    int m = pointHit ? k + 1 : j + 1;
    for (; m < n; ++m)
        if (Distance(p[static_cast<std::size_t>(m)], s) >= g) break;
    if (m >= n) return Refuse(texts::kTabEndTooShort);
    const CPunkt& apex = !pointHit && m == j + 1 ? s : p[static_cast<std::size_t>(m - 1)];
    const std::optional<CPunkt> e = RayMeetsCircle(apex, p[static_cast<std::size_t>(m)], s, g);
    if (!e) return Refuse(texts::kTabEndTooShort);

    // The paths are split: Q keeps P[0..j] and S, the new path takes E and P[m..].
    auto tail = std::make_unique<CRadius>();
    tail->m_path.AddPoint(*e);
    tail->m_path.Raw().insert(tail->m_path.Raw().end(), p.begin() + m, p.end());
    const bool parallel = path.m_source.Size() == n;
    if (parallel) {
        const std::vector<std::int32_t>& src = path.m_source.Raw();
        tail->m_source.AddPoint(kNoSource);
        tail->m_source.Raw().insert(tail->m_source.Raw().end(), src.begin() + m, src.end());
        path.m_source.Raw().resize(static_cast<std::size_t>(j + 1));
        path.m_source.AddPoint(kNoSource);
    }
    path.m_path.Raw().resize(static_cast<std::size_t>(j + 1));
    path.m_path.AddPoint(s);
    // Neither piece is a closed loop any more.
    path.m_closed = 0;
    v.m_radiusList.insert(v.m_radiusList.begin() + static_cast<std::ptrdiff_t>(q + 1), std::move(tail));
    return 1;
}
