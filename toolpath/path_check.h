#pragma once
// The checks every corrected path must pass before it is kept: it comes nowhere closer to
// the contour than r less the tolerance (along its segments, not only at its points), a
// closed contour's path lies on the side the chain asks for, no point lies farther than 3r
// from the contour, and no reachable part of the offset boundary was dropped with a loop.
// A path that fails is replaced by the robust offset.

#include <cstdint>
#include <vector>

#include "model/punkt.h"
#include "toolpath/segment_grid.h"

class CVector;

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
    // The chain's paths against its working contour; dropped are the raw points that the
    // assembly cut off with loops.
    bool Sound(const CVector& v, const std::vector<std::int32_t>& dropped);

private:
    struct Box {
        double loX, hiX, loY, hiY;
        bool Meets(const Box& o) const { return !(hiX < o.loX || loX > o.hiX || hiY < o.loY || loY > o.hiY); }
    };
    // Makes pts the polyline that the queries below search.
    void Index(const std::vector<CPunkt>& pts, double grow, double cell, const GridRegion& region);
    // Into m_found: every segment within grow of a->b, and perhaps some more.
    void Candidates(const CPunkt& a, const CPunkt& b, double grow);
    bool Gouges(const CPunkt& a, const CPunkt& b);
    bool Spoke(const CPunkt& x, std::int32_t source);
    double NearestWithin(const CPunkt& x, double reach);

    const std::vector<CPunkt>* m_w = nullptr;
    double m_r = 0, m_min = 0;
    bool m_scan = false;
    bool m_working = false;  // the contour checked is the working contour: sources index it
    std::vector<CPunkt> m_contour;
    GridRegion m_region;
    SegmentGrid m_grid;
    std::vector<Box> m_boxes, m_blocks;
    std::vector<std::int32_t> m_found;
};
