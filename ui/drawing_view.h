#pragma once
// CQuenkView: shows one document. For now the machine and material frames and every chain
// in the colours of "Geschlossen, Offen"; the other colour modes, markers and paths follow.

#include <QWidget>

#include "ui/view_transform.h"

class CQuenkApp;
class CQuenkDoc;

class CQuenkView : public QWidget {
    Q_OBJECT
public:
    CQuenkView(CQuenkApp& app, CQuenkDoc& doc, QWidget* parent = nullptr);

    // "Zoom Werkstück": fit the drawing's outer box into the window.
    void ZoomWorkpiece();

    const ViewTransform& Transform() const { return m_view; }
    bool IsFitted() const { return m_bFitted; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CQuenkApp& m_app;
    CQuenkDoc& m_doc;
    ViewTransform m_view;
    bool m_bFitted = false;
};
