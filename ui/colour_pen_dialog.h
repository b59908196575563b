#pragma once
// "DWG-Farbe -> Stiftnummer": which pen takes the entities of a CAD colour that the
// colour-to-pen table does not map yet.

#include <optional>

#include "ui/checked_dialog.h"

class CColourPenDlg : public CheckedDialog {
    Q_OBJECT
public:
    CColourPenDlg(int colourIndex, QWidget* parent = nullptr);
    int Pen() const { return m_pen; }

protected:
    std::string Collect() override;

private:
    int m_pen;
    QLineEdit* m_field;
};

// The pen for the colour, or none when the question was cancelled.
std::optional<int> AskPenForColourDialog(QWidget* parent, int colourIndex);
