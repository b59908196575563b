// quenk-cli steps of the plotter-file exports, the milling order and the tabs and corners.
// The milling order runs through the mouse export, as clicks on the chains named.

#include <charconv>
#include <cmath>

#include "cli/cli_interaction.h"
#include "cli/steps.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "output/hpgl_export.h"
#include "output/milling_order.h"
#include "output/order_auto.h"
#include "output/mouse_export.h"
#include "toolpath/pick.h"

namespace {

bool ParseIndex(const std::string& s, int& v) {
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && !s.empty();
}

bool ParseNumber(const std::string& s, double& v, std::string& error) {
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec == std::errc() && r.ptr == s.data() + s.size() && !s.empty() && std::isfinite(v)) return true;
    error = "not a number: " + s;
    return false;
}

}  // namespace

CVector* FindChain(CQuenkDoc& doc, const std::string& where, std::string& error) {
    const auto c1 = where.find(':');
    const auto c2 = c1 == std::string::npos ? c1 : where.find(':', c1 + 1);
    int layer = 0, pen = 0, chain = 0;
    if (c2 == std::string::npos || !ParseIndex(where.substr(0, c1), layer) ||
        !ParseIndex(where.substr(c1 + 1, c2 - c1 - 1), pen) || !ParseIndex(where.substr(c2 + 1), chain)) {
        error = "expected LAYER:PEN:CHAIN, got " + where;
        return nullptr;
    }
    if (layer < 0 || static_cast<std::size_t>(layer) >= doc.m_layers.size()) {
        error = "no layer " + std::to_string(layer);
        return nullptr;
    }
    for (auto& s : doc.m_layers[static_cast<std::size_t>(layer)]->m_pens) {
        if (s->m_number != pen) continue;
        if (chain < 0 || static_cast<std::size_t>(chain) >= s->m_chains.size()) break;
        return s->m_chains[static_cast<std::size_t>(chain)].get();
    }
    error = "no chain " + where;
    return nullptr;
}

namespace {

// The chains of the addresses from `first` on, or every corrected chain in drawing order for
// the single word "all".
bool ChainsToClick(CQuenkDoc& doc, const std::vector<std::string>& a, std::size_t first,
                   std::vector<CVector*>& chains, std::string& error) {
    if (a.size() == first + 1 && a[first] == "all") {
        chains = CorrectedChains(doc);
        return true;
    }
    for (std::size_t i = first; i < a.size(); ++i) {
        CVector* chain = FindChain(doc, a[i], error);
        if (!chain) return false;
        chains.push_back(chain);
    }
    return true;
}

// "all" passes over what cannot be milled; a named chain that the program would ignore is a
// refused step.
bool Order(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    if (a.size() == 1 && a[0] == "all") {
        OrderAll(c.app, c.doc);
        return true;
    }
    if (a.size() == 1 && a[0] == "auto") {
        OrderAuto(c.app, c.doc);
        return true;
    }
    std::vector<CVector*> chains;
    if (!ChainsToClick(c.doc, a, 0, chains, error)) return false;
    const std::size_t taken = OrderChains(c.app, c.doc, chains);
    if (taken == chains.size()) return true;
    error = "chain " + a[taken] + " has no corrected path left to mill or no tool 1..16";
    return false;
}

bool OrderPlt(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    std::vector<CVector*> chains;
    if (!ChainsToClick(c.doc, a, 1, chains, error)) return false;
    CMouseExport exporter(c.app, c.doc);
    c.ui.SetNextFile(a[0]);
    if (!exporter.Start()) {
        error = "the mouse export did not start on " + a[0];
        return false;
    }
    exporter.ClickAll(chains);
    exporter.FinishMouseExport();
    return true;
}

bool ExportPlt(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    c.ui.SetNextFile(a[0]);
    if (OnExportHpgl(c.doc)) return true;
    error = "no file written to " + a[0];
    return false;
}

bool ExportRk(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    c.ui.SetNextFile(a[0]);
    if (OnExportCorrectionHpgl(c.doc)) return true;
    error = "no file written to " + a[0];
    return false;
}

// A click at X Y millimetres, with the view's pick tolerance, in drawing units.
bool ClickPoint(CliContext& c, const std::vector<std::string>& a, CPunkt& x, double& tol, std::string& error) {
    if (!ParseNumber(a[0], x.x, error) || !ParseNumber(a[1], x.y, error)) return false;
    x = {x.x / c.app.m_plotterUnit, x.y / c.app.m_plotterUnit};
    tol = c.pickTolerance * c.app.m_viewScale;
    return true;
}

bool Tab(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    CPunkt x;
    double tol = 0;
    if (!ClickPoint(c, a, x, tol, error)) return false;
    // The dialog opens with the setting; a LENGTH is what the user enters there.
    TabSettings tabs{c.app.m_tabSize, 0};
    if (a.size() > 2 && !ParseNumber(a[2], tabs.length, error)) return false;
    ApplyTabDialog(c.app, tabs, tabs);
    if (TabClick(c.doc, tabs, x, tol)) return true;
    error = "no tab at " + a[0] + " " + a[1];
    return false;
}

bool Drill(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    CPunkt x;
    double tol = 0;
    if (!ClickPoint(c, a, x, tol, error)) return false;
    c.app.m_nMouseMode = kMouseModeCornerDrill;
    if (CornerDrillClick(c.doc, x, tol)) return true;
    error = "no corner drill at " + a[0] + " " + a[1];
    return false;
}

bool Corner(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    CPunkt x;
    double tol = 0;
    if (!ClickPoint(c, a, x, tol, error)) return false;
    c.app.m_nMouseMode = kMouseModeCornerVector;
    if (CornerVectorClick(c.doc, x, tol)) return true;
    error = "no corner vector at " + a[0] + " " + a[1];
    return false;
}

}  // namespace

const std::vector<StepSpec>& ExportSteps() {
    static const std::vector<StepSpec> steps = {
        {"order", 1, -1,
         "order all | order auto | order LAYER:PEN:CHAIN...  take corrected chains into the milling list, as "
         "clicks of the mouse export without a plotter file (all: every corrected chain in drawing order; auto: "
         "\"Reihenfolge automatisch\")",
         Order},
        {"order-plt", 1, -1,
         "order-plt PATH LAYER:PEN:CHAIN...  \"RK Export mit Mouse\": click the chains in this order, "
         "writing their corrected paths to PATH and fixing the milling order",
         OrderPlt},
        {"export-plt", 1, 1, "export-plt PATH  \"Export ( *.plt )\": every chain as a plotter file", ExportPlt},
        {"export-rk", 1, 1, "export-rk PATH   \"Export Radiuskorrektur ( *.plt )\": every corrected path", ExportRk},
        {"tab", 2, 3, "tab X Y [LENGTH] \"Stege einfügen\": a tab of LENGTH mm (default m_tabSize) at X Y mm", Tab},
        {"drill", 2, 2, "drill X Y        \"Bohrung in Ecke setzen\": a corner drill at the chain point at X Y mm",
         Drill},
        {"corner", 2, 2, "corner X Y       \"In die Ecke fräsen\": a corner vector at the path point at X Y mm",
         Corner},
    };
    return steps;
}
