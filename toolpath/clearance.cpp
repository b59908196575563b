#include "toolpath/clearance.h"

#include <algorithm>
#include <cmath>

#include "model/geometry.h"
#include "toolpath/strip.h"

namespace {
// Grown boxes must contain every point the exact tests accept despite rounding: a margin far
// above double rounding at drawing coordinates, far below any drawing detail.
constexpr double kGridMargin = 1e-6;

GridRegion BoxOf(const std::vector<CPunkt>& pts, double grow) {
    GridRegion g{pts.front().x, pts.front().y, pts.front().x, pts.front().y};
    for (const CPunkt& p : pts) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
        g.minX = std::min(g.minX, p.x);
        g.maxX = std::max(g.maxX, p.x);
        g.minY = std::min(g.minY, p.y);
        g.maxY = std::max(g.maxY, p.y);
    }
    g.minX -= grow;
    g.minY -= grow;
    g.maxX += grow;
    g.maxY += grow;
    return g;
}

double MeanSegmentLength(const std::vector<CPunkt>& pts) {
    if (pts.size() < 2) return 0;
    double sum = 0;
    for (std::size_t i = 1; i < pts.size(); ++i) sum += std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);
    return sum / static_cast<double>(pts.size() - 1);
}
}  // namespace

ClearanceRule ClearanceRule::For(const std::vector<CPunkt>& working, double r) {
    ClearanceRule rule;
    rule.working = &working;
    rule.c = r - kClearanceTolerance;
    return rule;
}

bool ClearanceRule::FailsAt(const CPunkt& x, int i) const {
    if (!(c > 0)) return false;
    const CPunkt& a = (*working)[static_cast<std::size_t>(i) - 1];
    const CPunkt& b = (*working)[static_cast<std::size_t>(i)];
    const double c2 = c * c;
    const double ax = x.x - a.x, ay = x.y - a.y;
    if (ax * ax + ay * ay < c2) return true;
    const double bx = x.x - b.x, by = x.y - b.y;
    if (bx * bx + by * by < c2) return true;
    return InBand(x, a, b, c);
}

void GridPathQueries::Prepare(const ClearanceRule& rule, const std::vector<CPunkt>& raw) {
    m_rule = rule;
    m_raw = &raw;
    const std::vector<CPunkt>& w = *rule.working;
    const double c = rule.c > 0 ? rule.c : 0;
    const double mean = MeanSegmentLength(w);
    // The fail zone of a segment reaches c beyond it; cells of about that size keep the
    // candidate lists short without registering each segment in many cells.
    const double cell = std::max({2 * c, 2 * mean, 1e-3});
    const GridRegion box = BoxOf(w, 0);
    const double extent = std::max({std::fabs(box.minX), std::fabs(box.maxX), std::fabs(box.minY), std::fabs(box.maxY)});
    m_margin = kGridMargin * (1 + extent * 1e-6);
    if (w.size() >= 2) m_working.Build(w, c + m_margin, cell, BoxOf(w, c + 2 * m_margin));
    // Raw points normally lie about r beside the contour; the few that do not are kept in the
    // grid's always-tested list.
    if (raw.size() >= 2) m_rawGrid.Build(raw, m_margin, cell, BoxOf(w, 4 * (c + 1) + 2 * m_margin));
}

int GridPathQueries::FirstFailingSegment(const CPunkt& x) {
    if (!(m_rule.c > 0) || m_rule.working->size() < 2) return 0;
    // Both lists are ascending; walk them merged so that the first failure is the lowest index.
    const std::vector<std::int32_t>& global = m_working.Global();
    const std::int32_t* it = nullptr;
    const std::int32_t* end = nullptr;
    if (m_working.Region().Contains(x)) {
        it = m_working.CellBegin(x);
        end = m_working.CellEnd(x);
    }
    std::size_t g = 0;
    while (it != end || g < global.size()) {
        std::int32_t k;
        if (it != end && (g == global.size() || *it < global[g]))
            k = *it++;
        else
            k = global[g++];
        if (m_rule.FailsAt(x, k + 1)) return k + 1;
    }
    return 0;
}

int GridPathQueries::FirstCrossedSegment(const CPunkt& a, const CPunkt& b) {
    const std::vector<CPunkt>& w = *m_rule.working;
    const int m = static_cast<int>(w.size());
    auto crosses = [&](int i) { return SegmentsCross(a, b, w[static_cast<std::size_t>(i) - 1], w[static_cast<std::size_t>(i)]) != 0; };
    if (m < 2) return 0;
    if (!m_working.Region().Contains(a) || !m_working.Region().Contains(b)) {
        for (int i = 1; i < m; ++i)
            if (crosses(i)) return i;
        return 0;
    }
    // A crossing point lies on both segments, so in a cell that both are registered in.
    m_found.clear();
    m_working.CollectAlong(a, b, m_margin, m_found);
    m_found.insert(m_found.end(), m_working.Global().begin(), m_working.Global().end());
    std::sort(m_found.begin(), m_found.end());
    for (std::int32_t k : m_found)
        if (crosses(k + 1)) return k + 1;
    return 0;
}

void GridPathQueries::CrossingCandidates(const CPunkt& a, const CPunkt& b, int lo, int hi,
                                         std::vector<std::int32_t>& out) {
    out.clear();
    if (lo > hi) return;
    if (m_raw->size() < 2 || !m_rawGrid.Region().Contains(a) || !m_rawGrid.Region().Contains(b)) {
        for (int j = hi; j >= lo; --j) out.push_back(j);
        return;
    }
    m_rawGrid.CollectAlong(a, b, m_margin, out);
    for (std::int32_t j : m_rawGrid.Global()) out.push_back(j);
    std::erase_if(out, [&](std::int32_t j) { return j < lo || j > hi; });
    std::sort(out.begin(), out.end(), std::greater<>());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}
