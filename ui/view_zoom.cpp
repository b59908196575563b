// The view's zoom and pan commands.

#include "model/document.h"
#include "model/quenk_app.h"
#include "output/gcode.h"
#include "ui/drawing_view.h"

void CQuenkView::ZoomWorkpiece() {
    if (!m_app.m_bMillingMode && m_doc.m_maxX <= 0) {
        m_bFitted = true;
        return;
    }
    double minX, maxX, minY, maxY;
    if (m_app.m_bMillingMode) {
        ComputePathExtents(m_app);
        minX = m_app.m_pathMinX, maxX = m_app.m_pathMaxX, minY = m_app.m_pathMinY, maxY = m_app.m_pathMaxY;
        // A job without a path point has an inverted extent: fitting it would turn the picture over.
        if (maxX < minX) {
            m_bFitted = true;
            return;
        }
    } else {
        m_doc.RecomputeBox();
        minX = m_doc.m_outerMinX, maxX = m_doc.m_outerMaxX, minY = m_doc.m_outerMinY, maxY = m_doc.m_outerMaxY;
    }
    m_view.Fit(minX, maxX, minY, maxY, W(), H(), m_app.m_screenMargin);
    update();
    m_bFitted = true;
}

void CQuenkView::ZoomMachine() {
    const DrawingFrames frames = FramesInDrawingUnits(m_app);
    m_view.FitMachine(frames.machineX, frames.machineY, W(), H(), m_app.m_screenMargin);
    update();
}

void CQuenkView::ZoomMaterial() {
    if (m_app.m_materialX == 0 || m_app.m_materialY == 0) return;
    const DrawingFrames frames = FramesInDrawingUnits(m_app);
    m_view.FitMaterial(frames.materialZeroX, frames.materialX, frames.materialY, W(), H(), m_app.m_screenMargin);
    update();
}

void CQuenkView::ZoomStep(bool in) {
    m_view.Step(in, W(), H());
    update();
}

void CQuenkView::Pan(int dx, int dy) {
    m_view.offsetX += dx * (W() / 4);
    m_view.baseY += dy * (H() / 4);
    update();
}

void CQuenkView::RequestAreaZoom(const QRect& rect) {
    m_rcZoom = rect;
    m_bZoomAreaPending = true;
    update();
}

void CQuenkView::ApplyAreaZoom() {
    m_bFitted = false;
    m_view.ZoomArea(m_rcZoom.left(), m_rcZoom.top(), m_rcZoom.right(), m_rcZoom.bottom(), width(), height());
    m_bZoomAreaPending = false;
    update();
}

void CQuenkView::AfterCorrection() {
    m_app.m_nColorMode = 4;
    if (m_bFitted)
        ZoomWorkpiece();
    else
        update();
}
