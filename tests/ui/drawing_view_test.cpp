// The main window starts offscreen, opens a drawing as the command line does (the sample sign
// is imported, fitted and drawn with closed chains in green and open ones in red) and closes.

#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

#include "model/document.h"
#include "model/quenk_app.h"
#include "files/settings_file.h"
#include "ui/drawing_view.h"
#include "ui/drawing_window.h"
#include "ui/main_frame.h"
#include "tests/support/ui_pixels.h"

class DrawingViewTest : public QObject {
    Q_OBJECT
private slots:
    void openedDrawingIsFittedAndDrawn() {
        CQuenkApp app;
        CompleteSettingsTables(app);
        CMainFrame w(app);
        QCOMPARE(w.windowTitle(), QStringLiteral("Quenk"));
        w.show();
        DrawingWindow* window = w.OpenDrawing(QStringLiteral(QUENK_SOURCE_DIR "/samples/schild.plt"));
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.MdiArea()->subWindowList().size(), 1);
        CQuenkDoc& doc = window->Document();
        QCOMPARE(doc.m_nothingImported, 0);
        QVERIFY(!doc.m_layers.empty());
        CQuenkView& view = window->View();
        QVERIFY(view.IsFitted());

        // The fitted drawing lies inside the view.
        const ViewTransform& t = view.Transform();
        QVERIFY(t.ScreenX(doc.m_minX) >= 0 && t.ScreenX(doc.m_maxX) <= view.width() + 1);
        QVERIFY(t.ScreenY(doc.m_maxY) >= 0 && t.ScreenY(doc.m_minY) <= view.height() + 1);

        const QImage img = view.grab().toImage();
        QVERIFY(CountPixels(img, qRgb(10, 255, 10)) > 100);  // closed outlines
        QVERIFY(CountPixels(img, qRgb(250, 30, 30)) > 5);    // the open engraving stroke
        QVERIFY(w.close());
    }
};

QTEST_MAIN(DrawingViewTest)
#include "drawing_view_test.moc"
