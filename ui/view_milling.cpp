// The view in milling mode: its panel and what follows its first paint.

#include "model/core_context.h"
#include "model/quenk_app.h"
#include "toolpath/milling_options.h"
#include "ui/drawing_view.h"
#include "ui/milling_panel.h"

void CQuenkView::ShowMillingPanel() {
    m_panel = new CFraeser(m_app, this);
    connect(m_panel, &CFraeser::Command, this, &CQuenkView::CommandRequested);
    connect(m_panel, &CFraeser::ToolsChanged, this, qOverload<>(&QWidget::update));
    m_panel->move(0, 0);
    m_panel->show();
    // "Alles Fräsen": the job's own tools take part.
    UseToolsOfMillingList(m_app);
    m_panel->ShowToolsUsed();
    m_bFirstMillingPaint = true;
    update();
}

void CQuenkView::FirstMillingPaint() {
    Ui().OpenDialog(DialogRequest::Material);
    Ui().OpenDialog(DialogRequest::ToolData);
    ZoomWorkpiece();
}
