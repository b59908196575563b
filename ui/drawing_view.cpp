#include "ui/drawing_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "model/document.h"
#include "model/quenk_app.h"
#include "ui/splash_window.h"
#include "ui/view_mouse.h"

CQuenkView::CQuenkView(CQuenkApp& app, CQuenkDoc& doc, QWidget* parent) : QWidget(parent), m_app(app), m_doc(doc) {
    m_view.scale = app.m_viewScale;
    m_view.offsetX = app.m_viewState1;
    m_view.baseY = app.m_viewState2;
    if (app.m_bMillingMode) {
        app.m_nColorMode = 5;
        app.m_nMouseMode = 9;
    } else {
        app.m_nColorMode = 0;
        app.m_nMouseMode = 1;
    }
    app.m_toolUsed.insert(app.m_toolUsed.end(), kTableSize, 0);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 240);
    m_mouse = std::make_unique<CViewMouse>(*this);
}

CQuenkView::~CQuenkView() {
    m_app.m_viewScale = m_view.scale;
    m_app.m_viewState1 = m_view.offsetX;
    m_app.m_viewState2 = m_view.baseY;
}

void CQuenkView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_shown) return;
    m_shown = true;
    if (m_app.m_bMillingMode) return ShowMillingPanel();
    QTimer::singleShot(AutoImportDelay(CSplashWnd::IsShowing()), this, &CQuenkView::AutoImportDue);
}

void CQuenkView::Render(QPainter& painter, const QRect& area) const {
    PaintDrawing(painter, m_app, m_doc, m_view, m_flags, area);
}

void CQuenkView::paintEvent(QPaintEvent* event) {
    if (m_bZoomAreaPending) {
        ApplyAreaZoom();
        return;
    }
    if (m_bFirstMillingPaint) {
        m_bFirstMillingPaint = false;
        // The dialogs are modal: they open after this paint, not inside it.
        QTimer::singleShot(0, this, &CQuenkView::FirstMillingPaint);
    }
    QPainter painter(this);
    Render(painter, event->rect());
}

void CQuenkView::keyReleaseEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageUp: ZoomStep(true); break;
    case Qt::Key_PageDown: ZoomStep(false); break;
    case Qt::Key_Home: ZoomWorkpiece(); break;
    case Qt::Key_Left: Pan(-1, 0); break;
    case Qt::Key_Right: Pan(1, 0); break;
    case Qt::Key_Up: Pan(0, 1); break;
    case Qt::Key_Down: Pan(0, -1); break;
    default: QWidget::keyReleaseEvent(event); return;
    }
}

void CQuenkView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_mouse->LeftDown(event->position().toPoint());
    if (event->button() == Qt::RightButton) m_mouse->RightDown(event->position().toPoint());
}

void CQuenkView::mouseMoveEvent(QMouseEvent* event) { m_mouse->Drag(event->position().toPoint()); }

void CQuenkView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_mouse->LeftUp(event->position().toPoint());
}
