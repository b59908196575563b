// The import report: its counts on hand-built plotter and CAD files, and its hashed doubles
// and gridded near ends against the plain all-pairs search on random drawings.

#include <algorithm>
#include <tuple>

#include "cad_fixture.h"
#include "hpgl_fixture.h"
#include "import/import_report.h"
#include "support/random_drawing.h"
#include "support/test_depth.h"

namespace {

struct HpglCase {
    const char *what, *text;
    std::int64_t chains, closed, doubles;
    std::size_t nearEnds;
};

// Joining distance 0.5 mm at 0.025 mm per unit: ends within 40 units are near. End-point
// joining makes a doubled stroke one chain there and back, which ends where it starts.
const HpglCase kHpglCases[] = {
    {"a stroke drawn twice the same way", "SP1;PU0,0;PD100,0,100,100;PU;PU0,0;PD100,0,100,100;PU;", 1, 1, 1, 0},
    {"a stroke drawn back again", "SP1;PU0,0;PD100,0,100,100;PU;PU100,100;PD100,0,0,0;PU;", 1, 1, 1, 0},
    {"same ends, another middle", "SP1;PU0,0;PD100,0,100,100;PU;PU0,0;PD0,100,100,100;PU;", 1, 1, 0, 0},
    {"a square drawn three times", "SP1;PU0,0;PD99,0,99,99,0,99,0,0;PU;PD99,0,99,99,0,99,0,0;PU;"
                                   "PD99,0,99,99,0,99,0,0;PU;", 3, 3, 2, 0},
    {"a gap of twice the joining distance", "SP1;PU0,0;PD100,0;PU140,0;PD240,0;PU;", 2, 0, 0, 2},
    {"a gap one unit wider", "SP1;PU0,0;PD100,0;PU141,0;PD241,0;PU;", 2, 0, 0, 0},
    {"the same gap between two pens", "SP1;PU0,0;PD100,0;SP2;PU110,0;PD200,0;PU;", 2, 0, 0, 0},
    {"a chain whose own ends nearly meet", "SP1;PU0,0;PD100,0,100,30,10,30;PU;", 1, 0, 0, 2},
    {"a short stroke is no gap to itself", "SP1;PU0,0;PD30,0;PU;", 1, 0, 0, 0},
};

void PrintTo(const HpglCase& c, std::ostream* os) { *os << c.what; }

class ImportReportHpgl : public HpglTest, public ::testing::WithParamInterface<HpglCase> {};

TEST_P(ImportReportHpgl, CountsWhatTheFileHolds) {
    const HpglCase& c = GetParam();
    app.m_joinDistance = 0.5;
    app.m_plotterUnit = 0.025;
    Import(c.text);
    const ImportReport& r = doc.m_importReport;
    EXPECT_EQ(std::tuple(r.imported, r.chains, r.closed, r.open, r.doubleStrokes, r.nearEnds.size()),
              std::tuple(true, c.chains, c.closed, c.chains - c.closed, c.doubles, c.nearEnds))
        << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportReportHpgl, ::testing::ValuesIn(kHpglCases));

TEST_F(HpglTest, ReportCountsUnknownCommandsAlsoWhenTheyAreNotShown) {
    doc.m_showUnknown = 0;
    Import("IN;LT;DT1;SP1;PD10,10;LT2;B");
    const std::map<std::string, std::int64_t, std::less<>> expected{{"B", 1}, {"DT", 1}, {"LT", 2}};
    EXPECT_EQ(doc.m_importReport.unknownHpgl, expected);
    for (const std::string& m : s.ui.shown) EXPECT_EQ(m.find("Unbekannter"), std::string::npos) << m;
}

TEST_F(CadTest, ReportCountsSkippedEntitiesByKind) {
    app.m_showUnknownCommands = 0;
    Import(DxfText("0\nLINE\n8\n0\n62\n1\n10\n0\n20\n0\n11\n10\n21\n0\n"
                   "0\nSPLINE\n8\n0\n62\n1\n"
                   "0\nTEXT\n8\n0\n62\n1\n10\n0\n20\n0\n1\nHallo\n"
                   "0\nSPLINE\n8\n0\n62\n1\n"));
    const std::map<std::string, std::int64_t, std::less<>> expected{{"SPLine", 2}, {"Text", 1}};
    EXPECT_EQ(doc.m_importReport.skippedCad, expected);
    EXPECT_EQ(doc.m_importReport.chains, 1);
}

// The plain versions: every pair.
std::int64_t PlainDoubles(const CStift& pen) {
    std::int64_t n = 0;
    const auto& c = pen.m_chains;
    for (std::size_t i = 0; i < c.size(); ++i) {
        const auto& p = c[i]->m_points.Raw();
        n += p.size() >= 2 && std::any_of(c.begin(), c.begin() + static_cast<std::ptrdiff_t>(i), [&](const auto& o) {
                 const auto& q = o->m_points.Raw();
                 return q.size() == p.size() &&
                        (std::equal(p.begin(), p.end(), q.begin()) || std::equal(p.begin(), p.end(), q.rbegin()));
             });
    }
    return n;
}

std::size_t PlainNearEnds(const CStift& pen, double near) {
    std::vector<std::pair<const CVector*, CPunkt>> ends;
    for (const auto& c : pen.m_chains)
        if (!c->m_empty && !c->m_closed && c->PointCount() >= 2) {
            ends.push_back({c.get(), {1.0 * c->m_startX, 1.0 * c->m_startY}});
            ends.push_back({c.get(), {1.0 * c->m_endX, 1.0 * c->m_endY}});
        }
    std::size_t n = 0;
    for (std::size_t i = 0; i < ends.size(); ++i)
        n += std::any_of(ends.begin(), ends.end(), [&](const auto& o) {
            const auto& [chain, p] = ends[i];
            const bool other = o.first != chain || chain->PointCount() >= 3;
            const double dx = o.second.x - p.x, dy = o.second.y - p.y;
            return &o != &ends[i] && other && std::sqrt(dx * dx + dy * dy) <= near;
        });
    return n;
}

TEST(ImportReportRandom, HashingAndGridFindWhatEveryPairFinds) {
    for (int round = 0; round < Rounds(300); ++round) {
        Dice dice(static_cast<unsigned>(round));
        CStift pen(1);
        random_drawing_detail::AddScatteredPen(pen, dice, 40);
        // Copies of some strokes, some of them turned round.
        for (std::size_t k = 0, n = pen.m_chains.size(); k < n; ++k) {
            if (dice(0, 3) != 0) continue;
            std::vector<CPunkt> p = pen.m_chains[k]->m_points.Raw();
            if (dice(0, 1)) std::reverse(p.begin(), p.end());
            random_drawing_detail::AddStroke(pen, dice, p);
        }
        EXPECT_EQ(CountDoubleStrokes(pen.m_chains), PlainDoubles(pen)) << "round " << round;
        CLayer layer;
        layer.m_pens.push_back(std::make_unique<CStift>(1));
        layer.m_pens[0]->m_chains = std::move(pen.m_chains);
        for (const double near : {0.0, 0.7, 1.0, 2.5, 7.0, 100.0}) {
            ImportReport r;
            CountChainsAndEnds(r, layer, near);
            EXPECT_EQ(r.nearEnds.size(), PlainNearEnds(*layer.m_pens[0], near)) << "round " << round << " near " << near;
        }
    }
}

}  // namespace
