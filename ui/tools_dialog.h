#pragma once
// "Werkzeuge": diameter, side, colour and depth of the tools 1..16 in two columns of eight,
// the four display colours and "Werkzeugfarben = Stiftfarben".

#include <array>

#include "model/tool_tables.h"
#include "ui/checked_dialog.h"

class QCheckBox;

class CToolsDlg : public CheckedDialog {
    Q_OBJECT
public:
    CToolsDlg(const CQuenkApp& app, QWidget* parent = nullptr);
    // The values after "OK".
    const ToolTableValues& Values() const { return m_values; }
    ColourSwatch* ToolSwatch(int tool) const { return m_colour[static_cast<std::size_t>(tool - 1)]; }
    QCheckBox* RightBox(int tool) const { return m_right[static_cast<std::size_t>(tool - 1)]; }

protected:
    std::string Collect() override;

private:
    void TakePenColours();

    const CQuenkApp& m_app;
    ToolTableValues m_values;
    std::array<QLineEdit*, kToolCount> m_diameter{};
    std::array<QCheckBox*, kToolCount> m_right{};
    std::array<ColourSwatch*, kToolCount> m_colour{};
    std::array<QLineEdit*, kToolCount> m_depth{};
    std::array<ColourSwatch*, 4> m_display{};
};

// Opens the dialog on the application's tables and stores them on "OK"; true then.
bool RunToolsDialog(QWidget* parent, CQuenkApp& app);
