// Preparing the contour for offsetting: reading it, removing small loops and spikes, and
// cutting off sharp tips that the cutter could never follow.

#include <cmath>

#include "model/geometry.h"
#include "toolpath/correction_steps.h"
#include "toolpath/plain_distance.h"
#include "toolpath/strip.h"

namespace {
// With clean-up, a point closer than this share of r to the last kept one is dropped.
constexpr double kCleanShare = 0.25;
// Sharp-corner passes over the contour; each can expose a new tip behind a removed one.
constexpr int kSharpCornerPasses = 10;
// Strips of the sharp-corner test are this much narrower than the spike limit.
constexpr double kSpikeStripShrink = 0.4;

double Dist2(const CPunkt& a, const CPunkt& b) {
    const double dx = a.x - b.x, dy = a.y - b.y;
    return dx * dx + dy * dy;
}

enum class CornerAction { Keep, Remove, Move };

// One corner A, B, C of the sharp-corner pass; index and count are B's position and the
// contour's size, which guard the moves near the ends of an open contour.
CornerAction TreatCorner(const CPunkt& a, const CPunkt& b, const CPunkt& c, bool checkIndex, int index,
                         int count, int side, double limit, CPunkt& moved) {
    const double lenA = PlainDistance(a, b);
    const double lenC = PlainDistance(c, b);
    if (!(lenA > 0) || !(lenC > 0)) return CornerAction::Keep;
    // The cheap tests of the three cases first; the angle is needed only where one applies.
    const double strip = limit - kSpikeStripShrink;
    CornerAction action = CornerAction::Keep;
    if (lenA == lenC) {
        if (PlainDistance(c, a) < limit) action = CornerAction::Remove;
    } else if (lenA < lenC) {
        if (InStrip(a, c, b, strip) && !(checkIndex && index <= 1)) action = CornerAction::Move;
    } else {
        if (InStrip(c, a, b, strip) && !(checkIndex && index >= count - 3)) action = CornerAction::Move;
    }
    if (action == CornerAction::Keep) return action;
    const double aA = std::atan2(a.y - b.y, a.x - b.x);
    const double aC = std::atan2(c.y - b.y, c.x - b.x);
    double h = (aA - aC) / 2;
    if (side == 0) {
        if (h < 0) h += kPi;
        if (!(h < kPi / 4)) return CornerAction::Keep;
    } else {
        if (h >= 0) h -= kPi;
        if (!(h > -kPi / 4)) return CornerAction::Keep;
    }
    if (action == CornerAction::Move) {
        const CPunkt& toward = lenA < lenC ? c : a;
        const double f = (lenA < lenC ? lenA / lenC : lenC / lenA);
        moved = {b.x + (toward.x - b.x) * f, b.y + (toward.y - b.y) * f};
    }
    return action;
}

// The closing vertex of a closed contour (first and last point); true when it changed.
bool TreatClosingVertex(std::vector<CPunkt>& w, int side, double limit) {
    const std::size_t n = w.size();
    if (n < 4) return false;
    CPunkt moved;
    switch (TreatCorner(w[n - 2], w[0], w[1], false, 0, static_cast<int>(n), side, limit, moved)) {
    case CornerAction::Keep:
        return false;
    case CornerAction::Move:
        w[0] = moved;
        w[n - 1] = moved;
        return true;
    case CornerAction::Remove:
        // Dropping the tip and the point before it must leave a contour C, ..., C.
        if (n < 5) return false;
        w.pop_back();
        w.pop_back();
        w.erase(w.begin());
        w.push_back(w.front());
        return true;
    }
    return false;
}
}  // namespace

std::vector<CPunkt> BuildWorkingContour(const std::vector<CPunkt>& points, bool closed, bool clean, double r) {
    std::vector<CPunkt> w;
    if (points.empty()) return w;
    w.reserve(points.size());
    w.push_back(points.front());
    const double min2 = (r * kCleanShare) * (r * kCleanShare);
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (clean) {
            if (Dist2(points[i], w.back()) > min2) w.push_back(points[i]);
        } else if (!(points[i] == points[i - 1])) {
            w.push_back(points[i]);
        }
    }
    if (closed && !(w.back() == w.front())) w.back() = w.front();
    return w;
}

// The pass works from the end towards the start and only ever changes the window's two
// middle points, so the part behind the window is final: it is kept reversed in `done` and
// every step is O(1), where removing from the middle of the array would be O(n).
void WindowPass(std::vector<CPunkt>& w, std::vector<CPunkt>& done) {
    const int n = static_cast<int>(w.size());
    if (n < 4) return;
    // points from index j + 2 on, reversed: back() is W2
    done.clear();
    done.reserve(w.size());
    done.push_back(w[static_cast<std::size_t>(n) - 1]);
    done.push_back(w[static_cast<std::size_t>(n) - 2]);
    int j = n - 4;
    while (j >= 0) {
        CPunkt& w0 = w[static_cast<std::size_t>(j)];
        CPunkt& w1 = w[static_cast<std::size_t>(j) + 1];
        const CPunkt w2 = done.back();
        const CPunkt w3 = done[done.size() - 2];
        if (SegmentsCross(w3, w2, w1, w0)) {
            if (std::optional<CPunkt> x = TryLineIntersection(w3, w2, w1, w0)) {
                done.pop_back();
                w1 = *x;
                done.push_back(w1);
                done.push_back(w0);
                j -= 2;
                continue;
            }
        } else if (Turn(w3, w2, w1) == 0 && Turn(w3, w2, w0) == 0) {
            done.pop_back();
        }
        done.push_back(w1);
        --j;
    }
    for (int k = j + 1; k >= 0; --k) done.push_back(w[static_cast<std::size_t>(k)]);
    w.assign(done.rbegin(), done.rend());
}

void SmoothSharpCorners(std::vector<CPunkt>& w, bool closed, int side, double limit, std::vector<CPunkt>& out) {
    for (int pass = 0; pass < kSharpCornerPasses && w.size() >= 3; ++pass) {
        bool changed = false;
        out.clear();
        out.reserve(w.size());
        out.push_back(w.front());
        const int n = static_cast<int>(w.size());
        // out holds the vertices already treated; B's index is out.size(), and the contour's
        // current size is what is treated plus what is still to come.
        for (int k = 1; k <= n - 2; ++k) {
            const int index = static_cast<int>(out.size());
            const int count = index + (n - k);
            CPunkt moved;
            switch (TreatCorner(out.back(), w[static_cast<std::size_t>(k)], w[static_cast<std::size_t>(k) + 1], true,
                                index, count, side, limit, moved)) {
            case CornerAction::Keep:
                out.push_back(w[static_cast<std::size_t>(k)]);
                break;
            case CornerAction::Move:
                out.push_back(moved);
                changed = true;
                break;
            case CornerAction::Remove:
                changed = true;
                break;
            }
        }
        out.push_back(w.back());
        if (closed && TreatClosingVertex(out, side, limit)) changed = true;
        // A pass without a change leaves the contour as it found it, and so would the rest.
        if (!changed) break;
        // Never longer than before: w keeps its storage, and out stays the caller's buffer.
        w.assign(out.begin(), out.end());
    }
}

void DropExactRepeats(std::vector<CPunkt>& w) {
    std::size_t keep = 0;
    for (std::size_t i = 0; i < w.size(); ++i)
        if (keep == 0 || !(w[i] == w[keep - 1])) w[keep++] = w[i];
    w.resize(keep);
}
