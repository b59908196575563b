// The two ways to a program file: the command "G-CODE" and the machine hand-off.

#include <fstream>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "files/atomic_file.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "output/gcode.h"

namespace {
// Writes the program beside path and puts it in place only when it is complete. True when
// the file was put in place.
bool RunToFile(CQuenkApp& app, const std::string& path, const GCodeVariant& variant) {
    AtomicFile file(path);
    if (!file.IsOpen()) return false;
    GCodeResult result;
    {
        WaitCursor wait(Ui());
        result = WriteProgram(app, file.Stream(), variant);
    }
    if (result == GCodeResult::StoppedDrop) {
        file.Abort();
        return false;
    }
    if (!file.Commit()) {
        Ui().Message(JoinText({texts::kGCodeWriteError, path}));
        return false;
    }
    return true;
}

}  // namespace

bool ThicknessMissing(const CQuenkApp& app) {
    if (app.m_depthMode == 0 && app.m_materialThickness == 0.0) {
        Ui().Message(texts::kMaterialThicknessZero);
        return true;
    }
    return false;
}

bool OnGCode(CQuenkApp& app, GCodeDialect dialect) {
    ComputePathExtents(app);
    if (ThicknessMissing(app)) return false;
    FileQuestion q;
    q.filter = texts::kGCodeFilter;
    q.defaultExtension = "nc";
    q.suggestedName = JoinText({"G", app.m_drawingTitle});
    const std::optional<std::string> path = Ui().AskSaveFile(q);
    if (!path) return false;
    if (!app.m_skipOverwriteQuestion && std::ifstream(*path).is_open() &&
        !Ui().AskYesNo(texts::kFileExistsReplace))
        return false;
    return RunToFile(app, *path, GCodeVariant{app.m_drawingTitle, false, dialect});
}

bool WriteGCode(CQuenkApp& app, const std::string& path) {
    ComputePathExtents(app);
    if (ThicknessMissing(app)) return false;
    app.m_skipOverwriteQuestion = 0;
    return RunToFile(app, path, GCodeVariant{path, true});
}
