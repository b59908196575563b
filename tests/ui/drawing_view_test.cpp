// Opening a drawing as the command line does: the sample sign is imported, fitted and drawn
// with closed chains in green and open ones in red.

#include <QImage>
#include <QMdiArea>
#include <QtTest>

#include "model/document.h"
#include "model/quenk_app.h"
#include "files/settings_file.h"
#include "ui/drawing_view.h"
#include "ui/drawing_window.h"
#include "ui/main_frame.h"

namespace {
int CountPixels(const QImage& img, QRgb colour) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) ++n;
    return n;
}
}  // namespace

class DrawingViewTest : public QObject {
    Q_OBJECT
private slots:
    void openedDrawingIsFittedAndDrawn() {
        CQuenkApp app;
        CompleteSettingsTables(app);
        CMainFrame w(app);
        w.show();
        DrawingWindow* window = w.OpenDrawing(QStringLiteral(QUENK_SOURCE_DIR "/samples/schild.plt"));
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQuenkDoc& doc = window->Document();
        QCOMPARE(doc.m_nothingImported, 0);
        QVERIFY(!doc.m_layers.empty());
        CQuenkView& view = window->View();
        QVERIFY(view.IsFitted());

        // The fitted drawing lies inside the view.
        const ViewTransform& t = view.Transform();
        QVERIFY(t.ScreenX(doc.m_minX) >= 0);
        QVERIFY(t.ScreenX(doc.m_maxX) <= view.width() + 1);
        QVERIFY(t.ScreenY(doc.m_maxY) >= 0);
        QVERIFY(t.ScreenY(doc.m_minY) <= view.height() + 1);

        const QImage img = view.grab().toImage();
        QVERIFY(CountPixels(img, qRgb(10, 255, 10)) > 100);  // closed outlines
        QVERIFY(CountPixels(img, qRgb(250, 30, 30)) > 5);    // the open engraving stroke
        w.close();
    }
};

QTEST_MAIN(DrawingViewTest)
#include "drawing_view_test.moc"
