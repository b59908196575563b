// The near-duplicate clean-up skips its copies when no point is near its predecessor or the
// start; it must give exactly what the plain three steps give.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "model/vector.h"

namespace {
// The plain clean-up, step by step, as the reference.
std::vector<CPunkt> ReferenceClean(std::vector<CPunkt> p, bool closed) {
    const double tol = 0.0001;
    auto near = [&](const CPunkt& a, const CPunkt& b) { return std::hypot(a.x - b.x, a.y - b.y) < tol; };
    const std::size_t n = p.size();
    if (n < 3) return p;
    std::vector<CPunkt> rev{p[n - 1]};
    CPunkt carry = p[n - 2];
    for (std::size_t i = n - 2; i >= 1; --i) {
        if (near(carry, p[i - 1])) continue;
        rev.push_back(carry);
        carry = p[i - 1];
    }
    rev.push_back(carry);
    p.assign(rev.rbegin(), rev.rend());
    if (p.size() > 2) {
        const CPunkt s = p.front(), last = p.back();
        std::vector<CPunkt> q{s};
        for (std::size_t i = 1; i + 1 < p.size(); ++i)
            if (!near(s, p[i])) q.push_back(p[i]);
        q.push_back(last);
        p = q;
    }
    if (closed) p.back() = p.front();
    return p;
}
}  // namespace

TEST(NearDuplicates, SameAsThePlainStepsOnRandomChains) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> coord(-50.0, 50.0);
    std::uniform_real_distribution<double> tiny(-0.00008, 0.00008);
    for (int round = 0; round < 5000; ++round) {
        const int n = 3 + static_cast<int>(rng() % 12);
        std::vector<CPunkt> pts;
        for (int i = 0; i < n; ++i) {
            const unsigned kind = rng() % 4;
            if (i > 0 && kind == 0)  // near the predecessor
                pts.push_back({pts.back().x + tiny(rng), pts.back().y + tiny(rng)});
            else if (i > 0 && kind == 1)  // near the start
                pts.push_back({pts.front().x + tiny(rng), pts.front().y + tiny(rng)});
            else
                pts.push_back({coord(rng), coord(rng)});
        }
        const bool closed = rng() % 2 == 0;
        if (closed) pts.back() = pts.front();
        CVector v;
        for (const CPunkt& p : pts) v.AddPoint(p);
        v.m_closed = closed ? 1 : 0;
        v.RemoveNearDuplicates();
        ASSERT_EQ(v.m_points.Raw(), ReferenceClean(pts, closed)) << "round " << round;
    }
}
