#pragma once
// The strip beside a segment: the rectangle P, Q, Q + w*n, P + w*n with n the unit normal on
// the left of P->Q. A negative width puts a strip of the same size on the right.
//
// Inside or outside is decided exactly from the position along the segment and the distance
// beside it. A ray-crossing count over the rectangle's sides miscounts rays that run through
// a corner of the rectangle and would report far-away points as inside.
//
// Inline: the clearance test of the walk asks InBand for most raw points and contour walls.

#include <cmath>

#include "model/punkt.h"

namespace strip_detail {
// Position of x along p->q and beside it, both scaled by the segment's length: along runs
// from 0 to len2, beside is positive on the left.
struct Local {
    double along, beside, len2;
};

inline Local ToLocal(const CPunkt& x, const CPunkt& p, const CPunkt& q) {
    const double dx = q.x - p.x;
    const double dy = q.y - p.y;
    const double ex = x.x - p.x;
    const double ey = x.y - p.y;
    return {ex * dx + ey * dy, dx * ey - dy * ex, dx * dx + dy * dy};
}
}  // namespace strip_detail

// True when x lies in the strip of width w beside p->q (borders included). A segment of
// length 0 or a width of 0 spans no area and contains nothing.
inline bool InStrip(const CPunkt& x, const CPunkt& p, const CPunkt& q, double w) {
    const strip_detail::Local l = strip_detail::ToLocal(x, p, q);
    if (!(l.len2 > 0) || w == 0 || !std::isfinite(l.len2)) return false;
    if (!(l.along >= 0 && l.along <= l.len2)) return false;
    const double limit = w * std::sqrt(l.len2);  // width scaled like beside
    if (w > 0) return l.beside >= 0 && l.beside <= limit;
    return l.beside <= 0 && l.beside >= limit;
}

// True when x lies within tol of the segment p->q on either side, between its end points
// (the picking rectangle of chains).
inline bool InBand(const CPunkt& x, const CPunkt& p, const CPunkt& q, double tol) {
    const strip_detail::Local l = strip_detail::ToLocal(x, p, q);
    if (!(l.len2 > 0) || !(tol > 0) || !std::isfinite(l.len2)) return false;
    if (!(l.along >= 0 && l.along <= l.len2)) return false;
    return std::fabs(l.beside) <= tol * std::sqrt(l.len2);
}
