// The operations on one corrected path, and the picking test of chains.

#include <cmath>
#include <limits>

#include "model/radius.h"
#include "model/vector.h"
#include "toolpath/chain_toolpath.h"
#include "toolpath/strip.h"

void CRadius::DeletePoint(int k) {
    std::vector<CPunkt>& p = m_path.Raw();
    std::vector<std::int32_t>& s = m_source.Raw();
    const int n = static_cast<int>(p.size());
    if (k < 0 || k >= n) return;
    // The source entries follow their points, so that the two lists stay parallel for the
    // corner operations; a path without sources (a corner drill) keeps none.
    const bool parallel = s.size() == p.size();
    auto removeAt = [&](int i) {
        p.erase(p.begin() + i);
        if (parallel) s.erase(s.begin() + i);
    };
    removeAt(k);
    if (m_closed && (k == 0 || k == n - 1) && !p.empty()) {
        removeAt(k == 0 ? static_cast<int>(p.size()) - 1 : 0);
        if (!p.empty()) {
            p.push_back(p.front());
            if (parallel) s.push_back(s.front());
        }
    }
}

int CRadius::FindSegment(const CPunkt& x, double w) const {
    const std::vector<CPunkt>& p = m_path.Raw();
    for (std::size_t i = 1; i < p.size(); ++i)
        if (InStrip(x, p[i - 1], p[i], w)) return static_cast<int>(i);
    return -1;
}

int CRadius::FindPoint(const CPunkt& x, double tol) const {
    const std::vector<CPunkt>& p = m_path.Raw();
    for (std::size_t i = 0; i < p.size(); ++i)
        if (Distance(p[i], x) <= tol) return static_cast<int>(i);
    return -1;
}

namespace {
// Whole drawing units for the plotter: truncated toward zero, then up by one from a
// fraction of one half (so negative coordinates are only truncated).
std::int32_t RoundForPlotter(double c) {
    const std::int32_t t = TruncToInt32(c);
    if (t < std::numeric_limits<std::int32_t>::max() && c - static_cast<double>(t) >= 0.5) return t + 1;
    return t;
}
}  // namespace

void CRadius::BuildIntPoints() {
    std::vector<CPunkt>& p = m_path.Raw();
    std::vector<std::int32_t>& s = m_source.Raw();
    const bool parallel = s.size() == p.size();
    std::size_t keep = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (keep > 0 && p[i] == p[keep - 1]) continue;
        p[keep] = p[i];
        if (parallel) s[keep] = s[i];
        ++keep;
    }
    p.resize(keep);
    if (parallel) s.resize(keep);

    std::vector<std::pair<std::int32_t, std::int32_t>>& out = m_intPoints.Raw();
    out.clear();
    for (const CPunkt& q : p) {
        const std::pair<std::int32_t, std::int32_t> v{RoundForPlotter(q.x), RoundForPlotter(q.y)};
        if (out.empty() || out.back() != v) out.push_back(v);
    }
}

int FindChainSegment(const CVector& v, const CPunkt& x, double tol) {
    const std::vector<CPunkt>& p = v.m_points.Raw();
    for (std::size_t i = 1; i < p.size(); ++i)
        if (InBand(x, p[i - 1], p[i], tol)) return static_cast<int>(i);
    return -1;
}
