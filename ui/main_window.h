#pragma once
// The frame: a multi-document area holding the drawing windows.

#include <QMainWindow>
#include <QString>

class CQuenkApp;
class DrawingWindow;
class QMdiArea;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(CQuenkApp& app, QWidget* parent = nullptr);

    QMdiArea* MdiArea() const { return m_mdi; }
    // Opens a new, empty drawing window.
    DrawingWindow* NewDrawingWindow();
    // Imports a drawing into a new window, as the import command does, and fits it.
    DrawingWindow* OpenDrawing(const QString& path);

private:
    CQuenkApp& m_app;
    QMdiArea* m_mdi;
    int m_windowCount = 0;
};
