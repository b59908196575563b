#include "ui/grid_copy_dialog.h"

#include <QLineEdit>

CNutzenDlg::CNutzenDlg(QWidget* parent) : CheckedDialog(QStringLiteral("Nutzen erstellen"), parent) {
    m_countX = AddInteger(m_values.countX, "countX", "Anzahl in X Richting", &kGridCountRange);
    m_distanceX = AddNumber(m_values.distanceX, "distanceX", "Abstand in X Richtung", nullptr);
    m_countY = AddInteger(m_values.countY, "countY", "Anzahl in Y Richting", &kGridCountRange);
    m_distanceY = AddNumber(m_values.distanceY, "distanceY", "Abstand in Y Richtung", nullptr);
    LayOutForm({{"Anzahl in X Richting:", m_countX},
                {"Abstand in X Richtung:", m_distanceX},
                {"Anzahl in Y Richting:", m_countY},
                {"Abstand in Y Richtung:", m_distanceY}});
}

std::string CNutzenDlg::Collect() {
    return TakeIfValid(m_values, {static_cast<int>(Number(m_countX)), Number(m_distanceX),
                                  static_cast<int>(Number(m_countY)), Number(m_distanceY)});
}
