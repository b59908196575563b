#include "toolpath/strip.h"

#include <cmath>

namespace {
// Position of x along p->q and beside it, both scaled by the segment's length: along runs
// from 0 to len2, beside is positive on the left.
struct Local {
    double along, beside, len2;
};

Local ToLocal(const CPunkt& x, const CPunkt& p, const CPunkt& q) {
    const double dx = q.x - p.x;
    const double dy = q.y - p.y;
    const double ex = x.x - p.x;
    const double ey = x.y - p.y;
    return {ex * dx + ey * dy, dx * ey - dy * ex, dx * dx + dy * dy};
}
}  // namespace

bool InStrip(const CPunkt& x, const CPunkt& p, const CPunkt& q, double w) {
    const Local l = ToLocal(x, p, q);
    if (!(l.len2 > 0) || w == 0 || !std::isfinite(l.len2)) return false;
    if (!(l.along >= 0 && l.along <= l.len2)) return false;
    const double limit = w * std::sqrt(l.len2);  // width scaled like beside
    if (w > 0) return l.beside >= 0 && l.beside <= limit;
    return l.beside <= 0 && l.beside >= limit;
}

bool InBand(const CPunkt& x, const CPunkt& p, const CPunkt& q, double tol) {
    const Local l = ToLocal(x, p, q);
    if (!(l.len2 > 0) || !(tol > 0) || !std::isfinite(l.len2)) return false;
    if (!(l.along >= 0 && l.along <= l.len2)) return false;
    return std::fabs(l.beside) <= tol * std::sqrt(l.len2);
}
