// The frame's switch to milling mode.

#include <QMdiArea>
#include <QToolBar>

#include "model/quenk_app.h"
#include "ui/main_frame.h"

DrawingWindow* CMainFrame::EnterMillingMode() {
    // The bars stay where they are docked, each down to one separator.
    for (QToolBar* bar : {m_mainBar, m_mouseBar}) {
        bar->clear();
        bar->addSeparator();
    }
    if (!m_millingBar) m_millingBar = BuildToolBar(QStringLiteral("Fräsen"), MillingToolBar(), Qt::TopToolBarArea);
    m_app.m_bMillingMode = 1;
    // A drawing window asks nothing when it closes; the windows go once control returns.
    m_mdi->closeAllSubWindows();
    DrawingWindow* window = NewDrawingWindow();
    setMenuBar(nullptr);
    return window;
}
