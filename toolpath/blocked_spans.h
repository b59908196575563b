#pragma once
// The parameters of one segment that lie closer than a distance to another segment: the
// measure of left-out boundary and the bound on the robust offset's length both ask it.

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "model/punkt.h"
#include "toolpath/plain_distance.h"

// Widens [lo, hi] by the parameters t of a + t*u where |a + t*u - c| < rho.
inline void DiscSpan(const CPunkt& a, const CPunkt& u, const CPunkt& c, double rho, double& lo, double& hi) {
    const double ex = a.x - c.x, ey = a.y - c.y;
    const double qa = u.x * u.x + u.y * u.y;
    const double qb = u.x * ex + u.y * ey;
    const double qc = ex * ex + ey * ey - rho * rho;
    const double disc = qb * qb - qa * qc;
    if (!(qa > 0) || !(disc > 0)) return;
    const double root = std::sqrt(disc);
    lo = std::min(lo, (-qb - root) / qa);
    hi = std::max(hi, (-qb + root) / qa);
}

// Narrows [lo, hi] to the t where low < s0 + t*s1 < high.
inline void Band(double s0, double s1, double low, double high, double& lo, double& hi) {
    if (s1 == 0) {
        if (!(s0 > low && s0 < high)) hi = lo - 1;
        return;
    }
    const double t1 = (low - s0) / s1, t2 = (high - s0) / s1;
    lo = std::max(lo, std::min(t1, t2));
    hi = std::min(hi, std::max(t1, t2));
}

// A segment's length and unit direction, which a segment asked about many times keeps.
struct SegmentFrame {
    SegmentFrame(const CPunkt& c, const CPunkt& d) : len(PlainDistance(c, d)) {
        if (len > 0) {
            ex = (d.x - c.x) / len;
            ey = (d.y - c.y) / len;
        }
    }
    double len = 0, ex = 0, ey = 0;
};

// The parameters t of a->b whose points lie closer than a distance to segment c->d: one
// interval, since the points within a distance of a segment form a convex region (two discs
// and the band between them). The measure asks for two distances at once, and most of the
// work does not depend on the distance, so it is done once for both. c->d's frame comes from
// the caller, who has it at hand.
class BlockedSpans {
public:
    BlockedSpans(const CPunkt& a, const CPunkt& b, const CPunkt& c, const CPunkt& d, const SegmentFrame& f)
        : m_a(a), m_u{b.x - a.x, b.y - a.y}, m_c(c), m_d(d), m_len(f.len) {
        if (m_len > 0) {
            const double ex = f.ex, ey = f.ey;
            m_across0 = ex * (a.y - c.y) - ey * (a.x - c.x);
            m_across1 = ex * m_u.y - ey * m_u.x;
            Band(ex * (a.x - c.x) + ey * (a.y - c.y), ex * m_u.x + ey * m_u.y, 0, m_len, m_alongLo, m_alongHi);
        }
    }

    // The interval for distance rho, clamped to the segment a->b; false when it is empty.
    bool Within(double rho, double& lo, double& hi) const {
        lo = 1e300;
        hi = -1e300;
        DiscSpan(m_a, m_u, m_c, rho, lo, hi);
        DiscSpan(m_a, m_u, m_d, rho, lo, hi);
        if (m_len > 0) {
            double bandLo = -1e300, bandHi = 1e300;
            Band(m_across0, m_across1, -rho, rho, bandLo, bandHi);
            bandLo = std::max(bandLo, m_alongLo);
            bandHi = std::min(bandHi, m_alongHi);
            if (bandLo < bandHi) {
                lo = std::min(lo, bandLo);
                hi = std::max(hi, bandHi);
            }
        }
        lo = std::max(lo, 0.0);
        hi = std::min(hi, 1.0);
        return lo < hi;
    }

private:
    CPunkt m_a, m_u, m_c, m_d;
    double m_len;
    double m_across0 = 0, m_across1 = 0;
    double m_alongLo = -1e300, m_alongHi = 1e300;
};

// Sorts the intervals and joins those that overlap or touch.
inline void MergeSpans(std::vector<std::pair<double, double>>& spans) {
    std::sort(spans.begin(), spans.end());
    std::size_t n = 0;
    for (const auto& span : spans) {
        if (n > 0 && span.first <= spans[n - 1].second)
            spans[n - 1].second = std::max(spans[n - 1].second, span.second);
        else
            spans[n++] = span;
    }
    spans.resize(n);
}
