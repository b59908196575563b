// The chain points that a large block has made on two threads are those of the same entities
// walked a small block at a time, where the walk makes every point itself: bit for bit, with
// the same messages in the same order, over more chains and pieces than one stretch holds.

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/doc_checksum.h"
#include "cadreader/cad_drawing.h"
#include "import/cad_import.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "support/scripted_interaction.h"
#include "support/test_depth.h"

namespace {
// Below the size at which a block gets a second thread.
constexpr std::size_t kSmallBlock = 1000;

CadEntity Entity(std::uint16_t type, std::int32_t colour, std::initializer_list<double> g) {
    CadEntity e;
    e.type = type;
    e.colour = colour;
    std::copy(g.begin(), g.end(), e.g);
    return e;
}

// Random lines, circles, arcs, ellipses and polylines of both kinds with bulges, one
// light-weight polyline longer than a stretch's room for pieces, a line beyond any workpiece
// and an unsupported entity; in model space, or cut into small blocks between entities.
std::unique_ptr<CadDrawing> RandomDrawing(unsigned seed, bool small) {
    std::mt19937 rng(seed);
    auto any = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    auto d = std::make_unique<CadDrawing>();
    d->layers.push_back({"0", 7, false});
    std::vector<CadEntity> all;
    auto lwpolyline = [&](std::int32_t colour, std::uint32_t n, double bulges) {
        CadEntity e = Entity(kCadLwPolyline, colour, {any(0, 1) < 0.5 ? 1.0 : 0.0});
        e.first = static_cast<std::uint32_t>(d->vertices.size());
        e.count = n;
        for (std::uint32_t k = 0; k < n; ++k)
            d->vertices.push_back({any(0, 300), any(0, 300), any(0, 1) < bulges ? any(-2, 2) : 0.0});
        all.push_back(e);
    };
    for (int k = 0; k < 18000; ++k) {
        const auto colour = static_cast<std::int32_t>(rng() % 5 + 1);
        const double x = any(0, 300), y = any(0, 300), r = any(0.1, 4);
        switch (rng() % 7) {
        case 0: all.push_back(Entity(kCadCircle, colour, {x, y, r})); break;
        case 1: all.push_back(Entity(kCadArc, colour, {x, y, r, any(-400, 400), any(-400, 400)})); break;
        case 2: all.push_back(Entity(kCadEllipse, colour, {x, y, any(-3, 3), any(-3, 3), any(0.1, 1), any(0, 7), any(0, 7)})); break;
        case 3: lwpolyline(colour, static_cast<std::uint32_t>(rng() % 6), 0.5); break;
        case 4:
            all.push_back(Entity(kCadPolyline, colour, {any(0, 1) < 0.5 ? 1.0 : 0.0, 0.0}));
            for (int v = static_cast<int>(rng() % 4); v >= 0; --v)
                all.push_back(Entity(kCadVertex, colour, {any(0, 300), any(0, 300), any(0, 1) < 0.5 ? any(-1, 1) : 0.0}));
            all.push_back(Entity(kCadSeqEnd, colour, {}));
            break;
        default: all.push_back(Entity(kCadLine, colour, {x, y, any(0, 300), any(0, 300)}));
        }
        if (k == 9000) lwpolyline(2, 40000, 0.0);
        if (k == 12000) all.push_back(Entity(kCadLine, 3, {1e14, 0, 0, 0}));
        if (k == 15000) all.push_back(Entity(kCadSpline, 4, {}));
    }
    CadBlock model{"*Model_Space", CadLayoutKind::Model, {}}, paper{"*Paper_Space", CadLayoutKind::Paper, {}};
    if (!small) model.entities = all;
    for (std::size_t from = 0; small && from < all.size();) {
        std::size_t to = std::min(from + kSmallBlock, all.size());
        while (to < all.size() && (all[to].type == kCadVertex || all[to].type == kCadSeqEnd)) ++to;
        d->blocks.push_back({"B" + std::to_string(from), CadLayoutKind::Ordinary,
                             std::vector<CadEntity>(all.begin() + static_cast<std::ptrdiff_t>(from),
                                                    all.begin() + static_cast<std::ptrdiff_t>(to))});
        from = to;
    }
    d->blocks.push_back(std::move(model));
    d->blocks.push_back(std::move(paper));
    d->sourceBytes = 100000000;
    return d;
}

struct Result {
    std::uint64_t document = 0;
    std::size_t chains = 0;
    std::vector<std::string> shown;
};

Result Import(unsigned seed, bool small) {
    ScriptedSession s;
    CQuenkApp app;
    app.m_colourPen.assign(256, 1);
    app.m_bLoadRemainingBlocks = 1;
    CQuenkDoc doc(app);
    EXPECT_TRUE(ImportCadDrawing(doc, RandomDrawing(seed, small)));
    Result r{DocumentFingerprint(doc), 0, s.ui.shown};
    for (auto& l : doc.m_layers)
        for (auto& p : l->m_pens) r.chains += p->m_chains.size();
    return r;
}
}  // namespace

TEST(CadThreadedPoints, SameAsMadeOnTheWalk) {
    for (int round = 0; round < Rounds(2); ++round) {
        const auto seed = static_cast<unsigned>(round + 1);
        const Result threaded = Import(seed, false), walked = Import(seed, true);
        EXPECT_GT(threaded.chains, 10000u) << seed;
        EXPECT_EQ(threaded.chains, walked.chains) << seed;
        EXPECT_EQ(threaded.document, walked.document) << seed;
        EXPECT_EQ(threaded.shown, walked.shown) << seed;
    }
}
