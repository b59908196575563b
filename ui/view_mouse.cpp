#include "ui/view_mouse.h"

#include <QMenu>
#include <QRubberBand>
#include <cmath>

#include "model/document.h"
#include "model/quenk_app.h"
#include "prepare/chain_context.h"
#include "ui/context_menus.h"
#include "ui/drawing_view.h"
#include "ui/main_frame.h"

namespace {
struct ModeEntry {
    std::int32_t mode;
    ModeClickFn click;  // null: a hit does nothing
};
// Modes 4 and 5 do not exist; 12 is the tab mode, which tests the click itself.
constexpr ModeEntry kModes[] = {
    {0, nullptr},
    {1, StartPointClick},
    {2, ReverseClick},
    {3, ClearChainClick},
    {6, DeletePointClick},
    {kMouseModeExport, ExportClick},
    {8, PenInfoClick},
    {9, ToolInfoClick},
    {10, ChainInfoClick},
    {11, ColourPenClick},
    {kMouseModeCornerDrill, CornerDrillModeClick},
    {kMouseModeCornerVector, CornerVectorModeClick},
};
}  // namespace

CViewMouse::CViewMouse(CQuenkView& view)
    : m_view(view), m_band(new QRubberBand(QRubberBand::Rectangle, &view)), m_export(view.App(), view.Document()) {}

CViewMouse::~CViewMouse() = default;

CPunkt CViewMouse::ToDrawing(QPoint p) const {
    const ViewTransform& t = m_view.Transform();
    // In doubles: a far pan leaves offsets near the ends of int.
    return {(double(p.x()) - t.marginX + t.offsetX) * t.scale, (double(t.baseY) - t.marginY - p.y()) * t.scale};
}

double CViewMouse::Tolerance() const { return m_dPickTolerance * m_view.Transform().scale; }

bool CViewMouse::HitTestAt(QPoint p) {
    m_hit = HitTest(m_view.Document(), ToDrawing(p), Tolerance());
    return m_hit.has_value();
}

const Hit* CViewMouse::CurrentHit() const {
    if (!m_hit || !DocumentHolds(m_view.Document(), m_hit->chain, m_hit->radius)) return nullptr;
    // The chain may have lost points since the click.
    if (m_hit->chainHit && m_hit->index >= m_hit->chain->PointCount()) return nullptr;
    if (m_hit->radiusHit && m_hit->radiusIndex >= m_hit->radius->m_path.Size()) return nullptr;
    return &*m_hit;
}

MouseClick CViewMouse::ClickAt(QPoint p) { return {m_view, m_view.App(), m_view.Document(), ToDrawing(p), Tolerance()}; }

void CViewMouse::LeftDown(QPoint p) {
    m_pressPoint = p;
    m_tracking = true;
    m_band->setGeometry(QRect(p, QSize()));
    m_band->show();
}

void CViewMouse::Drag(QPoint p) {
    if (m_tracking) m_band->setGeometry(QRect(m_pressPoint, p).normalized());
}

void CViewMouse::LeftUp(QPoint p) {
    if (!m_tracking) return;
    m_tracking = false;
    m_band->hide();
    const QRect band = QRect(m_pressPoint, p).normalized();
    if (std::abs(p.x() - m_pressPoint.x()) > kZoomDragPixels) {
        m_view.RequestAreaZoom(band);
        return;
    }
    const std::int32_t mode = m_view.App().m_nMouseMode;
    const MouseClick click = ClickAt(m_pressPoint);
    if (mode == kMouseModeTabs) return TabModeClick(*this, click);
    for (const ModeEntry& e : kModes) {
        if (e.mode != mode) continue;
        if (HitTestAt(m_pressPoint) && e.click) e.click(*this, *m_hit, click);
        return;
    }
}

void CViewMouse::RightDown(QPoint p) {
    CQuenkApp& app = m_view.App();
    if (app.m_bMillingMode) return;
    m_ptContext = p;
    int popup = kPopupFile;
    if (app.m_nMouseMode != kMouseModeExport) popup = ChoosePopup(HitTestAt(p) ? &*m_hit : nullptr);
    auto* frame = qobject_cast<CMainFrame*>(m_view.window());
    if (!frame) return;
    if (m_popup) m_popup->close();
    m_popup = BuildContextMenu(*frame, m_view, popup);
    m_popup->popup(m_view.mapToGlobal(p));
}

void CViewMouse::ArmUndo(CVector* chain) {
    m_pUndoChain = chain;
    m_bUndoAvailable = true;
}

bool CViewMouse::CanUndo() const {
    return m_bUndoAvailable && m_view.App().m_nMouseMode != kMouseModeExport &&
           DocumentHolds(m_view.Document(), m_pUndoChain);
}

void CViewMouse::Undo() {
    if (!CanUndo()) return;
    {
        WaitCursor wait(Ui());
        m_pUndoChain->RestorePoints();
        m_view.Document().RecomputeBox();
    }
    m_bUndoAvailable = false;
    m_pUndoChain = nullptr;
    m_view.update();
}
