#include "toolpath/clearance.h"

#include <algorithm>
#include <cmath>

#include "model/geometry.h"
#include "model/parallel.h"
#include "toolpath/plain_distance.h"
#include "toolpath/strip.h"

namespace {
// Up to this many working points a scan with box rejection beats building grids.
constexpr std::size_t kScanLimit = 160;
// From this many working points on, the grids are built on two threads.
constexpr std::size_t kSplitGrids = 8192;

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

// The first segment k whose box meets the query box and for which exact(k) holds, or -1.
template <typename Box, typename Exact>
int ScanBoxes(const BoxSieve& sieve, const std::vector<Box>& boxes, double loX, double hiX, double loY, double hiY,
              Exact&& exact) {
    int found = -1;
    sieve.Any({loX, hiX, loY, hiY}, [&](std::size_t k) {
        if (!boxes[k].Meets(loX, hiX, loY, hiY) || !exact(static_cast<int>(k))) return false;
        found = static_cast<int>(k);
        return true;
    });
    return found;
}

// SegmentsCross of a->b with working segment k. The segments that end at a (a vertex's own
// segments, in every sight test) never cross it properly; the equality test spares them
// the four orientation tests.
bool Crosses(const CPunkt& a, const CPunkt& b, const std::vector<CPunkt>& w, int k) {
    const CPunkt& p = w[static_cast<std::size_t>(k)];
    const CPunkt& q = w[static_cast<std::size_t>(k) + 1];
    if (p == a || q == a) return false;
    return SegmentsCross(a, b, p, q) != 0;
}

// The boxes of the segments pts[k] -> pts[k+1], grown by grow.
template <typename Box>
void SegmentBoxes(const std::vector<CPunkt>& pts, double grow, std::vector<Box>& boxes) {
    const std::size_t segs = pts.empty() ? 0 : pts.size() - 1;
    boxes.resize(segs);
    for (std::size_t k = 0; k < segs; ++k) {
        Box b{std::min(pts[k].x, pts[k + 1].x), std::max(pts[k].x, pts[k + 1].x), std::min(pts[k].y, pts[k + 1].y),
              std::max(pts[k].y, pts[k + 1].y)};
        if (grow != 0) b = {b.minX - grow, b.maxX + grow, b.minY - grow, b.maxY + grow};
        boxes[k] = b;
    }
}

double MeanSegmentLength(const std::vector<CPunkt>& pts) {
    if (pts.size() < 2) return 0;
    double sum = 0;
    for (std::size_t i = 1; i < pts.size(); ++i) sum += PlainLength(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);
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
    // The whole fail zone lies in the segment's box grown by c.
    if (x.x < std::min(a.x, b.x) - c || x.x > std::max(a.x, b.x) + c || x.y < std::min(a.y, b.y) - c ||
        x.y > std::max(a.y, b.y) + c)
        return false;
    return FailsInBox(x, i);
}

bool ClearanceRule::FailsInBox(const CPunkt& x, int i) const {
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
    m_scan = !m_alwaysGrid && w.size() <= kScanLimit && raw.size() <= 2 * kScanLimit;
    if (w.empty()) return;
    GridRegion all = BoxOf(w, 0);
    if (!raw.empty()) {
        const GridRegion r = BoxOf(raw, 0);
        all = {std::min(all.minX, r.minX), std::min(all.minY, r.minY), std::max(all.maxX, r.maxX),
               std::max(all.maxY, r.maxY)};
    }
    const double extent = std::max({std::fabs(all.minX), std::fabs(all.maxX), std::fabs(all.minY), std::fabs(all.maxY)});
    m_margin = GridMargin(extent);

    if (m_scan) {
        SegmentBoxes(w, 0, m_boxes);
        // Grown exactly as FailsAt grows them, so that a box miss means FailsAt is false.
        SegmentBoxes(w, rule.c, m_failBoxes);
        // The crossing search asks this sieve for plain boxes: for a tool so small that c
        // is not positive (nothing fails then), it holds the plain boxes themselves.
        m_failSieveGrow = std::max(rule.c, 0.0);
        m_failSieve.Build(w, m_failSieveGrow);
        SegmentBoxes(raw, 0, m_rawBoxes);
        m_rawSieve.Build(raw, 0);
        return;
    }
    const double c = rule.c > 0 ? rule.c : 0;
    const double mean = MeanSegmentLength(w);
    // Crossings need no grown zones: cells of a few segment lengths hold a few segments each.
    const GridRegion lines{all.minX - 2 * m_margin, all.minY - 2 * m_margin, all.maxX + 2 * m_margin,
                           all.maxY + 2 * m_margin};
    const double fine = std::max({2 * mean, c / 16, 16 * m_margin});
    // The grids are independent of each other: on a large contour two threads build them.
    RunTwoPieces(w.size() >= kSplitGrids, [&](std::size_t piece) {
        if (piece == 1) {
            if (w.size() >= 2) m_workingLines.Build(w, m_margin, fine, lines);
            m_scratch.stamps.Reset(m_workingLines.Segments());
            if (raw.size() >= 2) m_rawLines.Build(raw, m_margin, fine, lines);
            return;
        }
        // The fail boxes let the grid's candidates be ruled out without reading their points.
        m_failBoxes.clear();
        m_failBoxes.reserve(w.size());
        for (std::size_t k = 0; k + 1 < w.size(); ++k)
            m_failBoxes.push_back({std::min(w[k].x, w[k + 1].x) - rule.c, std::max(w[k].x, w[k + 1].x) + rule.c,
                                   std::min(w[k].y, w[k + 1].y) - rule.c, std::max(w[k].y, w[k + 1].y) + rule.c});
        // The fail zone of a segment reaches c beyond it; cells of about that size keep the
        // candidate lists short without registering each segment in many cells.
        if (w.size() >= 2)
            m_working.Build(w, c + m_margin, std::max({c, 2 * mean, 16 * m_margin}), BoxOf(w, c + 2 * m_margin));
    });
}

const BoxSieve* GridPathQueries::ContourSieve(double& grow) const {
    grow = m_failSieveGrow;
    // Only where Prepare built it, and not for a growth that is not a number.
    return m_scan && m_rule.working && m_rule.working->size() >= 2 && grow >= 0 ? &m_failSieve : nullptr;
}

int GridPathQueries::FirstFailingSegment(const CPunkt& x) { return FailingSegment(x); }

int GridPathQueries::FailingSegment(const CPunkt& x) const {
    if (!(m_rule.c > 0) || m_rule.working->size() < 2) return 0;
    if (m_scan) {
        const int k = ScanBoxes(m_failSieve, m_failBoxes, x.x, x.x, x.y, x.y,
                                [&](int i) { return m_rule.FailsInBox(x, i + 1); });
        return k < 0 ? 0 : k + 1;
    }
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
        if (m_failBoxes[static_cast<std::size_t>(k)].Meets(x.x, x.x, x.y, x.y) && m_rule.FailsInBox(x, k + 1)) return k + 1;
    }
    return 0;
}

int GridPathQueries::FirstCrossedSegment(const CPunkt& a, const CPunkt& b) {
    return CrossedSegment(a, b, m_scratch);
}

int GridPathQueries::CrossedSegment(const CPunkt& a, const CPunkt& b, Scratch& scratch) const {
    const std::vector<CPunkt>& w = *m_rule.working;
    if (w.size() < 2) return 0;
    // A working segment crossing a->b lies at least c from b, which passed the clearance
    // test; only the part of a->b up to c before b can meet one.
    const double len = PlainDistance(a, b);
    const double c = m_rule.c > 0 ? m_rule.c : 0;
    const double t = len > 0 ? std::min(1.0, (len - c + m_margin) / len) : 1.0;
    const CPunkt end{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
    std::vector<std::int32_t>& found = scratch.found;
    found.clear();
    if (m_scan) {
        const double loX = std::min(a.x, end.x) - m_margin, hiX = std::max(a.x, end.x) + m_margin;
        const double loY = std::min(a.y, end.y) - m_margin, hiY = std::max(a.y, end.y) + m_margin;
        const int k = ScanBoxes(m_failSieve, m_boxes, loX, hiX, loY, hiY, [&](int i) { return Crosses(a, b, w, i); });
        return k < 0 ? 0 : k + 1;
    }
    if (m_workingLines.Region().Contains(a) && m_workingLines.Region().Contains(end)) {
        m_workingLines.CollectAlong(a, end, m_margin, found, scratch.stamps);
        std::sort(found.begin(), found.end());
    } else {
        for (int i = 0; i + 1 < static_cast<int>(w.size()); ++i) found.push_back(i);
    }
    for (std::int32_t k : found)
        if (Crosses(a, b, w, k)) return k + 1;
    return 0;
}

void GridPathQueries::CrossingCandidates(const CPunkt& a, const CPunkt& b, int lo, int hi,
                                         std::vector<std::int32_t>& out) {
    out.clear();
    if (lo > hi) return;
    if (m_scan && !m_rawBoxes.empty() && m_rawBoxes.size() + 1 == m_raw->size()) {
        // A segment that crosses a->b meets its box; grown by the margin, the box also holds
        // the crossings that rounding makes, as the grid's cells do.
        const double loX = std::min(a.x, b.x) - m_margin, hiX = std::max(a.x, b.x) + m_margin;
        const double loY = std::min(a.y, b.y) - m_margin, hiY = std::max(a.y, b.y) + m_margin;
        const std::size_t first = static_cast<std::size_t>(std::max(lo, 0));
        const std::size_t last = std::min(static_cast<std::size_t>(hi), m_rawBoxes.size() - 1);
        m_rawSieve.Any({loX, hiX, loY, hiY}, [&](std::size_t j) {
            if (j > last) return true;
            if (j >= first && m_rawBoxes[j].Meets(loX, hiX, loY, hiY)) out.push_back(static_cast<std::int32_t>(j));
            return false;
        });
        return;
    }
    if (m_scan || m_raw->size() < 2 || !m_rawLines.Region().Contains(a) || !m_rawLines.Region().Contains(b)) {
        for (int j = lo; j <= hi; ++j) out.push_back(j);
        return;
    }
    m_rawLines.CollectAlong(a, b, m_margin, out);
    std::erase_if(out, [&](std::int32_t j) { return j < lo || j > hi; });
    std::sort(out.begin(), out.end());
}

class GridPathQueries::Shared final : public PathQueries::Sharing {
public:
    explicit Shared(const GridPathQueries& owner) : m_owner(owner) {
        m_scratch.stamps.Reset(owner.m_workingLines.Segments());
    }
    int FirstFailingSegment(const CPunkt& x) override { return m_owner.FailingSegment(x); }
    int FirstCrossedSegment(const CPunkt& a, const CPunkt& b) override {
        return m_owner.CrossedSegment(a, b, m_scratch);
    }

private:
    const GridPathQueries& m_owner;
    Scratch m_scratch;
};

std::unique_ptr<PathQueries::Sharing> GridPathQueries::Share() const { return std::make_unique<Shared>(*this); }
