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

#include <cstdint>
#include <vector>

#include "model/punkt.h"
#include "toolpath/segment_grid.h"

// How close the cutter centre may come to the contour before a point counts as cutting in:
// 0.4 drawing units less than the radius, so that rounding never drops a correct point.
inline constexpr double kClearanceTolerance = 0.4;

struct ClearanceRule {
    const std::vector<CPunkt>* working = nullptr;
    double c = 0;  // r - 0.4; nothing fails when it is not positive

    static ClearanceRule For(const std::vector<CPunkt>& working, double r);
    // True when x fails at working segment i (1 .. size-1).
    bool FailsAt(const CPunkt& x, int i) const;
};

class PathQueries {
public:
    virtual ~PathQueries() = default;
    // Called once per assembly, before any query.
    virtual void Prepare(const ClearanceRule& rule, const std::vector<CPunkt>& raw) = 0;
    // The first working segment (1 .. size-1) at which x fails, or 0 when x passes.
    virtual int FirstFailingSegment(const CPunkt& x) = 0;
    // The first working segment (1 .. size-1) that a->b crosses properly, or 0.
    virtual int FirstCrossedSegment(const CPunkt& a, const CPunkt& b) = 0;
    // Candidate raw segments j (raw[j] -> raw[j+1]) with lo <= j <= hi that may cross a->b,
    // in descending order. Must include every segment that crosses a->b.
    virtual void CrossingCandidates(const CPunkt& a, const CPunkt& b, int lo, int hi,
                                    std::vector<std::int32_t>& out) = 0;
};

// The program's queries: grids over the working contour and over the raw path.
class GridPathQueries final : public PathQueries {
public:
    void Prepare(const ClearanceRule& rule, const std::vector<CPunkt>& raw) override;
    int FirstFailingSegment(const CPunkt& x) override;
    int FirstCrossedSegment(const CPunkt& a, const CPunkt& b) override;
    void CrossingCandidates(const CPunkt& a, const CPunkt& b, int lo, int hi,
                            std::vector<std::int32_t>& out) override;

private:
    ClearanceRule m_rule;
    const std::vector<CPunkt>* m_raw = nullptr;
    SegmentGrid m_working;
    SegmentGrid m_rawGrid;
    double m_margin = 0;
    std::vector<std::int32_t> m_found;
};
