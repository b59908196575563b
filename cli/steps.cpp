#include "cli/steps.h"

#include <filesystem>

#include "cli/cli_interaction.h"
#include "cli/dump.h"
#include "cli/texts.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "model/tool_rule.h"
#include "import/import_command.h"
#include "prepare/join.h"
#include "toolpath/correction_command.h"

#include <charconv>

namespace {

bool Import(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(a[0], ec)) {
        error = "cannot read " + a[0];
        return false;
    }
    if (ImportFile(c.doc, a[0])) return true;
    error = "the import refused " + a[0];
    return false;
}

// The enable rule of the drawing commands: their menu items are disabled until something
// was imported.
bool DrawingPresent(const CliContext& c, const char* command, std::string& error) {
    if (!c.doc.m_nothingImported) return true;
    error = std::string("\"") + command + "\" is disabled: nothing has been imported";
    return false;
}

bool Join(CliContext& c, const std::vector<std::string>&, std::string& error) {
    if (!DrawingPresent(c, cli_texts::kJoinCommand, error)) return false;
    JoinChains(c.doc);
    return true;
}

bool TurnClockwise(CliContext& c, const std::vector<std::string>&, std::string& error) {
    if (!DrawingPresent(c, cli_texts::kClockwiseCommand, error)) return false;
    c.doc.TurnAll(1);
    return true;
}

bool TurnCounterClockwise(CliContext& c, const std::vector<std::string>&, std::string& error) {
    if (!DrawingPresent(c, cli_texts::kCounterClockwiseCommand, error)) return false;
    c.doc.TurnAll(0);
    return true;
}

// "Radiuskorrektur" with the tool source MODE (0 tool = pen, 1..16 one tool, 17 per pen), or
// the one in the settings; the clean-up option is the setting m_cleanContourSetting.
bool Correct(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    if (!DrawingPresent(c, cli_texts::kCorrectionCommand, error)) return false;
    RadiusCorrectionOptions options = CorrectionOptionsFromSettings(c.app);
    if (!a.empty()) {
        const auto r = std::from_chars(a[0].data(), a[0].data() + a[0].size(), options.toolMode);
        if (r.ec != std::errc() || r.ptr != a[0].data() + a[0].size()) {
            error = "MODE must be a whole number, got " + a[0];
            return false;
        }
    }
    error = options.Validate();
    if (!error.empty()) return false;
    RunRadiusCorrection(c.doc, options);
    return true;
}

bool Dump(CliContext& c, const std::vector<std::string>&, std::string&) {
    DumpJson(c.out, c.doc, c.app);
    return true;
}

}  // namespace

const std::vector<StepSpec>& DrawingSteps() {
    static const std::vector<StepSpec> steps = {
        {"import", 1, 1, "import PATH      read a drawing (HPGL, DXF or DWG; by extension)", Import},
        {"join", 0, 0, "join             \"Zusammenfügen\": join chains within the joining distance", Join},
        {"cw", 0, 0, "cw               turn all closed chains clockwise", TurnClockwise},
        {"ccw", 0, 0, "ccw              turn all closed chains counter-clockwise", TurnCounterClockwise},
        {"correct", 0, 1,
         "correct [MODE]   \"Radiuskorrektur\": MODE 0 tool = pen number, 1..16 that tool, 17 per-pen tools "
         "and functions (default: the setting m_rkToolMode)",
         Correct},
        {"dump", 0, 0, "dump             write the document and the application state as JSON", Dump},
    };
    return steps;
}

const std::vector<StepSpec>& Steps() {
    static const std::vector<StepSpec> all = [] {
        std::vector<StepSpec> v = DrawingSteps();
        for (const StepSpec& s : JobSteps()) v.push_back(s);
        for (const StepSpec& s : ExportSteps()) v.push_back(s);
        for (const StepSpec& s : HandoffSteps()) v.push_back(s);
        for (const StepSpec& s : ShapeSteps()) v.push_back(s);
        for (const StepSpec& s : ReportSteps()) v.push_back(s);
        for (const StepSpec& s : SendSteps()) v.push_back(s);
        return v;
    }();
    return all;
}

const StepSpec* FindStep(const std::string& name) {
    for (const StepSpec& s : Steps())
        if (name == s.name) return &s;
    return nullptr;
}
