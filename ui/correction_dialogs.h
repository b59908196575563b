#pragma once
// The radius correction's dialogs: "Radiusparameter" (tool source, tools, clean-up),
// "Den Stiften Werkzeuge zuordnen" (tool and function per pen) and "Werkzeug" of
// "RK auf Vektor" (the tool of one chain).

#include <array>
#include <optional>

#include "toolpath/correction_values.h"
#include "ui/checked_dialog.h"
#include "ui/tool_rows.h"

class QButtonGroup;
class QCheckBox;

class CRadiusDlg : public CheckedDialog {
    Q_OBJECT
public:
    CRadiusDlg(const CQuenkApp& app, QWidget* parent = nullptr);
    const CorrectionDialogValues& Values() const { return m_values; }
    QButtonGroup* Source() const { return m_source; }
    QCheckBox* CleanContour() const { return m_clean; }

protected:
    std::string Collect() override;

private:
    CorrectionDialogValues m_values;
    QButtonGroup* m_source;
    QCheckBox* m_clean;
    ToolRows m_tools;
};

class CPenToolsDlg : public CheckedDialog {
    Q_OBJECT
public:
    CPenToolsDlg(const CQuenkApp& app, QWidget* parent = nullptr);
    const PenToolValues& Values() const { return m_values; }

protected:
    std::string Collect() override;

private:
    PenToolValues m_values;
    std::array<QLineEdit*, kToolCount> m_tool{};
    std::array<QLineEdit*, kToolCount> m_function{};
};

class CChainToolDlg : public CheckedDialog {
    Q_OBJECT
public:
    CChainToolDlg(const ChainToolValues& values, QWidget* parent = nullptr);
    const ChainToolValues& Values() const { return m_values; }
    QButtonGroup* Tool() const { return m_choice; }

protected:
    std::string Collect() override;

private:
    ChainToolValues m_values;
    QButtonGroup* m_choice;
    ToolRows m_tools;
};

// "Radiuskorrektur"'s questions: "Radiusparameter", and for the tools per pen
// "Den Stiften Werkzeuge zuordnen"; each "OK" stores its values. The options to correct
// with, or none when a dialog was cancelled.
std::optional<RadiusCorrectionOptions> AskCorrectionOptions(QWidget* parent, CQuenkApp& app);
