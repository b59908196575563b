#include "ui/colour_pen_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/tool_tables.h"

CColourPenDlg::CColourPenDlg(int colourIndex, QWidget* parent)
    : CheckedDialog(QStringLiteral("DWG-Farbe -> Stiftnummer"), parent),
      // The pen of the same number is offered where there is one: the first CAD colours
      // are the usual pen colours.
      m_pen(InRange(colourIndex, kPenNumberRange) ? colourIndex : 1) {
    m_field = AddInteger(m_pen, "pen", "Stift", &kPenNumberRange);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Der Farbe vom DWG-File einen Stift zuordnen")), 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Farbe :")), 1, 0);
    grid->addWidget(new QLabel(QString::number(colourIndex)), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("ist Stift :")), 2, 0);
    grid->addWidget(m_field, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeButtons());
}

std::string CColourPenDlg::Collect() {
    m_pen = static_cast<int>(Number(m_field));
    return {};
}

std::optional<int> AskPenForColourDialog(QWidget* parent, int colourIndex) {
    CColourPenDlg dialog(colourIndex, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Pen();
}
