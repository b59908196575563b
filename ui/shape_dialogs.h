#pragma once
// "Rechteck" and "Trapez": the sizes in millimetres and the pen of a shape command.

#include "prepare/shapes.h"
#include "ui/checked_dialog.h"

class CRechteckDlg : public CheckedDialog {
    Q_OBJECT
public:
    explicit CRechteckDlg(QWidget* parent = nullptr);
    const RectangleOptions& Values() const { return m_values; }

protected:
    std::string Collect() override;

private:
    RectangleOptions m_values;
    QLineEdit *m_x, *m_y, *m_pen;
};

class CTrapezDlg : public CheckedDialog {
    Q_OBJECT
public:
    // rotated: the values are for "Trapez zeichnen (90 Grad gedreht)".
    explicit CTrapezDlg(bool rotated, QWidget* parent = nullptr);
    const TrapezoidOptions& Values() const { return m_values; }

protected:
    std::string Collect() override;

private:
    TrapezoidOptions m_values;
    QLineEdit *m_top, *m_bottom, *m_height, *m_pen;
};
