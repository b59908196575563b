#pragma once
// Events while long work runs on the program's own thread. The status bar's progress hands
// them out now and then, so that the windows stay painted and the window manager sees the
// program alive; but nothing may reach into the work: input stays queued for afterwards,
// timers wait (they fire again one interval later) because a timer could start a command in
// the middle of the work, and the drawing views do not paint a drawing that the work, and
// the import's helper thread, are changing. The views that missed a paint are repainted when
// the work is over.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

class WorkEvents : public QObject {
public:
    // Handles the events pending now, under the rules above.
    void ProcessPending();
    // Repaints the views that missed a paint.
    void RepaintSkipped();

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    QList<QPointer<QWidget>> m_skipped;
};
