#include "ui/milling_help_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/milling_texts.h"

CFraesHelp::CFraesHelp(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(texts::kMillingHelpTitle));
    auto* layout = new QVBoxLayout(this);
    for (const char* line : texts::kMillingHelpLines) layout->addWidget(new QLabel(QString::fromUtf8(line)));
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QString::fromUtf8(texts::kOk), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
