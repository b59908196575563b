#include "ui/qt_interaction.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QThread>

#include "model/progress.h"
#include "output/handoff.h"
#include "ui/settings_dialog.h"
#include "ui/colour_pen_dialog.h"
#include "ui/dialog_texts.h"
#include "ui/tools_dialog.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
// Work that ends sooner shows only "Bitte warten ...".
constexpr qint64 kProgressAfterMs = 500;
}  // namespace

QString ToQtFilter(const std::string& filter) {
    const QStringList parts = Q(filter).split('|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString label = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        if (label.isEmpty() && pattern.isEmpty()) break;
        entries << QStringLiteral("%1 (%2)").arg(label, pattern);
    }
    return entries.join(QStringLiteral(";;"));
}

void QtInteraction::Message(const std::string& text) {
    QMessageBox::information(m_parent, QStringLiteral("Quenk"), Q(text));
}

bool QtInteraction::AskYesNo(const std::string& text) {
    return QMessageBox::question(m_parent, QStringLiteral("Quenk"), Q(text), QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

bool QtInteraction::AskOkCancel(const std::string& text) {
    return QMessageBox::question(m_parent, QStringLiteral("Quenk"), Q(text), QMessageBox::Ok | QMessageBox::Cancel) ==
           QMessageBox::Ok;
}

std::optional<std::string> QtInteraction::AskOpenFile(const FileQuestion& q) {
    const QString path = QFileDialog::getOpenFileName(m_parent, Q(q.title), QString(), ToQtFilter(q.filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> QtInteraction::AskSaveFile(const FileQuestion& q) {
    QFileDialog dialog(m_parent, Q(q.title), QString(), ToQtFilter(q.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(Q(q.defaultExtension));
    dialog.selectFile(Q(q.suggestedName));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<int> QtInteraction::AskPenForColour(int colourIndex) {
    return AskPenForColourDialog(m_parent, colourIndex);
}

bool QtInteraction::OpenDialog(DialogRequest which) {
    if (which == DialogRequest::Settings && m_app) {
        // At start-up, before the frame: the serial controller's port is opened after this.
        SettingsOptions options = SettingsOptions::From(*m_app);
        return RunSettingsDialog(m_parent, options) && options.ApplyTo(*m_app);
    }
    if (which == DialogRequest::Tools && m_app) return RunToolsDialog(m_parent, *m_app);
    // A dialog nobody has set counts as cancelled.
    const auto it = m_dialogs.find(which);
    return it != m_dialogs.end() && it->second();
}

void QtInteraction::BeginWait() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (m_waitDepth++ > 0) return;
    m_waitClock.start();
    if (!m_status) return;
    // The work runs on this thread: the pane is painted now, before it starts.
    m_statusBefore = m_status->text();
    m_status->setText(QString::fromUtf8(ui_texts::kPleaseWait));
    m_status->repaint();
}

void QtInteraction::EndWait() {
    QApplication::restoreOverrideCursor();
    if (--m_waitDepth != 0) return;
    if (m_status) m_status->setText(m_statusBefore);
    m_workEvents.RepaintSkipped();
}

QString ProgressText(std::size_t done, std::size_t total) {
    return QString::fromUtf8(ui_texts::kPleaseWait) + QLatin1Char(' ') + QString::number(ProgressPercent(done, total)) +
           QString::fromUtf8(ui_texts::kPercent);
}

void QtInteraction::Progress(std::size_t done, std::size_t total) {
    // Short work shows no percentage; work outside the wait cursor shows none at all.
    if (m_waitDepth == 0 || !m_status || m_waitClock.elapsed() < kProgressAfterMs) return;
    if (QThread::currentThread() != m_status->thread()) return;
    m_status->setText(ProgressText(done, total));
    m_status->repaint();
    m_workEvents.ProcessPending();
}

void QtInteraction::RequestRedraw() {
    for (QWidget* w : QApplication::topLevelWidgets()) w->update();
}

namespace {
// A warning box with the program's own two button texts; true when the first was chosen.
bool AskWithButtons(QWidget* parent, const QString& text, const char* accept, const char* reject) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Quenk"), text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(Q(accept), QMessageBox::AcceptRole);
    box.addButton(Q(reject), QMessageBox::RejectRole);
    box.exec();
    return box.clickedButton() == yes;
}
}  // namespace

bool QtInteraction::ConfirmLotrixInfo() {
    QStringList lines;
    for (const char* line : texts::kLotrixInfoLines) lines << Q(line);
    return AskWithButtons(m_parent, lines.join(QLatin1Char('\n')), texts::kLotrixInfoAgree,
                          texts::kLotrixInfoDisagree);
}

bool QtInteraction::ConfirmLotrixSet() {
    return AskWithButtons(m_parent, Q(texts::kLotrixSetText), texts::kLotrixSetOk, texts::kLotrixSetCancel);
}
