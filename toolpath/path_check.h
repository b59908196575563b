#pragma once
// The checks every corrected path must pass before it is kept: it comes nowhere closer to
// the contour than r less the tolerance (along its segments, not only at its points), a
// closed contour's path lies on the side the chain asks for, no point lies farther than 3r
// from the contour, and no reachable part of the offset boundary was dropped with a loop.
// A path that fails is replaced by the robust offset.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "model/punkt.h"
#include "toolpath/box_sieve.h"
#include "toolpath/segment_grid.h"

class CVector;
struct AssemblyOutcome;

// How close to r - tolerance a path may come: a hundredth of a millimetre at the usual
// plotter unit, less for tiny tools, more where the coordinates' own rounding is coarser.
double CheckTolerance(double r, const std::vector<CPunkt>& working);

// The contour the path must keep its distance from: the chain's own points (exact repeats
// dropped), or the working contour when the user chose the clean-up, which trades accuracy
// for smoothness. The working contour itself when both are the same.
const std::vector<CPunkt>& CheckedContour(const CVector& v, std::vector<CPunkt>& buffer);

// Whether a closed chain's path belongs outside: by its function when it has one, else by
// the side of the tool and the sense of the working contour.
bool PathOutside(const CVector& v);

class PathChecker {
public:
    // plain: every query as first written, without the shortcuts that only save time; the
    // tests compare the program's checks with it.
    explicit PathChecker(bool plain = false) : m_plain(plain) {}

    // Indexes the contour that v's paths are checked against, so that this can be done on
    // another thread while the walk runs; Sound does it itself unless it was done for v since
    // the last check. Forget drops what was indexed.
    void IndexContour(const CVector& v);
    void Forget() { m_indexed = false; }
    // The walk's sieve of the segment boxes of contour `of`, grown by grow: when the next
    // IndexContour indexes that very contour as a small one, it searches this sieve instead
    // of building its own. Good for that one indexing.
    void LendSieve(const BoxSieve* sieve, double grow, const std::vector<CPunkt>* of) {
        m_lent = sieve;
        m_lentGrow = grow;
        m_lentFor = of;
    }
    // The chain's paths against its working contour; the outcome tells which raw points the
    // assembly cut off with loops and which stretches of the raw path it left out.
    bool Sound(const CVector& v, const AssemblyOutcome& outcome);
    // After Sound passed: whether the raw path that the walk left out holds enough offset
    // boundary, away from the kept path and beyond the segments that bridge it, that the
    // walk may have lost what counts. Only there can it have lost boundary that the cutter
    // reaches: the rest of the exact offset's boundary lies on the raw path where the kept
    // path runs along it, or on its corner cuts.
    bool MayHaveLostBoundary() const;

private:
    struct Box {
        double loX, hiX, loY, hiY;
        bool Meets(const Box& o) const { return !(hiX < o.loX || loX > o.hiX || hiY < o.loY || loY > o.hiY); }
    };
    // Consecutive contour segments first .. end - 1 that lie within dev of the chord from
    // `from` to `to`, so within half of its middle: the gouge test of a large contour rules
    // out a wall beside the path a run at a time instead of segment by segment.
    struct Run {
        CPunkt from, to, mid;
        double dev, half;
        std::int32_t first, end;
    };
    // What the queries search; a helper that checks part of a large path on another thread
    // reads its owner's and keeps only its own buffers.
    struct SearchIndex {
        std::vector<CPunkt> mids;  // per indexed segment: its middle and half its length
        std::vector<double> halves;
        SegmentGrid grid;
        std::vector<Box> boxes;  // small polylines: scanned, with the sieve's help
        BoxSieve ownSieve;
        const BoxSieve* lentSieve = nullptr;  // the walk's, in place of the own one
        double sieveGrow = 0;                 // the growth of the boxes in the sieve used
        std::vector<Run> runs;  // only for the contour of a grid, when there is a limit
        SegmentGrid runGrid;
    };
    const SearchIndex& Searched() const { return m_borrowed ? *m_borrowed : m_own; }
    // Makes this checker query owner's index, with owner's limits, from another thread.
    void Borrow(const PathChecker& owner);
    // Runs work on this checker and, where split is set, on a helper borrowing its index:
    // work(checker, 0) and work(helper, 1), on two threads. Without split only work(*this, 0).
    void InTwo(bool split, const std::function<void(PathChecker&, std::size_t)>& work);
    // Spoke and gouge tests of path points from .. to - 1 and the segments ending there. Gives
    // up (false) once `failed` is set, by the other half of a split check, and sets it itself
    // where a test fails: the path fails either way.
    bool Clear(const std::vector<CPunkt>& p, const std::vector<std::int32_t>& s, std::size_t from, std::size_t to,
               std::atomic<bool>& failed);
    // Whether x's nearest contour segment (searched within r) lies between lo and hi; as
    // NearestWithin(x, r) would tell, but done as soon as a segment lies closer than lo.
    bool NearestBetween(const CPunkt& x, double lo, double hi);
    // Makes pts the polyline that the queries below search; withRuns: also its runs for the
    // gouge test (a contour).
    void Index(const std::vector<CPunkt>& pts, double grow, double cell, const GridRegion& region,
               bool withRuns = false);
    void IndexRuns(const std::vector<CPunkt>& pts, double grow, double cell, const GridRegion& region);
    // Hands the runs or the segments registered along a->b in grid (and its global ones) to
    // visit(k) until it returns true; whether it did.
    template <class Visit>
    bool AnyInGrid(const SegmentGrid& grid, QueryStamps& stamps, const CPunkt& a, const CPunkt& b, double grow,
                   Visit&& visit);
    // Into m_found: every segment within grow of a->b, and perhaps some more.
    void Candidates(const CPunkt& a, const CPunkt& b, double grow);
    // Hands the candidates of Candidates to visit(k) until it returns true; whether it did.
    template <class Visit>
    bool AnyCandidate(const CPunkt& a, const CPunkt& b, double grow, Visit&& visit);
    bool Gouges(const CPunkt& a, const CPunkt& b);
    bool Spoke(const CPunkt& x, std::int32_t source);
    double NearestWithin(const CPunkt& x, double reach);
    // Into m_inner and m_outer: the parts of a->b (parameters 0..1) closer than inner and
    // than outer (when positive) to a segment among m_found, merged and in order. False when
    // one segment alone has all of a->b within inner.
    bool Spans(const CPunkt& a, const CPunkt& b, double inner, double outer);
    // Hands the pieces of a->b that lie at least inner from every indexed segment and closer
    // than outer to one (outer 0: anywhere) to onPiece.
    template <class OnPiece>
    void Between(const CPunkt& a, const CPunkt& b, double inner, double outer, OnPiece&& onPiece);
    // Into m_free: the pieces of the raw path that the outcome left out and that lie on the
    // offset boundary: between inner and outer from the contour (indexed). Nothing when the
    // left-out stretches cannot hold more than budget of boundary.
    void CollectSkippedBoundary(const std::vector<CPunkt>& raw, const AssemblyOutcome& outcome, double inner,
                                double outer, double budget);
    // The boundary the path lost: the length of the pieces in m_free farther than near from
    // the path beside their stretch. Leaves the path indexed in place of the contour.
    double LostBoundary(const std::vector<CPunkt>& path, double near);
    // What one piece of m_free adds to it; at is the path point beside its stretch.
    struct Piece;
    double PieceLost(const Piece& p, std::int32_t at, const std::vector<CPunkt>& path, double near);
    // Into m_found: the path segments beside the stretch that ends at path point at.
    void PathBeside(std::int32_t at, const std::vector<CPunkt>& path);
    // Whether all of a->b, and every piece cut from it, lies within near of one of them.
    bool NearPath(const CPunkt& a, const CPunkt& b, std::int32_t at, const std::vector<CPunkt>& path, double near);
    // The boundary the path lost, as CollectSkippedBoundary and LostBoundary give it, or, on
    // one thread and without the plain checks, only so much of it that whether it exceeds
    // share of pathLength is sure.
    double SkippedLost(const std::vector<CPunkt>& raw, const AssemblyOutcome& outcome, const std::vector<CPunkt>& path,
                       double inner, double outer, double near, double pathLength, double share);

    const std::vector<CPunkt>* m_w = nullptr;
    double m_r = 0, m_min = 0, m_margin = 0, m_tol = 0;
    const std::vector<CPunkt>* m_checked = nullptr;  // the contour indexed by IndexContour
    bool m_indexed = false;
    bool m_plain = false;
    bool m_scan = false;
    const BoxSieve* m_lent = nullptr;
    double m_lentGrow = 0;
    const std::vector<CPunkt>* m_lentFor = nullptr;
    SearchIndex m_own;
    const SearchIndex* m_borrowed = nullptr;
    QueryStamps m_stamps, m_runStamps;
    bool m_working = false;  // the contour checked is the working contour: sources index it
    std::vector<CPunkt> m_contour;
    GridRegion m_region;
    std::vector<std::int32_t> m_found, m_collected;
    std::vector<std::pair<double, double>> m_blocked, m_inner, m_outer;
    struct Piece {
        CPunkt a, b;
        std::size_t span;
    };
    std::vector<Piece> m_free;
    std::vector<std::int32_t> m_pathAt;  // per left-out stretch: the path point beside it
    // The measure's buffers: the pieces of the left-out stretches, their order and losses.
    std::vector<Piece> m_pieces;
    std::vector<std::pair<double, std::size_t>> m_pieceOrder;
    std::vector<std::pair<std::size_t, double>> m_pieceLosses;
    double m_skippedShare = 0;
};
