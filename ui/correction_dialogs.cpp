#include "ui/correction_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/document.h"
#include "model/tool_rule.h"
#include "ui/command_context.h"
#include "ui/dialog_hooks.h"
#include "ui/main_frame.h"

namespace {
constexpr int kHalf = kToolCount / 2;
const char* const kFunctionTexts[] = {"keine Funktion", "Fräsen außen. Nur auf geschlossene Vektoren",
                                      "Fräsen innen   Nur auf geschlossene Vektoren"};

void Check(QButtonGroup* group, int id) {
    if (QAbstractButton* b = group->button(id)) b->setChecked(true);
}
}  // namespace

CRadiusDlg::CRadiusDlg(const CQuenkApp& app, QWidget* parent)
    : CheckedDialog(QStringLiteral("Radiusparameter"), parent),
      m_values(CorrectionDialogValues::From(app)),
      m_source(new QButtonGroup(this)),
      m_clean(new QCheckBox(QStringLiteral(
          "Kontur bereinigen. (Kleinere Genauigkeit. Vektoren < 1/8 Werkzeugdurchmesser werden entfernt)"))) {
    auto* grid = new QGridLayout;
    auto* byPen = new QRadioButton(QStringLiteral("Werkzeugnummer = Stiftnummer"));
    m_source->addButton(byPen, kToolModePenNumber);
    grid->addWidget(byPen, 0, 0, 1, 8);
    m_tools.Add(*this, *m_source, m_values.tools, *grid, 1, kHalf, 1, 0, QStringLiteral("Durchmesser"));
    m_tools.Add(*this, *m_source, m_values.tools, *grid, kHalf + 1, kToolCount, 1, 4, QStringLiteral("Durchmesser"));
    auto* perPen = new QRadioButton(QStringLiteral("Den Stiften Werkzeuge zuordnen"));
    m_source->addButton(perPen, kToolModePerPen);
    grid->addWidget(perPen, kHalf + 1, 0, 1, 8);
    Check(m_source, m_values.options.toolMode);
    m_clean->setChecked(m_values.options.cleanContour);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_clean);
    layout->addWidget(MakeButtons());
}

std::string CRadiusDlg::Collect() {
    CorrectionDialogValues v = m_values;
    v.options.toolMode = m_source->checkedId();
    v.options.cleanContour = m_clean->isChecked();
    v.tools = m_tools.Read(*this);
    return TakeIfValid(m_values, v);
}

CPenToolsDlg::CPenToolsDlg(const CQuenkApp& app, QWidget* parent)
    : CheckedDialog(QStringLiteral("Den Stiften Werkzeuge zuordnen"), parent), m_values(PenToolValues::From(app)) {
    auto* frame = new QGroupBox(QStringLiteral("Werzeugnummer 0 entspricht keine Radiuskorrektiur"));
    auto* grid = new QGridLayout(frame);
    for (int half = 0; half < 2; ++half) {
        grid->addWidget(new QLabel(QStringLiteral("Werkzeug")), 0, half * 3 + 1);
        grid->addWidget(new QLabel(QStringLiteral("Funktion")), 0, half * 3 + 2);
    }
    for (int pen = 1; pen <= kToolCount; ++pen) {
        const auto i = static_cast<std::size_t>(pen - 1), p = static_cast<std::size_t>(pen);
        const QString n = QString::number(pen);
        const std::string name = " Stift " + std::to_string(pen);
        m_tool[i] = AddInteger(m_values.tool[p], "tool" + n, "Werkzeug" + name, &kPenToolRange);
        m_function[i] = AddInteger(m_values.function[p], "function" + n, "Funktion" + name, &kPenFunctionRange);
        const int row = 1 + (pen - 1) % kHalf, col = ((pen - 1) / kHalf) * 3;
        grid->addWidget(new QLabel(QStringLiteral("Stift %1").arg(pen)), row, col);
        grid->addWidget(m_tool[i], row, col + 1);
        grid->addWidget(m_function[i], row, col + 2);
    }
    auto* legend = new QGridLayout;
    for (int f = 0; f < 3; ++f) {
        legend->addWidget(new QLabel(QString::number(f)), f, 0);
        legend->addWidget(new QLabel(QString::fromUtf8(kFunctionTexts[f])), f, 1);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(legend);
    layout->addWidget(MakeButtons());
}

std::string CPenToolsDlg::Collect() {
    PenToolValues v = m_values;
    for (std::size_t i = 0; i < m_tool.size(); ++i) {
        v.tool[i + 1] = static_cast<std::int32_t>(Number(m_tool[i]));
        v.function[i + 1] = static_cast<std::int32_t>(Number(m_function[i]));
    }
    return TakeIfValid(m_values, v);
}

CChainToolDlg::CChainToolDlg(const ChainToolValues& values, QWidget* parent)
    : CheckedDialog(QStringLiteral("Werkzeug"), parent), m_values(values), m_choice(new QButtonGroup(this)) {
    auto* row = new QHBoxLayout;
    for (int half = 0; half < 2; ++half) {
        auto* group = new QGroupBox(QStringLiteral("Werkzeugdaten"));
        auto* grid = new QGridLayout(group);
        m_tools.Add(*this, *m_choice, values.tools, *grid, half * kHalf + 1, (half + 1) * kHalf, 0, 0,
                    QStringLiteral("Durchmesser:"));
        row->addWidget(group);
    }
    Check(m_choice, values.tool);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(MakeButtons());
}

std::string CChainToolDlg::Collect() {
    ChainToolValues v = m_values;
    v.tool = m_choice->checkedId();
    v.tools = m_tools.Read(*this);
    return TakeIfValid(m_values, v);
}

std::optional<RadiusCorrectionOptions> AskCorrectionOptions(QWidget* parent, CQuenkApp& app) {
    CRadiusDlg dialog(app, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    dialog.Values().Store(app);
    if (dialog.Values().options.toolMode == kToolModePerPen) {
        CPenToolsDlg pens(app, parent);
        if (pens.exec() != QDialog::Accepted) return std::nullopt;
        pens.Values().Store(app);
    }
    return dialog.Values().options;
}

std::optional<int> AskChainTool(CommandContext& ctx, const CVector& chain) {
    CChainToolDlg dialog(ChainToolValues::From(ctx.app, chain), &ctx.frame);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    // The tools are the tool table, edited in place: they stay whatever the caller does.
    StoreToolGeometry(ctx.app, dialog.Values().tools);
    return dialog.Values().tool;
}
