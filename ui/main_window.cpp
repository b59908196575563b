#include "ui/main_window.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), m_mdi(new QMdiArea(this)) {
    setWindowTitle(QStringLiteral("Quenk"));
    setCentralWidget(m_mdi);
    resize(1024, 768);
}

QMdiSubWindow* MainWindow::NewDrawingWindow() {
    auto* view = new QWidget;
    view->setObjectName(QStringLiteral("drawingView"));
    view->setMinimumSize(320, 240);
    QMdiSubWindow* sub = m_mdi->addSubWindow(view);
    sub->setWindowTitle(QStringLiteral("Quenk1"));
    sub->showMaximized();
    return sub;
}
