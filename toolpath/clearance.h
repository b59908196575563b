#pragma once
// The clearance test of the radius correction and the searches of the path assembly.
//
// A path point X fails the clearance test when, for a working-contour segment W[i-1]->W[i],
// X lies beside the segment closer than c = r - 0.4, or closer than c to either end point.
// Both sides count: a point across a wall of a notch narrower than the tool lies in the
// material on the far side of that wall, and a test of the path's side alone lets it pass. The assembly needs the FIRST failing segment (the shifted-segment rule
// works on it), and the last raw segment that crosses a given one. Both are answered by a
// PathQueries object: the grid version in the program, a plain scan over all segments as the
// reference in the tests; both must give identical answers.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/punkt.h"
#include "toolpath/box_sieve.h"
#include "toolpath/correction_steps.h"
#include "toolpath/path_check.h"
#include "toolpath/segment_grid.h"
#include "toolpath/sparse_grid.h"

// How close the cutter centre may come to the contour before a point counts as cutting in:
// 0.4 drawing units less than the radius, so that rounding never drops a correct point.
inline constexpr double kClearanceTolerance = 0.4;

struct ClearanceRule {
    const std::vector<CPunkt>* working = nullptr;
    double c = 0;  // r - 0.4; nothing fails when it is not positive

    static ClearanceRule For(const std::vector<CPunkt>& working, double r);
    // True when x fails at working segment i (1 .. size-1).
    bool FailsAt(const CPunkt& x, int i) const;
    // FailsAt for an x known to lie in the segment's box grown by c.
    bool FailsInBox(const CPunkt& x, int i) const;
};

class PathQueries {
public:
    virtual ~PathQueries() = default;
    // Called once per assembly, before any query.
    virtual void Prepare(const ClearanceRule& rule, const std::vector<CPunkt>& raw) = 0;
    // Where Prepare made one: the sieve of the working segments' boxes, grown by grow, which
    // the checks of the path may search too.
    virtual const BoxSieve* ContourSieve(double& grow) const {
        grow = 0;
        return nullptr;
    }
    // The first working segment (1 .. size-1) at which x fails, or 0 when x passes.
    virtual int FirstFailingSegment(const CPunkt& x) = 0;
    // The first working segment (1 .. size-1) that a->b crosses properly, or 0. Only asked
    // for a b that passes the clearance test, so a crossing lies at least c before b.
    virtual int FirstCrossedSegment(const CPunkt& a, const CPunkt& b) = 0;
    // Candidate raw segments j (raw[j] -> raw[j+1]) with lo <= j <= hi that may cross a->b,
    // ascending, each once. Must include every segment that crosses a->b.
    virtual void CrossingCandidates(const CPunkt& a, const CPunkt& b, int lo, int hi,
                                    std::vector<std::int32_t>& out) = 0;

    // FirstFailingSegment and FirstCrossedSegment for another thread, on what Prepare made
    // here, while this object answers the walk's own queries: a helper works out the raw
    // points' verdicts ahead of the walk. Null where the queries cannot be shared; the walk
    // then asks everything itself.
    class Sharing {
    public:
        virtual ~Sharing() = default;
        virtual int FirstFailingSegment(const CPunkt& x) = 0;
        virtual int FirstCrossedSegment(const CPunkt& a, const CPunkt& b) = 0;
    };
    virtual std::unique_ptr<Sharing> Share() const { return nullptr; }
    // From this many raw points on, a second thread works beside the walk: it indexes the
    // contour for the checks, then takes raw points from the end. The tests set it lower.
    std::size_t besideWalkFrom = 8192;

    // The checks of the finished path; kept here so that its buffers serve chain after chain.
    PathChecker checker;
    // The walk's own buffers, kept from chain to chain for the same reason: the path is
    // assembled here and copied into the chain once its length is known.
    struct WalkBuffers {
        std::vector<CPunkt> points, contour;
        std::vector<std::int32_t> sources, problems, candidates;
        AssemblyOutcome outcome;
    };
    WalkBuffers walk;
};

// The program's queries: a grid of the working contour's fail zones for the clearance test,
// and fine grids of the working contour and of the raw path for crossings.
class GridPathQueries final : public PathQueries {
public:
    // alwaysGrid: build the grids even for small contours (the tests compare both ways).
    explicit GridPathQueries(bool alwaysGrid = false) : m_alwaysGrid(alwaysGrid) {}
    void Prepare(const ClearanceRule& rule, const std::vector<CPunkt>& raw) override;
    const BoxSieve* ContourSieve(double& grow) const override;
    int FirstFailingSegment(const CPunkt& x) override;
    int FirstCrossedSegment(const CPunkt& a, const CPunkt& b) override;
    void CrossingCandidates(const CPunkt& a, const CPunkt& b, int lo, int hi,
                            std::vector<std::int32_t>& out) override;
    std::unique_ptr<Sharing> Share() const override;

private:
    class Shared;
    // What a crossing query writes; each thread querying at once has its own.
    struct Scratch {
        std::vector<std::int32_t> found;
        QueryStamps stamps;
    };
    int FailingSegment(const CPunkt& x) const;
    int CrossedSegment(const CPunkt& a, const CPunkt& b, Scratch& scratch) const;

    ClearanceRule m_rule;
    const std::vector<CPunkt>* m_raw = nullptr;
    SegmentGrid m_working;
    SparseSegmentGrid m_workingLines;
    SparseSegmentGrid m_rawLines;
    double m_margin = 0;
    bool m_alwaysGrid = false;
    bool m_scan = false;  // small contours: plain scans over segment boxes, no grids
    // Boxes of the working segments for the scans: plain, and grown by c as FailsAt grows
    // them. The sieve of the grown ones (grown by c where it is positive) picks the boxes a
    // query has to test, for the crossings too: a plain box lies inside its grown one.
    struct Box {
        double minX, maxX, minY, maxY;
        bool Meets(double loX, double hiX, double loY, double hiY) const {
            return !(maxX < loX || minX > hiX || maxY < loY || minY > hiY);
        }
    };
    std::vector<Box> m_boxes, m_failBoxes;
    BoxSieve m_failSieve;
    double m_failSieveGrow = 0;
    // The same for the raw path's segments, whose crossings the walk looks for.
    std::vector<Box> m_rawBoxes;
    BoxSieve m_rawSieve;
    Scratch m_scratch;
};
