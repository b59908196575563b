// The two ways to a program file: the command "G-CODE" and the machine hand-off.

#include <fstream>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "model/atomic_file.h"
#include "model/quenk_app.h"
#include "model/session.h"
#include "output/gcode.h"

namespace {
std::string Join(std::initializer_list<std::string_view> parts) {
    std::string s;
    for (std::string_view p : parts) s.append(p);
    return s;
}

// Writes the program beside path and puts it in place only when it is complete (or when
// the run stopped in a way that keeps what was written).
void RunToFile(CQuenkApp& app, const std::string& path, GCodeVariant variant) {
    AtomicFile file(path);
    if (!file.IsOpen()) return;
    GCodeResult result;
    {
        WaitCursor wait(Ui());
        result = CGCodeGenerator(app, file.Stream(), std::move(variant)).Run();
    }
    if (result == GCodeResult::StoppedDrop) {
        file.Abort();
        return;
    }
    if (!file.Commit()) Ui().Message(Join({texts::kGCodeWriteError, path}));
}

// Milling to the full material thickness with no thickness cannot be meant.
bool ThicknessMissing(const CQuenkApp& app) {
    if (app.m_depthMode == 0 && app.m_materialThickness == 0.0) {
        Ui().Message(texts::kMaterialThicknessZero);
        return true;
    }
    return false;
}
}  // namespace

void OnGCode(CQuenkApp& app) {
    ComputePathExtents(app);
    if (ThicknessMissing(app)) return;
    FileQuestion q;
    q.filter = texts::kGCodeFilter;
    q.defaultExtension = "nc";
    q.suggestedName = Join({"G", app.m_drawingTitle});
    const std::optional<std::string> path = Ui().AskSaveFile(q);
    if (!path) return;
    if (!app.m_skipOverwriteQuestion && std::ifstream(*path).is_open() &&
        !Ui().AskYesNo(texts::kFileExistsReplace))
        return;
    RunToFile(app, *path, GCodeVariant{app.m_drawingTitle, false});
}

void WriteGCode(CQuenkApp& app, const std::string& path) {
    ComputePathExtents(app);
    if (ThicknessMissing(app)) return;
    app.m_skipOverwriteQuestion = 0;
    RunToFile(app, path, GCodeVariant{path, true});
}
