// Corrected paths of random convex and star-shaped polygons keep their distance to the
// contour and lie on the requested side.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "model/vector.h"
#include "support/scripted_interaction.h"
#include "toolpath/correction_texts.h"

namespace {
using Rng = std::mt19937;
double Uniform(Rng& g, double a, double b) { return std::uniform_real_distribution<double>(a, b)(g); }

// The clearance the correction guarantees: the radius less its tolerance of 0.4 units.
constexpr double kSlack = 0.4;

double SegmentDistance(const CPunkt& x, const CPunkt& a, const CPunkt& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((x.x - a.x) * dx + (x.y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return Distance(x, {a.x + t * dx, a.y + t * dy});
}

bool InsidePolygon(const CPunkt& x, const std::vector<CPunkt>& p) {
    bool in = false;
    for (std::size_t i = 1; i < p.size(); ++i) {
        const CPunkt& a = p[i - 1];
        const CPunkt& b = p[i];
        if ((a.y > x.y) != (b.y > x.y) && x.x < a.x + (x.y - a.y) * (b.x - a.x) / (b.y - a.y)) in = !in;
    }
    return in;
}

// Counter-clockwise, closed.
std::vector<CPunkt> Polygon(Rng& g, bool star) {
    const int n = 5 + static_cast<int>(Uniform(g, 0, 40));
    // Jittered but ordered angles with gaps below 180 degrees keep the centre inside, so the
    // polygon is simple (star-shaped around the centre).
    std::vector<double> angles;
    for (int i = 0; i < n; ++i) angles.push_back(2 * kPi * (i + Uniform(g, 0, 0.8)) / n);
    std::vector<CPunkt> p;
    const double base = Uniform(g, 50, 300);
    for (double a : angles) {
        const double rad = star ? base * Uniform(g, 0.3, 1.0) : base;
        p.push_back({1000 + rad * std::cos(a), -300 + rad * std::sin(a)});
    }
    p.push_back(p.front());
    return p;
}
}  // namespace

TEST(CorrectionProperty, PathsKeepTheirDistanceOnTheRequestedSide) {
    Rng g(777);
    int closedPaths = 0;
    for (int round = 0; round < 300; ++round) {
        ScriptedSession s;
        const bool star = round % 2 == 1;
        std::vector<CPunkt> poly = Polygon(g, star);
        const bool outside = round / 2 % 2 == 0;
        const int side = round / 4 % 2;
        // Right side outside needs counter-clockwise, left side outside clockwise.
        const bool ccw = outside == (side == 1);
        if (!ccw) std::reverse(poly.begin(), poly.end());
        const double r = std::vector<double>{1, 4, 10, 25}[static_cast<std::size_t>(round / 8 % 4)];
        CVector v;
        for (const CPunkt& p : poly) v.AddPoint(p);
        v.Recompute();
        v.m_toolRadius = r;
        v.m_side = side;
        v.m_cleanContour = round / 32 % 2;
        ASSERT_EQ(v.Correct(), 1);
        const bool tooLarge = !s.ui.shown.empty();
        if (tooLarge) {
            EXPECT_EQ(s.ui.shown, std::vector<std::string>{texts::kCutterTooLarge});
            EXPECT_TRUE(v.m_radiusList.empty());
            continue;
        }
        ASSERT_FALSE(v.m_radiusList.empty());
        if (v.m_cleanContour) poly = v.m_offsetPoints.Raw();
        for (const auto& one : v.m_radiusList) {
        const CRadius& path = *one;
        EXPECT_EQ(path.m_closed, path.m_path.Size() >= 2 && path.m_path.Front() == path.m_path.Back()) << "round " << round;
        if (path.m_closed) ++closedPaths;
        // Clean-up trades accuracy for smoothness: it drops close points and cuts off tips
        // narrower than the tool, so the path keeps its distance to the contour it worked on.
        for (const CPunkt& x : path.m_path) {
            EXPECT_TRUE(std::isfinite(x.x) && std::isfinite(x.y));
            double d = 1e300;
            for (std::size_t i = 1; i < poly.size(); ++i) d = std::min(d, SegmentDistance(x, poly[i - 1], poly[i]));
            EXPECT_GE(d, r - kSlack) << "round " << round << " at " << x.x << "," << x.y;
            EXPECT_EQ(InsidePolygon(x, poly), !outside) << "round " << round << " at " << x.x << "," << x.y;
        }
        }
    }
    EXPECT_GT(closedPaths, 250);
}
