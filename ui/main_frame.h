#pragma once
// CMainFrame: the main window with the menu bar, the main and mouse-function tool bars and
// the status bar, all built from the command table, and the drawing windows in a
// multi-document area. Every command runs through Execute, so tests can start any by its id.

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include "ui/command_context.h"
#include "ui/command_table.h"

class QAction;
class QLabel;
class QMdiArea;
class QToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CQuenkApp& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    QMdiArea* MdiArea() const { return m_mdi; }
    QToolBar* MainBar() const { return m_mainBar; }
    QToolBar* MouseBar() const { return m_mouseBar; }
    // The milling tool bar; none before milling mode.
    QToolBar* MillingBar() const { return m_millingBar; }
    QLabel* MessagePane() const { return m_message; }
    QAction* Action(int id) const { return m_actions.value(id); }
    CQuenkApp& App() { return m_app; }

    // Opens a new, empty drawing window (the "Neu" command).
    DrawingWindow* NewDrawingWindow();
    // Imports a drawing into a new window, as the Import command does, and fits it. Returns
    // the window that shows it: after a job file, the new window of milling mode.
    DrawingWindow* OpenDrawing(const QString& path);
    // Milling mode, for good: the two tool bars emptied, the milling tool bar, every drawing
    // closed without a question, a new window of milling mode and no menu bar. Returns the
    // new window.
    DrawingWindow* EnterMillingMode();
    // The active drawing window, or none.
    DrawingWindow* ActiveWindow() const;
    CommandContext Context() { return {*this, m_app, ActiveWindow()}; }

    // The recent-file list of the profile (10 entries), newest first.
    static QStringList RecentFiles();
    void AddRecentFile(const QString& path);

    // Runs the command if its rule enables it; false when it is disabled or has no handler.
    bool Execute(int id);
    // Refreshes every action's enabled and checked state and the menu bar.
    void UpdateCommandStates();

    // The CAD reader of this program is built in and always ready.
    bool m_bCadReaderReady = true;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void BuildMenu(std::span<const MenuPopup> menu);
    // A second action for the same command, following its enabled state.
    QAction* Twin(QAction* action, bool withIcon, QObject* owner);
    QToolBar* BuildToolBar(const QString& title, std::span<const int> buttons, Qt::ToolBarArea area);

    CQuenkApp& m_app;
    QMdiArea* m_mdi;
    QHash<int, QAction*> m_actions;
    QToolBar* m_mainBar = nullptr;
    QToolBar* m_mouseBar = nullptr;
    QToolBar* m_millingBar = nullptr;
    QLabel* m_message = nullptr;
    bool m_documentMenu = false;
    int m_windowCount = 0;
};
