#include "ui/splash_window.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace {
bool g_splashShowing = true;
QPointer<CSplashWnd> g_splash;
constexpr int kSplashMs = 2500;
}  // namespace

bool CSplashWnd::IsShowing() { return g_splashShowing; }
void CSplashWnd::SetShowing(bool showing) { g_splashShowing = showing; }

QPixmap CSplashWnd::Picture() {
    QPixmap pixmap(420, 240);
    pixmap.fill(QColor(250, 250, 245));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.drawRect(1, 1, 417, 237);
    // A contour with its offset path and a drill hole: what the program makes of a drawing.
    p.setPen(QPen(QColor(10, 200, 10), 2));
    p.drawRoundedRect(30, 40, 140, 110, 20, 20);
    p.setPen(QPen(QColor(200, 60, 60), 1, Qt::DashLine));
    p.drawRoundedRect(22, 32, 156, 126, 28, 28);
    p.setPen(QPen(QColor(5, 5, 255), 2));
    p.drawEllipse(QPoint(100, 95), 18, 18);
    p.setPen(QColor(30, 30, 30));
    QFont font = p.font();
    font.setPointSize(34);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(190, 40, 220, 70), Qt::AlignCenter, QStringLiteral("Quenk"));
    font.setPointSize(11);
    font.setBold(false);
    p.setFont(font);
    p.drawText(QRect(190, 110, 220, 60), Qt::AlignCenter,
               QStringLiteral("CAM für kleine CNC-Fräsen\nVersion 4.6"));
    return pixmap;
}

CSplashWnd::CSplashWnd(QWidget* frame)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_frame(frame),
      m_picture(Picture()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(m_picture.size());
    const QRect area = frame && frame->isVisible() ? frame->geometry() : QApplication::primaryScreen()->geometry();
    move(area.center() - rect().center());
    qApp->installEventFilter(this);
    QTimer::singleShot(kSplashMs, this, [this] {
        g_splashShowing = false;
        Hide();
    });
}

void CSplashWnd::ShowSplash(QWidget* frame) {
    if (g_splash) return;
    g_splash = new CSplashWnd(frame);
    g_splash->show();
}

void CSplashWnd::Hide() {
    qApp->removeEventFilter(this);
    if (m_frame) m_frame->update();
    close();
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress: Hide(); break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, m_picture);
}
