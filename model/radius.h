#pragma once
// One cutter-centre path of a chain. The chain owns it; the milling job takes copies.

#include <cstdint>

#include "model/geometry.h"
#include "model/point_array.h"

class CRadius {
public:
    virtual ~CRadius() = default;

    // Deletes path point k; on a closed path the first and last point are one point, so
    // deleting either closes the path again on the new first point. Out of range: nothing.
    void DeletePoint(int k);
    // Index of the first segment (1 for the segment ending at point 1) whose strip of width w
    // contains x, or -1.
    int FindSegment(const CPunkt& x, double w) const;
    // Index of the first path point within tol of x, or -1.
    int FindPoint(const CPunkt& x, double tol) const;
    // Fills m_intPoints with the rounded path and removes exact repeats from m_path.
    void BuildIntPoints();

    std::int32_t m_mark = 0;       // 1 once taken into the milling order
    std::int32_t m_selected = -1;  // -1 contour path; corner drill: index of its chain point
    std::int32_t m_closed = 0;
    double m_pi = kPi;
    CPointArray m_path;
    CIntPointArray m_intPoints;
    CIntArray m_source;  // per path point: working-contour vertex index, or -1
    // 1 when the path comes from the robust offset because the vertex walk's path failed its
    // checks; kept in memory only, for the dump and the view.
    std::int32_t m_robust = 0;
};
