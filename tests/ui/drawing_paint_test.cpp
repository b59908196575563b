// The picture painted into an image: chain colours by colour mode, markers, drill circles
// and frames land on the pixels the transform gives (screen x = x, screen y = 200 - y).

#include <QImage>
#include <QPainter>
#include <QtTest>

#include "model/quenk_app.h"
#include "files/settings_file.h"
#include "tests/support/drawing_builder.h"
#include "tests/support/ui_pixels.h"
#include "ui/drawing_paint.h"
#include "ui/view_transform.h"

namespace {
struct Scene {
    CQuenkApp app;
    CQuenkDoc doc{app};
    DisplayFlags flags;
    // imported: the document counts as holding an imported drawing, which the view draws.
    explicit Scene(bool imported = true) {
        CompleteSettingsTables(app);
        doc.AddLayer();
        if (imported) doc.m_nothingImported = 0;
    }
    QImage Paint() {
        QImage img(200, 200, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        PaintDrawing(p, app, doc, ViewTransform{1.0, 0, 200, 0, 0}, flags, img.rect());
        return img;
    }
};

}  // namespace

class DrawingPaintTest : public QObject {
    Q_OBJECT
private slots:
    // A chain of pen 1, or of pen 3 whose colour is set, with the given direction and flag.
    void chainColourByMode() {
        const struct {
            const char* name;
            int mode, pen, direction, closed;
            QRgb colour;
        } rows[] = {
            {"0 closed", 0, 1, kDirClockwise, 1, qRgb(10, 255, 10)},
            {"0 open", 0, 1, kDirOpen, 0, qRgb(250, 30, 30)},
            {"1 open: display colour", 1, 1, kDirOpen, 0, qRgb(230, 230, 230)},
            {"1 with a direction: the pen's colour", 1, 3, kDirClockwise, 0, qRgb(0x33, 0x22, 0x11)},
            {"4 any", 4, 1, kDirClockwise, 1, qRgb(230, 230, 230)},
            {"5 clockwise", 5, 1, kDirClockwise, 1, qRgb(250, 250, 5)},
            {"5 counter-clockwise", 5, 1, kDirCounterClockwise, 1, qRgb(5, 5, 255)},
        };
        for (const auto& r : rows) {
            Scene s;
            s.app.m_nColorMode = r.mode;
            s.app.m_penColours[3] = 0x00112233;
            CVector& c = AddTestChain(s.doc, r.pen, {{20, 100}, {180, 100}});
            c.m_direction = r.direction;
            c.m_closed = r.closed;
            const QRgb got = s.Paint().pixel(100, 100) & 0xFFFFFF;
            QCOMPARE(std::pair(QString::fromLatin1(r.name), got), std::pair(QString::fromLatin1(r.name), r.colour & 0xFFFFFF));
        }
    }
    void startCrossEndSquareAndDrillCircle() {
        Scene s;
        s.flags.endPoints = true;
        s.app.m_displayColour2 = 0x00FF0000;
        CVector& c = AddTestChain(s.doc, 1, {{50, 100}, {150, 100}});
        c.m_toolRadius = 10;
        AddTestPath(c, {{100, 50}});
        const QImage img = s.Paint();
        QCOMPARE(img.pixel(47, 97) & 0xFFFFFF, qRgb(50, 50, 50) & 0xFFFFFF);   // (sx-3, sy-3)
        QCOMPARE(img.pixel(53, 103) & 0xFFFFFF, qRgb(50, 50, 50) & 0xFFFFFF);  // (sx+3, sy+3)
        QCOMPARE(img.pixel(152, 98) & 0xFFFFFF, qRgb(150, 150, 150) & 0xFFFFFF);
        QVERIFY(CountPixels(img, qRgb(0, 0, 255)) > 10);  // the dotted circle around (100, 150)
        QCOMPARE(img.pixel(100, 150) & 0xFFFFFF, qRgb(255, 255, 255) & 0xFFFFFF);
        s.app.m_nColorMode = 5;  // no corrected paths in this mode
        QCOMPARE(CountPixels(s.Paint(), qRgb(0, 0, 255)), 0);
    }
    // "Fräsbahn": the band r to both sides of the path as it is now, its second piece (after a
    // tab's gap) included, and nothing across the gap.
    void sweptPathFollowsThePaths() {
        Scene s;
        s.flags.toolPath = true;
        s.app.m_displayColour1 = 0x000000FF;
        CVector& c = AddTestChain(s.doc, 1, {{20, 60}, {180, 60}});
        c.m_toolRadius = 10;
        c.m_hasCorrection = 1;
        AddTestPath(c, {{20, 100}, {90, 100}});
        AddTestPath(c, {{110, 100}, {180, 100}});
        const QImage img = s.Paint();
        const QRgb band = qRgb(255, 0, 0) & 0xFFFFFF;
        for (const int x : {50, 150})
            for (const int y : {90, 110}) QCOMPARE(img.pixel(x, y) & 0xFFFFFF, band);
        QVERIFY(img.pixel(100, 90) != img.pixel(50, 90));
    }
    // Going back over a segment and on elsewhere still draws the way on from its first end.
    void retracedSegmentGoesOnFromItsStart() {
        Scene s;
        s.flags.startPoints = false;
        AddTestChain(s.doc, 1, {{20, 100}, {100, 100}, {20, 100}, {100, 100}, {20, 100}, {20, 180}});
        const QImage img = s.Paint();
        QCOMPARE(img.pixel(60, 100) & 0xFFFFFF, qRgb(250, 30, 30) & 0xFFFFFF);
        QCOMPARE(img.pixel(20, 60) & 0xFFFFFF, qRgb(250, 30, 30) & 0xFFFFFF);
        QCOMPARE(CountPixels(img, qRgb(250, 30, 30)), 81 + 80);
    }
    void withoutDrawingOnlyFrames() {
        Scene s(false);
        s.app.m_plotterUnit = 1.0;  // millimetres are drawing units here
        s.app.m_machineX = 180, s.app.m_machineY = 180;
        s.app.m_materialX = 100, s.app.m_materialY = 100;
        s.app.m_materialZeroX = 40, s.app.m_materialZeroY = 40;
        AddTestChain(s.doc, 1, {{20, 100}, {180, 100}});  // present, but nothing imported
        const QImage img = s.Paint();
        const int machine = CountPixels(img, qRgb(20, 20, 20)), material = CountPixels(img, qRgb(100, 250, 100));
        QVERIFY(machine > 200 && machine < 4 * 181);  // dash-dot, so fewer than the whole outline
        QVERIFY(material > 100 && material < 4 * 101);
        QCOMPARE(CountPixels(img, qRgb(255, 255, 255)) + machine + material, 200 * 200);
    }
};

QTEST_MAIN(DrawingPaintTest)
#include "drawing_paint_test.moc"
