#pragma once
// The frame: a multi-document area holding the drawing windows.

#include <QMainWindow>

class QMdiArea;
class QMdiSubWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    QMdiArea* MdiArea() const { return m_mdi; }
    // Opens a new, empty drawing window.
    QMdiSubWindow* NewDrawingWindow();

private:
    QMdiArea* m_mdi;
};
