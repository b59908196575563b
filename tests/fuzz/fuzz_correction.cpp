// libFuzzer harness for the radius correction: the bytes give a chain (points as pairs of
// 16-bit numbers, closed or open), a tool radius and a side. Every path must keep its
// distance to the contour along its segments, lie on its side of a simple closed contour,
// have no point farther than 3r from the contour, and where the tool fits nowhere the
// message comes and no path stays. Any violation aborts.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/geometry.h"
#include "model/interaction.h"
#include "model/core_context.h"
#include "model/vector.h"
#include "toolpath/texts.h"
#include "../support/contour_measures.h"

namespace {
using measure::Inside;
using measure::SegDist;
using measure::SegSegDist;
class Recorder : public SilentInteraction {
public:
    void Message(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};


double Nearest(const CPunkt& a, const CPunkt& b, const std::vector<CPunkt>& c) {
    double best = c.size() == 1 ? SegDist(c[0], a, b) : 1e300;
    for (std::size_t i = 1; i < c.size(); ++i) best = std::min(best, SegSegDist(a, b, c[i - 1], c[i]));
    return best;
}

// No crossings, touching or overlapping segments.
bool Simple(const std::vector<CPunkt>& c) {
    const std::size_t last = c.size() - 1;
    for (std::size_t i = 1; i < c.size(); ++i)
        for (std::size_t j = i + 1; j < c.size(); ++j) {
            if (SegmentsCross(c[i - 1], c[i], c[j - 1], c[j])) return false;
            // Non-neighbours that touch or overlap.
            if (j == i + 1 || (i == 1 && j == last)) continue;
            if (Turn(c[i - 1], c[i], c[j - 1]) == 0 || Turn(c[i - 1], c[i], c[j]) == 0 ||
                Turn(c[j - 1], c[j], c[i - 1]) == 0 || Turn(c[j - 1], c[j], c[i]) == 0)
                return false;
        }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    static Recorder ui;
    ui.shown.clear();
    ScopedInteraction install(ui);
    const bool closed = data[0] & 1;
    const int side = (data[0] >> 1) & 1;
    const bool outside = (data[0] >> 2) & 1;
    const double scale = 1.0 + (data[0] >> 3);  // coordinates up to some 2 million units
    const double r = 1.0 + data[1] * 0.5;
    CVector v;
    for (std::size_t i = 2; i + 4 <= size && v.PointCount() < 120; i += 4) {
        const auto x = static_cast<std::int16_t>(data[i] | (data[i + 1] << 8));
        const auto y = static_cast<std::int16_t>(data[i + 2] | (data[i + 3] << 8));
        v.AddPoint({x * scale, y * scale});
    }
    if (v.PointCount() == 0) return 0;
    if (closed) v.AddPoint(v.m_points[0]);
    v.Recompute();
    if (v.m_empty) return 0;
    v.m_function = v.m_closed ? (outside ? 1 : 2) : 0;
    if (v.m_closed) v.SetDirection(outside == (side == 1) ? 0 : 1);
    v.m_toolRadius = r;
    v.m_side = side;
    ui.shown.clear();
    v.Correct();

    const std::vector<CPunkt>& contour = v.m_points.Raw();
    const bool told = std::find(ui.shown.begin(), ui.shown.end(), texts::kCutterTooLarge) != ui.shown.end();
    if (told && !v.m_radiusList.empty()) std::abort();
    // A closed contour that crosses itself or doubles back is taken as the region it
    // encloses; its inner crossings and straight spikes are no walls. Every segment of an
    // open chain is a wall, however the chain runs over itself; so is every spike, however
    // narrow.
    const bool simple = !v.m_closed || Simple(contour);
    const double least = r - std::min(0.4, r / 4) - 1e-6 * scale;
    for (const auto& rad : v.m_radiusList) {
        const std::vector<CPunkt>& p = rad->m_path.Raw();
        if (p.size() != static_cast<std::size_t>(rad->m_source.Size())) std::abort();
        for (std::size_t i = 0; i < p.size(); ++i) {
            if (!IsFinite(p[i])) std::abort();
            if (Nearest(p[i], p[i], contour) > 3 * r + 1e-6 * scale) std::abort();
            if (simple && Nearest(p[i == 0 ? 0 : i - 1], p[i], contour) < least)
                std::abort();
            if (v.m_closed && simple && Inside(p[i], contour) == outside) std::abort();
        }
    }
    return 0;
}
