#include "ui/tool_change_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/layer.h"
#include "ui/command_context.h"
#include "ui/dialog_hooks.h"
#include "ui/main_frame.h"

namespace {
QLineEdit* Shown(int value, const QString& name) {
    auto* edit = new QLineEdit(QString::number(value));
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setMaximumWidth(90);
    return edit;
}

QGroupBox* Group(const QString& title, QWidget* old, QWidget* changed) {
    auto* box = new QGroupBox(title);
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("alt"), old);
    form->addRow(QStringLiteral("aendern in:"), changed);
    return box;
}
}  // namespace

CToolPenChangeDlg::CToolPenChangeDlg(const ToolChangeValues& values, QWidget* parent)
    : CheckedDialog(QStringLiteral("Werkzeug / Stift aendern"), parent), m_values(values) {
    m_newTool = AddInteger(values.newTool, "newTool", "Werkzeug aendern in", &kToolNumberRange);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Group(QStringLiteral("Stift aendern"), Shown(values.pen, "oldPen"), Shown(values.pen, "newPen")));
    layout->addWidget(Group(QStringLiteral("Werkzeug aendern"), Shown(values.oldTool, "oldTool"), m_newTool));
    layout->addWidget(MakeButtons());
}

std::string CToolPenChangeDlg::Collect() {
    ToolChangeValues v = m_values;
    v.newTool = static_cast<int>(Number(m_newTool));
    return TakeIfValid(m_values, v);
}

bool AskToolPenChange(CommandContext& ctx, CStift& pen, CVector& chain) {
    CToolPenChangeDlg dialog(ToolChangeValues::From(pen.m_number, chain), &ctx.frame);
    if (dialog.exec() != QDialog::Accepted) return false;
    ApplyToolChange(chain, dialog.Values());
    return true;
}
