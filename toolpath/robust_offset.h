#pragma once
// The robust offset of a working contour: the raw offset polygon resolved by its winding
// number, so that every loop that cuts into the contour is gone and every piece of the
// boundary that the cutter can reach is kept. The correction falls back to it for the
// chains whose path fails its checks.

#include <cstdint>
#include <vector>

#include "model/punkt.h"

struct RobustPath {
    std::vector<CPunkt> points;
    bool closed = false;
};

struct RobustRequest {
    const std::vector<CPunkt>* working = nullptr;  // closed contours repeat their first point
    bool closed = false;
    bool outside = false;  // closed contours: the path outside (else inside)
    int side = 1;          // 0 left of the direction of travel, else right
    double r = 0;
    // The contour may be simplified within this distance before offsetting: the path keeps
    // at least r less this from the contour.
    double simplify = 0;
};

// The paths in travel order (each in the contour's sense, the first nearest to the
// contour's start); empty when the cutter fits nowhere.
std::vector<RobustPath> RobustOffset(const RobustRequest& request);

// For a closed contour: at least the length of RobustOffset(request)'s paths, without running
// the offset; infinity when no bound is found cheaply.
double RobustLengthBound(const RobustRequest& request);

// Indices of the contour's vertices that a simplification within tol keeps (first and
// last always); each dropped vertex lies within tol of the chord that replaces it.
std::vector<std::int32_t> SimplifiedVertices(const std::vector<CPunkt>& w, double tol);
