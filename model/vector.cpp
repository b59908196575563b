#include "model/vector.h"

#include <algorithm>
#include <cmath>
#include <limits>

std::int32_t TruncToInt32(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (v <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);  // truncates toward zero
}

namespace {
// Must match the tolerance of the near-duplicate clean-up.
constexpr double kNearDuplicate = 0.0001;

inline bool Near(const CPunkt& a, const CPunkt& b) {
    if (std::fabs(a.x - b.x) >= kNearDuplicate || std::fabs(a.y - b.y) >= kNearDuplicate) return false;
    return Distance(a, b) < kNearDuplicate;
}

// One read of the points: whether either clean-up would change anything, and if not the box
// and the lowest index of each box value.
struct Scan {
    bool needsCleanUp = false;
    double minX = kEmptyMin, maxX = kEmptyMax, minY = kEmptyMin, maxY = kEmptyMax;
    CVector::ExtremeIndices at;
};

// Whether point i is an exact repeat of its predecessor, or (for chains of three or more,
// apart from the last point) near its predecessor or the start: what the clean-up removes.
inline bool CleanUpFinds(const std::vector<CPunkt>& p, std::size_t i) {
    const CPunkt& q = p[i];
    const CPunkt& r = p[i - 1];
    const CPunkt& s = p[0];
    // A cheap filter without branches first: nearly every point is far from both.
    const bool maybe = (std::fabs(q.x - r.x) < kNearDuplicate) & (std::fabs(q.y - r.y) < kNearDuplicate);
    const bool maybeStart = (std::fabs(q.x - s.x) < kNearDuplicate) & (std::fabs(q.y - s.y) < kNearDuplicate);
    if (!(maybe | maybeStart)) return false;
    const std::size_t n = p.size();
    return q == r || (n >= 3 && i + 1 < n && (Near(q, r) || Near(s, q)));
}

Scan ScanPoints(const std::vector<CPunkt>& p, bool checkCleanUp) {
    Scan s;
    const std::size_t n = p.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (checkCleanUp && i > 0 && CleanUpFinds(p, i)) {
            s.needsCleanUp = true;
            return s;
        }
        const CPunkt& q = p[i];
        const int k = static_cast<int>(i);
        if (q.x < s.minX || (s.at.minX < 0 && q.x == s.minX)) s.minX = q.x, s.at.minX = k;
        if (q.x > s.maxX || (s.at.maxX < 0 && q.x == s.maxX)) s.maxX = q.x, s.at.maxX = k;
        if (q.y < s.minY || (s.at.minY < 0 && q.y == s.minY)) s.minY = q.y, s.at.minY = k;
        if (q.y > s.maxY || (s.at.maxY < 0 && q.y == s.maxY)) s.maxY = q.y, s.at.maxY = k;
    }
    return s;
}
}  // namespace

void CVector::Recompute() {
    m_minX = m_minY = m_outerMinX = m_outerMinY = kEmptyMin;
    m_maxX = m_maxY = m_outerMaxX = m_outerMaxY = kEmptyMax;
    m_empty = 0;
    m_closed = 0;

    // Most chains need no clean-up: then one read gives everything below.
    Scan scan = ScanPoints(m_points.Raw(), true);
    if (scan.needsCleanUp) RemoveDuplicatePoints();
    if (m_points.IsEmpty()) {
        m_empty = 1;
        return;
    }

    const std::vector<CPunkt>& pts = m_points.Raw();
    m_startX = TruncToInt32(pts.front().x);
    m_startY = TruncToInt32(pts.front().y);
    m_endX = TruncToInt32(pts.back().x);
    m_endY = TruncToInt32(pts.back().y);
    if (pts.size() >= 3 && pts.front() == pts.back()) m_closed = 1;

    if (scan.needsCleanUp) {
        RemoveNearDuplicates();
        scan = ScanPoints(m_points.Raw(), false);
    }
    m_minX = scan.minX;
    m_maxX = scan.maxX;
    m_minY = scan.minY;
    m_maxY = scan.maxY;
    m_outerMinX = m_minX - m_toolRadius;
    m_outerMaxX = m_maxX + m_toolRadius;
    m_outerMinY = m_minY - m_toolRadius;
    m_outerMaxY = m_maxY + m_toolRadius;

    m_direction = DetermineDirection(scan.at);
}

void CVector::RemoveDuplicatePoints() {
    // Removing every point equal to its predecessor, from the back, keeps exactly the points
    // that differ from their original predecessor: one forward pass does the same.
    std::vector<CPunkt>& pts = m_points.Raw();
    pts.erase(std::unique(pts.begin(), pts.end()), pts.end());
}

void CVector::ClearCorrection() {
    m_radiusList.clear();
    m_correctionPointsC.RemoveAll();
    m_correctionPointsB.RemoveAll();
    m_correctionPointsA.RemoveAll();
    // The band and the index lists belong to the paths just deleted; the view must not draw
    // a band around a path that no longer exists.
    m_cutBand.RemoveAll();
    m_correctionIndexA.RemoveAll();
    m_correctionIndexB.RemoveAll();
    m_hasCorrection = 0;
}

CRadius* CVector::AddRadius() {
    m_radiusList.push_back(std::make_unique<CRadius>());
    return m_radiusList.back().get();
}

void CVector::BuildIntPoints() {
    std::vector<std::pair<std::int32_t, std::int32_t>>& out = m_intPoints.Raw();
    out.clear();
    out.reserve(m_points.Raw().size());
    for (const CPunkt& p : m_points.Raw()) out.emplace_back(TruncToInt32(p.x), TruncToInt32(p.y));
}

double CVector::LengthMm(double plotterUnit, bool* overflow) const {
    const std::vector<CPunkt>& pts = m_points.Raw();
    double sum = 0.0;
    bool over = false;
    for (std::size_t i = 1; i < pts.size(); ++i) {
        const double next = sum + Distance(pts[i - 1], pts[i]) * plotterUnit;
        if (next < sum || !std::isfinite(next)) {
            over = true;
            sum = 0.0;
            continue;
        }
        sum = next;
    }
    if (overflow) *overflow = over;
    return sum;
}
