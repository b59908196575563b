#include "model/vector.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/chain_info.h"
#include "model/seam_rules.h"

std::int32_t TruncToInt32(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (v <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);  // truncates toward zero
}

namespace {
// Whether point i (of a chain of three or more, apart from the last point) lies near its
// predecessor or near the start: what the near-duplicate clean-up removes.
bool CleanUpFinds(const std::vector<CPunkt>& p, std::size_t i) {
    const std::size_t n = p.size();
    return n >= 3 && i + 1 < n && (Nearer(p[i], p[i - 1], kNearDuplicate) || Nearer(p[0], p[i], kNearDuplicate));
}

// One read of the points (free of exact repeats): the box, or, as soon as it meets one, the
// news that the near-duplicate clean-up will change something (the box is then taken again
// afterwards). The first test in the loop is a cheap filter without branches: nearly every
// point is far from its predecessor and from the start, and only when the filter fires are
// the points looked at exactly.
struct Scan {
    bool needsCleanUp = false;
    double minX = kEmptyMin, maxX = kEmptyMax, minY = kEmptyMin, maxY = kEmptyMax;
};

Scan ScanPoints(const std::vector<CPunkt>& p, bool checkCleanUp) {
    Scan s;
    const std::size_t n = p.size();
    if (n == 0) return s;
    const CPunkt start = p[0];
    double minX = s.minX, maxX = s.maxX, minY = s.minY, maxY = s.maxY;
    for (std::size_t i = 0; i < n; ++i) {
        const CPunkt q = p[i];
        if (checkCleanUp && i > 0) {
            const CPunkt r = p[i - 1];
            const double toPrevious = std::max(std::fabs(q.x - r.x), std::fabs(q.y - r.y));
            const double toStart = std::max(std::fabs(q.x - start.x), std::fabs(q.y - start.y));
            if ((toPrevious < kNearDuplicate || toStart < kNearDuplicate) && CleanUpFinds(p, i)) {
                s.needsCleanUp = true;
                return s;
            }
        }
        minX = std::min(minX, q.x);
        maxX = std::max(maxX, q.x);
        minY = std::min(minY, q.y);
        maxY = std::max(maxY, q.y);
    }
    s.minX = minX;
    s.maxX = maxX;
    s.minY = minY;
    s.maxY = maxY;
    return s;
}
}  // namespace

// The one read. A point is near its predecessor or the start when both coordinates differ by
// less than the clean-up's distance: whatever the clean-up removes is near in this sense (its
// test asks for that first), and so is an exact repeat of a finite point. The last point may
// lie on the start, as a closed chain's end does: the clean-up keeps it. With kIndices (the
// direction test reads them in closed chains only) the first index of each box value is kept:
// a strictly smaller value is the first of its kind; later equal ones (a zero of the other
// sign too) keep both the box value and its index, as the box scan does.
template <bool kIndices>
bool CPointWatch::Watch(const std::vector<CPunkt>& p) {
    const std::size_t n = p.size();
    const CPunkt start = p[0];
    double minX = m_minX, maxX = m_maxX, minY = m_minY, maxY = m_maxY;
    CBoxExtremes at;
    bool near = false;
    for (std::size_t i = 0; i < n; ++i) {
        const CPunkt q = p[i];
        if (i > 0) {
            const CPunkt r = p[i - 1];
            near |= (std::fabs(q.x - r.x) < kNearDuplicate && std::fabs(q.y - r.y) < kNearDuplicate) ||
                    (std::fabs(q.x - start.x) < kNearDuplicate && std::fabs(q.y - start.y) < kNearDuplicate &&
                     i + 1 < n);
        }
        if constexpr (kIndices) {
            const int k = static_cast<int>(i);
            at.minX = q.x < minX ? k : at.minX;
            at.maxX = q.x > maxX ? k : at.maxX;
            at.minY = q.y < minY ? k : at.minY;
            at.maxY = q.y > maxY ? k : at.maxY;
        }
        minX = std::min(minX, q.x);
        maxX = std::max(maxX, q.x);
        minY = std::min(minY, q.y);
        maxY = std::max(maxY, q.y);
    }
    m_minX = minX;
    m_maxX = maxX;
    m_minY = minY;
    m_maxY = maxY;
    m_at = at;
    return near;
}

CPointWatch::CPointWatch(const std::vector<CPunkt>& p) {
    const std::size_t n = p.size();
    if (n == 0 || n > static_cast<std::size_t>(std::numeric_limits<int>::max())) return;
    const bool closed = n >= 3 && p.front() == p.back();
    const bool near = closed ? Watch<true>(p) : Watch<false>(p);
    // An infinite point could repeat unnoticed (its differences are not numbers); it shows in
    // the box. Open chains need no indices.
    m_quiet = !near && std::isfinite(m_minX) && std::isfinite(m_maxX) && std::isfinite(m_minY) &&
              std::isfinite(m_maxY) &&
              (!closed || (m_at.minX >= 0 && m_at.maxX >= 0 && m_at.minY >= 0 && m_at.maxY >= 0));
}

DirectionNote CVector::Recompute() {
    RecomputeShape(true);
    if (!m_empty) m_direction = DetermineDirection();
    return m_directionNote;
}

void CVector::RecomputeAhead() {
    if (!RecomputeShape(false) || m_empty) return;
    m_direction = DetermineDirection();  // its note waits in m_directionNote for RecomputeUnchanged
}

void CVector::RecomputeAheadOnce() {
    if (!RecomputeFromWatch()) RecomputeAhead();
}

bool CVector::RecomputeFromWatch() {
    const CPointWatch watch(m_points.Raw());
    if (!watch.Quiet()) return false;
    // Nothing to clean up: with or without the clean-up, the recomputation is the same.
    RecomputeShape(true, &watch);
    m_direction = DetermineDirection(watch.Extremes());
    return true;
}

bool CVector::RecomputeShape(bool cleanUp, const CPointWatch* watch) {
    // The empty box, the outer one too: widened by +0.0 it stays the same.
    m_minX = m_minY = kEmptyMin;
    m_maxX = m_maxY = kEmptyMax;
    m_outer = OuterBox::PlusZero;
    m_empty = 0;
    m_closed = 0;
    m_settled = 1;
    m_directionNote = DirectionNote::None;

    if (!watch) RemoveDuplicatePoints();  // a quiet watch saw no repeats
    if (m_points.IsEmpty()) {
        m_empty = 1;
        return true;
    }

    const std::vector<CPunkt>& pts = m_points.Raw();
    m_startX = TruncToInt32(pts.front().x);
    m_startY = TruncToInt32(pts.front().y);
    m_endX = TruncToInt32(pts.back().x);
    m_endY = TruncToInt32(pts.back().y);
    if (pts.size() >= 3 && pts.front() == pts.back()) m_closed = 1;

    // Most chains have no near points: then one read gives the box as well.
    Scan scan;
    if (watch) {
        scan.minX = watch->MinX();
        scan.maxX = watch->MaxX();
        scan.minY = watch->MinY();
        scan.maxY = watch->MaxY();
    } else {
        scan = ScanPoints(pts, true);
    }
    if (scan.needsCleanUp) {
        // The clean-up moves and removes points; another pass could find more.
        m_settled = 0;
        if (!cleanUp) return false;
        RemoveNearDuplicates();
        scan = ScanPoints(m_points.Raw(), false);
    }
    m_minX = scan.minX;
    m_maxX = scan.maxX;
    m_minY = scan.minY;
    m_maxY = scan.maxY;
    SetOuterBox();
    return true;
}

DirectionNote CVector::RecomputeAfterAdding(std::size_t added, bool atFront) {
    if (added == 0) return RecomputeUnchanged();
    // The shortcut needs the old points to be free of anything the clean-up would touch.
    if (!m_settled || m_empty) return Recompute();
    const std::vector<CPunkt>& p = m_points.Raw();
    const std::size_t n = p.size();
    const std::size_t old = n - added;
    const auto at = [&p](std::size_t k) -> const CPunkt& { return p[k]; };
    if (AnySeamNeedsWork(at, old, added, atFront)) return Recompute();
    FoldedBox box{m_minX, m_maxX, m_minY, m_maxY};
    if (atFront) {
        // A new start: every interior old point is tested against it as well.
        if (AnyNearStart(at, p[0], added + 1, n - 1)) return Recompute();
        // Recompute meets the new points first, and among equal extremes keeps theirs.
        FoldedBox front;
        for (std::size_t i = 0; i < added; ++i) front.Add(p[i]);
        front.FollowedBy(box);
        box = front;
    } else {
        for (std::size_t i = old; i < n; ++i) box.Add(p[i]);
    }

    return SetShapeAfterAdding(box.minX, box.maxX, box.minY, box.maxY);
}

void CVector::TakeGrownPoints(std::vector<CPunkt>& points, double minX, double maxX, double minY, double maxY) {
    m_points.Raw().swap(points);
    SetShapeAfterAdding(minX, maxX, minY, maxY);
}

DirectionNote CVector::SetShapeAfterAdding(double minX, double maxX, double minY, double maxY) {
    const std::vector<CPunkt>& p = m_points.Raw();
    const std::size_t n = p.size();
    m_empty = 0;
    m_startX = TruncToInt32(p.front().x);
    m_startY = TruncToInt32(p.front().y);
    m_endX = TruncToInt32(p.back().x);
    m_endY = TruncToInt32(p.back().y);
    m_closed = n >= 3 && p.front() == p.back() ? 1 : 0;
    m_minX = minX;
    m_maxX = maxX;
    m_minY = minY;
    m_maxY = maxY;
    SetOuterBox();
    m_settled = 1;
    m_direction = DetermineDirection();
    return m_directionNote;
}

DirectionNote CVector::MoveAndRecompute(double dx, double dy) {
    for (CPunkt& p : m_points) {
        p.x += dx;
        p.y += dy;
    }
    // Moved points nearly always stay free of repeats and near points: then one read gives
    // what Recompute finds.
    return RecomputeFromWatch() ? m_directionNote : Recompute();
}

void CVector::SetOuterBox() {
    // Only the radius is kept: the outer box is the box widened by it whenever it is read,
    // the same sums as if they were stored now. A radius of -0.0 would widen a box edge of
    // -0.0 differently from +0.0, so only +0.0 itself goes without keeping.
    if (m_toolRadius == 0.0 && !std::signbit(m_toolRadius)) {
        m_outer = OuterBox::PlusZero;
        return;
    }
    m_radiusList.MakeCompanion().outerRadius = m_toolRadius;
    m_outer = OuterBox::Kept;
}

DirectionNote CVector::RecomputeUnchanged() {
    if (!m_settled) return Recompute();
    if (m_empty) return DirectionNote::None;  // keeps the empty-box values
    // The tool radius is not part of the points and may have changed.
    SetOuterBox();
    return m_directionNote;
}

void CVector::RemoveDuplicatePoints() {
    // Removing every point equal to its predecessor, from the back, keeps exactly the points
    // that differ from their original predecessor: one forward pass does the same.
    std::vector<CPunkt>& pts = m_points.Raw();
    pts.erase(std::unique(pts.begin(), pts.end()), pts.end());
}

void CVector::ClearCorrection() {
    m_radiusList.clear();
    m_hasCorrection = 0;
    if (!HasCorrectionLists()) return;
    CCorrectionLists& c = Correction();
    c.m_correctionPointsC.RemoveAll();
    c.m_correctionPointsB.RemoveAll();
    c.m_correctionPointsA.RemoveAll();
    // The index lists belong to the paths just deleted.
    c.m_correctionIndexA.RemoveAll();
    c.m_correctionIndexB.RemoveAll();
}

CRadius* CVector::AddRadius() {
    m_radiusList.push_back(std::make_unique<CRadius>());
    return m_radiusList.back().get();
}

void CVector::BuildIntPoints() { BuildIntPoints(Correction().m_intPoints.Raw()); }

void CVector::BuildIntPoints(std::vector<std::pair<std::int32_t, std::int32_t>>& out) const {
    out.clear();
    out.reserve(m_points.Raw().size());
    for (const CPunkt& p : m_points.Raw()) out.emplace_back(TruncToInt32(p.x), TruncToInt32(p.y));
}

double CVector::LengthMm(double plotterUnit, bool* overflow) const {
    double sum = 0.0;
    bool over = false;
    AddSegmentLengths(m_points.Raw(), plotterUnit, sum, over);
    if (overflow) *overflow = over;
    return sum;
}
