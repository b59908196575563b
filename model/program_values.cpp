#include "model/program_values.h"

#include <cstdint>

#include "model/quenk_app.h"

namespace {
struct ScalarRange {
    const char* field;
    double CQuenkApp::*member;
    ValueRange range;
};

// The material dialog's ranges and the settings dialog's plotter unit. The two Z values
// of the material have no range in their dialog; they get the one of the other lengths,
// so that every Z stays a number of a few digits.
const ScalarRange kScalars[] = {
    {"Materialdicke", &CQuenkApp::m_materialThickness, {0.0, kLongestLength, "0", "100000"}},
    {"Sicherheitsabstand", &CQuenkApp::m_safetyDistance, {0.0, kLongestLength, "0", "100000"}},
    {"Maximale Frästiefe", &CQuenkApp::m_maxPassDepth, {0.0, kLongestLength, "0", "100000"}},
    {"Materialdicke + zusätzlich", &CQuenkApp::m_extraDepth, {0.0, 5.0, "0", "5"}},
    {"Materialoberkante ist bei", &CQuenkApp::m_zTop, {-kLongestLength, kLongestLength, "-100000", "100000"}},
    {"Materialunterkante ist bei", &CQuenkApp::m_zBottom, {-kLongestLength, kLongestLength, "-100000", "100000"}},
    {"Plottereinheit", &CQuenkApp::m_plotterUnit, kPlotterUnitRange},
};

struct ChoiceRange {
    const char* field;
    std::int32_t CQuenkApp::*member;
};

// Radio button pairs: 0 or 1.
const ChoiceRange kChoices[] = {
    {"Z am Material", &CQuenkApp::m_zReference},
    {"Die Frästiefe beträgt ( Z )", &CQuenkApp::m_depthMode},
};

// Per-tool values of tools 1..16 (the tool-data dialog checks none; the lengths' range
// keeps them to numbers a program can hold).
const ScalarRange kToolValues[] = {
    {"Tiefe", nullptr, {-kLongestLength, kLongestLength, "-100000", "100000"}},
    {"Geschwindigkeit XY", nullptr, {0.0, kLongestLength, "0", "100000"}},
};
std::vector<double> CQuenkApp::*const kToolTables[] = {&CQuenkApp::m_toolDepth, &CQuenkApp::m_toolFeedXY};

std::string ToolField(const char* field, std::size_t tool) { return std::string(field) + " Werkzeug " + std::to_string(tool); }

}  // namespace

std::string ProgramValueComplaint(const CQuenkApp& app) {
    for (const ScalarRange& r : kScalars)
        if (!InRange(app.*r.member, r.range)) return RangeComplaint(r.field, &r.range);
    for (const ChoiceRange& c : kChoices)
        if (app.*c.member != 0 && app.*c.member != 1) return RangeComplaint(c.field, &kChoiceRange);
    for (std::size_t k = 0; k < std::size(kToolValues); ++k) {
        const std::vector<double>& table = app.*kToolTables[k];
        for (std::size_t t = std::size_t{kFirstTool}; t <= std::size_t{kLastTool} && t < table.size(); ++t)
            if (!InRange(table[t], kToolValues[k].range))
                return RangeComplaint(ToolField(kToolValues[k].field, t), &kToolValues[k].range);
    }
    return {};
}

void RepairProgramValues(CQuenkApp& app, const CQuenkApp& defaults, std::vector<std::string>& repaired) {
    for (const ScalarRange& r : kScalars) {
        if (InRange(app.*r.member, r.range)) continue;
        app.*r.member = defaults.*r.member;
        repaired.emplace_back(r.field);
    }
    for (const ChoiceRange& c : kChoices) {
        if (app.*c.member == 0 || app.*c.member == 1) continue;
        app.*c.member = defaults.*c.member;
        repaired.emplace_back(c.field);
    }
    for (std::size_t k = 0; k < std::size(kToolValues); ++k) {
        std::vector<double>& table = app.*kToolTables[k];
        const std::vector<double>& fallback = defaults.*kToolTables[k];
        for (std::size_t t = std::size_t{kFirstTool}; t <= std::size_t{kLastTool} && t < table.size(); ++t) {
            if (InRange(table[t], kToolValues[k].range)) continue;
            table[t] = t < fallback.size() ? fallback[t] : 0.0;
            repaired.push_back(ToolField(kToolValues[k].field, t));
        }
    }
}
