#include "ui/drawing_view.h"

#include <QPainter>
#include <QPolygon>

#include "model/document.h"
#include "model/quenk_app.h"

namespace {
// Colour mode "Geschlossen, Offen".
const QColor kClosedChain(10, 255, 10);
const QColor kOpenChain(250, 30, 30);
const QColor kMachineFrame(20, 20, 20);
const QColor kMaterialFrame(100, 250, 100);
}  // namespace

CQuenkView::CQuenkView(CQuenkApp& app, CQuenkDoc& doc, QWidget* parent) : QWidget(parent), m_app(app), m_doc(doc) {
    m_view.scale = app.m_viewScale;
    m_view.offsetX = app.m_viewState1;
    m_view.baseY = app.m_viewState2;
    // A view in drawing mode starts with "Geschlossen, Offen".
    app.m_nColorMode = 0;
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setMinimumSize(320, 240);
}

void CQuenkView::ZoomWorkpiece() {
    if (m_doc.m_maxX <= 0) {
        m_bFitted = true;
        return;
    }
    m_doc.RecomputeBox();
    m_view.Fit(m_doc.m_outerMinX, m_doc.m_outerMaxX, m_doc.m_outerMinY, m_doc.m_outerMaxY, width() + 2, height() + 2,
               m_app.m_screenMargin);
    m_bFitted = true;
    update();
}

void CQuenkView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ViewTransform& t = m_view;
    auto rect = [&](double x0, double y0, double x1, double y1) {
        const QPoint a(t.ScreenX(x0), t.ScreenY(y0)), b(t.ScreenX(x1), t.ScreenY(y0));
        const QPoint c(t.ScreenX(x1), t.ScreenY(y1)), d(t.ScreenX(x0), t.ScreenY(y1));
        painter.drawLine(a, b);
        painter.drawLine(b, c);
        painter.drawLine(c, d);
        painter.drawLine(d, a);
    };

    painter.setPen(QPen(kMachineFrame, 0, Qt::DashDotLine));
    rect(0, 0, m_app.m_machineXUnits, m_app.m_machineYUnits);
    if (m_app.m_materialXUnits != 0 && m_app.m_materialYUnits != 0) {
        painter.setPen(QPen(kMaterialFrame, 0, Qt::DashDotLine));
        const double x0 = m_app.m_materialZeroXUnits, y0 = m_app.m_materialZeroYUnits;
        rect(x0, y0, x0 + m_app.m_materialXUnits, y0 + m_app.m_materialYUnits);
    }
    if (m_doc.m_nothingImported) return;

    QPolygon line;
    for (const auto& layer : m_doc.m_layers)
        for (const auto& pen : layer->m_pens)
            for (const auto& chain : pen->m_chains) {
                if (chain->m_points.IsEmpty()) continue;
                painter.setPen(QPen(chain->m_closed ? kClosedChain : kOpenChain, 0));
                line.clear();
                for (const CPunkt& p : chain->m_points) line << QPoint(t.ScreenX(p.x), t.ScreenY(p.y));
                painter.drawPolyline(line);
            }
}
