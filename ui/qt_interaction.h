#pragma once
// The desktop program's answers to the core's questions: Qt message boxes, file dialogs and
// the wait cursor.

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

#include "model/interaction.h"
#include "ui/work_events.h"

class CQuenkApp;

class QtInteraction : public Interaction {
public:
    explicit QtInteraction(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    // The state that the dialogs opened on the core's request edit.
    void SetApplication(CQuenkApp* app) { m_app = app; }
    // The status-bar pane that tells of long work while the wait cursor shows.
    void SetStatusPane(QLabel* pane) { m_status = pane; }
    // The function that runs one of the program's dialogs; it returns whether it was confirmed.
    void SetDialog(DialogRequest which, std::function<bool()> run) { m_dialogs[which] = std::move(run); }

    void Message(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    bool AskOkCancel(const std::string& text) override;
    std::optional<std::string> AskOpenFile(const FileQuestion& q) override;
    std::optional<std::string> AskSaveFile(const FileQuestion& q) override;
    std::optional<int> AskPenForColour(int colourIndex) override;
    bool OpenDialog(DialogRequest which) override;
    void BeginWait() override;
    void EndWait() override;
    void RequestRedraw() override;
    // After half a second of work: "Bitte warten ... 42 %" in the status bar, with the
    // pending events handed out under the rules of WorkEvents.
    void Progress(std::size_t done, std::size_t total) override;
    bool ConfirmLotrixInfo() override;
    bool ConfirmLotrixSet() override;

private:
    QWidget* m_parent;
    CQuenkApp* m_app = nullptr;
    QPointer<QLabel> m_status;
    QString m_statusBefore;
    int m_waitDepth = 0;
    QElapsedTimer m_waitClock;  // since the outermost BeginWait
    WorkEvents m_workEvents;
    std::map<DialogRequest, std::function<bool()>> m_dialogs;
};

// "Bitte warten ... 42 %".
QString ProgressText(std::size_t done, std::size_t total);

// Turns the program's filter text " HPGL (.plt) |*.plt| ... ||" into Qt's form.
QString ToQtFilter(const std::string& filter);
