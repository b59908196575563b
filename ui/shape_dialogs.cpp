#include "ui/shape_dialogs.h"

#include <QLineEdit>

#include "model/tool_tables.h"

CRechteckDlg::CRechteckDlg(QWidget* parent) : CheckedDialog(QStringLiteral("Rechteck"), parent) {
    m_x = AddNumber(m_values.x, "x", "X", &kShapeSizeRange);
    m_y = AddNumber(m_values.y, "y", "Y", &kShapeSizeRange);
    m_pen = AddInteger(m_values.pen, "pen", "Stift", &kPenNumberRange);
    LayOutForm({{"X:", m_x}, {"Y:", m_y}, {"Stift:", m_pen}});
}

std::string CRechteckDlg::Collect() {
    return TakeIfValid(m_values, {Number(m_x), Number(m_y), static_cast<int>(Number(m_pen))});
}

CTrapezDlg::CTrapezDlg(bool rotated, QWidget* parent) : CheckedDialog(QStringLiteral("Trapez"), parent) {
    m_values.rotated = rotated;
    m_top = AddNumber(m_values.top, "top", "Breite oben", &kShapeSizeRange);
    m_bottom = AddNumber(m_values.bottom, "bottom", "Breite unten", &kShapeSizeRange);
    m_height = AddNumber(m_values.height, "height", "Höhe", &kShapeSizeRange);
    m_pen = AddInteger(m_values.pen, "pen", "Stift", &kPenNumberRange);
    LayOutForm({{"Breite oben:", m_top}, {"Breite unten:", m_bottom}, {"Höhe:", m_height}, {"Stift:", m_pen}});
}

std::string CTrapezDlg::Collect() {
    return TakeIfValid(m_values, {Number(m_top), Number(m_bottom), Number(m_height), static_cast<int>(Number(m_pen)),
                                  m_values.rotated});
}
