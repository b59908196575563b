#pragma once
// One drawing child window: the document and its view.

#include <QWidget>
#include <memory>

class CQuenkApp;
class CQuenkDoc;
class CQuenkView;

class DrawingWindow : public QWidget {
    Q_OBJECT
public:
    DrawingWindow(CQuenkApp& app, QWidget* parent = nullptr);
    ~DrawingWindow() override;

    CQuenkDoc& Document() { return *m_doc; }
    CQuenkView& View() { return *m_view; }

    // The drawing was imported into an empty document ("Nutzen erstellen" needs it).
    bool m_bWasEmptyAtImport = false;

private:
    std::unique_ptr<CQuenkDoc> m_doc;
    CQuenkView* m_view;
};
