#pragma once
// CQuenkView: shows one document through the pixel transform; owns the zooms, pans, display
// toggles and the automatic Import shortly after it first appears.

#include <QRect>
#include <QWidget>
#include <memory>

#include "ui/drawing_paint.h"
#include "ui/view_transform.h"

class CFraeser;
class CQuenkApp;
class CQuenkDoc;
class CViewMouse;
class QPainter;

class CQuenkView : public QWidget {
    Q_OBJECT
public:
    CQuenkView(CQuenkApp& app, CQuenkDoc& doc, QWidget* parent = nullptr);
    ~CQuenkView() override;

    // The three fitting zooms.
    void ZoomWorkpiece();
    void ZoomMachine();
    void ZoomMaterial();
    // "Zoom vergössern" (in) and "Zoom verkleinern".
    void ZoomStep(bool in);
    // The four pans: dx, dy in quarters of W and H (+1 or -1).
    void Pan(int dx, int dy);
    // The mouse's zoom rectangle, applied by the next paint.
    void RequestAreaZoom(const QRect& rect);
    // After the radius correction of all chains.
    void AfterCorrection();

    const ViewTransform& Transform() const { return m_view; }
    ViewTransform& Transform() { return m_view; }
    bool IsFitted() const { return m_bFitted; }
    DisplayFlags& Flags() { return m_flags; }
    const DisplayFlags& Flags() const { return m_flags; }
    CQuenkDoc& Document() { return m_doc; }
    // The panel "Fräser" of milling mode, made when the view is first shown; none before and
    // in drawing mode.
    CFraeser* Panel() const { return m_panel; }
    CQuenkApp& App() { return m_app; }
    // The mouse functions, context menus and undo of this view.
    CViewMouse& Mouse() { return *m_mouse; }

    // Paints the picture on another device, as printing does.
    void Render(QPainter& painter, const QRect& area) const;
    // The delay of the automatic Import: longer while the splash window may still show.
    static int AutoImportDelay(bool splashShowing) { return splashShowing ? 2600 : 750; }

signals:
    // The automatic Import is due.
    void AutoImportDue();
    // A command of the milling panel, for the frame to run.
    void CommandRequested(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int W() const { return width() + 2; }
    int H() const { return height() + 2; }
    void ApplyAreaZoom();
    // Milling mode: the panel at the first show, the two dialogs and the fit after the first paint.
    void ShowMillingPanel();
    void FirstMillingPaint();

    CQuenkApp& m_app;
    CQuenkDoc& m_doc;
    ViewTransform m_view;
    DisplayFlags m_flags;
    bool m_bFitted = false;
    bool m_bZoomAreaPending = false;
    QRect m_rcZoom;
    bool m_shown = false;
    CFraeser* m_panel = nullptr;
    bool m_bFirstMillingPaint = false;
    std::unique_ptr<CViewMouse> m_mouse;
};
