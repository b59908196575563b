#pragma once
// CSettingsDlg, "Einstellungen": built from the settings table, one control per field the
// table gives a label. "OK" checks the values the user changed and stays open, with the
// framework's range message and the field selected, while one may not be stored; a value
// left as it was loaded passes. The dialog itself stores nothing.

#include <QDialog>
#include <vector>

#include "files/settings_options.h"

class QAbstractButton;
class QLineEdit;
class QWidget;

class CSettingsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSettingsDlg(const SettingsOptions& options, QWidget* parent = nullptr);
    // The values as the controls held them at the last "OK".
    const SettingsOptions& Options() const { return m_options; }
    void accept() override;

private:
    // The controls of one field: a line edit, or the buttons of its choices.
    struct Control {
        QLineEdit* edit = nullptr;
        QAbstractButton* buttons[2] = {};
    };
    QWidget* BuildControl(const FileField& field, double value, Control& control);
    void ReadControls();
    void SelectField(std::size_t index);

    SettingsOptions m_options;
    const SettingsOptions m_loaded;  // the values it was opened on
    std::vector<Control> m_controls;
};

// Shows the dialog on options; true, with options holding the values, after "OK".
bool RunSettingsDialog(QWidget* parent, SettingsOptions& options);
