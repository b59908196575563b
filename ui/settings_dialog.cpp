#include "ui/settings_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <charconv>
#include <cmath>
#include <map>
#include <string>

#include "model/core_context.h"
#include "model/value_range.h"
#include "ui/dialog_texts.h"

namespace {
// The serial controller this program cannot drive; its box is shown switched off.
const char* kOtherController = "Kriblon";
constexpr int kGroupColumns = 2;
// Wide enough for the largest machine area in millimetres.
constexpr int kEditDigits = 14;

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

// The shortest text that reads back as the same number, without an exponent.
QString NumberText(double v) {
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    return QString::fromLatin1(buf, static_cast<int>(r.ptr - buf));
}

// A decimal comma is taken as a point; anything that is not a whole number is NaN, which
// the range check refuses.
double ParseNumber(const QString& text) {
    const std::string s = text.trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toStdString();
    double v = 0.0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && !s.empty() ? v : std::nan("");
}

// The framework's words for a value that may not be stored, as the other dialogs say them.
std::string Complaint(const FileField& field, double v) {
    const bool whole = IsWholeNumberField(field);
    if (!std::isfinite(v) || (whole && std::floor(v) != v)) return whole ? ui_texts::kEnterInteger : ui_texts::kEnterNumber;
    return field.dialog.range ? NumberRangeMessage(*field.dialog.range) : ui_texts::kEnterNumber;
}
}  // namespace

CSettingsDlg::CSettingsDlg(const SettingsOptions& options, QWidget* parent)
    : QDialog(parent), m_options(options), m_loaded(options) {
    setWindowTitle(QStringLiteral("Einstellungen"));
    auto* top = new QFormLayout;
    auto* groups = new QGridLayout;
    std::map<std::string, QFormLayout*> groupForms;
    const auto& fields = SettingsDialogFields();
    m_controls.resize(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const DialogField& d = fields[i]->dialog;
        QFormLayout* form = top;
        if (*d.group) {
            QFormLayout*& slot = groupForms[d.group];
            if (!slot) {
                auto* box = new QGroupBox(Q(d.group));
                slot = new QFormLayout(box);
                const int n = static_cast<int>(groupForms.size()) - 1;
                groups->addWidget(box, n / kGroupColumns, n % kGroupColumns);
            }
            form = slot;
        }
        if (*d.heading) form->addRow(new QLabel(Q(d.heading)));
        QWidget* control = BuildControl(*fields[i], i < options.values.size() ? options.values[i] : 0.0, m_controls[i]);
        if (*d.label && d.control == DialogControl::Number)
            form->addRow(Q(d.label), control);
        else
            form->addRow(control);
    }
    auto* other = new QCheckBox(Q(kOtherController));
    other->setEnabled(false);
    top->addRow(other);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(groups);
    layout->addWidget(buttons);
}

QWidget* CSettingsDlg::BuildControl(const FileField& field, double value, Control& control) {
    const DialogField& d = field.dialog;
    const QString name = QString::fromLatin1(field.name);
    if (d.control == DialogControl::CheckBox) {
        auto* box = new QCheckBox(Q(d.label));
        box->setObjectName(name);
        box->setChecked(value != 0.0);
        control.buttons[0] = box;
        return box;
    }
    auto* row = new QWidget;
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    if (d.control == DialogControl::RadioPair) {
        for (int b = 0; b < 2; ++b) {
            auto* radio = new QRadioButton(Q(d.choices[b].text));
            radio->setObjectName(name);
            radio->setChecked(value == d.choices[b].value);
            control.buttons[b] = radio;
            line->addWidget(radio);
        }
        line->addStretch();
        return row;
    }
    control.edit = new QLineEdit(NumberText(value));
    control.edit->setObjectName(name);
    control.edit->setMaximumWidth(control.edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * kEditDigits);
    line->addWidget(control.edit);
    if (*d.unit) line->addWidget(new QLabel(Q(d.unit)));
    line->addStretch();
    return row;
}

void CSettingsDlg::ReadControls() {
    const auto& fields = SettingsDialogFields();
    m_options.values.resize(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const Control& c = m_controls[i];
        const DialogField& d = fields[i]->dialog;
        double& v = m_options.values[i];
        if (c.edit)
            v = ParseNumber(c.edit->text());
        else if (d.control == DialogControl::CheckBox)
            v = c.buttons[0]->isChecked() ? 1.0 : 0.0;
        else if (c.buttons[0]->isChecked() || c.buttons[1]->isChecked())
            v = d.choices[c.buttons[0]->isChecked() ? 0 : 1].value;
    }
}

void CSettingsDlg::SelectField(std::size_t index) {
    const Control& c = m_controls[index];
    if (c.edit) {
        c.edit->setFocus();
        c.edit->selectAll();
    } else {
        c.buttons[0]->setFocus();
    }
}

void CSettingsDlg::accept() {
    ReadControls();
    if (const auto bad = m_options.FirstInvalid(&m_loaded)) {
        Ui().Message(Complaint(*SettingsDialogFields()[*bad], m_options.values[*bad]));
        SelectField(*bad);
        return;
    }
    QDialog::accept();
}

bool RunSettingsDialog(QWidget* parent, SettingsOptions& options) {
    CSettingsDlg dialog(options, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    options = dialog.Options();
    return true;
}
