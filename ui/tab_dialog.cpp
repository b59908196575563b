#include "ui/tab_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/quenk_app.h"
#include "toolpath/correction_values.h"
#include "ui/command_context.h"
#include "ui/dialog_hooks.h"
#include "ui/main_frame.h"

namespace {
const char* const kKindTexts[] = {"Einzelstege", "Vertikal", "Horizontal"};
}

CTabDlg::CTabDlg(const TabSettings& preset, QWidget* parent)
    : CheckedDialog(QStringLiteral("Stege"), parent), m_values(preset), m_kinds(new QButtonGroup(this)) {
    m_length = AddNumber(preset.length, "length", "Steglänge", &kTabLengthRange);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Steglänge:")), 0, 0);
    grid->addWidget(m_length, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("mm")), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Der Werkzeugdurchmesser")), 1, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("wird mit berücksichtigt")), 2, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Achtung bei")), 3, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("!!! Werkzeugdurchmesser 0  !!!")), 4, 0, 1, 3);
    for (int k = 0; k < 3; ++k) {
        auto* radio = new QRadioButton(QString::fromUtf8(kKindTexts[k]));
        m_kinds->addButton(radio, k);
        grid->addWidget(radio, 5 + k, 0, 1, 3);
    }
    if (QAbstractButton* b = m_kinds->button(preset.kind)) b->setChecked(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeButtons());
}

std::string CTabDlg::Collect() {
    TabSettings v{Number(m_length), m_kinds->checkedId() < 0 ? 0 : m_kinds->checkedId()};
    std::string complaint = TabLengthComplaint(v.length);
    if (complaint.empty()) m_values = v;
    return complaint;
}

std::optional<TabSettings> AskTabSettings(CommandContext& ctx, const TabSettings& current) {
    CTabDlg dialog(current, &ctx.frame);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Values();
}
