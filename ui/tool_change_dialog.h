#pragma once
// "Werkzeug / Stift aendern" of a corrected path: the pen is shown only, the chain's tool can
// be changed (1..16). The paths are not computed again.

#include "toolpath/correction_values.h"
#include "ui/checked_dialog.h"

class CToolPenChangeDlg : public CheckedDialog {
    Q_OBJECT
public:
    CToolPenChangeDlg(const ToolChangeValues& values, QWidget* parent = nullptr);
    const ToolChangeValues& Values() const { return m_values; }

protected:
    std::string Collect() override;

private:
    ToolChangeValues m_values;
    QLineEdit* m_newTool;
};
