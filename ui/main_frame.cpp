#include "ui/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>

#include "model/document.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "output/texts.h"
#include "ui/command_rules.h"
#include "ui/drawing_view.h"
#include "ui/drawing_window.h"
#include "ui/file_commands.h"
#include "ui/grbl_send_dialog.h"
#include "ui/toolbar_icons.h"

namespace {
// Accelerators beside those the menu texts show.
struct Accelerator {
    int id;
    QKeySequence::StandardKey key;
    const char* extra;  // a second key, "" for none
};
const Accelerator kAccelerators[] = {
    {cmd::kNew, QKeySequence::New, ""},           {cmd::kOpen, QKeySequence::Open, ""},
    {cmd::kSave, QKeySequence::Save, ""},         {cmd::kPrint, QKeySequence::Print, ""},
    {cmd::kUndoDelete, QKeySequence::Undo, "Alt+Backspace"}, {cmd::kCut, QKeySequence::Cut, "Shift+Del"},
    {cmd::kCopy, QKeySequence::Copy, "Ctrl+Ins"}, {cmd::kPaste, QKeySequence::Paste, "Shift+Ins"},
};

constexpr int kRecentFiles = 10;
const QString kRecentKey = QStringLiteral("Recent File List");

QString Prompt(const CommandEntry& e) { return QString::fromUtf8(e.prompt).section(QLatin1Char('\n'), 0, 0); }
QString ToolTip(const CommandEntry& e) {
    const QString s = QString::fromUtf8(e.prompt);
    return s.contains(QLatin1Char('\n')) ? s.section(QLatin1Char('\n'), 1) : QString::fromUtf8(e.text);
}
}  // namespace

CMainFrame::CMainFrame(CQuenkApp& app, QWidget* parent) : QMainWindow(parent), m_app(app), m_mdi(new QMdiArea(this)) {
    setWindowTitle(QStringLiteral("Quenk"));
    setCentralWidget(m_mdi);
    setAcceptDrops(true);
    resize(1024, 768);
    CreateActions();
    m_mainBar = BuildToolBar(QStringLiteral("Symbolleiste"), MainToolBar(), Qt::TopToolBarArea);
    m_mouseBar = BuildToolBar(QStringLiteral("Mousefunktion"), MouseToolBar(), Qt::LeftToolBarArea);
    m_message = new QLabel(QString::fromUtf8(kIdlePrompt));
    statusBar()->addWidget(m_message, 1);
    for (const char* pane : kIndicatorPanes) {
        auto* label = new QLabel(QString::fromUtf8(pane));
        label->setEnabled(false);
        statusBar()->addPermanentWidget(label);
    }
    BuildMenu(FrameMenu());
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        setWindowTitle(sub ? QStringLiteral("Quenk - [%1]").arg(sub->windowTitle()) : QStringLiteral("Quenk"));
        UpdateCommandStates();
    });
    // Like the framework's idle update: the states follow the documents without being told.
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, &CMainFrame::UpdateCommandStates);
    idle->start(250);
    UpdateCommandStates();
}

// The drawing windows go after the actions; their last signals must find no one listening.
CMainFrame::~CMainFrame() { m_mdi->disconnect(this); }

void CMainFrame::CreateActions() {
    for (const CommandEntry& e : Commands()) {
        QString text = QString::fromUtf8(e.text);
        if (*e.shortcut) text += QLatin1Char('\t') + QString::fromUtf8(e.shortcut);
        auto* action = new QAction(text, this);
        action->setData(e.id);
        action->setStatusTip(Prompt(e));
        action->setToolTip(ToolTip(e));
        action->setCheckable(e.check != CheckRule::None);
        action->setIcon(ToolBarIcon(e.id));
        action->setShortcutContext(Qt::ApplicationShortcut);
        const int id = e.id;
        connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
        m_actions.insert(e.id, action);
        addAction(action);
    }
    for (const Accelerator& a : kAccelerators) {
        QList<QKeySequence> keys{QKeySequence(a.key)};
        if (*a.extra) keys << QKeySequence(QString::fromLatin1(a.extra));
        m_actions.value(a.id)->setShortcuts(keys);
    }
}

void CMainFrame::BuildMenu(std::span<const MenuPopup> menu) {
    if (m_app.m_bMillingMode) return;  // milling mode has no menu bar
    setMenuBar(new QMenuBar(this));  // the old bar goes with its popups
    for (const MenuPopup& popup : menu) {
        if (popup.items.empty()) {
            // A command on the menu bar itself shows its text, not its tool-bar icon.
            menuBar()->addAction(Twin(m_actions.value(popup.id), false, menuBar()));
            continue;
        }
        QMenu* m = menuBar()->addMenu(QString::fromUtf8(popup.title));
        const QStringList recent = RecentFiles();
        for (int id : popup.items) {
            if (id == 0) {
                m->addSeparator();
            } else if (id == cmd::kRecent && !recent.isEmpty()) {
                for (qsizetype i = 0; i < recent.size(); ++i) {
                    const QString path = recent[i];
                    QAction* a = m->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
                    a->setStatusTip(Prompt(*FindCommand(cmd::kRecent)));
                    connect(a, &QAction::triggered, this, [this, path] {
                        if (DrawingWindow* w = ActiveWindow(); w && w->Document().m_nothingImported) {
                            CommandContext ctx{*this, m_app, w};
                            ImportPath(ctx, path.toStdString());
                        } else {
                            OpenDrawing(path);
                        }
                    });
                }
            } else {
                m->addAction(m_actions.value(id));
            }
        }
        connect(m, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    }
}

QAction* CMainFrame::Twin(QAction* action, bool withIcon, QObject* owner) {
    auto* twin = new QAction(action->text(), owner);
    if (withIcon) twin->setIcon(action->icon());
    twin->setData(action->data());
    twin->setStatusTip(action->statusTip());
    twin->setToolTip(action->toolTip());
    twin->setEnabled(action->isEnabled());
    connect(twin, &QAction::triggered, action, &QAction::trigger);
    connect(action, &QAction::changed, twin, [twin, action] { twin->setEnabled(action->isEnabled()); });
    return twin;
}

QToolBar* CMainFrame::BuildToolBar(const QString& title, std::span<const int> buttons, Qt::ToolBarArea area) {
    auto* bar = new QToolBar(title, this);
    bar->setObjectName(title);
    bar->setIconSize(QSize(20, 20));
    for (int id : buttons) {
        if (id == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action = m_actions.value(id);
        // A second button of the same command needs an action of its own.
        bar->addAction(bar->actions().contains(action) ? Twin(action, true, bar) : action);
    }
    addToolBar(area, bar);
    return bar;
}

DrawingWindow* CMainFrame::ActiveWindow() const {
    QMdiSubWindow* sub = m_mdi->activeSubWindow();
    if (!sub && !m_mdi->subWindowList().isEmpty()) sub = m_mdi->subWindowList().last();
    return sub ? qobject_cast<DrawingWindow*>(sub->widget()) : nullptr;
}

DrawingWindow* CMainFrame::NewDrawingWindow() {
    auto* window = new DrawingWindow(m_app);
    QMdiSubWindow* sub = m_mdi->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(QStringLiteral("Quenk%1").arg(++m_windowCount));
    connect(&window->View(), &CQuenkView::AutoImportDue, this, [this, window] {
        CommandContext ctx{*this, m_app, window};
        if (window->Document().m_nothingImported) ImportIntoWindow(ctx);
    });
    connect(&window->View(), &CQuenkView::CommandRequested, this, &CMainFrame::Execute);
    connect(sub, &QWidget::windowTitleChanged, this, [this, sub](const QString& title) {
        if (ActiveWindow() == sub->widget()) setWindowTitle(QStringLiteral("Quenk - [%1]").arg(title));
    });
    connect(sub, &QObject::destroyed, this, [this] { QTimer::singleShot(0, this, &CMainFrame::UpdateCommandStates); });
    sub->showMaximized();
    UpdateCommandStates();
    return window;
}

DrawingWindow* CMainFrame::OpenDrawing(const QString& path) {
    DrawingWindow* window = NewDrawingWindow();
    CommandContext ctx{*this, m_app, window};
    ImportPath(ctx, path.toStdString());
    // A job file switches to milling mode, whose own window takes this one's place.
    return m_app.m_bMillingMode ? ActiveWindow() : window;
}

QStringList CMainFrame::RecentFiles() { return QSettings().value(kRecentKey).toStringList(); }

void CMainFrame::AddRecentFile(const QString& path) {
    QStringList recent = RecentFiles();
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kRecentFiles) recent.removeLast();
    QSettings().setValue(kRecentKey, recent);
    BuildMenu(m_documentMenu ? DocumentMenu() : FrameMenu());
}

bool CMainFrame::Execute(int id) {
    const CommandEntry* e = FindCommand(id);
    CommandContext ctx = Context();
    if (!e || !e->handler || !IsEnabled(e->enable, ctx)) return false;
    e->handler(ctx);
    UpdateCommandStates();
    return true;
}

void CMainFrame::UpdateCommandStates() {
    const CommandContext ctx = Context();
    const bool documentMenu = !m_mdi->subWindowList().isEmpty();
    if (documentMenu != m_documentMenu) {
        m_documentMenu = documentMenu;
        BuildMenu(documentMenu ? DocumentMenu() : FrameMenu());
    }
    for (const CommandEntry& e : Commands()) {
        QAction* action = m_actions.value(e.id);
        action->setEnabled(IsEnabled(e.enable, ctx));
        if (e.check != CheckRule::None) action->setChecked(IsChecked(e.check, ctx));
    }
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        m_message->setText(tip.isEmpty() ? QString::fromUtf8(kIdlePrompt) : tip);
        return true;
    }
    return QMainWindow::event(event);
}

// A machine that is sent a program is not left to run on unattended: closing asks first,
// and then stops it.
void CMainFrame::closeEvent(QCloseEvent* event) {
    if (GrblSendDialog::Running()) {
        if (!Ui().AskYesNo(texts::kGrblSendRunning)) {
            event->ignore();
            return;
        }
        GrblSendDialog::CancelAll();
    }
    QMainWindow::closeEvent(event);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) OpenDrawing(url.toLocalFile());
}
