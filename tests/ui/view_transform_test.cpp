// The pixel arithmetic of "Zoom Werkstück": exact integer results.

#include <QtTest>

#include "ui/view_transform.h"

class ViewTransformTest : public QObject {
    Q_OBJECT
private slots:
    void fitEqualAspectFillsTheArea() {
        ViewTransform t;
        t.Fit(0, 100, 0, 50, 202, 102, 1);
        QCOMPARE(t.scale, 0.5);
        QCOMPARE(t.offsetX, 0);
        QCOMPARE(t.baseY, 102);
        QCOMPARE(t.ScreenX(0), 1);
        QCOMPARE(t.ScreenX(100), 201);
        QCOMPARE(t.ScreenY(0), 101);
        QCOMPARE(t.ScreenY(50), 1);
    }
    void fitCentresTheShortSide() {
        ViewTransform t;
        t.Fit(0, 50, 0, 50, 202, 102, 1);
        QCOMPARE(t.scale, 0.5);
        QCOMPARE(t.offsetX, -50);
        QCOMPARE(t.ScreenX(0), 51);
        QCOMPARE(t.ScreenX(50), 151);
        ViewTransform u;
        u.Fit(0, 100, 0, 10, 202, 102, 1);
        QCOMPARE(u.scale, 0.5);
        QCOMPARE(u.baseY, 2 + 20 + 40);  // (100 - 20) / 2 rows below the top
    }
    void zeroExtentUsesReplacementScale() {
        ViewTransform t;
        t.Fit(5, 5, 5, 5, 202, 102, 1);
        QCOMPARE(t.scale, kZeroScaleReplacement);
    }
};

QTEST_MAIN(ViewTransformTest)
#include "view_transform_test.moc"
