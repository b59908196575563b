#pragma once
// "Nutzen erstellen": how many copies in X and Y, and the distance between them in mm.

#include "prepare/grid_copies.h"
#include "ui/checked_dialog.h"

class CNutzenDlg : public CheckedDialog {
    Q_OBJECT
public:
    explicit CNutzenDlg(QWidget* parent = nullptr);
    const GridCopyOptions& Values() const { return m_values; }

protected:
    std::string Collect() override;

private:
    GridCopyOptions m_values;
    QLineEdit *m_countX, *m_distanceX, *m_countY, *m_distanceY;
};
