// quenk-cli step "report": the import report of the last drawing import as JSON.

#include "cli/dump.h"
#include "cli/steps.h"
#include "model/document.h"

namespace {

void Counts(JsonWriter& j, const std::map<std::string, std::int64_t, std::less<>>& counts) {
    j.BeginObject();
    for (const auto& [name, count] : counts) j.Field(name, count);
    j.EndObject();
}

bool Report(CliContext& c, const std::vector<std::string>&, std::string&) {
    const ImportReport& r = c.doc.m_importReport;
    JsonWriter j(c.out);
    j.BeginObject();
    j.Field("imported", r.imported);
    j.Field("chains", r.chains);
    j.Field("closed", r.closed);
    j.Field("open", r.open);
    j.Field("doubleStrokes", r.doubleStrokes);
    j.Field("nearDistanceMm", r.nearDistanceMm);
    j.Field("nearOpenEnds", static_cast<std::int64_t>(r.nearEnds.size()));
    j.Key("nearOpenEndPoints");
    JsonPoints(j, r.nearEnds);
    j.Key("unknownHpglCommands");
    Counts(j, r.unknownHpgl);
    j.Key("skippedCadEntities");
    Counts(j, r.skippedCad);
    j.EndObject();
    c.out << '\n';
    return true;
}

}  // namespace

const std::vector<StepSpec>& ReportSteps() {
    static const std::vector<StepSpec> steps = {
        {"report", 0, 0, "report           write the import report of the last drawing import as JSON", Report},
    };
    return steps;
}
