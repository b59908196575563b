// What the walk may have lost: the stretches of the raw offset path that the kept path
// leaves out, measured where they lie at r or farther from the contour. A loop cut off
// rightly lies closer than r to the contour all along (beyond its crossing point the raw
// path runs into the zone of the other wall); boundary dropped with it does not.

#include <algorithm>
#include <cmath>

#include "model/vector.h"
#include "toolpath/blocked_spans.h"
#include "toolpath/correction_steps.h"
#include "toolpath/path_check.h"
#include "toolpath/plain_distance.h"

namespace {
// From this many raw segments left out, measuring them is split between two threads.
constexpr std::size_t kSplitPieces = 4096;
}  // namespace

bool PathChecker::Spans(const CPunkt& a, const CPunkt& b, double inner, double outer) {
    m_inner.clear();
    m_outer.clear();
    // Most left-out raw segments lie wholly within inner of one wall, and a segment lies so
    // when both its ends do: the region within a distance of a segment is convex. Squared
    // distances find that wall first; the limit stays farther from inner than the rounding of
    // the intervals below, so the answer is theirs. A wall that has both ends within outer
    // so has all of a->b: then m_outer is all of it, and only walls within inner count below.
    bool allOuter = false;
    if (const double limit = inner - 4 * m_margin; !m_plain && limit > 0) {
        const double limitOuter = outer > 0 ? outer - 4 * m_margin : 0;
        for (std::int32_t k : m_found) {
            const CPunkt& c = (*m_w)[static_cast<std::size_t>(k)];
            const CPunkt& d = (*m_w)[static_cast<std::size_t>(k) + 1];
            const double da = PlainSegmentDistance2(a, c, d);
            if (!(da < limitOuter * limitOuter) && !(da < limit * limit)) continue;
            const double db = PlainSegmentDistance2(b, c, d);
            if (da < limit * limit && db < limit * limit) return false;
            allOuter = allOuter || (da < limitOuter * limitOuter && db < limitOuter * limitOuter);
        }
    }
    // Beyond inner and a margin from a->b a wall adds nothing to m_inner.
    const double reach = allOuter ? inner + 4 * m_margin : std::max(inner, outer);
    for (std::int32_t k : m_found) {
        const CPunkt& c = (*m_w)[static_cast<std::size_t>(k)];
        const CPunkt& d = (*m_w)[static_cast<std::size_t>(k) + 1];
        // Every point of c->d lies within half its length of its middle.
        const CPunkt mid{(c.x + d.x) / 2, (c.y + d.y) / 2};
        const SegmentFrame frame(c, d);
        const double half = frame.len / 2;
        // Its square, clear of reach by the margin, rules a wall out as the distance would.
        if (const double clear = reach + half + m_margin; !m_plain && PlainSegmentDistance2(mid, a, b) >= clear * clear)
            continue;
        if (PlainSegmentDistance(mid, a, b) - half >= reach) continue;
        const BlockedSpans blocked(a, b, c, d, frame);
        double lo = 0, hi = 0;
        if (blocked.Within(inner, lo, hi)) {
            // Most left-out raw segments lie wholly within reach of one wall.
            if (lo <= 0 && hi >= 1) return false;
            m_inner.emplace_back(lo, hi);
        }
        if (outer > 0 && !allOuter && blocked.Within(outer, lo, hi)) m_outer.emplace_back(lo, hi);
    }
    if (allOuter) m_outer.assign(1, {0.0, 1.0});
    MergeSpans(m_inner);
    MergeSpans(m_outer);
    return true;
}

template <class OnPiece>
void PathChecker::Between(const CPunkt& a, const CPunkt& b, double inner, double outer, OnPiece&& onPiece) {
    if (!(PlainDistance(a, b) > 0)) return;
    // A point outside the region lies beyond 3r of everything indexed; the whole stretch counts.
    if (!m_region.Contains(a) || !m_region.Contains(b)) {
        onPiece(a, b);
        return;
    }
    Candidates(a, b, m_scan ? std::max(inner, outer) : 0);
    if (!Spans(a, b, inner, outer)) return;
    if (outer <= 0) m_outer.assign(1, {0.0, 1.0});
    const auto at = [&](double t) { return CPunkt{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)}; };
    std::size_t k = 0;
    for (const auto& [lo, hi] : m_outer) {
        double from = lo;
        for (; k < m_inner.size() && m_inner[k].first < hi; ++k) {
            if (m_inner[k].first > from) onPiece(at(from), at(m_inner[k].first));
            from = std::max(from, m_inner[k].second);
            if (m_inner[k].second > hi) break;
        }
        if (from < hi) onPiece(at(from), at(hi));
    }
}

namespace {
// Calls onPiece for every piece of the raw path that the stretch covers.
template <class OnPiece>
void ForEachPiece(const std::vector<CPunkt>& raw, const RawSpan& s, OnPiece&& onPiece) {
    if (s.fromSeg < 0 || s.toSeg < s.fromSeg || static_cast<std::size_t>(s.toSeg) + 1 >= raw.size()) return;
    if (s.fromSeg == s.toSeg) {
        onPiece(s.from, s.to);
        return;
    }
    onPiece(s.from, raw[static_cast<std::size_t>(s.fromSeg) + 1]);
    for (std::size_t k = static_cast<std::size_t>(s.fromSeg) + 1; k < static_cast<std::size_t>(s.toSeg); ++k)
        onPiece(raw[k], raw[k + 1]);
    onPiece(raw[static_cast<std::size_t>(s.toSeg)], s.to);
}
}  // namespace

void PathChecker::CollectSkippedBoundary(const std::vector<CPunkt>& raw, const AssemblyOutcome& outcome, double inner,
                                         double outer, double budget) {
    m_free.clear();
    m_pathAt.clear();
    // The stretches cannot hold more boundary than their length: when that stays within the
    // budget, nothing needs measuring.
    double total = 0;
    for (const RawSpan& s : outcome.skipped)
        ForEachPiece(raw, s, [&](const CPunkt& a, const CPunkt& b) { total += PlainDistance(a, b); });
    if (total <= budget) return;
    // Many stretches on a large contour: the first half of their pieces is measured here, the
    // rest on a second thread; the pieces are put together in the order of the stretches.
    const std::vector<RawSpan>& skipped = outcome.skipped;
    std::size_t pieces = 0;
    for (const RawSpan& s : skipped) {
        m_pathAt.push_back(s.pathAt);
        pieces += static_cast<std::size_t>(std::max(s.toSeg - s.fromSeg + 1, 0));
    }
    std::size_t cut = skipped.size();
    const bool split = !m_plain && pieces >= kSplitPieces;
    for (std::size_t i = 0, sum = 0; split && i < skipped.size(); ++i) {
        sum += static_cast<std::size_t>(std::max(skipped[i].toSeg - skipped[i].fromSeg + 1, 0));
        if (2 * sum >= pieces) {
            cut = i + 1;
            break;
        }
    }
    std::vector<Piece> later;
    InTwo(split, [&](PathChecker& c, std::size_t k) {
        std::vector<Piece>& out = k == 0 ? m_free : later;
        for (std::size_t span = k == 0 ? 0 : cut; span < (k == 0 ? cut : skipped.size()); ++span) {
            const auto keep = [&](const CPunkt& a, const CPunkt& b) { out.push_back({a, b, span}); };
            ForEachPiece(raw, skipped[span], [&](const CPunkt& a, const CPunkt& b) { c.Between(a, b, inner, outer, keep); });
        }
    });
    m_free.insert(m_free.end(), later.begin(), later.end());
}

void PathChecker::PathBeside(std::int32_t at, const std::vector<CPunkt>& path) {
    // The segments around the path point where the stretch ends, and the path's first and
    // last segments for the stretches around its ends.
    const std::int32_t last = static_cast<std::int32_t>(path.size()) - 2;  // last segment
    m_found.clear();
    for (std::int32_t k = std::max(at - 2, 0); k <= std::min(at + 1, last); ++k) m_found.push_back(k);
    if (last >= 0) m_found.insert(m_found.end(), {0, last});
}

bool PathChecker::NearPath(const CPunkt& a, const CPunkt& b, std::int32_t at, const std::vector<CPunkt>& path,
                           double near) {
    // Twice the margin of Spans's shortcut: the pieces cut from a->b round their ends by far
    // less than the difference, so that shortcut gives each of them up.
    const double limit = near - 8 * m_margin;
    if (!(limit > 0)) return false;
    PathBeside(at, path);
    for (std::int32_t k : m_found) {
        const CPunkt& c = path[static_cast<std::size_t>(k)];
        const CPunkt& d = path[static_cast<std::size_t>(k) + 1];
        if (PlainSegmentDistance2(a, c, d) < limit * limit && PlainSegmentDistance2(b, c, d) < limit * limit)
            return true;
    }
    return false;
}

double PathChecker::PieceLost(const Piece& p, std::int32_t at, const std::vector<CPunkt>& path, double near) {
    PathBeside(at, path);
    if (!Spans(p.a, p.b, near, 0)) return 0;
    double covered = 0;
    for (const auto& [lo, hi] : m_inner) covered += hi - lo;
    return PlainDistance(p.a, p.b) * std::max(0.0, 1 - covered);
}

double PathChecker::LostBoundary(const std::vector<CPunkt>& path, double near) {
    double lost = 0;
    m_w = &path;
    for (const Piece& p : m_free) lost += PieceLost(p, m_pathAt[p.span], path, near);
    return lost;
}

double PathChecker::SkippedLost(const std::vector<CPunkt>& raw, const AssemblyOutcome& outcome,
                                const std::vector<CPunkt>& path, double inner, double outer, double near,
                                double pathLength, double share) {
    const double budget = share * pathLength;
    // The pieces of the left-out stretches in the order of the full measure, and their
    // lengths with their places.
    std::vector<Piece>& pieces = m_pieces;
    std::vector<std::pair<double, std::size_t>>& order = m_pieceOrder;
    pieces.clear();
    order.clear();
    double total = 0;
    std::size_t count = 0;
    for (std::size_t span = 0; span < outcome.skipped.size(); ++span) {
        const RawSpan& s = outcome.skipped[span];
        ForEachPiece(raw, s, [&](const CPunkt& a, const CPunkt& b) {
            order.emplace_back(PlainDistance(a, b), pieces.size());
            pieces.push_back({a, b, span});
            total += order.back().first;
        });
        count += static_cast<std::size_t>(std::max(s.toSeg - s.fromSeg + 1, 0));
    }
    if (m_plain || count >= kSplitPieces) {
        CollectSkippedBoundary(raw, outcome, inner, outer, budget);
        return m_free.empty() ? 0 : LostBoundary(path, near);
    }
    m_free.clear();
    if (total <= budget) return 0;
    // Piece by piece, each free piece's loss taken at once: the measure stops as soon as its
    // verdict is sure. The longest pieces come first, since they settle it soonest, whether
    // they lose boundary or not. A piece loses at most its own length, so when what is lost
    // plus all that is left to measure stays clearly within the limit, the whole stays
    // within; and a loss clearly beyond the limit stays beyond it in any order. Otherwise
    // every piece is measured, and the losses are summed in the order of the full measure,
    // which then gives its sum to the last bit (the pieces within near of the path add
    // exactly nothing there).
    std::stable_sort(order.begin(), order.end(), [](const auto& x, const auto& y) { return x.first > y.first; });
    // Each free piece's loss with the piece it was cut from, in the order measured.
    std::vector<std::pair<std::size_t, double>>& losses = m_pieceLosses;
    losses.clear();
    const std::vector<CPunkt>* contour = m_w;
    const double slack = 1e-6 * total;
    const double beyond = budget * (1 + 1e-9);
    double lost = 0, seen = 0;
    for (const auto& [length, i] : order) {
        const Piece& piece = pieces[i];
        const std::int32_t at = outcome.skipped[piece.span].pathAt;
        // A left-out segment that runs within near of the path beside it all along loses
        // nothing wherever the contour lies: the cutter reaches all of it.
        if (!NearPath(piece.a, piece.b, at, path, near)) {
            m_free.clear();
            Between(piece.a, piece.b, inner, outer,
                    [&](const CPunkt& x, const CPunkt& y) { m_free.push_back({x, y, 0}); });
            m_w = &path;
            for (const Piece& p : m_free) {
                losses.emplace_back(i, PieceLost(p, at, path, near));
                lost += losses.back().second;
            }
            m_w = contour;
        }
        seen += length;
        if (lost > beyond) return lost;
        if ((lost + std::max(total - seen, 0.0) + slack) / pathLength < share * (1 - 1e-6)) return lost;
    }
    std::stable_sort(losses.begin(), losses.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    lost = 0;
    for (const auto& [piece, loss] : losses) lost += loss;
    return lost;
}
