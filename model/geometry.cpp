#include "model/geometry.h"

CPunkt LineIntersection(const CPunkt& a, const CPunkt& b, const CPunkt& c, const CPunkt& d) {
    const double dx1 = b.x - a.x;
    const double dy1 = b.y - a.y;
    const double dx2 = d.x - c.x;
    const double dy2 = d.y - c.y;
    if (dx1 == 0 && dy2 == 0) return {a.x, c.y};
    if (dx2 == 0 && dy1 == 0) return {c.x, a.y};
    if (dx1 == 0) {
        const double m = dy2 / dx2;
        return {a.x, m * a.x + (c.y - m * c.x)};
    }
    if (dx2 == 0) {
        const double m = dy1 / dx1;
        return {c.x, a.y - m * a.x + m * c.x};
    }
    if (dy1 == 0) {
        const double m = dy2 / dx2;
        return {(a.y - (c.y - m * c.x)) / m, a.y};
    }
    if (dy2 == 0) {
        const double m = dy1 / dx1;
        return {(c.y - (a.y - m * a.x)) / m, c.y};
    }
    const double m1 = dy1 / dx1;
    const double m2 = dy2 / dx2;
    const double b1 = a.y - m1 * a.x;
    const double b2 = c.y - m2 * c.x;
    const double x = (b1 - b2) / (m2 - m1);
    return {x, m1 * x + b1};
}

std::optional<CPunkt> TryLineIntersection(const CPunkt& a, const CPunkt& b, const CPunkt& c,
                                          const CPunkt& d) {
    const double dx1 = b.x - a.x;
    const double dy1 = b.y - a.y;
    const double dx2 = d.x - c.x;
    const double dy2 = d.y - c.y;
    // Equal directions (including degenerate segments) have no single crossing point.
    if (dx1 * dy2 - dy1 * dx2 == 0) return std::nullopt;
    const CPunkt p = LineIntersection(a, b, c, d);
    if (!IsFinite(p)) return std::nullopt;
    return p;
}

CPunkt PointOnRay(const CPunkt& a, const CPunkt& b, const CPunkt& c, double r) {
    const double angA = std::atan2(a.y - b.y, a.x - b.x);
    const double angC = std::atan2(c.y - b.y, c.x - b.x);
    const double d = Distance(a, b);
    if (d == 0) return {a.x + r * std::cos(angC), a.y + r * std::sin(angC)};
    const double g = angA - angC;
    const double t = std::asin(d / r * std::sin(g));
    const double len = r * std::sin(kPi - t - g) / std::sin(g);
    return {b.x + len * std::cos(angC), b.y + len * std::sin(angC)};
}
