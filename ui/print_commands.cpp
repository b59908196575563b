// "&Drucken...", "Sei&tenansicht" and "Drucker&einrichtung...": the view's own picture on the
// printer's device with the same pixel transform, no page fitting.

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "ui/command_context.h"
#include "ui/drawing_view.h"
#include "ui/file_commands.h"
#include "ui/main_frame.h"

namespace {
// One printer set-up for the run; kept to the very end, as the print system may still be
// asked about it while the program closes.
QPrinter& Printer() {
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

void PrintView(const CQuenkView& view, QPrinter* printer) {
    QPainter painter(printer);
    view.Render(painter, QRect(QPoint(0, 0), printer->pageLayout().paintRectPixels(printer->resolution()).size()));
}
}  // namespace

void OnPrintCommand(CommandContext& ctx) {
    QPrintDialog dialog(&Printer(), &ctx.frame);
    if (dialog.exec() == QDialog::Accepted) PrintView(*ctx.View(), &Printer());
}

void OnPrintPreviewCommand(CommandContext& ctx) {
    QPrintPreviewDialog preview(&Printer(), &ctx.frame);
    const CQuenkView* view = ctx.View();
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [view](QPrinter* p) { PrintView(*view, p); });
    preview.exec();
}

void OnPrintSetupCommand(CommandContext& ctx) {
    QPageSetupDialog dialog(&Printer(), &ctx.frame);
    dialog.exec();
}
