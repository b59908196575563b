#pragma once
// The desktop program's answers to the core's questions: Qt message boxes, file dialogs and
// the wait cursor.

#include <QLabel>
#include <QPointer>
#include <QWidget>

#include "model/interaction.h"

class CQuenkApp;

class QtInteraction : public Interaction {
public:
    explicit QtInteraction(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    // The status-bar pane that tells of long work while the wait cursor shows.
    void SetStatusPane(QLabel* pane) { m_status = pane; }
    // The application state that the dialogs asked for by the core edit.
    void SetApp(CQuenkApp* app) { m_app = app; }

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
    bool ConfirmLotrixInfo() override;
    bool ConfirmLotrixSet() override;

private:
    QWidget* m_parent;
    CQuenkApp* m_app = nullptr;
    QPointer<QLabel> m_status;
    QString m_statusBefore;
    int m_waitDepth = 0;
};

// Turns the program's filter text " HPGL (.plt) |*.plt| ... ||" into Qt's form.
QString ToQtFilter(const std::string& filter);
