#pragma once
// Generated drawings for the radius-correction benchmarks.

#include <cmath>
#include <random>
#include <vector>

#include "model/punkt.h"

namespace bench {

// A noisy gear, counter-clockwise and closed (last point = first): teeth with flanks, a notch
// narrower than a 2 mm tool in every seventh tooth, and a sector cut flat by a long straight
// chord sampled as densely as the rest.
// noise is the largest displacement of a point in x and in y.
inline std::vector<CPunkt> NoisyGear(int vertices, double noise = 0.1, unsigned seed = 1) {
    constexpr double kPi = 3.141592653589793;
    constexpr int kTeeth = 500;
    constexpr double kRoot = 20000, kTip = 20300, kNotchDepth = 120;
    const double chordFrom = 0.30 * 2 * kPi, chordTo = 0.42 * 2 * kPi;
    const double chordMid = (chordFrom + chordTo) / 2, chordDist = kRoot - 400;
    std::mt19937 g(seed);
    std::uniform_real_distribution<double> jitter(-noise, noise);
    std::vector<CPunkt> p;
    p.reserve(static_cast<std::size_t>(vertices) + 1);
    for (int i = 0; i < vertices; ++i) {
        const double a = 2 * kPi * i / vertices;
        const double tooth = a / (2 * kPi) * kTeeth;
        const int t = static_cast<int>(tooth);
        const double u = tooth - t;
        double rad;
        if (a >= chordFrom && a <= chordTo) {
            rad = chordDist / std::cos(a - chordMid);
        } else if (u < 0.25 || u >= 0.75) {
            rad = kRoot;
        } else if (u < 0.35) {
            rad = kRoot + (kTip - kRoot) * (u - 0.25) / 0.1;
        } else if (u < 0.65) {
            rad = (t % 7 == 0 && u > 0.48 && u < 0.52) ? kTip - kNotchDepth : kTip;
        } else {
            rad = kTip - (kTip - kRoot) * (u - 0.65) / 0.1;
        }
        p.push_back({rad * std::cos(a) + jitter(g), rad * std::sin(a) + jitter(g)});
    }
    p.push_back(p.front());
    return p;
}

// A closed, counter-clockwise wobbly ring of n points (n - 1 distinct) around (cx, cy).
inline std::vector<CPunkt> Ring(double cx, double cy, double radius, int n, std::mt19937& g) {
    constexpr double kPi = 3.141592653589793;
    std::uniform_real_distribution<double> wobble(0.85, 1.0);
    std::vector<CPunkt> p;
    for (int i = 0; i < n - 1; ++i) {
        const double a = 2 * kPi * i / (n - 1);
        const double r = radius * wobble(g);
        p.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    p.push_back(p.front());
    return p;
}

}  // namespace bench
