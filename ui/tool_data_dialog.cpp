#include "ui/tool_data_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/milling_texts.h"
#include "ui/dialog_fields.h"
#include "ui/milling_panel.h"

namespace {
QString T(const char* text) { return QString::fromUtf8(text); }

// Two columns of eight tools side by side.
constexpr int kRowsPerColumn = 8;
// Columns of one tool column: number, diameter, side, depth, XY, Z.
constexpr int kCellsPerTool = 6;

QLineEdit* NumberCell(double value, bool editable) {
    auto* edit = new QLineEdit(FieldText(value));
    edit->setMaximumWidth(70);
    if (!editable) edit->setEnabled(false);
    return edit;
}

void AddHeadings(QGridLayout* grid, int column) {
    int c = column;
    for (const char* heading : texts::kToolDataHeadings) grid->addWidget(new QLabel(T(heading)), 1, c++);
    grid->addWidget(new QLabel(T(texts::kToolDataSpeed) + QLatin1Char(' ') + T(texts::kToolDataSpeedUnit)), 0, c,
                    1, 2);
    grid->addWidget(new QLabel(T(texts::kToolDataXY)), 1, c);
    grid->addWidget(new QLabel(T(texts::kToolDataZ)), 1, c + 1);
}
}  // namespace

CWerkzeugdaten::CWerkzeugdaten(const ToolDataOptions& options, QWidget* parent)
    : QDialog(parent), m_options(options) {
    setWindowTitle(T(texts::kToolDataTitle));
    auto* grid = new QGridLayout;
    for (int half = 0; half < 2; ++half) AddHeadings(grid, half * kCellsPerTool);
    // WinPC-NC takes its speeds from its own tool data; a controller that gets feed words
    // from the program needs them here.
    const bool feedsEditable = WordsOf(StoredDialect()).feedWords;
    for (int t = kFirstTool; t <= kLastTool; ++t) {
        const int i = t - kFirstTool;
        const int row = 2 + i % kRowsPerColumn;
        int c = (i / kRowsPerColumn) * kCellsPerTool;
        const ToolDataRow& data = options.tools[static_cast<std::size_t>(i)];
        Row& r = m_rows[static_cast<std::size_t>(i)];
        r.diameter = NumberCell(data.diameter, true);
        r.diameter->setReadOnly(true);
        r.right = new QCheckBox(T(texts::kToolDataRight));
        r.right->setChecked(data.right);
        r.right->setEnabled(false);
        r.depth = NumberCell(data.depth, true);
        r.feedXY = NumberCell(data.feedXY, feedsEditable);
        r.feedZ = NumberCell(data.feedZ, feedsEditable);
        grid->addWidget(new QLabel(QStringLiteral("%1:").arg(t)), row, c++);
        for (QWidget* w : {static_cast<QWidget*>(r.diameter), static_cast<QWidget*>(r.right),
                           static_cast<QWidget*>(r.depth), static_cast<QWidget*>(r.feedXY),
                           static_cast<QWidget*>(r.feedZ)})
            grid->addWidget(w, row, c++);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(OkCancelButtons(this));
}

void CWerkzeugdaten::accept() {
    ToolDataOptions o = m_options;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        ToolDataRow& data = o.tools[i];
        if (!ReadNumberField(m_rows[i].depth, data.depth) || !ReadNumberField(m_rows[i].feedXY, data.feedXY) ||
            !ReadNumberField(m_rows[i].feedZ, data.feedZ))
            return;
    }
    m_options = o;
    QDialog::accept();
}

bool RunToolDataDialog(QWidget* parent, CQuenkApp& app) {
    return RunOnAppValues<CWerkzeugdaten, ToolDataOptions>(parent, app);
}
