#include "ui/file_commands.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "import/import_command.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "output/gcode.h"
#include "output/hpgl_export.h"
#include "files/job_file.h"
#include "ui/command_context.h"
#include "ui/drawing_view.h"
#include "ui/drawing_window.h"
#include "ui/main_frame.h"
#include "ui/report_commands.h"
#include "ui/milling_panel.h"

namespace {

// What follows an import in the window: the drawing's title and the fit. A job file names
// no drawing: it switches to milling mode at once, which closes this window.
void AfterImport(CommandContext& ctx, bool taken) {
    CQuenkDoc& doc = *ctx.Doc();
    if (!taken) return;
    if (UpperExtension(doc.m_importPath) == "QUENK") {
        ctx.frame.EnterMillingMode();
        return;
    }
    ctx.frame.AddRecentFile(QString::fromStdString(doc.m_importPath));
    if (QWidget* sub = ctx.window->parentWidget())
        sub->setWindowTitle(QString::fromStdString(doc.m_drawingName));
    ctx.View()->ZoomWorkpiece();
    ShowImportReportAfterImport(ctx);
}
}  // namespace

void OnNewCommand(CommandContext& ctx) { ctx.frame.NewDrawingWindow(); }

void OnCloseCommand(CommandContext& ctx) {
    if (QMdiSubWindow* sub = ctx.frame.MdiArea()->activeSubWindow()) sub->close();
}

void ImportIntoWindow(CommandContext& ctx) {
    CQuenkDoc& doc = *ctx.Doc();
    ctx.window->m_bWasEmptyAtImport = doc.m_nothingImported != 0;
    // A taken drawing adds a layer or names a new file; a cancelled question changes neither.
    const std::string before = doc.m_importPath;
    const std::size_t layers = doc.m_layers.size();
    OnImport(doc);
    AfterImport(ctx, doc.m_importPath != before || doc.m_layers.size() != layers);
}

void ImportPath(CommandContext& ctx, const std::string& path) {
    ctx.window->m_bWasEmptyAtImport = ctx.Doc()->m_nothingImported != 0;
    AfterImport(ctx, ImportFile(*ctx.Doc(), path));
}

void OnImportCommand(CommandContext& ctx) { ImportIntoWindow(ctx); }
void OnExportCommand(CommandContext& ctx) { OnExportHpgl(*ctx.Doc()); }
void OnExportCorrectionCommand(CommandContext& ctx) { OnExportCorrectionHpgl(*ctx.Doc()); }
void OnSaveJobCommand(CommandContext& ctx) { OnSaveJob(ctx.app); }
void OnGCodeCommand(CommandContext& ctx) { OnGCode(ctx.app, StoredDialect()); }
void OnExitCommand(CommandContext& ctx) { ctx.frame.close(); }
