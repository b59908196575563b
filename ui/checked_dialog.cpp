#include "ui/checked_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <cmath>

#include "model/core_context.h"
#include "ui/dialog_texts.h"

namespace {
constexpr QSize kSwatchSize{36, 16};

QColor ToQColor(std::uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

std::uint32_t FromQColor(const QColor& c) {
    return static_cast<std::uint32_t>(c.red()) | static_cast<std::uint32_t>(c.green()) << 8 |
           static_cast<std::uint32_t>(c.blue()) << 16;
}

QString NumberText(double v) { return QString::number(v, 'g', 15); }
}  // namespace

ColourSwatch::ColourSwatch(std::uint32_t colour, CheckedDialog& owner) : m_colour(colour), m_owner(owner) {
    setFixedSize(kSwatchSize + QSize(8, 8));
    setIconSize(kSwatchSize);
    setAutoDefault(false);
    SetColour(colour);
    connect(this, &QPushButton::clicked, this, &ColourSwatch::Choose);
}

void ColourSwatch::SetColour(std::uint32_t colour) {
    m_colour = colour;
    if (!m_owner.CanPaintSwatches()) return;
    QPixmap picture(kSwatchSize);
    picture.fill(ToQColor(colour));
    setIcon(QIcon(picture));
}

void ColourSwatch::Choose() {
    // The chooser opens without a preset colour; only its "OK" takes one.
    const QColor chosen = QColorDialog::getColor(QColor(), this);
    if (chosen.isValid()) SetColour(FromQColor(chosen));
}

CheckedDialog::CheckedDialog(const QString& title, QWidget* parent) : QDialog(parent) { setWindowTitle(title); }

bool CheckedDialog::CanPaintSwatches() {
    // A true-colour display: 16 bits or more (X servers report 24 for 32 bits per pixel).
    const QScreen* s = screen();
    if (!s || s->depth() >= 16) return true;
    if (!m_depthTold) Ui().Message(ui_texts::kColourDepth);
    m_depthTold = true;
    return false;
}

QLineEdit* CheckedDialog::Field(const QString& name) const { return findChild<QLineEdit*>(name); }

QLineEdit* CheckedDialog::Add(const QString& text, const QString& name, const ValueRange* range, bool integer) {
    auto* edit = new QLineEdit(text, this);
    edit->setObjectName(name);
    edit->setMaximumWidth(90);
    m_fields.push_back({edit, range, integer});
    return edit;
}

QLineEdit* CheckedDialog::AddNumber(double value, const QString& name, const std::string& /*field*/,
                                    const ValueRange* range) {
    return Add(NumberText(value), name, range, false);
}

QLineEdit* CheckedDialog::AddInteger(int value, const QString& name, const std::string& /*field*/,
                                     const ValueRange* range) {
    return Add(QString::number(value), name, range, true);
}

double CheckedDialog::Number(const QLineEdit* edit) const {
    double v = 0;
    ParseNumber(edit->text(), false, v);
    return v;
}

QDialogButtonBox* CheckedDialog::MakeButtons() {
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QString::fromUtf8(ui_texts::kOk), QDialogButtonBox::AcceptRole)->setObjectName("ok");
    buttons->addButton(QString::fromUtf8(ui_texts::kCancel), QDialogButtonBox::RejectRole)->setObjectName("cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &CheckedDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

void CheckedDialog::LayOutForm(std::initializer_list<std::pair<const char*, QWidget*>> rows) {
    auto* form = new QFormLayout;
    for (const auto& [label, widget] : rows) form->addRow(QString::fromUtf8(label), widget);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(MakeButtons());
}

bool CheckedDialog::Refuse(QLineEdit* edit, const std::string& message) {
    Ui().Message(message);
    edit->setFocus();
    edit->selectAll();
    return false;
}

void CheckedDialog::accept() {
    for (const NumberField& f : m_fields) {
        double v = 0;
        if (!ParseNumber(f.edit->text(), f.integer, v)) {
            Refuse(f.edit, f.integer ? ui_texts::kEnterInteger : ui_texts::kEnterNumber);
            return;
        }
        if (f.range && !InRange(v, *f.range)) {
            Refuse(f.edit, NumberRangeMessage(*f.range));
            return;
        }
    }
    if (const std::string complaint = Collect(); !complaint.empty()) {
        Ui().Message(complaint);
        return;
    }
    QDialog::accept();
}

bool ParseNumber(const QString& text, bool integer, double& value) {
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    if (integer) {
        value = t.toInt(&ok);
        return ok;
    }
    value = t.toDouble(&ok);
    return ok && std::isfinite(value);
}
