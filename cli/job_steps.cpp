// quenk-cli steps of the milling job: the milling order, the G-code program and the job file.

#include <charconv>

#include "cli/cli_interaction.h"
#include "cli/steps.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "output/gcode.h"
#include "toolpath/job_file.h"
#include "toolpath/milling_job.h"

namespace {

bool ParseIndex(const std::string& s, int& v) {
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && !s.empty();
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

bool Order(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    if (a.size() == 1 && a[0] == "all") {
        for (auto& layer : c.doc.m_layers)
            for (auto& pen : layer->m_pens)
                for (auto& chain : pen->m_chains)
                    if (!chain->m_empty && chain->m_hasCorrection) AddContourFromChain(c.app, *chain);
        return true;
    }
    std::vector<CVector*> chains;
    for (const std::string& where : a) {
        CVector* chain = FindChain(c.doc, where, error);
        if (!chain) return false;
        chains.push_back(chain);
    }
    for (CVector* chain : chains) AddContourFromChain(c.app, *chain);
    return true;
}

bool GCode(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    c.ui.SetNextFile(a[0]);
    if (OnGCode(c.app)) return true;
    error = "no program written to " + a[0];
    return false;
}

bool GCodeWinPc(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    // As the machine hand-off does: the file beside the control program is simply replaced.
    c.app.m_skipOverwriteQuestion = 1;
    if (WriteGCode(c.app, a[0])) return true;
    error = "no program written to " + a[0];
    return false;
}

bool SaveJobStep(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    if (!SaveJob(c.app, a[0])) {
        error = "cannot write " + a[0];
        return false;
    }
    return true;
}

}  // namespace

const std::vector<StepSpec>& JobSteps() {
    static const std::vector<StepSpec> steps = {
        {"order", 1, -1,
         "order all | order LAYER:PEN:CHAIN...  take corrected chains into the milling list "
         "(all: every corrected chain in drawing order)",
         Order},
        {"gcode", 1, 1, "gcode PATH       \"G-CODE\": write the G-code program to PATH", GCode},
        {"gcode-winpc", 1, 1, "gcode-winpc PATH write the program as for WinPC-NC (full path name, feed lines)",
         GCodeWinPc},
        {"save-job", 1, 1, "save-job PATH    write the job file (.Quenk)", SaveJobStep},
    };
    return steps;
}
