// Radius correction of one large closed contour (a noisy gear of 200,000 vertices) at two
// scales, on both sides and in both directions, timed beside Clipper's mitre offset of the
// same polygon; and one small circle far from the origin.

#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/bench_common.h"
#include "bench/correction_checksum.h"
#include "bench/radius_shapes.h"
#include "model/core_context.h"
#include "model/vector.h"

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kVertices = 200000;
constexpr double kRadius = 40;  // a 2 mm tool at 0.025 mm per unit
int g_repeats = 3;  // best of these
// Clipper takes seconds to minutes on the noisy gears: one run each.
constexpr int kClipperRepeats = 1;

double Seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

struct Result {
    double seconds;
    double cpu;  // processor time of the best run
    int pathPoints;
    int problems;
    int robust;
    std::uint64_t checksum;
};

Result TimeCorrection(const std::vector<CPunkt>& pts, int side) {
    double best = 1e9;
    Result r{};
    for (int k = 0; k < g_repeats; ++k) {
        CVector v;
        for (const CPunkt& p : pts) v.AddPoint(p);
        v.Recompute();
        v.m_toolRadius = kRadius;
        v.m_side = side;
        const double cpu0 = CpuSeconds();
        const auto t0 = Clock::now();
        v.Correct();
        const auto t1 = Clock::now();
        if (Seconds(t0, t1) < best) r.cpu = CpuSeconds() - cpu0;
        best = std::min(best, Seconds(t0, t1));
        r.pathPoints = 0;
        r.robust = 0;
        for (const auto& path : v.m_radiusList) {
            r.pathPoints += path->m_path.Size();
            r.robust = std::max(r.robust, static_cast<int>(path->m_robust));
        }
        r.problems = v.Correction().m_correctionIndexB.Size();
        bench::Checksum sum;
        sum.Chain(v);
        r.checksum = sum.Hash();
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
    for (int k = 0; k < kClipperRepeats; ++k) {
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

// "--no-clipper" leaves Clipper out and "--once" times each case once, for profiling;
// "--checksum" prints a fingerprint of each case's paths.
bool g_clipper = true;
bool g_checksum = false;

void RunGear(const char* title, double noise, double scale) {
    std::vector<CPunkt> ccw = bench::NoisyGear(kVertices, noise);
    for (CPunkt& p : ccw) p = {p.x * scale, p.y * scale};
    const std::vector<CPunkt> cw(ccw.rbegin(), ccw.rend());
    int outsidePts = 0, insidePts = 0;
    const double clipOut = g_clipper ? TimeClipper(ccw, kRadius, outsidePts) : 1;
    const double clipIn = g_clipper ? TimeClipper(ccw, -kRadius, insidePts) : 1;
    std::printf("%s, scale %.0f, %d vertices, r = %.0f units, best of %d (Clipper: %d)\n", title, scale, kVertices,
                kRadius, g_repeats, kClipperRepeats);
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
        std::printf("  Correct %s  %8.3f s  (processor %.3f s; %d path points, %d problem points, %s)  %.2fx Clipper\n",
                    c.name, r.seconds, r.cpu, r.pathPoints, r.problems, r.robust ? "robust" : "walk", r.seconds / c.clipper);
        if (g_checksum) std::printf("    checksum %016llx\n", static_cast<unsigned long long>(r.checksum));
    }
}
}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // "--scale S" runs the gears at that scale only.
    std::vector<double> scales{1.0, 4.0};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--no-clipper") g_clipper = false;
        if (arg == "--once") g_repeats = 1;
        if (arg == "--checksum") g_checksum = true;
        if (arg == "--scale" && i + 1 < argc) scales = {std::atof(argv[++i])};
    }
    SilentInteraction silent;
    ScopedInteraction install(silent);
    // Scale 1: teeth about one tool diameter wide; scale 4: a few tool diameters.
    for (double scale : scales) {
        RunGear("noisy gear (points moved up to 0.1 units)", 0.1, scale);
        RunGear("the same gear without noise", 0.0, scale);
    }
    // A circle of 5,000 points and radius 2,000 units at 2e15 units from the origin.
    std::vector<CPunkt> far;
    for (int i = 0; i < 5000; ++i) {
        const double a = 2 * 3.141592653589793 * i / 5000;
        far.push_back({2e15 + 2000 * std::cos(a), 2e15 + 2000 * std::sin(a)});
    }
    far.push_back(far.front());
    const Result r = TimeCorrection(far, 1);
    std::printf("circle at 2e15 units, 5000 points: Correct %.4f s (%d path points, %s)\n", r.seconds, r.pathPoints,
                r.robust ? "robust" : "walk");
    if (g_checksum) std::printf("    checksum %016llx\n", static_cast<unsigned long long>(r.checksum));
    return 0;
}
