#include "ui/drawing_window.h"

#include <QVBoxLayout>

#include "model/document.h"
#include "ui/drawing_view.h"

DrawingWindow::DrawingWindow(CQuenkApp& app, QWidget* parent)
    : QWidget(parent), m_doc(std::make_unique<CQuenkDoc>(app)), m_view(new CQuenkView(app, *m_doc, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

DrawingWindow::~DrawingWindow() = default;
