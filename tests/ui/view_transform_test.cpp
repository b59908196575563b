// The pixel arithmetic of the zooms: exact integer results.

#include <QtTest>
#include <tuple>

#include "ui/view_transform.h"

namespace {
std::tuple<double, int, int> Of(const ViewTransform& t) { return {t.scale, t.offsetX, t.baseY}; }
std::tuple<int, int> Px(const ViewTransform& t, double x, double y) { return {t.ScreenX(x), t.ScreenY(y)}; }
}  // namespace

class ViewTransformTest : public QObject {
    Q_OBJECT
private slots:
    void fitEqualAspectFillsTheArea() {
        ViewTransform t;
        t.Fit(0, 100, 0, 50, 202, 102, 1);
        QCOMPARE(Of(t), std::tuple(0.5, 0, 102));
        QCOMPARE(Px(t, 0, 0), std::tuple(1, 101));
        QCOMPARE(Px(t, 100, 50), std::tuple(201, 1));
    }
    void fitCentresTheShortSide() {
        ViewTransform t;
        t.Fit(0, 50, 0, 50, 202, 102, 1);
        QCOMPARE(Of(t), std::tuple(0.5, -50, 102));
        QCOMPARE(Px(t, 0, 0), std::tuple(51, 101));
        QCOMPARE(Px(t, 50, 50), std::tuple(151, 1));
        ViewTransform u;
        u.Fit(0, 100, 0, 10, 202, 102, 1);
        QCOMPARE(Of(u), std::tuple(0.5, 0, 2 + 20 + 40));  // (100 - 20) / 2 rows below the top
    }
    void zeroExtentUsesReplacementScale() {
        ViewTransform t;
        t.Fit(5, 5, 5, 5, 202, 102, 1);
        QCOMPARE(t.scale, kZeroScaleReplacement);
    }
    // Zoom in keeps the window's centre (1800 drawing units across) and magnifies by 1.5;
    // zoom out then does not give the old scale back: 1.5 x 3/4 = 1.125.
    void zoomStepsKeepTheCentre() {
        ViewTransform t{6.0, 0, 600, 0, 0};
        t.Step(true, 600, 600);
        QCOMPARE(Of(t), std::tuple(4.0, 150, 750));
        t.Step(false, 600, 600);
        QCOMPARE(6.0 / t.scale, 1.125);
        ViewTransform m{1.0, 0, 0, 20, 20};
        m.Step(true, 600, 600);
        QCOMPARE(std::tuple(m.marginX, m.marginY), std::tuple(0, 0));
    }
    void machineAndMaterialFits() {
        ViewTransform t;
        t.FitMachine(1000, 500, 540, 500, 20);  // sx = 2, sy = 1: the width decides
        QCOMPARE(Of(t), std::tuple(2.0, 0, 500));
        t.FitMachine(100, 1000, 540, 500, 20);  // sy = 2 >= sx
        QCOMPARE(t.baseY, 500);
        ViewTransform u;
        u.FitMaterial(200, 500, 1000, 540, 540, 20);  // sx = 1, sy = 2: centred across
        QCOMPARE(Of(u), std::tuple(2.0, 100 - (500 - 250) / 2, 500));
    }
    void areaZoomFillsTheClient() {
        ViewTransform t{1.0, 0, 400, 0, 0};
        t.ZoomArea(100, 100, 300, 200, 400, 200);  // 200 x 100 pixels into 400 x 200
        QCOMPARE(Of(t), std::tuple(0.5, 200, 600));
        QCOMPARE(Px(t, 100, 300), std::tuple(0, 0));
    }
};

QTEST_MAIN(ViewTransformTest)
#include "view_transform_test.moc"
