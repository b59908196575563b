#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <tuple>

#include "model/document.h"
#include "model/quenk_app.h"
#include "support/random_drawing.h"
#include "support/test_depth.h"
#include "toolpath/pick.h"

namespace {
// The walk over every point and segment of every chain, without the boxes that let the hit
// test pass by the chains far from the click.
std::optional<Hit> PlainHitTest(CQuenkDoc& doc, const CPunkt& x, double tol) {
    Hit h;
    for (auto& layer : doc.m_layers) {
        if (layer->m_empty) continue;
        for (auto& pen : layer->m_pens) {
            if (pen->m_empty) continue;
            h.pen = pen.get();
            for (auto& chain : pen->m_chains) {
                if (chain->m_empty) continue;
                h.chain = chain.get();
                for (auto& path : chain->m_radiusList) {
                    h.radius = path.get();
                    h.radiusIndex = path->FindPoint(x, tol);
                    h.radiusPoint = h.radiusIndex != -1;
                    if (!h.radiusPoint) h.radiusIndex = path->FindSegment(x, tol);
                    h.radiusHit = h.radiusIndex != -1;
                    if (h.radiusHit) return h;
                }
                h.radius = nullptr;
                h.index = chain->FindPoint(x, tol);
                h.point = h.index != -1;
                if (!h.point) h.index = chain->FindSegment(x, tol);
                h.chainHit = h.index != -1;
                if (h.chainHit) return h;
            }
        }
    }
    return std::nullopt;
}

auto Fields(const std::optional<Hit>& h) {
    const Hit v = h.value_or(Hit{});
    return std::make_tuple(h.has_value(), v.pen, v.chain, v.radius, v.index, v.radiusIndex, v.chainHit, v.point,
                           v.radiusHit, v.radiusPoint);
}
}  // namespace

// Small grids put clicks exactly on points, on band borders and between neighbours; the
// scales put them among coordinates far from 1, where rounding decides the border.
TEST(HitTest, FindsWhatThePlainWalkFinds) {
    for (int round = 0; round < Rounds(150); ++round) {
        Dice dice(static_cast<unsigned>(round));
        const double scale = std::array{1.0, 1e-7, 1e9, 3e14}[static_cast<std::size_t>(round % 4)];
        CQuenkApp app;
        CQuenkDoc doc(app);
        AddRandomLayers(doc, dice, round % 10 == 0);
        for (auto& layer : doc.m_layers)
            for (auto& pen : layer->m_pens)
                for (auto& chain : pen->m_chains) {
                    for (CPunkt& p : chain->m_points.Raw()) p = {p.x * scale, p.y * scale};
                    for (auto& path : chain->m_radiusList)
                        for (const CPunkt& p : RandomChainPoints(dice, {.span = 6, .nan = true}))
                            path->m_path.AddPoint({p.x * scale, p.y * scale});
                }
        doc.RecomputeBox();
        for (int click = 0; click < 40; ++click) {
            const CPunkt x{dice(-30, 30) / 2.0 * scale, dice(-30, 30) / 2.0 * scale};
            const double tol = dice(0, 4) / 2.0 * scale;
            ASSERT_EQ(Fields(HitTest(doc, x, tol)), Fields(PlainHitTest(doc, x, tol))) << round << " " << click;
        }
    }
}
