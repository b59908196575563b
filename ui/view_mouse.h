#pragma once
// The drawing view's mouse: the rubber band and its zoom, the hit test at a pixel, the left
// click of every mouse function, the right button's context menus, the one-level undo of a
// deletion and the view's mouse export. The operations are the core's; this turns pixels
// into drawing units and decides which operation a click starts.

#include <QMenu>
#include <QPoint>
#include <QPointer>
#include <optional>

#include "output/mouse_export.h"
#include "toolpath/pick.h"

class CQuenkApp;
class CQuenkDoc;
class CQuenkView;
class QRubberBand;

// What a click of the mouse function gets: the view, the hit (when there was one) and the
// click in drawing units with the pick tolerance.
struct MouseClick {
    CQuenkView& view;
    CQuenkApp& app;
    CQuenkDoc& doc;
    CPunkt x;
    double tol;
};

class CViewMouse {
public:
    explicit CViewMouse(CQuenkView& view);
    ~CViewMouse();

    // Pixel handling, in client coordinates.
    void LeftDown(QPoint p);
    void Drag(QPoint p);
    void LeftUp(QPoint p);
    void RightDown(QPoint p);

    // The click point in drawing units and the pick tolerance of 5 pixels in drawing units.
    CPunkt ToDrawing(QPoint p) const;
    double Tolerance() const;
    // Fills the hit of the last test; false (and no hit) when nothing lies under p.
    bool HitTestAt(QPoint p);
    // The hit of the last test, checked against the document: none when the drawing no
    // longer holds its chain or path.
    const Hit* CurrentHit() const;

    // The undo of the last deletion of a chain or point.
    void ArmUndo(CVector* chain);
    bool CanUndo() const;
    void Undo();

    // The popup of the last right click (null once closed).
    QMenu* Popup() const { return m_popup; }
    CMouseExport& Export() { return m_export; }
    TabSettings& Tabs() { return m_tabs; }
    QPoint ContextPoint() const { return m_ptContext; }

    static constexpr double m_dPickTolerance = 5.0;  // pixels
    // A drag wider than this many pixels zooms to its rectangle, in every mouse function.
    static constexpr int kZoomDragPixels = 30;

    // A click at p as the mouse functions get it.
    MouseClick ClickAt(QPoint p);

private:

    CQuenkView& m_view;
    std::optional<Hit> m_hit;
    CVector* m_pUndoChain = nullptr;
    bool m_bUndoAvailable = false;
    QPoint m_ptContext;
    QPoint m_pressPoint;
    bool m_tracking = false;
    QRubberBand* m_band = nullptr;
    QPointer<QMenu> m_popup;
    TabSettings m_tabs;
    CMouseExport m_export;
};

// The left click of one mouse function; a table in view_mouse.cpp maps each mode to one.
using ModeClickFn = void (*)(CViewMouse& mouse, const Hit& hit, const MouseClick& click);
void StartPointClick(CViewMouse& mouse, const Hit& hit, const MouseClick& click);
void ReverseClick(CViewMouse& mouse, const Hit& hit, const MouseClick& click);
void ClearChainClick(CViewMouse& mouse, const Hit& hit, const MouseClick& click);
void DeletePointClick(CViewMouse& mouse, const Hit& hit, const MouseClick& click);
void ExportClick(CViewMouse& mouse, const Hit& hit, const MouseClick& click);
void PenInfoClick(CViewMouse& mouse, const Hit& hit, const MouseClick& click);
void ToolInfoClick(CViewMouse& mouse, const Hit& hit, const MouseClick& click);
void ChainInfoClick(CViewMouse& mouse, const Hit& hit, const MouseClick& click);
void ColourPenClick(CViewMouse& mouse, const Hit& hit, const MouseClick& click);
void CornerDrillModeClick(CViewMouse& mouse, const Hit& hit, const MouseClick& click);
void CornerVectorModeClick(CViewMouse& mouse, const Hit& hit, const MouseClick& click);
// The tab mode takes no hit test of its own first: the core tests the click.
void TabModeClick(CViewMouse& mouse, const MouseClick& click);
