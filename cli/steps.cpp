#include "cli/steps.h"

#include <filesystem>

#include "cli/cli_interaction.h"
#include "cli/dump.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "import/import_command.h"
#include "prepare/join.h"

namespace {

bool Import(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(a[0], ec)) {
        error = "cannot read " + a[0];
        return false;
    }
    ImportFile(c.doc, a[0]);
    return true;
}

bool Join(CliContext& c, const std::vector<std::string>&, std::string&) {
    JoinChains(c.doc);
    return true;
}

bool TurnClockwise(CliContext& c, const std::vector<std::string>&, std::string&) {
    c.doc.TurnAll(1);
    return true;
}

bool TurnCounterClockwise(CliContext& c, const std::vector<std::string>&, std::string&) {
    c.doc.TurnAll(0);
    return true;
}

bool Dump(CliContext& c, const std::vector<std::string>&, std::string&) {
    DumpJson(c.out, c.doc, c.app);
    return true;
}

}  // namespace

const std::vector<StepSpec>& DrawingSteps() {
    static const std::vector<StepSpec> steps = {
        {"import", 1, 1, "import PATH      read a drawing (HPGL; by extension)", Import},
        {"join", 0, 0, "join             \"Zusammenfügen\": join chains within the joining distance", Join},
        {"cw", 0, 0, "cw               turn all closed chains clockwise", TurnClockwise},
        {"ccw", 0, 0, "ccw              turn all closed chains counter-clockwise", TurnCounterClockwise},
        {"dump", 0, 0, "dump             write the document and the application state as JSON", Dump},
    };
    return steps;
}

const std::vector<StepSpec>& Steps() {
    static const std::vector<StepSpec> all = [] {
        std::vector<StepSpec> v = DrawingSteps();
        for (const StepSpec& s : JobSteps()) v.push_back(s);
        return v;
    }();
    return all;
}

const StepSpec* FindStep(const std::string& name) {
    for (const StepSpec& s : Steps())
        if (name == s.name) return &s;
    return nullptr;
}
