// Joining figures: the end-point joining of 100,000 touching strokes and "Zusammenfügen" of
// 100,000 loose strokes with small gaps, both in one pen, contours cut into strokes that are
// turned at random and shuffled (the worst order for the pass structure of the joining).

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "model/document.h"
#include "model/quenk_app.h"
#include "prepare/join.h"

namespace {

struct Stroke {
    CPunkt a, b;
};

// Polygons of 3..40 corners on a coarse grid, cut into their edges. gap moves every stroke
// end by up to that many units, so touching strokes (gap 0) share their corners exactly.
std::vector<Stroke> ContourStrokes(int count, int gap, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> corners(3, 40), jitter(-gap, gap);
    std::vector<Stroke> out;
    out.reserve(static_cast<std::size_t>(count));
    for (int c = 0; static_cast<int>(out.size()) < count; ++c) {
        const int k = corners(rng);
        const double cx = (c % 100) * 1000.0, cy = (c / 100) * 1000.0;
        std::vector<CPunkt> poly;
        for (int i = 0; i < k; ++i) {
            const double t = 2 * 3.141592653589793 * i / k;
            poly.push_back({std::round(cx + 300 * std::cos(t)), std::round(cy + 300 * std::sin(t))});
        }
        for (int i = 0; i < k && static_cast<int>(out.size()) < count; ++i) {
            Stroke s{poly[static_cast<std::size_t>(i)], poly[static_cast<std::size_t>((i + 1) % k)]};
            s.a.x += jitter(rng);
            s.a.y += jitter(rng);
            s.b.x += jitter(rng);
            s.b.y += jitter(rng);
            if (rng() & 1) std::swap(s.a, s.b);
            out.push_back(s);
        }
    }
    std::shuffle(out.begin(), out.end(), rng);
    return out;
}

// One open polyline cut into strokes, shuffled: every join grows the same chain.
std::vector<Stroke> LongLineStrokes(int count, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<Stroke> out;
    for (int i = 0; i < count; ++i)
        out.push_back({{i * 10.0, (i % 2) * 10.0}, {(i + 1) * 10.0, ((i + 1) % 2) * 10.0}});
    std::shuffle(out.begin(), out.end(), rng);
    return out;
}

// Strokes that all start at one point, in a fan: many chains share one end point.
std::vector<Stroke> StarStrokes(int count) {
    std::vector<Stroke> out;
    for (int i = 0; i < count; ++i) {
        const double t = 2 * 3.141592653589793 * i / count;
        out.push_back({{0, 0}, {std::round(100000 * std::cos(t)), std::round(100000 * std::sin(t))}});
    }
    return out;
}

void Fill(CQuenkDoc& doc, const std::vector<Stroke>& strokes) {
    CStift& pen = *doc.AddLayer()->AddPen(1);
    for (const Stroke& s : strokes) {
        CVector& v = *pen.AddVector();
        v.AddPoint(s.a);
        v.AddPoint(s.b);
    }
    doc.RecomputeBox();
}

struct Result {
    double seconds;
    int chains, closed;
};

Result Count(const CQuenkDoc& doc, double seconds) {
    Result r{seconds, 0, 0};
    for (auto& v : doc.m_layers[0]->m_pens[0]->m_chains) {
        if (v->m_empty) continue;
        ++r.chains;
        r.closed += v->m_closed;
    }
    return r;
}

template <typename F>
double Seconds(F&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

Result EndPoints(const std::vector<Stroke>& strokes) {
    CQuenkApp app;
    CQuenkDoc doc(app);
    Fill(doc, strokes);
    const double s = Seconds([&] { JoinEndPoints(doc, *doc.m_layers[0]); });
    return Count(doc, s);
}

Result Distance(const std::vector<Stroke>& strokes) {
    CQuenkApp app;  // "Zusammenfügen bis" 0.5 mm, plotter unit 0.025 mm: 20 units
    CQuenkDoc doc(app);
    Fill(doc, strokes);
    const double s = Seconds([&] { JoinChains(doc); });
    return Count(doc, s);
}

void Print(const char* what, int strokes, const Result& r) {
    std::printf("%-52s %7d strokes  %8.3f s  -> %6d chains, %6d closed\n", what, strokes, r.seconds, r.chains,
                r.closed);
}

}  // namespace

int main(int argc, char** argv) {
    const int n = 100000;
    // For profiling, "endpoints" or "distance" runs only that main figure.
    const std::string only = argc > 1 ? argv[1] : "";
    if (only.empty() || only == "endpoints")
        Print("end-point joining, touching contour strokes", n, EndPoints(ContourStrokes(n, 0, 1)));
    if (only.empty() || only == "distance")
        Print("Zusammenfuegen, contour strokes with gaps up to 8", n, Distance(ContourStrokes(n, 4, 2)));
    if (only == "polyline") Print("Zusammenfuegen, one shuffled polyline", n, Distance(LongLineStrokes(n, 4)));
    if (!only.empty()) return 0;
    // Every join recomputes the growing chain, so one huge chain costs its length per join.
    for (int m : {10000, 20000, 40000, 100000}) {
        Print("end-point joining, one shuffled polyline", m, EndPoints(LongLineStrokes(m, 3)));
        Print("Zusammenfuegen, one shuffled polyline", m, Distance(LongLineStrokes(m, 4)));
    }
    Print("end-point joining, fan of strokes from one point", n, EndPoints(StarStrokes(n)));
    return 0;
}
