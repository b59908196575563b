#include "ui/work_events.h"

#include <QCoreApplication>
#include <QEvent>

#include "ui/drawing_view.h"

void WorkEvents::ProcessPending() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    app->installEventFilter(this);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
    app->removeEventFilter(this);
}

void WorkEvents::RepaintSkipped() {
    for (const QPointer<QWidget>& view : m_skipped)
        if (view) view->update();
    m_skipped.clear();
}

bool WorkEvents::eventFilter(QObject* receiver, QEvent* event) {
    if (event->type() == QEvent::Timer) return true;
    if (event->type() != QEvent::Paint) return false;
    auto* view = qobject_cast<CQuenkView*>(receiver);
    if (!view) return false;
    if (!m_skipped.contains(view)) m_skipped.append(view);
    return true;
}
