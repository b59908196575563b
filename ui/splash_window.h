#pragma once
// CSplashWnd: the borderless picture shown over the main frame at start-up. It closes itself
// after 2500 ms, or at once on any key or mouse button anywhere in the program.

#include <QWidget>

class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    // Shows the splash centred on the frame, unless one exists already.
    static void ShowSplash(QWidget* frame);
    // Whether the splash window may still be on screen (cleared only by its timer).
    static bool IsShowing();
    static void SetShowing(bool showing);
    // The picture, drawn by the program itself.
    static QPixmap Picture();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    explicit CSplashWnd(QWidget* frame);
    void Hide();

    QWidget* m_frame;
    QPixmap m_picture;
};
