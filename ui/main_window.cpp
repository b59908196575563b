#include "ui/main_window.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "import/import_command.h"
#include "model/document.h"
#include "ui/drawing_view.h"
#include "ui/drawing_window.h"

MainWindow::MainWindow(CQuenkApp& app, QWidget* parent) : QMainWindow(parent), m_app(app), m_mdi(new QMdiArea(this)) {
    setWindowTitle(QStringLiteral("Quenk"));
    setCentralWidget(m_mdi);
    resize(1024, 768);
}

DrawingWindow* MainWindow::NewDrawingWindow() {
    auto* window = new DrawingWindow(m_app);
    QMdiSubWindow* sub = m_mdi->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(QStringLiteral("Quenk%1").arg(++m_windowCount));
    sub->showMaximized();
    return window;
}

DrawingWindow* MainWindow::OpenDrawing(const QString& path) {
    DrawingWindow* window = NewDrawingWindow();
    // A refused file must not name the window.
    if (ImportFile(window->Document(), path.toStdString()))
        if (QWidget* sub = window->parentWidget()) sub->setWindowTitle(QFileInfo(path).fileName());
    window->View().ZoomWorkpiece();
    return window;
}
