#pragma once
// Distances in the correction's inner loops. std::hypot guards against overflow that drawing
// coordinates never reach, and it cost a fifth of the correction's time.

#include <cmath>

#include "model/punkt.h"

inline double PlainLength(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }
inline double PlainDistance(const CPunkt& a, const CPunkt& b) { return PlainLength(a.x - b.x, a.y - b.y); }
