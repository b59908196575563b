// The robust offset on Clipper's integer polygons: the only file that talks to Clipper.
// Coordinates are taken relative to the middle of the contour's box and scaled so that a
// thousandth of a drawing unit survives, and less only where the drawing is so large that
// the integers would overflow.

#include "toolpath/robust_offset.h"

#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/geometry.h"
#include "toolpath/offset_bound.h"
#include "toolpath/plain_distance.h"

namespace {
namespace cl = ClipperLib;

// A thousandth of a drawing unit survives the integer coordinates.
constexpr double kFineScale = 1000;
// Scaled coordinates stay far below Clipper's limit of 4.6e18.
constexpr double kLargestScaled = 4e17;
// Dropped vertices per chord of the simplification at most: it stays linear in the count.
constexpr int kSimplifyWindow = 64;
// Sides of the polygons that stand for the circles around an open contour's ends.
constexpr int kDiscSides = 64;

double SegmentDistance(const CPunkt& x, const CPunkt& a, const CPunkt& b, double* along = nullptr) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((x.x - a.x) * dx + (x.y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    if (along) *along = t;
    return PlainDistance(x, {a.x + t * dx, a.y + t * dy});
}

class Frame {
public:
    Frame(const std::vector<CPunkt>& w, double grow) {
        double loX = w[0].x, hiX = w[0].x, loY = w[0].y, hiY = w[0].y;
        for (const CPunkt& p : w) {
            loX = std::min(loX, p.x);
            hiX = std::max(hiX, p.x);
            loY = std::min(loY, p.y);
            hiY = std::max(hiY, p.y);
        }
        m_ox = (loX + hiX) / 2;
        m_oy = (loY + hiY) / 2;
        const double half = std::max(hiX - loX, hiY - loY) / 2 + 4 * grow + 1;
        m_scale = std::min(kFineScale, kLargestScaled / half);
    }
    cl::IntPoint In(const CPunkt& p) const {
        return {static_cast<cl::cInt>(std::llround((p.x - m_ox) * m_scale)),
                static_cast<cl::cInt>(std::llround((p.y - m_oy) * m_scale))};
    }
    CPunkt Out(const cl::IntPoint& p) const {
        return {m_ox + static_cast<double>(p.X) / m_scale, m_oy + static_cast<double>(p.Y) / m_scale};
    }
    double Scale() const { return m_scale; }
    // How far the frame's middle lies from the origin.
    double Offset() const { return std::max(std::fabs(m_ox), std::fabs(m_oy)); }

private:
    double m_ox = 0, m_oy = 0, m_scale = 1;
};

std::size_t NearestVertex(const cl::Path& p, const cl::IntPoint& to) {
    std::size_t best = 0;
    double bestD = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < p.size(); ++i) {
        const double dx = static_cast<double>(p[i].X - to.X), dy = static_cast<double>(p[i].Y - to.Y);
        const double d = dx * dx + dy * dy;
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}

// A closed loop starting at its vertex nearest to `to`, first point repeated at the end.
cl::Path Rotated(const cl::Path& p, const cl::IntPoint& to) {
    const std::size_t k = NearestVertex(p, to);
    cl::Path out(p.begin() + static_cast<std::ptrdiff_t>(k), p.end());
    out.insert(out.end(), p.begin(), p.begin() + static_cast<std::ptrdiff_t>(k));
    out.push_back(out.front());
    return out;
}

// The polygon around a circle of radius rho (scaled), so that all of the circle lies in it.
cl::Path Disc(const cl::IntPoint& c, double rho) {
    cl::Path d;
    const double R = rho / std::cos(kPi / kDiscSides);
    for (int i = 0; i < kDiscSides; ++i) {
        const double a = 2 * kPi * i / kDiscSides;
        d.push_back({c.X + static_cast<cl::cInt>(std::llround(R * std::cos(a))),
                     c.Y + static_cast<cl::cInt>(std::llround(R * std::sin(a)))});
    }
    return d;
}

// Where the contour comes nearest to x: segment index and the position along it.
struct Foot {
    std::size_t seg = 0;
    double along = 0;
    bool operator<(const Foot& o) const { return seg != o.seg ? seg < o.seg : along < o.along; }
};

Foot NearestFoot(const std::vector<CPunkt>& w, const CPunkt& x) {
    Foot f;
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k + 1 < w.size(); ++k) {
        double t = 0;
        const double d = SegmentDistance(x, w[k], w[k + 1], &t);
        if (d < best) {
            best = d;
            f = {k, t};
        }
    }
    return f;
}

std::vector<RobustPath> ToPaths(const cl::Paths& loops, const Frame& frame, bool closed) {
    std::vector<RobustPath> out;
    for (const cl::Path& p : loops) {
        if (p.size() < 2) continue;
        RobustPath r;
        r.closed = closed;
        r.points.reserve(p.size());
        for (const cl::IntPoint& q : p) r.points.push_back(frame.Out(q));
        out.push_back(std::move(r));
    }
    return out;
}

std::vector<RobustPath> ClosedOffset(const RobustRequest& q, const std::vector<CPunkt>& w, const Frame& frame) {
    cl::Path in;
    in.reserve(w.size());
    for (std::size_t i = 0; i + 1 < w.size(); ++i) in.push_back(frame.In(w[i]));
    // The contour's own small loops first become the region they enclose: offset as they
    // stand, a loop turning the other way is grown inwards and the path runs through it.
    // A plain union, not Clipper's SimplifyPolygon: that one also splits polygons at touching
    // vertices, a search over all pairs of output points that took 15 s on a noisy contour
    // of 100,000 points, and the offset needs only the region.
    // A simple contour is its own region, and the sweep of the union is spared.
    cl::Paths region;
    std::vector<IntCorner> corners(in.size());
    std::transform(in.begin(), in.end(), corners.begin(), [](const cl::IntPoint& p) { return IntCorner{p.X, p.Y}; });
    if (SimplePolygon(corners)) {
        region.push_back(in);
    } else {
        cl::Clipper unite;
        unite.AddPath(in, cl::ptSubject, true);
        unite.Execute(cl::ctUnion, region, cl::pftNonZero, cl::pftNonZero);
    }
    // Squared corners: tangent to the circle of r around the vertex as the wide corners of the
    // walk are, and for corners turning less than 80 degrees, where the walk mitres, less than
    // a tenth of r inside its point.
    cl::ClipperOffset off;
    off.AddPaths(region, cl::jtSquare, cl::etClosedPolygon);
    cl::Paths loops;
    off.Execute(loops, (q.outside ? q.r : -q.r) * frame.Scale());
    // Clipper returns the region on the left of every loop; a right-hand path outside, or a
    // left-hand path inside, runs that way, the other two the other way.
    const bool regionLeft = (q.side != 0) == q.outside;
    const cl::IntPoint start = frame.In(w.front());
    for (cl::Path& p : loops) {
        if (!regionLeft) cl::ReversePath(p);
        p = Rotated(p, start);
    }
    std::vector<RobustPath> paths = ToPaths(loops, frame, true);
    std::stable_sort(paths.begin(), paths.end(), [&](const RobustPath& a, const RobustPath& b) {
        return Distance(a.points.front(), w.front()) < Distance(b.points.front(), w.front());
    });
    return paths;
}

std::vector<RobustPath> OpenOffset(const RobustRequest& q, const std::vector<CPunkt>& w, const Frame& frame) {
    cl::Path in;
    in.reserve(w.size());
    for (const CPunkt& p : w) in.push_back(frame.In(p));
    // The region within r of the chain as the union of the rounded strips around its
    // segments, each offset on its own: offsetting the chain as one path relies on the
    // winding of its outline, which leaves holes where the chain runs back over itself.
    cl::Paths segments;
    segments.reserve(in.size());
    for (std::size_t i = 1; i < in.size(); ++i)
        if (in[i] != in[i - 1]) segments.push_back({in[i - 1], in[i]});
    if (segments.empty()) segments.push_back({in.front()});
    cl::ClipperOffset off;
    off.AddPaths(segments, cl::jtRound, cl::etOpenRound);
    cl::Paths loops;
    off.Execute(loops, q.r * frame.Scale());
    // The boundary around the contour, less what lies within r*sqrt(2) of its ends: the path
    // starts r after the start and ends r before the end, r beside the contour.
    cl::Clipper clip;
    for (const cl::Path& p : loops) clip.AddPath(Rotated(p, in.front()), cl::ptSubject, false);
    const double rho = q.r * std::sqrt(2.0) * frame.Scale();
    clip.AddPath(Disc(in.front(), rho), cl::ptClip, true);
    clip.AddPath(Disc(in.back(), rho), cl::ptClip, true);
    cl::PolyTree tree;
    clip.Execute(cl::ctDifference, tree, cl::pftNonZero, cl::pftNonZero);
    cl::Paths pieces;
    cl::OpenPathsFromPolyTree(tree, pieces);

    std::vector<std::pair<Foot, RobustPath>> kept;
    for (RobustPath& piece : ToPaths(pieces, frame, false)) {
        std::vector<CPunkt>& p = piece.points;
        const std::size_t mid = (p.size() - 1) / 2;
        const CPunkt m{(p[mid].x + p[mid + 1].x) / 2, (p[mid].y + p[mid + 1].y) / 2};
        const Foot f = NearestFoot(w, m);
        const CPunkt& a = w[f.seg];
        const CPunkt& b = w[f.seg + 1];
        const double dx = b.x - a.x, dy = b.y - a.y;
        const CPunkt foot{a.x + f.along * dx, a.y + f.along * dy};
        const bool left = dx * (m.y - foot.y) - dy * (m.x - foot.x) > 0;
        if (left != (q.side == 0)) continue;
        if (dx * (p[mid + 1].x - p[mid].x) + dy * (p[mid + 1].y - p[mid].y) < 0) std::reverse(p.begin(), p.end());
        kept.emplace_back(NearestFoot(w, p.front()), std::move(piece));
    }
    std::stable_sort(kept.begin(), kept.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<RobustPath> out;
    for (auto& k : kept) out.push_back(std::move(k.second));
    return out;
}
}  // namespace

std::vector<std::int32_t> SimplifiedVertices(const std::vector<CPunkt>& w, double tol) {
    std::vector<std::int32_t> keep;
    const int n = static_cast<int>(w.size());
    if (n == 0) return keep;
    keep.push_back(0);
    int anchor = 0;
    while (anchor < n - 1) {
        int best = anchor + 1;
        for (int j = anchor + 2; j < n && j - anchor <= kSimplifyWindow; ++j) {
            bool ok = true;
            for (int i = anchor + 1; i < j && ok; ++i)
                ok = SegmentDistance(w[static_cast<std::size_t>(i)], w[static_cast<std::size_t>(anchor)],
                                     w[static_cast<std::size_t>(j)]) <= tol;
            if (!ok) break;
            best = j;
        }
        keep.push_back(best);
        anchor = best;
    }
    return keep;
}

namespace {
// The contour as the offset takes it.
std::vector<CPunkt> Simplified(const RobustRequest& q) {
    const std::vector<CPunkt>& full = *q.working;
    std::vector<CPunkt> w;
    for (std::int32_t k : SimplifiedVertices(full, q.simplify)) w.push_back(full[static_cast<std::size_t>(k)]);
    return w;
}
}  // namespace

double RobustLengthBound(const RobustRequest& q) {
    constexpr double kNone = std::numeric_limits<double>::infinity();
    // Where the frame's middle lies this far out, its rounding in the paths' points is no
    // longer small beside the bound's margin.
    constexpr double kFarthest = 1e9;
    if (!q.closed || q.working->size() < 2 || !(q.r > 0)) return kNone;
    const std::vector<CPunkt> w = Simplified(q);
    if (w.size() < 4) return kNone;
    const Frame frame(w, q.r);
    if (!(frame.Offset() < kFarthest)) return kNone;
    std::vector<IntCorner> in;
    in.reserve(w.size());
    for (std::size_t i = 0; i + 1 < w.size(); ++i) {
        const cl::IntPoint p = frame.In(w[i]);
        in.push_back({p.X, p.Y});
    }
    // A millionth on top for the conversion back to drawing units.
    return OffsetLengthBound(in, (q.outside ? q.r : -q.r) * frame.Scale()) / frame.Scale() * (1 + 1e-6);
}

std::vector<RobustPath> RobustOffset(const RobustRequest& q) {
    if (q.working->size() < 2 || !(q.r > 0)) return {};
    const std::vector<CPunkt> w = Simplified(q);
    const Frame frame(w, q.r);
    if (q.closed) return w.size() < 4 ? std::vector<RobustPath>{} : ClosedOffset(q, w, frame);
    return OpenOffset(q, w, frame);
}
