#include "ui/info_profil_dialog.h"

#include <QLineEdit>

#include "ui/command_context.h"
#include "ui/dialog_fields.h"
#include "ui/dialog_hooks.h"
#include "ui/main_frame.h"

namespace {
constexpr ValueRange kMaxOutRange{kMaxOutMin, kMaxOutMax, "10", "250"};

QLineEdit* Shown(const QString& text) {
    auto* edit = new QLineEdit(text);
    edit->setReadOnly(true);
    return edit;
}
QLineEdit* Shown(std::int32_t v) { return Shown(QString::number(v)); }
QLineEdit* Shown(double v) { return Shown(FieldText(v)); }
}  // namespace

CInfoProfilDlg::CInfoProfilDlg(const InfoProfil& info, QWidget* parent)
    : CheckedDialog(QStringLiteral("Info Profil"), parent), m_info(info) {
    m_maxOut = AddInteger(info.maxOutputPoints, "maxOutputPoints", "Maximale Ausgangspunkte", &kMaxOutRange);
    LayOutForm({{"Index maxX", Shown(info.indexMaxX)},
                {"Anzahl", Shown(info.countMaxX)},
                {"Index   minX", Shown(info.indexMinX)},
                {"Anzahl", Shown(info.countMinX)},
                {"Index maxY", Shown(info.indexMaxY)},
                {"Anzahl", Shown(info.countMaxY)},
                {"maxX", Shown(info.maxXMm)},
                {"minX", Shown(info.minXMm)},
                {"maxY bei X =", Shown(info.maxYAtXMm)},
                {"Profilmitte X =", Shown(info.middleXMm)},
                {"Anzahl der Punkte", Shown(info.pointCount)},
                {"Maximale Ausgangspunkte", m_maxOut}});
}

std::string CInfoProfilDlg::Collect() {
    m_info.maxOutputPoints = static_cast<std::int32_t>(Number(m_maxOut));
    return {};
}

bool AskInfoProfil(CommandContext& ctx, InfoProfil& info) {
    CInfoProfilDlg dialog(info, &ctx.frame);
    if (dialog.exec() != QDialog::Accepted) return false;
    info = dialog.Values();
    return true;
}
