#include "toolpath/path_check.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "model/geometry.h"
#include "model/parallel.h"
#include "model/vector.h"
#include "toolpath/clearance.h"
#include "toolpath/correction_steps.h"
#include "toolpath/plain_distance.h"

namespace {
// No path point may lie farther from the contour than this many radii: the corner rule puts
// its points at most twice r from their vertex.
constexpr double kSpokeRadii = 3.0;
// Reachable boundary dropped with loops may make up this share of the path's length: a
// little below the hundredth that the path may miss in all, since the measure is taken at
// the raw points only.
constexpr double kLostShare = 0.008;
// A dropped raw point counts as reachable boundary when its nearest segment lies at r within
// this share of r: the points of the loops that rightly go lie clearly closer or farther.
constexpr double kOnBoundary = 1e-6;
// The walk cuts wide corners with bevels that stand in for the arcs of the exact offset and
// lie up to this many radii from the contour; left-out raw path counts as boundary up to
// there.
constexpr double kBoundaryReach = 1.5;
// Left-out raw path that runs this share of r or closer beside the kept path is reached by
// the cutter there, give or take that much: where the walk drops a raw point that fails by
// a hair, its short cut runs a tenth of r or so inside the corner it leaves out.
constexpr double kNearPath = 0.2;
// A closed contour's walk may have lost boundary when the raw path it left out lies on the
// offset boundary, away from the path, for more than this share of the path's length (as
// the dropped raw points above): below it the walk has not lost the hundredth of the
// boundary that counts, and the robust offset is not asked.
constexpr double kCompareShare = 0.008;
// Up to this many points a scan over the boxes of segments is cheaper than building a grid.
constexpr std::size_t kScanLimit = 160;
// From this many path points on, a path's checks are split between two threads: below it
// starting one costs more than half the checks.
constexpr std::size_t kSplitPoints = 4096;
// A run of the gouge test takes at most this many segments, and its chord at most half of r,
// so that a run near the path's ends is still ruled out by its distance; its points stay
// within half the tolerance of the chord, so that a wall beside the path at r is ruled out
// by the chord's ends alone.
constexpr std::size_t kRunSegments = 16;

double SegmentDistance(const CPunkt& x, const CPunkt& a, const CPunkt& b) { return PlainSegmentDistance(x, a, b); }

double SegmentsDistance(const CPunkt& a, const CPunkt& b, const CPunkt& c, const CPunkt& d) {
    if (SegmentsCross(a, b, c, d)) return 0;
    return std::min({SegmentDistance(a, c, d), SegmentDistance(b, c, d), SegmentDistance(c, a, b),
                     SegmentDistance(d, a, b)});
}

double Extent(const std::vector<CPunkt>& w) {
    double e = 0;
    for (const CPunkt& p : w) e = std::max({e, std::fabs(p.x), std::fabs(p.y)});
    return e;
}

// Twice the signed area, positive counter-clockwise; taken relative to the first point so
// that far-away contours keep their digits.
double TwiceArea(const std::vector<CPunkt>& w) {
    double s = 0;
    const CPunkt& o = w.front();
    for (std::size_t i = 1; i + 1 < w.size(); ++i)
        s += (w[i].x - o.x) * (w[i + 1].y - o.y) - (w[i + 1].x - o.x) * (w[i].y - o.y);
    return s;
}

bool Inside(const CPunkt& x, const std::vector<CPunkt>& p) {
    bool in = false;
    for (std::size_t i = 1; i < p.size(); ++i) {
        const CPunkt& a = p[i - 1];
        const CPunkt& b = p[i];
        if ((a.y > x.y) != (b.y > x.y) && x.x < a.x + (x.y - a.y) * (b.x - a.x) / (b.y - a.y)) in = !in;
    }
    return in;
}
}  // namespace

double CheckTolerance(double r, const std::vector<CPunkt>& working) {
    return std::min(kClearanceTolerance, r / 4) + GridMargin(Extent(working));
}

const std::vector<CPunkt>& CheckedContour(const CVector& v, std::vector<CPunkt>& buffer) {
    const std::vector<CPunkt>& working = v.Correction().m_offsetPoints.Raw();
    if (v.m_cleanContour) return working;
    const std::vector<CPunkt>& pts = v.m_points.Raw();
    buffer.clear();
    for (const CPunkt& p : pts)
        if (buffer.empty() || !(p == buffer.back())) buffer.push_back(p);
    if (v.m_closed && buffer.size() > 1 && !(buffer.back() == buffer.front())) buffer.back() = buffer.front();
    return buffer == working ? working : buffer;
}

bool PathOutside(const CVector& v) {
    if (v.m_function == 1) return true;
    if (v.m_function == 2) return false;
    const double area = TwiceArea(v.Correction().m_offsetPoints.Raw());
    if (area == 0) return true;
    return (v.m_side != 0) == (area > 0);
}

void PathChecker::Index(const std::vector<CPunkt>& pts, double grow, double cell, const GridRegion& region,
                        bool withRuns) {
    m_w = &pts;
    m_region = region;
    m_scan = pts.size() <= kScanLimit;
    // A sieve lent for these very points serves this indexing only.
    const BoxSieve* lent = m_lentFor == &pts && !m_plain ? m_lent : nullptr;
    m_lent = nullptr;
    // The middle and half length of every segment for the gouge test's first distance,
    // computed as that test would.
    m_borrowed = nullptr;
    SearchIndex& own = m_own;
    own.mids.clear();
    own.halves.clear();
    for (std::size_t k = 0; k + 1 < pts.size(); ++k) {
        own.mids.push_back({(pts[k].x + pts[k + 1].x) / 2, (pts[k].y + pts[k + 1].y) / 2});
        own.halves.push_back(PlainDistance(pts[k], pts[k + 1]) / 2);
    }
    own.runs.clear();
    if (!m_scan) {
        own.grid.Build(pts, grow, cell, region);
        m_stamps.Reset(own.grid.Segments());
        if (withRuns && !m_plain && m_min > 0) IndexRuns(pts, grow, cell, region);
        return;
    }
    own.boxes.clear();
    for (std::size_t k = 0; k + 1 < pts.size(); ++k)
        own.boxes.push_back({std::min(pts[k].x, pts[k + 1].x), std::max(pts[k].x, pts[k + 1].x),
                             std::min(pts[k].y, pts[k + 1].y), std::max(pts[k].y, pts[k + 1].y)});
    own.lentSieve = lent;
    own.sieveGrow = lent ? m_lentGrow : 0;
    if (!lent) own.ownSieve.Build(pts, 0);
}

void PathChecker::IndexRuns(const std::vector<CPunkt>& pts, double grow, double cell, const GridRegion& region) {
    std::vector<Run>& runs = m_own.runs;
    const double devLimit = m_tol / 2, chordLimit = m_r / 2;
    const std::size_t segs = pts.size() - 1;
    std::vector<CPunkt> chords;
    chords.reserve(segs / 4 + 2);
    double devMax = 0;
    for (std::size_t first = 0; first < segs;) {
        // The longest run of 16, 8, 4 or 2 segments that keeps to the limits, else one.
        std::size_t end = first + 1;
        double dev = 0;
        for (std::size_t n = kRunSegments; n >= 2; n /= 2) {
            if (first + n > segs) continue;
            const CPunkt& c0 = pts[first];
            const CPunkt& c1 = pts[first + n];
            if (!(PlainDistance(c0, c1) <= chordLimit)) continue;
            double d = 0;
            for (std::size_t k = first + 1; k < first + n && d <= devLimit; ++k) {
                const double e = SegmentDistance(pts[k], c0, c1);
                if (!(e <= d)) d = e;  // a point that is not finite ends the run
            }
            if (!(d <= devLimit)) continue;
            end = first + n;
            dev = d;
            break;
        }
        const CPunkt& c0 = pts[first];
        const CPunkt& c1 = pts[end];
        runs.push_back({c0, c1, {(c0.x + c1.x) / 2, (c0.y + c1.y) / 2}, dev, PlainDistance(c0, c1) / 2 + dev,
                        static_cast<std::int32_t>(first), static_cast<std::int32_t>(end)});
        chords.push_back(c0);
        devMax = std::max(devMax, dev);
        first = end;
    }
    chords.push_back(pts[segs]);
    // Every cell that one of a run's segments is registered in lies within grow of it, so
    // within grow and the run's deviation of its chord.
    m_own.runGrid.Build(chords, grow + devMax + m_margin, cell, region);
    m_runStamps.Reset(m_own.runGrid.Segments());
}

template <class Visit>
bool PathChecker::AnyInGrid(const SegmentGrid& grid, QueryStamps& stamps, const CPunkt& a, const CPunkt& b,
                            double grow, Visit&& visit) {
    if (grow == 0 && !m_plain && grid.OneCell(a, b)) {
        // Most queries stay within one cell: its list as it stands, without the stamps.
        for (const std::int32_t *k = grid.CellBegin(a), *end = grid.CellEnd(a); k != end; ++k)
            if (visit(*k)) return true;
    } else {
        m_found.clear();
        grid.CollectAlong(a, b, grow, m_found, stamps);
        for (std::int32_t k : m_found)
            if (visit(k)) return true;
    }
    for (std::int32_t k : grid.Global())
        if (visit(k)) return true;
    return false;
}

template <class Visit>
bool PathChecker::AnyCandidate(const CPunkt& a, const CPunkt& b, double grow, Visit&& visit) {
    const SearchIndex& index = Searched();
    if (!m_scan) return AnyInGrid(index.grid, m_stamps, a, b, grow, visit);
    const Box q{std::min(a.x, b.x) - grow, std::max(a.x, b.x) + grow, std::min(a.y, b.y) - grow,
                std::max(a.y, b.y) + grow};
    // A box that meets the query grown by grow meets, grown by the sieve's growth, the query
    // grown by the rest of grow and by a little more for the rounding of both.
    const double g = index.sieveGrow;
    const double rest = g == 0 ? grow : std::max(grow - g, 0.0) + m_margin + 4 * DBL_EPSILON * (std::fabs(grow) + g);
    const BoxSieve::Box s{std::min(a.x, b.x) - rest, std::max(a.x, b.x) + rest, std::min(a.y, b.y) - rest,
                          std::max(a.y, b.y) + rest};
    const BoxSieve& sieve = index.lentSieve ? *index.lentSieve : index.ownSieve;
    return sieve.Any(s, [&](std::size_t k) {
        return index.boxes[k].Meets(q) && visit(static_cast<std::int32_t>(k));
    });
}

void PathChecker::Candidates(const CPunkt& a, const CPunkt& b, double grow) {
    m_collected.clear();
    AnyCandidate(a, b, grow, [&](std::int32_t k) {
        m_collected.push_back(k);
        return false;
    });
    m_found.swap(m_collected);
}

void PathChecker::Borrow(const PathChecker& owner) {
    m_w = owner.m_w;
    m_r = owner.m_r;
    m_min = owner.m_min;
    m_margin = owner.m_margin;
    m_plain = owner.m_plain;
    m_scan = owner.m_scan;
    m_working = owner.m_working;
    m_region = owner.m_region;
    m_borrowed = &owner.Searched();
    m_stamps.Reset(m_borrowed->grid.Segments());
    m_runStamps.Reset(m_borrowed->runGrid.Segments());
}

void PathChecker::InTwo(bool split, const std::function<void(PathChecker&, std::size_t)>& work) {
    if (!split) {
        work(*this, 0);
        return;
    }
    PathChecker helper;
    helper.Borrow(*this);
    RunTwoPieces(true, [&](std::size_t k) { work(k == 0 ? *this : helper, k); });
}

bool PathChecker::Clear(const std::vector<CPunkt>& p, const std::vector<std::int32_t>& s, std::size_t from,
                        std::size_t to, std::atomic<bool>& failed) {
    constexpr std::size_t kLookEvery = 256;  // points between looks at the other half's verdict
    const auto fail = [&] {
        failed.store(true, std::memory_order_relaxed);
        return false;
    };
    if (p.size() == 1 && from == 0 && Gouges(p[0], p[0])) return fail();
    for (std::size_t i = from; i < to; ++i) {
        if (i % kLookEvery == 0 && failed.load(std::memory_order_relaxed)) return false;
        if (Spoke(p[i], i < s.size() ? s[i] : -1)) return fail();
        if (i > 0 && Gouges(p[i - 1], p[i])) return fail();
    }
    return true;
}

bool PathChecker::NearestBetween(const CPunkt& x, double lo, double hi) {
    if (m_plain) {
        const double d = NearestWithin(x, m_r);
        return d >= lo && d <= hi;
    }
    if (!m_region.Contains(x)) return 2 * m_r >= lo && 2 * m_r <= hi;
    // A segment closer than lo settles it. One that close lies in x's own cell (the grid
    // registers segments r around them), where it is found first and without the stamps.
    double best = 2 * m_r;
    const auto closer = [&](std::int32_t k) {
        best = std::min(best, SegmentDistance(x, (*m_w)[static_cast<std::size_t>(k)],
                                              (*m_w)[static_cast<std::size_t>(k) + 1]));
        return best < lo;
    };
    if (!m_scan && AnyCandidate(x, x, 0, closer)) return false;
    if (AnyCandidate(x, x, m_r, closer)) return false;
    return best >= lo && best <= hi;
}

double PathChecker::NearestWithin(const CPunkt& x, double reach) {
    if (!m_region.Contains(x)) return reach * 2;
    Candidates(x, x, reach);
    double best = reach * 2;
    for (std::int32_t k : m_found)
        best = std::min(best, SegmentDistance(x, (*m_w)[static_cast<std::size_t>(k)],
                                              (*m_w)[static_cast<std::size_t>(k) + 1]));
    return best;
}

bool PathChecker::Gouges(const CPunkt& a, const CPunkt& b) {
    if (!m_region.Contains(a) || !m_region.Contains(b)) return false;  // a spoke
    const std::vector<CPunkt>& mids = Searched().mids;
    const std::vector<double>& halves = Searched().halves;
    // What the middles' distances share, once per query: a->b's box, direction and the
    // inverse of its squared length.
    const double loX = std::min(a.x, b.x), hiX = std::max(a.x, b.x), loY = std::min(a.y, b.y), hiY = std::max(a.y, b.y);
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy, inv = len2 > 0 ? 1 / len2 : 0;
    // The walls beside the path run along it at about r: a wall whose two ends lie on one
    // side of the path's line, both clear of the limit, stays clear along all of a->b. The
    // cross products with a->b's unit direction, clear of the limit by two grid margins (more
    // than their rounding), rule it out as the exact test would.
    const double len = PlainDistance(a, b);
    const bool aside = !m_plain && m_min > 0 && len > 0;
    const double ux = aside ? (b.x - a.x) / len : 0, uy = aside ? (b.y - a.y) / len : 0;
    const double beside = m_min + 2 * m_margin;
    const auto segment = [&](std::int32_t k) {
        const auto i = static_cast<std::size_t>(k);
        if (aside) {
            const CPunkt& c = (*m_w)[i];
            const CPunkt& d = (*m_w)[i + 1];
            const double sc = ux * (c.y - a.y) - uy * (c.x - a.x), sd = ux * (d.y - a.y) - uy * (d.x - a.x);
            if ((sc >= beside && sd >= beside) || (sc <= -beside && sd <= -beside)) return false;
        }
        // Every point of c->d lies within half its length of its middle: one distance rules
        // out most candidates before the four of the exact test. Its square, clear of the
        // limit by the margin, rules them out as the distance itself would, without a root;
        // a middle that far beyond a->b's box, even without the square.
        const double clear = m_min + halves[i] + m_margin;
        if (!m_plain && m_min > 0) {
            const CPunkt& m = mids[i];
            if (m.x < loX - clear || m.x > hiX + clear || m.y < loY - clear || m.y > hiY + clear) return false;
            const double t = std::clamp(((m.x - a.x) * dx + (m.y - a.y) * dy) * inv, 0.0, 1.0);
            const double ex = m.x - (a.x + t * dx), ey = m.y - (a.y + t * dy);
            if (ex * ex + ey * ey >= clear * clear) return false;
        }
        if (SegmentDistance(mids[i], a, b) - halves[i] >= m_min) return false;
        return SegmentsDistance(a, b, (*m_w)[i], (*m_w)[i + 1]) < m_min;
    };
    const std::vector<Run>& runs = Searched().runs;
    if (m_scan || runs.empty()) return AnyCandidate(a, b, m_scan ? m_min : 0, segment);
    // A run is ruled out whole where its segments would be one by one: every point of it
    // lies within dev of its chord and within half of its middle.
    return AnyInGrid(Searched().runGrid, m_runStamps, a, b, 0, [&](std::int32_t k) {
        const Run& run = runs[static_cast<std::size_t>(k)];
        if (aside) {
            const double need = beside + run.dev + m_margin;
            const double sf = ux * (run.from.y - a.y) - uy * (run.from.x - a.x);
            const double st = ux * (run.to.y - a.y) - uy * (run.to.x - a.x);
            if ((sf >= need && st >= need) || (sf <= -need && st <= -need)) return false;
            const double clear = m_min + run.half + 2 * m_margin;
            const CPunkt& m = run.mid;
            if (m.x < loX - clear || m.x > hiX + clear || m.y < loY - clear || m.y > hiY + clear) return false;
            const double t = std::clamp(((m.x - a.x) * dx + (m.y - a.y) * dy) * inv, 0.0, 1.0);
            const double ex = m.x - (a.x + t * dx), ey = m.y - (a.y + t * dy);
            if (ex * ex + ey * ey >= clear * clear) return false;
        }
        for (std::int32_t i = run.first; i < run.end; ++i)
            if (segment(i)) return true;
        return false;
    });
}

bool PathChecker::Spoke(const CPunkt& x, std::int32_t source) {
    const double reach = kSpokeRadii * m_r;
    if (m_working && source >= 0 && static_cast<std::size_t>(source) < m_w->size() &&
        PlainDistance(x, (*m_w)[static_cast<std::size_t>(source)]) <= reach)
        return false;
    if (!m_region.Contains(x)) return true;
    // One segment within reach is enough. The segments of x's own cell lie within reach
    // nearly always and are few; the wide search around it only when none of them is.
    if (m_plain) return NearestWithin(x, reach) > reach;
    const auto within = [&](std::int32_t k) {
        return SegmentDistance(x, (*m_w)[static_cast<std::size_t>(k)], (*m_w)[static_cast<std::size_t>(k) + 1]) <= reach;
    };
    if (!m_scan && AnyCandidate(x, x, 0, within)) return false;
    return !AnyCandidate(x, x, reach, within);
}

bool PathChecker::MayHaveLostBoundary() const { return m_skippedShare > kCompareShare; }

void PathChecker::IndexContour(const CVector& v) {
    m_indexed = true;
    const std::vector<CPunkt>& w = CheckedContour(v, m_contour);
    m_checked = w.size() < 2 ? nullptr : &w;
    if (!m_checked) return;
    m_working = &w == &v.Correction().m_offsetPoints.Raw();
    m_r = v.m_toolRadius;
    m_tol = CheckTolerance(m_r, w);
    m_min = m_r - m_tol;
    double loX = w[0].x, hiX = w[0].x, loY = w[0].y, hiY = w[0].y, length = 0;
    for (std::size_t i = 0; i < w.size(); ++i) {
        loX = std::min(loX, w[i].x);
        hiX = std::max(hiX, w[i].x);
        loY = std::min(loY, w[i].y);
        hiY = std::max(hiY, w[i].y);
        if (i > 0) length += PlainDistance(w[i], w[i - 1]);
    }
    const double margin = GridMargin(Extent(w));
    m_margin = margin;
    const double reach = kSpokeRadii * m_r + 2 * margin;
    const double mean = length / static_cast<double>(w.size() - 1);
    Index(w, m_r + margin, std::max({m_r, 2 * mean, 16 * margin}),
          {loX - reach, loY - reach, hiX + reach, hiY + reach}, true);
}

bool PathChecker::Sound(const CVector& v, const AssemblyOutcome& outcome) {
    m_skippedShare = 0;
    if (!m_indexed) IndexContour(v);
    m_indexed = false;
    if (!m_checked) return false;
    const std::vector<CPunkt>& w = *m_checked;
    const double tol = m_tol, margin = m_margin;

    std::size_t points = 0;
    for (const auto& rad : v.m_radiusList) points += rad->m_path.Raw().size();
    const bool split = !m_plain && points >= kSplitPoints;
    // A large path is checked in two halves at once; the verdict is the same in any order.
    bool clear[2] = {true, true};
    std::atomic<bool> failed{false};
    InTwo(split, [&](PathChecker& c, std::size_t k) {
        for (const auto& rad : v.m_radiusList) {
            const std::vector<CPunkt>& p = rad->m_path.Raw();
            const std::size_t half = split ? p.size() / 2 : p.size();
            if (clear[k])
                clear[k] = c.Clear(p, rad->m_source.Raw(), k == 0 ? 0 : half, k == 0 ? half : p.size(), failed);
        }
    });
    if (!clear[0] || !clear[1]) return false;
    double pathLength = 0;
    for (const auto& rad : v.m_radiusList) {
        const std::vector<CPunkt>& p = rad->m_path.Raw();
        if (p.empty()) continue;
        for (std::size_t i = 1; i < p.size(); ++i) pathLength += PlainDistance(p[i - 1], p[i]);
        if (v.m_closed && Inside(p.front(), w) == PathOutside(v)) return false;
    }
    if (pathLength == 0) return false;

    const std::vector<CPunkt>& raw = v.Correction().m_correctionPointsA.Raw();
    const double onBoundary = m_r * (1 - kOnBoundary) - margin;
    // Raw points dropped with a loop that lie on the offset boundary and away from the kept
    // path are boundary the path lost.
    // On the boundary the nearest segment lies at r exactly; a dropped point farther away
    // lies beyond a wall or in the open, where no path belongs.
    const std::vector<std::int32_t>& dropped = outcome.dropped;
    const bool splitDropped = !m_plain && dropped.size() >= kSplitPoints;
    std::vector<std::int32_t> clean, cleanLater;
    InTwo(splitDropped, [&](PathChecker& c, std::size_t k) {
        const std::size_t half = splitDropped ? dropped.size() / 2 : dropped.size();
        std::vector<std::int32_t>& out = k == 0 ? clean : cleanLater;
        for (std::size_t j = k == 0 ? 0 : half; j < (k == 0 ? half : dropped.size()); ++j) {
            const std::int32_t i = dropped[j];
            if (i <= 0 || static_cast<std::size_t>(i) >= raw.size()) continue;
            if (c.NearestBetween(raw[static_cast<std::size_t>(i)], onBoundary, 2 * m_r - onBoundary)) out.push_back(i);
        }
    });
    clean.insert(clean.end(), cleanLater.begin(), cleanLater.end());
    // The raw path the walk left out, measured only for a single path.
    if (v.m_radiusList.size() == 1)
        m_skippedShare = SkippedLost(raw, outcome, v.m_radiusList.front()->m_path.Raw(), onBoundary,
                                     kBoundaryReach * m_r, kNearPath * m_r, pathLength, kCompareShare) /
                         pathLength;
    if (clean.empty()) return true;
    std::vector<CPunkt> kept;
    for (const auto& rad : v.m_radiusList) kept.insert(kept.end(), rad->m_path.begin(), rad->m_path.end());
    const GridRegion region = m_region;
    Index(kept, 2 * tol, std::max({m_r, 16 * margin}), region);
    double lost = 0;
    for (std::int32_t i : clean)
        if (NearestWithin(raw[static_cast<std::size_t>(i)], 2 * tol) > 2 * tol)
            lost += PlainDistance(raw[static_cast<std::size_t>(i)], raw[static_cast<std::size_t>(i) - 1]);
    return lost <= kLostShare * (pathLength + lost);
}
