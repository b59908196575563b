#pragma once
// The strip beside a segment: the rectangle P, Q, Q + w*n, P + w*n with n the unit normal on
// the left of P->Q. A negative width puts a strip of the same size on the right.
//
// Inside or outside is decided exactly from the position along the segment and the distance
// beside it. A ray-crossing count over the rectangle's sides miscounts rays that run through
// a corner of the rectangle and would report far-away points as inside.

#include "model/punkt.h"

// True when x lies in the strip of width w beside p->q (borders included). A segment of
// length 0 or a width of 0 spans no area and contains nothing.
bool InStrip(const CPunkt& x, const CPunkt& p, const CPunkt& q, double w);

// True when x lies within tol of the segment p->q on either side, between its end points
// (the picking rectangle of chains).
bool InBand(const CPunkt& x, const CPunkt& p, const CPunkt& q, double tol);
