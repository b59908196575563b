#include "ui/import_report_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

#include "model/document.h"
#include "ui/drawing_view.h"
#include "ui/report_texts.h"

namespace {
const QString kProfileKey = QStringLiteral("Import-Bericht/NachJedemImport");

QString Text(const char* t) { return QString::fromUtf8(t); }

// "LT 3, DT 1": the entries with their counts, in the report's order.
QString Listing(const std::map<std::string, std::int64_t, std::less<>>& counts, std::int64_t& total) {
    QStringList parts;
    total = 0;
    for (const auto& [name, count] : counts) {
        parts << QString::fromStdString(name) + QLatin1Char(' ') + QString::number(count);
        total += count;
    }
    return parts.join(QStringLiteral(", "));
}

void AddRow(QTableWidget& table, const char* finding, std::int64_t count, const QString& details = {}) {
    const int row = table.rowCount();
    table.insertRow(row);
    auto* number = new QTableWidgetItem(QString::number(count));
    number->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table.setItem(row, 0, new QTableWidgetItem(Text(finding)));
    table.setItem(row, 1, number);
    table.setItem(row, 2, new QTableWidgetItem(details));
}

QTableWidget* ReportTable(const ImportReport& r) {
    auto* table = new QTableWidget(0, 3);
    table->setObjectName(QStringLiteral("importReportTable"));
    table->setHorizontalHeaderLabels({Text(report_texts::kColumnFinding), Text(report_texts::kColumnCount),
                                      Text(report_texts::kColumnDetails)});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    AddRow(*table, report_texts::kChains, r.chains);
    AddRow(*table, report_texts::kClosed, r.closed);
    AddRow(*table, report_texts::kOpen, r.open);
    AddRow(*table, report_texts::kDoubles, r.doubleStrokes, Text(report_texts::kDoublesDetails));
    const QString mm = QString::number(r.nearDistanceMm, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
    AddRow(*table, report_texts::kNearEnds, static_cast<std::int64_t>(r.nearEnds.size()),
           Text(report_texts::kNearEndsDetails).replace(QStringLiteral("{}"), mm));
    std::int64_t total = 0;
    const QString unknown = Listing(r.unknownHpgl, total);
    AddRow(*table, report_texts::kUnknownHpgl, total, unknown);
    const QString skipped = Listing(r.skippedCad, total);
    AddRow(*table, report_texts::kSkippedCad, total, skipped);
    table->setFocusPolicy(Qt::NoFocus);
    table->resizeColumnsToContents();
    // The whole table shows without scrolling: seven short rows.
    const int frame = 2 * table->frameWidth() + 2;
    table->setMinimumSize(table->horizontalHeader()->length() + frame,
                          table->horizontalHeader()->sizeHint().height() + table->verticalHeader()->length() + frame);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}
}  // namespace

CImportReportDlg::CImportReportDlg(const CQuenkDoc& doc, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Text(report_texts::kTitle));
    auto* layout = new QVBoxLayout(this);
    const ImportReport& report = doc.m_importReport;
    if (report.imported) {
        layout->addWidget(ReportTable(report));
    } else {
        layout->addWidget(new QLabel(Text(report_texts::kNothingImported)));
    }
    auto* after = new QCheckBox(Text(report_texts::kShowAfterImport));
    after->setObjectName(QStringLiteral("importReportAfterImport"));
    after->setChecked(ImportReportAfterEachImport());
    connect(after, &QCheckBox::toggled, this, [](bool on) { SetImportReportAfterEachImport(on); });
    layout->addWidget(after);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

void ShowImportReport(CQuenkView& view) {
    CImportReportDlg dialog(view.Document(), &view);
    view.Flags().importReportEnds = true;
    view.update();
    dialog.exec();
    view.Flags().importReportEnds = false;
    view.update();
}

bool ImportReportAfterEachImport() { return QSettings().value(kProfileKey, false).toBool(); }

void SetImportReportAfterEachImport(bool on) { QSettings().setValue(kProfileKey, on); }
