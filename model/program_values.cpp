#include "model/program_values.h"

#include <cstdint>

#include "model/quenk_app.h"
#include "model/value_range.h"

namespace {
// Lengths in millimetres the material dialog accepts.
constexpr double kLongestLength = 100000.0;

struct ScalarRange {
    const char* field;
    double CQuenkApp::*member;
    double min, max;
    const char* minText;
    const char* maxText;
};

// The material dialog's ranges and the settings dialog's plotter unit. The two Z values
// of the material have no range in their dialog; they get the one of the other lengths,
// so that every Z stays a number of a few digits.
const ScalarRange kScalars[] = {
    {"Materialdicke", &CQuenkApp::m_materialThickness, 0.0, kLongestLength, "0", "100000"},
    {"Sicherheitsabstand", &CQuenkApp::m_safetyDistance, 0.0, kLongestLength, "0", "100000"},
    {"Maximale Frästiefe", &CQuenkApp::m_maxPassDepth, 0.0, kLongestLength, "0", "100000"},
    {"Materialdicke + zusätzlich", &CQuenkApp::m_extraDepth, 0.0, 5.0, "0", "5"},
    {"Materialoberkante ist bei", &CQuenkApp::m_zTop, -kLongestLength, kLongestLength, "-100000", "100000"},
    {"Materialunterkante ist bei", &CQuenkApp::m_zBottom, -kLongestLength, kLongestLength, "-100000", "100000"},
    {"Plottereinheit", &CQuenkApp::m_plotterUnit, 0.02, 0.03, "0.02", "0.03"},
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
    {"Tiefe", nullptr, -kLongestLength, kLongestLength, "-100000", "100000"},
    {"Geschwindigkeit XY", nullptr, 0.0, kLongestLength, "0", "100000"},
};
std::vector<double> CQuenkApp::*const kToolTables[] = {&CQuenkApp::m_toolDepth, &CQuenkApp::m_toolFeedXY};

// Also false for NaN.
bool Inside(double v, double min, double max) { return v >= min && v <= max; }

std::string Complaint(const std::string& field, const char* minText, const char* maxText) {
    return RangeComplaint(field, {0.0, 0.0, minText, maxText});
}

std::string ToolField(const char* field, std::size_t tool) { return std::string(field) + " Werkzeug " + std::to_string(tool); }

}  // namespace

std::string RangeComplaint(const std::string& field, const ValueRange& r) {
    return texts::kValueOutOfRange + field + texts::kValueRangeOpen + r.minText + texts::kValueRangeJoin + r.maxText +
           texts::kValueRangeClose;
}

std::string CheckRange(double v, const std::string& field, const ValueRange& r) {
    return InRange(v, r) ? std::string() : RangeComplaint(field, r);
}

std::string ProgramValueComplaint(const CQuenkApp& app) {
    for (const ScalarRange& r : kScalars)
        if (!Inside(app.*r.member, r.min, r.max)) return Complaint(r.field, r.minText, r.maxText);
    for (const ChoiceRange& c : kChoices)
        if (app.*c.member != 0 && app.*c.member != 1) return Complaint(c.field, "0", "1");
    for (std::size_t k = 0; k < std::size(kToolValues); ++k) {
        const std::vector<double>& table = app.*kToolTables[k];
        for (std::size_t t = std::size_t{kFirstTool}; t <= std::size_t{kLastTool} && t < table.size(); ++t)
            if (!Inside(table[t], kToolValues[k].min, kToolValues[k].max))
                return Complaint(ToolField(kToolValues[k].field, t), kToolValues[k].minText, kToolValues[k].maxText);
    }
    return {};
}

void RepairProgramValues(CQuenkApp& app, const CQuenkApp& defaults, std::vector<std::string>& repaired) {
    for (const ScalarRange& r : kScalars) {
        if (Inside(app.*r.member, r.min, r.max)) continue;
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
            if (Inside(table[t], kToolValues[k].min, kToolValues[k].max)) continue;
            table[t] = t < fallback.size() ? fallback[t] : 0.0;
            repaired.push_back(ToolField(kToolValues[k].field, t));
        }
    }
}
