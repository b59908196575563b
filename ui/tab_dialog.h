#pragma once
// "Stege": the tab length and the tab kind of the tab mode.

#include "toolpath/pick.h"
#include "ui/checked_dialog.h"

class QButtonGroup;

class CTabDlg : public CheckedDialog {
    Q_OBJECT
public:
    CTabDlg(const TabSettings& preset, QWidget* parent = nullptr);
    const TabSettings& Values() const { return m_values; }
    QButtonGroup* Kinds() const { return m_kinds; }

protected:
    std::string Collect() override;

private:
    TabSettings m_values;
    QLineEdit* m_length;
    QButtonGroup* m_kinds;
};
