#include "ui/report_commands.h"

#include "model/document.h"
#include "ui/command_context.h"
#include "ui/drawing_view.h"
#include "ui/import_report_dialog.h"

void OnImportReportCommand(CommandContext& ctx) {
    if (CQuenkView* view = ctx.View()) ShowImportReport(*view);
}

void ShowImportReportAfterImport(CommandContext& ctx) {
    CQuenkView* view = ctx.View();
    if (view && view->Document().m_importReport.imported && ImportReportAfterEachImport()) ShowImportReport(*view);
}
