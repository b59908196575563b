#include "output/controller_program.h"

#include <sstream>

#include "model/core_context.h"
#include "model/quenk_app.h"
#include "output/gcode.h"

std::optional<std::string> ControllerProgram(CQuenkApp& app) {
    ComputePathExtents(app);
    if (ThicknessMissing(app)) return std::nullopt;
    std::ostringstream program;
    GCodeResult result;
    {
        WaitCursor wait(Ui());
        // The sender speaks GRBL's protocol, so the program is written in GRBL's words, with
        // the feed words it needs.
        result = WriteProgram(app, program, GCodeVariant{app.m_drawingTitle, true, GCodeDialect::Grbl});
    }
    if (result != GCodeResult::Complete) return std::nullopt;
    return program.str();
}
