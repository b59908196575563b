#include "ui/dialog_fields.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

#include "model/core_context.h"
#include "toolpath/milling_options.h"
#include "ui/dialog_texts.h"
#include "ui/milling_texts.h"

QString FieldText(double value) { return QString::fromStdString(FieldNumberText(value)); }

bool ReadNumberField(QLineEdit* field, double& value) {
    const std::optional<double> v = ParseFieldNumber(field->text().toStdString());
    if (!v) {
        Ui().Message(ui_texts::kEnterNumber);
        SelectField(field);
        return false;
    }
    value = *v;
    return true;
}

void SelectField(QLineEdit* field) {
    field->setFocus();
    field->selectAll();
}

QDialogButtonBox* OkCancelButtons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QString::fromUtf8(texts::kOk), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QString::fromUtf8(texts::kCancel), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}
