// Path assembly: the raw offset points become the cutter path. Points that would cut into
// the contour are dropped; where the raw path runs into the material the loop it forms is
// cut off at the crossing of its two ends, or, when there is no such crossing, the path is
// ended where it meets the contour's offset line.

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>

#include "model/geometry.h"
#include "model/parallel.h"
#include "model/vector.h"
#include "toolpath/clearance.h"
#include "toolpath/correction_steps.h"
#include "toolpath/cut_band.h"
#include "toolpath/plain_distance.h"
#include "toolpath/strip.h"

namespace {
// The clearance test of raw point i, and whether the contour lies between it and the vertex
// that produced it: a narrow corner's offset point can land beyond the opposite wall, in the
// material or outside a pocket, far enough from every segment to pass the distance test.
// The first failing working segment, or 0.
template <class Queries>
int RawPointFails(Queries& q, const std::vector<CPunkt>& raw, const std::vector<std::int32_t>& src,
                  const std::vector<CPunkt>& w, int i) {
    const CPunkt& x = raw[static_cast<std::size_t>(i)];
    if (const int seg = q.FirstFailingSegment(x)) return seg;
    const std::int32_t s = src[static_cast<std::size_t>(i)];
    if (s < 0 || static_cast<std::size_t>(s) >= w.size()) return 0;
    return q.FirstCrossedSegment(w[static_cast<std::size_t>(s)], x);
}

// The raw points' verdicts, worked out by a helper thread from the last point backwards while
// the walk goes forwards, until the two meet. Each verdict depends on its point alone, so the
// walk takes the helper's where there is one and works out the rest itself; both threads
// tell where they are only now and then, which keeps them from waiting on each other's
// caches.
class VerdictsAhead {
public:
    explicit VerdictsAhead(std::size_t n) : m_verdicts(n), m_from(static_cast<int>(n)), m_cachedFrom(static_cast<int>(n)) {}

    // On the helper.
    template <class Verdict>
    void Fill(Verdict&& verdict) {
        int reached = m_reached.load(std::memory_order_relaxed);
        for (int i = static_cast<int>(m_verdicts.size()) - 1; i > reached + kStride; --i) {
            m_verdicts[static_cast<std::size_t>(i)] = verdict(i);
            if (i % kStride == 0) {
                m_from.store(i, std::memory_order_release);
                reached = m_reached.load(std::memory_order_relaxed);
            }
        }
    }
    // On the walk: the helper's verdict of point i, or -1 when it has none (yet).
    int Verdict(int i) {
        if (i % kStride == 0) {
            m_reached.store(i, std::memory_order_relaxed);
            m_cachedFrom = m_from.load(std::memory_order_acquire);
        }
        return i >= m_cachedFrom ? m_verdicts[static_cast<std::size_t>(i)] : -1;
    }
    // The walk is over: the helper stops.
    void WalkDone() { m_reached.store(static_cast<int>(m_verdicts.size()), std::memory_order_relaxed); }

private:
    static constexpr int kStride = 64;
    std::vector<std::int32_t> m_verdicts;
    alignas(64) std::atomic<int> m_from;  // the helper's verdicts cover m_from .. n - 1
    alignas(64) std::atomic<int> m_reached{0};
    alignas(64) int m_cachedFrom;  // the walk's copy of m_from
};

class Assembler {
public:
    // The path, its sources and the problem points go to the queries' buffers (emptied
    // here), the outcome to `outcome`.
    Assembler(CVector& v, PathQueries& q, AssemblyOutcome& outcome, VerdictsAhead* ahead = nullptr)
        : m_v(v),
          m_q(q),
          m_raw(v.Correction().m_correctionPointsA.Raw()),
          m_src(v.Correction().m_correctionIndexA.Raw()),
          m_problems(q.walk.problems),
          m_points(q.walk.points),
          m_sources(q.walk.sources),
          m_rule(ClearanceRule::For(v.Correction().m_offsetPoints.Raw(), v.m_toolRadius)),
          m_outcome(outcome),
          m_candidates(q.walk.candidates),
          m_ahead(ahead) {
        m_problems.clear();
        m_points.clear();
        m_sources.clear();
    }

    void Run();

private:
    int Fails(const CPunkt& x) { return m_q.FirstFailingSegment(x); }
    int FailsRaw(int i) {
        if (const int seg = m_ahead ? m_ahead->Verdict(i) : -1; seg >= 0) return seg;
        return RawPointFails(m_q, m_raw, m_src, *m_rule.working, i);
    }
    void Append(const CPunkt& p, std::int32_t s) {
        m_points.push_back(p);
        m_sources.push_back(s);
    }
    // The path goes on at p on raw segment seg. Unless it stood on that segment already, the
    // raw path between is left out: the path cuts across it.
    void Arrive(const CPunkt& p, int seg) {
        if (seg != m_atSeg) Skip(m_at, std::max(m_atSeg, 0), p, seg);
        m_at = p;
        m_atSeg = seg;
    }
    void Skip(const CPunkt& from, int fromSeg, const CPunkt& to, int toSeg) {
        m_outcome.skipped.push_back({from, fromSeg, to, toSeg, static_cast<std::int32_t>(m_points.size()) - 1});
    }
    void Keep(int i) {
        const CPunkt& q = m_raw[static_cast<std::size_t>(i)];
        Append(q, m_src[static_cast<std::size_t>(i)]);
        Arrive(q, i - 1);
        m_atSeg = i;
    }
    // The last (lastFirst) or the first raw segment j, lo <= j <= hi, that crosses a->b at a
    // point passing the clearance test; -1 when there is none.
    int FindCrossing(const CPunkt& a, const CPunkt& b, int lo, int hi, bool lastFirst, CPunkt& at);
    // Ends a run at the offset line of working segment seg: appends where p->q crosses
    // exactly one of the two lines at r beside it; p->q is raw segment rawSeg. True when a
    // point was appended.
    bool ShiftedSegment(const CPunkt& p, const CPunkt& q, int rawSeg, int seg, bool needStrip);

    CVector& m_v;
    PathQueries& m_q;
    const std::vector<CPunkt>& m_raw;
    const std::vector<std::int32_t>& m_src;
    std::vector<std::int32_t>& m_problems;
    std::vector<CPunkt>& m_points;
    std::vector<std::int32_t>& m_sources;
    ClearanceRule m_rule;
    AssemblyOutcome& m_outcome;
    std::vector<std::int32_t>& m_candidates;
    VerdictsAhead* m_ahead;
    // Where the path stands on the raw path: a point on raw segment m_atSeg; -1 before the
    // start, when all of the raw path up to the first point is left out.
    CPunkt m_at;
    int m_atSeg = 0;
};

int Assembler::FindCrossing(const CPunkt& a, const CPunkt& b, int lo, int hi, bool lastFirst, CPunkt& at) {
    m_q.CrossingCandidates(a, b, lo, hi, m_candidates);
    const std::size_t count = m_candidates.size();
    for (std::size_t k = 0; k < count; ++k) {
        const std::int32_t j = m_candidates[lastFirst ? count - 1 - k : k];
        const CPunkt& c = m_raw[static_cast<std::size_t>(j)];
        const CPunkt& d = m_raw[static_cast<std::size_t>(j) + 1];
        if (!SegmentsCross(c, d, a, b)) continue;
        const std::optional<CPunkt> x = TryLineIntersection(a, b, c, d);
        if (!x || Fails(*x) != 0) continue;
        at = *x;
        return j;
    }
    return -1;
}

bool Assembler::ShiftedSegment(const CPunkt& p, const CPunkt& q, int rawSeg, int seg, bool needStrip) {
    if (seg <= 0) return false;
    const std::vector<CPunkt>& w = *m_rule.working;
    const CPunkt& wa = w[static_cast<std::size_t>(seg) - 1];
    const CPunkt& wb = w[static_cast<std::size_t>(seg)];
    if (!(PlainDistance(wa, wb) > 0)) return false;
    if (needStrip && !InBand(q, wa, wb, m_rule.c)) return false;
    // The two lines at r beside the segment are the long sides of its cutter band.
    const BandQuad lines = CutBandQuad(wa, wb, m_v.m_toolRadius);
    const CPunkt &l1 = lines[0], &l2 = lines[1], &r1 = lines[2], &r2 = lines[3];
    const int crossLeft = SegmentsCross(p, q, l1, l2);
    const int crossRight = SegmentsCross(p, q, r1, r2);
    if (crossLeft == crossRight) return false;
    const std::optional<CPunkt> x = crossLeft ? TryLineIntersection(p, q, l1, l2) : TryLineIntersection(p, q, r1, r2);
    if (!x || Fails(*x) != 0) return false;
    Append(*x, -1);
    Arrive(*x, rawSeg);
    return true;
}

void Assembler::Run() {
    const int n = static_cast<int>(m_raw.size());
    if (n == 0) return;

    // Start: the first raw point that passes; everything before it is a problem point.
    int f = -1;
    int failedAt = 0;  // working segment at which the last point before f failed
    for (int i = 0; i < n; ++i) {
        const int seg = FailsRaw(i);
        if (seg == 0) {
            f = i;
            break;
        }
        failedAt = seg;
        m_problems.push_back(m_src[static_cast<std::size_t>(i)]);
    }
    if (f < 0) {
        // Whether the cutter fits nowhere is left to the robust offset to decide; no point
        // of this path is kept, so nothing is milled on the strength of it.
        m_outcome.nothingPasses = true;
        return;
    }
    if (f == n - 1 && f > 0) {
        Append(m_raw.back(), m_src.back());
        return;
    }
    m_at = m_raw.front();
    m_atSeg = f > 0 ? -1 : 0;
    // A closed path that begins inside a loop must end at the crossing where it began.
    int closeAfter = -1;
    CPunkt closePoint;
    if (f > 0) {
        const CPunkt& a = m_raw[static_cast<std::size_t>(f) - 1];
        const CPunkt& b = m_raw[static_cast<std::size_t>(f)];
        CPunkt x;
        // The loop around the start closes across the start/end seam: search from the end.
        const int j = FindCrossing(a, b, f + 1, n - 2, true, x);
        if (j >= 0) {
            Append(x, -1);
            Arrive(x, f - 1);
            if (m_v.m_closed) {
                closeAfter = j;
                closePoint = x;
            }
        } else {
            ShiftedSegment(a, b, f - 1, failedAt, false);
        }
    }
    if (f == 0) {
        Append(m_raw.front(), m_src.front());
    } else {
        Keep(f);
    }

    bool inRun = false;
    for (int i = f + 1; i < n; ++i) {
        if (i == closeAfter + 1 && !inRun) {
            Append(closePoint, -1);
            Arrive(closePoint, closeAfter);
            Skip(closePoint, closeAfter, m_raw.back(), n - 2);
            for (int k = i; k < n; ++k) {
                m_problems.push_back(m_src[static_cast<std::size_t>(k)]);
                m_outcome.dropped.push_back(k);
            }
            return;
        }
        const CPunkt& q = m_raw[static_cast<std::size_t>(i)];
        const int seg = FailsRaw(i);
        if (seg == 0) {
            Keep(i);
            inRun = false;
            continue;
        }
        m_problems.push_back(m_src[static_cast<std::size_t>(i)]);
        if (inRun) continue;
        const CPunkt& p = m_raw[static_cast<std::size_t>(i) - 1];
        CPunkt x;
        // The nearest crossing closes the loop that the run entered. Searching from the far
        // end instead finds, on a closed contour, the crossings across the start/end seam
        // first whenever the path wiggles near its start, and drops nearly the whole path.
        const int j = FindCrossing(p, q, i + 1, n - 2, false, x);
        if (j >= 0) {
            // Cut the loop between the two crossing segments off.
            Append(x, -1);
            Arrive(x, i - 1);
            Skip(x, i - 1, x, j);
            m_atSeg = j;
            for (int k = i + 1; k <= j; ++k) {
                m_problems.push_back(m_src[static_cast<std::size_t>(k)]);
                m_outcome.dropped.push_back(k);
            }
            i = j;
            continue;
        }
        inRun = !ShiftedSegment(p, q, i - 1, seg, true);
    }
    if (m_atSeg < n - 1) Skip(m_at, m_atSeg, m_raw.back(), n - 2);
}

}  // namespace

void AssemblePath(CVector& v, PathQueries& queries, AssemblyOutcome& outcome) {
    outcome.nothingPasses = false;
    outcome.sourcesOutOfStep = false;
    outcome.dropped.clear();
    outcome.skipped.clear();
    std::vector<CPunkt>& raw = v.Correction().m_correctionPointsA.Raw();
    std::vector<std::int32_t>& src = v.Correction().m_correctionIndexA.Raw();

    CRadius* path = v.AddRadius();
    path->m_closed = v.m_closed;
    if (raw.size() != src.size()) {
        outcome.sourcesOutOfStep = true;
        src.resize(raw.size(), -1);
    }
    // Exact repeats go, the first of each keeps its source.
    std::size_t keep = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (keep > 0 && raw[i] == raw[keep - 1]) continue;
        raw[keep] = raw[i];
        src[keep] = src[i];
        ++keep;
    }
    raw.resize(keep);
    src.resize(keep);

    queries.Prepare(ClearanceRule::For(v.Correction().m_offsetPoints.Raw(), v.m_toolRadius), raw);
    // On a large contour the checks index the contour on a second thread during the walk,
    // which reads none of what they write.
    queries.checker.Forget();
    double sieveGrow = 0;
    const BoxSieve* sieve = queries.ContourSieve(sieveGrow);
    queries.checker.LendSieve(sieve, sieveGrow, &v.Correction().m_offsetPoints.Raw());
    if (raw.size() >= queries.besideWalkFrom) {
        // Meanwhile the helper indexes the contour for the checks, then takes raw points from
        // the end, while the walk goes on from the start.
        const std::unique_ptr<PathQueries::Sharing> shared = queries.Share();
        VerdictsAhead ahead(raw.size());
        const std::vector<CPunkt>& w = v.Correction().m_offsetPoints.Raw();
        RunTwoPieces(true, [&](std::size_t k) {
            if (k == 0) {
                Assembler(v, queries, outcome, shared ? &ahead : nullptr).Run();
                ahead.WalkDone();
                return;
            }
            queries.checker.IndexContour(v);
            if (shared) ahead.Fill([&](int i) { return RawPointFails(*shared, raw, src, w, i); });
        });
    } else {
        Assembler(v, queries, outcome).Run();
    }
    // Each list is made once, at its length.
    const PathQueries::WalkBuffers& walk = queries.walk;
    path->m_path.Raw().assign(walk.points.begin(), walk.points.end());
    path->m_source.Raw().assign(walk.sources.begin(), walk.sources.end());
    if (!walk.problems.empty()) {
        std::vector<std::int32_t>& problems = v.Correction().m_correctionIndexB.Raw();
        problems.insert(problems.end(), walk.problems.begin(), walk.problems.end());
    }
    // When the tool barely fits, dropped loops can leave a closed contour's path with ends
    // apart; such a path is open, and operations that treat the first and last point of a
    // closed path as one point must not see it as closed.
    const std::vector<CPunkt>& p = path->m_path.Raw();
    if (path->m_closed && (p.size() < 2 || !(p.front() == p.back()))) path->m_closed = 0;
}
