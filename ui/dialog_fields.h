#pragma once
// The parts the dialogs share: number fields, shown as the dialog writes a value and
// read back on "OK" (a field that holds no number refused with the framework's message), and
// the buttons "OK" and "Abbrechen".

#include <QDialog>
#include <QString>

class CQuenkApp;

class QDialogButtonBox;
class QLineEdit;

// "0.1", "100000": up to 15 significant digits, a decimal point.
QString FieldText(double value);
// Reads the field into value; when it holds no number, says so and selects it.
bool ReadNumberField(QLineEdit* field, double& value);
// Puts the focus on the field with its whole text selected, for the user to type anew.
void SelectField(QLineEdit* field);
// "OK" and "Abbrechen", wired to the dialog's accept and reject.
QDialogButtonBox* OkCancelButtons(QDialog* dialog);

// Opens the dialog on the application's values (Options::From) and stores what it hands
// back on "OK"; "Abbrechen" stores nothing.
template <typename Dialog, typename Options>
bool RunOnAppValues(QWidget* parent, CQuenkApp& app) {
    Dialog dialog(Options::From(app), parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.Options().ApplyTo(app);
    return true;
}
