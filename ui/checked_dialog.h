#pragma once
// What every modal dialog of the program shares: number fields that are checked in order on
// "OK" (a value that is no number or lies outside its range keeps the dialog open, shows the
// message through the front end and selects the field), colour swatches that open the colour
// chooser, and the "OK" / "Abbrechen" row. A dialog copies its values in when it is built and
// hands them back only after "OK"; "Abbrechen" changes nothing.

#include <QDialog>
#include <QPushButton>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <string>
#include <vector>

#include "model/value_range.h"

class QLineEdit;
class QDialogButtonBox;

class CheckedDialog;

// A small picture filled with a colour (0x00BBGGRR); a click opens the colour chooser.
class ColourSwatch : public QPushButton {
    Q_OBJECT
public:
    ColourSwatch(std::uint32_t colour, CheckedDialog& owner);
    std::uint32_t Colour() const { return m_colour; }
    // Takes the colour and paints it where the display can show it.
    void SetColour(std::uint32_t colour);

private:
    void Choose();
    std::uint32_t m_colour;
    CheckedDialog& m_owner;
};

class CheckedDialog : public QDialog {
    Q_OBJECT
public:
    CheckedDialog(const QString& title, QWidget* parent);

    // The field of that object name, for tests and screenshots.
    QLineEdit* Field(const QString& name) const;
    // Whether swatches can be painted on this display; says so once per dialog when not.
    bool CanPaintSwatches();

    void accept() override;

    // A field with its object name, checked against range (none: any number). A value outside
    // is refused with the framework's "Geben Sie eine Zahl zwischen a und b ein.", which names
    // only the bounds; field is the value's name as the core's own checks call it.
    QLineEdit* AddNumber(double value, const QString& name, const std::string& field, const ValueRange* range);
    QLineEdit* AddInteger(int value, const QString& name, const std::string& field, const ValueRange* range);
    // The number of a field that passed the checks.
    double Number(const QLineEdit* edit) const;

protected:
    // The "OK" / "Abbrechen" row.
    QDialogButtonBox* MakeButtons();
    // The whole dialog: rows of "label widget" over the "OK" / "Abbrechen" row.
    void LayOutForm(std::initializer_list<std::pair<const char*, QWidget*>> rows);
    // Copies the checked fields into the dialog's values; the core's complaint about them,
    // empty when they can be taken.
    virtual std::string Collect() = 0;

private:
    struct NumberField {
        QLineEdit* edit;
        const ValueRange* range;
        bool integer;
    };
    QLineEdit* Add(const QString& text, const QString& name, const ValueRange* range, bool integer);
    bool Refuse(QLineEdit* edit, const std::string& message);

    std::vector<NumberField> m_fields;
    bool m_depthTold = false;
};

// Keeps the entered values when the core accepts them; the core's complaint otherwise.
template <typename Values>
std::string TakeIfValid(Values& stored, const Values& entered) {
    std::string complaint = entered.Validate();
    if (complaint.empty()) stored = entered;
    return complaint;
}

// Parses a field's text: the point or the comma as the decimal sign.
bool ParseNumber(const QString& text, bool integer, double& value);
