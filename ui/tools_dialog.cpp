#include "ui/tools_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int kRowsPerColumn = 8;
constexpr int kColumnsPerTool = 5;
const char* const kHeaders[kColumnsPerTool] = {"Werkzeug #", "Durchmesser mm", "von Kontur", "Farbe", "Tiefe"};
const char* const kDisplayLabels[4] = {
    "Farbe für Konturdarstellung:", "Fehlerfarbe:", "Farbe für CW:", "Farbe für CCW:"};

QLabel* Label(const char* text) { return new QLabel(QString::fromUtf8(text)); }
}  // namespace

CToolsDlg::CToolsDlg(const CQuenkApp& app, QWidget* parent)
    : CheckedDialog(QStringLiteral("Werkzeuge"), parent), m_app(app), m_values(ToolTableValues::From(app)) {
    auto* grid = new QGridLayout;
    for (int half = 0; half < 2; ++half)
        for (int c = 0; c < kColumnsPerTool; ++c) grid->addWidget(Label(kHeaders[c]), 0, half * kColumnsPerTool + c);
    for (int k = 0; k < kToolCount; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const int tool = k + 1;
        const int row = 1 + k % kRowsPerColumn, col = (k / kRowsPerColumn) * kColumnsPerTool;
        const QString n = QString::number(tool);
        m_diameter[i] = AddNumber(m_values.geometry.diameter[i], "diameter" + n,
                                  "Durchmesser Werkzeug " + std::to_string(tool), &kToolsDialogDiameterRange);
        m_right[i] = new QCheckBox(QStringLiteral("Rechts"));
        m_right[i]->setChecked(m_values.geometry.right[i] != 0);
        m_colour[i] = new ColourSwatch(m_values.colour[static_cast<std::size_t>(tool)], *this);
        m_depth[i] = AddNumber(m_values.depth[static_cast<std::size_t>(tool)], "depth" + n, "Tiefe", nullptr);
        grid->addWidget(new QLabel(n), row, col);
        grid->addWidget(m_diameter[i], row, col + 1);
        grid->addWidget(m_right[i], row, col + 2);
        grid->addWidget(m_colour[i], row, col + 3);
        grid->addWidget(m_depth[i], row, col + 4);
    }
    auto* displays = new QGridLayout;
    const std::uint32_t colours[4] = {m_values.contourColour, m_values.errorColour, m_values.cwColour,
                                      m_values.ccwColour};
    for (int d = 0; d < 4; ++d) {
        m_display[static_cast<std::size_t>(d)] = new ColourSwatch(colours[d], *this);
        displays->addWidget(Label(kDisplayLabels[d]), d / 2, (d % 2) * 2);
        displays->addWidget(m_display[static_cast<std::size_t>(d)], d / 2, (d % 2) * 2 + 1);
    }
    auto* penColours = new QPushButton(QStringLiteral("Werkzeugfarben = Stiftfarben"));
    penColours->setObjectName("penColours");
    penColours->setAutoDefault(false);
    connect(penColours, &QPushButton::clicked, this, &CToolsDlg::TakePenColours);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(new QLabel(QStringLiteral(
        "Rechts bedeutet in Fräsrichtung rechts von der Kontur.   Nicht markiert: links von der Kontur")));
    layout->addLayout(displays);
    layout->addWidget(penColours, 0, Qt::AlignLeft);
    layout->addWidget(MakeButtons());
}

void CToolsDlg::TakePenColours() {
    // Only the dialog's swatches change; the tables follow on "OK".
    ToolTableValues shown = m_values;
    shown.TakePenColours(m_app);
    for (int tool = kFirstTool; tool <= kLastTool; ++tool)
        ToolSwatch(tool)->SetColour(shown.colour[static_cast<std::size_t>(tool)]);
}

std::string CToolsDlg::Collect() {
    ToolTableValues v = m_values;
    for (std::size_t i = 0; i < static_cast<std::size_t>(kToolCount); ++i) {
        v.geometry.diameter[i] = Number(m_diameter[i]);
        v.geometry.right[i] = m_right[i]->isChecked() ? 1 : 0;
        v.colour[i + 1] = m_colour[i]->Colour();
        v.depth[i + 1] = Number(m_depth[i]);
    }
    v.contourColour = m_display[0]->Colour();
    v.errorColour = m_display[1]->Colour();
    v.cwColour = m_display[2]->Colour();
    v.ccwColour = m_display[3]->Colour();
    std::string complaint = v.Validate();
    if (complaint.empty()) m_values = v;
    return complaint;
}

bool RunToolsDialog(QWidget* parent, CQuenkApp& app) {
    CToolsDlg dialog(app, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.Values().Store(app);
    return true;
}
