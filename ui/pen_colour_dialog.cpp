#include "ui/pen_colour_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "model/core_context.h"

namespace {
constexpr int kRowsPerColumn = 8;
}

CPenColourDlg::CPenColourDlg(const CQuenkApp& app, QWidget* parent)
    : CheckedDialog(QStringLiteral("Farbe für Stifte"), parent), m_values(PenColourValues::From(app)) {
    auto* grid = new QGridLayout;
    for (int pen = 1; pen <= kToolCount; ++pen) {
        const int k = pen - 1;
        m_pen[static_cast<std::size_t>(k)] = new ColourSwatch(m_values.pen[static_cast<std::size_t>(pen)], *this);
        grid->addWidget(new QLabel(QStringLiteral("Stift %1 :").arg(pen)), k % kRowsPerColumn,
                        (k / kRowsPerColumn) * 2);
        grid->addWidget(m_pen[static_cast<std::size_t>(k)], k % kRowsPerColumn, (k / kRowsPerColumn) * 2 + 1);
    }
    m_correction = new ColourSwatch(m_values.correctionColour, *this);
    grid->addWidget(new QLabel(QStringLiteral("Radiuskorrekturfarbe:")), kRowsPerColumn, 0);
    grid->addWidget(m_correction, kRowsPerColumn, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeButtons());
}

std::string CPenColourDlg::Collect() {
    for (int pen = 1; pen <= kToolCount; ++pen) m_values.pen[static_cast<std::size_t>(pen)] = PenSwatch(pen)->Colour();
    m_values.correctionColour = m_correction->Colour();
    return {};
}

bool RunPenColourDialog(QWidget* parent, CQuenkApp& app) {
    CPenColourDlg dialog(app, parent);
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (ok) dialog.Values().Store(app);
    Ui().RequestRedraw();
    return ok;
}
