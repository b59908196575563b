// quenk-cli steps of the milling job: the G-code program and the job file.

#include "cli/cli_interaction.h"
#include "cli/steps.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "output/gcode.h"
#include "files/job_file.h"

namespace {

bool GCode(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    c.ui.SetNextFile(a[0]);
    if (OnGCode(c.app, c.dialect)) return true;
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
        {"gcode", 1, 1, "gcode PATH       \"G-CODE\": write the G-code program to PATH (in --dialect)", GCode},
        {"gcode-winpc", 1, 1, "gcode-winpc PATH write the program as for WinPC-NC (full path name, feed lines)",
         GCodeWinPc},
        {"save-job", 1, 1, "save-job PATH    write the job file (.Quenk)", SaveJobStep},
    };
    return steps;
}
