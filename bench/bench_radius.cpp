// Radius correction of one large closed contour (a noisy gear of 200,000 vertices), on both
// sides and in both directions, timed beside Clipper's mitre offset of the same polygon.

#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "bench/radius_shapes.h"
#include "model/session.h"
#include "model/vector.h"

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kVertices = 200000;
constexpr double kRadius = 40;  // a 2 mm tool at 0.025 mm per unit
constexpr int kRepeats = 5;

double Seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

struct Result {
    double seconds;
    int pathPoints;
    int problems;
};

Result TimeCorrection(const std::vector<CPunkt>& pts, int side) {
    double best = 1e9;
    Result r{};
    for (int k = 0; k < kRepeats; ++k) {
        CVector v;
        for (const CPunkt& p : pts) v.AddPoint(p);
        v.Recompute();
        v.m_toolRadius = kRadius;
        v.m_side = side;
        const auto t0 = Clock::now();
        v.Correct();
        const auto t1 = Clock::now();
        best = std::min(best, Seconds(t0, t1));
        r.pathPoints = v.m_radiusList.empty() ? 0 : v.m_radiusList.front()->m_path.Size();
        r.problems = v.m_correctionIndexB.Size();
    }
    r.seconds = best;
    return r;
}

double TimeClipper(const std::vector<CPunkt>& pts, double delta, int& outPoints) {
    constexpr double kScale = 1000;  // Clipper works in integers
    ClipperLib::Path path;
    for (std::size_t i = 0; i + 1 < pts.size(); ++i)
        path.push_back({static_cast<ClipperLib::cInt>(pts[i].x * kScale), static_cast<ClipperLib::cInt>(pts[i].y * kScale)});
    double best = 1e9;
    for (int k = 0; k < kRepeats; ++k) {
        const auto t0 = Clock::now();
        ClipperLib::ClipperOffset off(2.0);
        off.AddPath(path, ClipperLib::jtMiter, ClipperLib::etClosedPolygon);
        ClipperLib::Paths out;
        off.Execute(out, delta * kScale);
        const auto t1 = Clock::now();
        best = std::min(best, Seconds(t0, t1));
        outPoints = 0;
        for (const auto& p : out) outPoints += static_cast<int>(p.size());
    }
    return best;
}

void RunGear(const char* title, double noise) {
    const std::vector<CPunkt> ccw = bench::NoisyGear(kVertices, noise);
    const std::vector<CPunkt> cw(ccw.rbegin(), ccw.rend());
    int outsidePts = 0, insidePts = 0;
    const double clipOut = TimeClipper(ccw, kRadius, outsidePts);
    const double clipIn = TimeClipper(ccw, -kRadius, insidePts);
    std::printf("%s, %d vertices, r = %.0f units, best of %d\n", title, kVertices, kRadius, kRepeats);
    std::printf("  Clipper mitre offset outside  %8.3f s  (%d points)\n", clipOut, outsidePts);
    std::printf("  Clipper mitre offset inside   %8.3f s  (%d points)\n", clipIn, insidePts);
    struct Case {
        const char* name;
        const std::vector<CPunkt>* pts;
        int side;
        double clipper;
    } cases[] = {
        {"outside, right (ccw)", &ccw, 1, clipOut},
        {"inside,  right (cw) ", &cw, 1, clipIn},
        {"outside, left  (cw) ", &cw, 0, clipOut},
        {"inside,  left  (ccw)", &ccw, 0, clipIn},
    };
    for (const Case& c : cases) {
        const Result r = TimeCorrection(*c.pts, c.side);
        std::printf("  Correct %s  %8.3f s  (%d path points, %d problem points)  %.2fx Clipper\n", c.name,
                    r.seconds, r.pathPoints, r.problems, r.seconds / c.clipper);
    }
}
}  // namespace

int main() {
    SilentInteraction silent;
    ScopedInteraction install(silent);
    RunGear("noisy gear (points moved up to 0.1 units)", 0.1);
    RunGear("the same gear without noise", 0.0);
    return 0;
}
