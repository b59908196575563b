#include "output/order_auto.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>

#include "cli/cli_run.h"
#include "model/fraes_kontur.h"
#include "model/quenk_app.h"
#include "output/milling_order.h"
#include "output/mouse_export.h"
#include "support/drawing_builder.h"
#include "support/part_sheet.h"
#include "support/scripted_interaction.h"

namespace {

// A rectangle x0..x1, y0..y1 starting at its lower left corner; open leaves out its closing
// side. Its corrected path is its outline.
struct Shape {
    const char* name;
    double x0, y0, x1, y1;
    int tool = 1;
    bool open = false;
};

struct OrderCase {
    const char* what;
    std::vector<Shape> shapes;  // in drawing order
    const char* expected;       // names in milling order
};

std::string MillingOrderOf(const OrderCase& c) {
    ScriptedSession s;
    CQuenkApp app;
    app.m_toolColours.assign(17, 0);
    CQuenkDoc doc(app);
    std::map<const CVector*, std::string> names;
    for (const Shape& sh : c.shapes) {
        CVector& v = AddTestChain(doc, 1, {{sh.x0, sh.y0}, {sh.x1, sh.y0}, {sh.x1, sh.y1}, {sh.x0, sh.y1}});
        if (!sh.open) v.AddPoint({sh.x0, sh.y0});
        v.Recompute();
        v.m_tool = sh.tool;
        v.m_hasCorrection = 1;
        v.AddRadius()->m_path = v.m_points;
        names[&v] = sh.name;
    }
    OrderAuto(app, doc);
    std::string order;
    for (const auto& k : app.m_millingList)
        for (const auto& [chain, name] : names)
            if (chain->m_points.Raw() == k->m_points.Raw()) order += (order.empty() ? "" : " ") + name;
    return order;
}

TEST(OrderAuto, RulesBeforeTravel) {
    const OrderCase cases[] = {
        {"nested islands: a part in a hole of a part, innermost first at every level",
         {{"o1", 0, 0, 100, 100}, {"h1", 10, 10, 90, 90}, {"o2", 20, 20, 80, 80}, {"h2", 30, 30, 70, 70}},
         "h2 o2 h1 o1"},
        {"a hole touching its outline from inside", {{"o", 0, 0, 100, 100}, {"h", 0, 10, 50, 40}}, "h o"},
        {"overlapping contours hold nothing: the nearer first",
         {{"b", 40, 40, 100, 100}, {"a", 0, 0, 60, 60}}, "a b"},
        {"open chains first, also the one lying inside a contour",
         {{"o", 0, 0, 100, 100}, {"e", 20, 20, 40, 40, 1, true}, {"far", 500, 500, 600, 600, 1, true}},
         "e far o"},
        {"tools ascending, each changed once",
         {{"t3", 0, 0, 10, 10, 3}, {"t1", 900, 900, 910, 910, 1}, {"t2", 5, 5, 6, 6, 2}, {"t1b", 20, 0, 30, 10, 1}},
         "t1b t1 t2 t3"},
        {"a hole of tool 2 in a part of tool 1: the hole's tool first",
         {{"o", 0, 0, 100, 100, 1}, {"h", 10, 10, 20, 20, 2}, {"f", 200, 0, 300, 100, 1}}, "h o f"},
        {"tools taking turns where each waits for the other",
         {{"o1", 0, 0, 100, 100, 2}, {"h1", 10, 10, 90, 90, 1}, {"o2", 20, 20, 80, 80, 2}, {"h2", 30, 30, 70, 70, 1}},
         "h2 o2 h1 o1"},
        {"nearest neighbour from the zero point",
         {{"c", 300, 0, 310, 10}, {"a", 0, 0, 10, 10}, {"b", 150, 0, 160, 10}}, "a b c"},
    };
    for (const OrderCase& c : cases) EXPECT_EQ(MillingOrderOf(c), c.expected) << c.what;
}

// The plain version of the containment: every pair tested.
Containment AllPairs(const OrderInput& in) {
    Containment c;
    const auto n = static_cast<std::uint32_t>(in.items.size());
    for (std::uint32_t i = 0; i < n; ++i) c.area.push_back(OutlineArea(in, i));
    c.outerFirst.push_back(0);
    for (std::uint32_t b = 0; b < n; ++b) {
        for (std::uint32_t a = 0; a < n; ++a)
            if (LiesInside(in, b, c.area[b], a, c.area[a])) c.outer.push_back(a);
        c.outerFirst.push_back(static_cast<std::uint32_t>(c.outer.size()));
    }
    return c;
}

TEST(OrderAuto, GridFindsWhatAllPairsFind) {
    for (unsigned seed = 0; seed < 60; ++seed) {
        ScriptedSession s;
        CQuenkApp app;
        app.m_toolColours.assign(17, 0);
        CQuenkDoc doc(app);
        Dice dice(seed);
        AddRandomLayers(doc, dice, seed % 10 == 0);
        AddPartSheet(doc, dice, {dice(1, 12), 0, 4, 2, 30, 30, false});
        for (CVector* v : CorrectedChains(doc))
            if (v->m_radiusList.empty() || v->m_radiusList[0]->m_path.IsEmpty()) v->AddRadius()->m_path = v->m_points;
        std::vector<CVector*> chains;
        const OrderInput in = AutoOrderInput(app, doc, chains);
        Containment grid = FindContainment(in);
        const Containment plain = AllPairs(in);
        EXPECT_TRUE(KeepsContainment(grid, PlanOrder(in))) << "seed " << seed;
        ASSERT_EQ(grid.outerFirst, plain.outerFirst) << "seed " << seed;
        for (std::size_t b = 0; b + 1 < grid.outerFirst.size(); ++b)  // the grid finds each item's outers in any order
            std::sort(grid.outer.begin() + grid.outerFirst[b], grid.outer.begin() + grid.outerFirst[b + 1]);
        EXPECT_EQ(grid.outer, plain.outer) << "seed " << seed;
    }
}

// Over random sheets: nothing inside a contour is milled after it, every chain is milled,
// and where the drawing order keeps the rules (one tool, inner contours listed first) the
// automatic order never travels further.
TEST(OrderAuto, RandomSheetsKeepContainmentAndNeverTravelFurther) {
    for (unsigned seed = 0; seed < 100; ++seed) {
        ScriptedSession s;
        Dice dice(seed);
        SheetOptions o{dice(1, 40), 0, 3, dice(1, 3), 40, dice(0, 1) * 30, dice(0, 1) == 1};
        const bool comparable = o.tools == 1 && o.innerFirst;
        CQuenkApp app;
        app.m_toolColours.assign(17, 0);
        CQuenkDoc doc(app);
        const std::vector<SheetPair> pairs = AddPartSheet(doc, dice, o);
        const std::size_t chains = CorrectedChains(doc).size();
        ASSERT_EQ(OrderAuto(app, doc), chains);
        // A rectangle is known by two opposite corners.
        auto key = [](const CPointArray& p) { return std::tuple(p[0].x, p[0].y, p[2].x, p[2].y); };
        std::map<std::tuple<double, double, double, double>, std::size_t> position;
        for (std::size_t k = 0; k < app.m_millingList.size(); ++k) position[key(app.m_millingList[k]->m_points)] = k;
        for (const SheetPair& p : pairs)
            EXPECT_LT(position.at(key(p.inner->m_points)), position.at(key(p.outer->m_points))) << "seed " << seed;
        if (!comparable) continue;
        const double automatic = MillingTravel(app);
        app.m_millingList.clear();
        OrderAll(app, doc);
        EXPECT_LE(automatic, MillingTravel(app) + 1e-6) << "seed " << seed;
    }
}

TEST(OrderAuto, ClicksGoOnAfterTheAutomaticOrder) {
    ScriptedSession s;
    CQuenkApp app;
    app.m_toolColours.assign(17, 0);
    CQuenkDoc doc(app);
    Dice dice(7);
    AddPartSheet(doc, dice, {3, 1, 1});
    CMouseExport ex(app, doc);
    ex.StartWithoutFile();
    CVector& first = *CorrectedChains(doc)[0];
    ASSERT_TRUE(ex.Click(first));
    // The machine goes on from the contour clicked by hand; that one is not taken again.
    EXPECT_EQ(ClickInAutoOrder(ex, app, doc), 5u);
    ASSERT_EQ(app.m_millingList.size(), 6u);
    const CPointArray last = app.m_millingList.back()->m_points;
    ex.StepBackExport();
    EXPECT_EQ(app.m_millingList.size(), 5u);
    EXPECT_EQ(ClickInAutoOrder(ex, app, doc), 1u);
    EXPECT_EQ(app.m_millingList.back()->m_points.Raw(), last.Raw());
}

// The sample sign through quenk-cli, its frame (pen 3) milled with tool 1 and the letters
// inside it (pen 1) with tool 3: containment puts tool 3 first though its number is higher,
// and each tool is taken up once.
TEST(OrderAuto, TheCommandLineMillsTheLettersBeforeTheirFrame) {
    TempDir dir;
    const CliResult r = RunCli(dir, "--tool 1:3 --tool 3:2 --pen-tool 1:3:1 --pen-tool 2:0:0 --pen-tool 3:1:2 "
                                    "--set m_materialThickness=5 import '" QUENK_SOURCE_DIR
                                    "/samples/schild.plt' correct 17 order auto gcode-winpc out.nc");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string program = ReadFile(dir.File("out.nc"));
    const auto t1 = program.find("T1M6"), t3 = program.find("T3M6");
    ASSERT_NE(t1, std::string::npos);
    EXPECT_LT(t3, t1);
    EXPECT_EQ(program.find("T1M6", t1 + 1), std::string::npos);
    EXPECT_EQ(program.find("T3M6", t3 + 1), std::string::npos);
}

}  // namespace
