// Starts the main window offscreen, opens a drawing window and closes everything again.

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

#include "model/quenk_app.h"
#include "ui/main_frame.h"

class UiSmokeTest : public QObject {
    Q_OBJECT
private slots:
    void mainWindowStartsAndCloses() {
        CQuenkApp app;
        CMainFrame w(app);
        QCOMPARE(w.windowTitle(), QStringLiteral("Quenk"));
        w.NewDrawingWindow();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.MdiArea()->subWindowList().size(), 1);
        QVERIFY(w.close());
    }
};

QTEST_MAIN(UiSmokeTest)
#include "ui_smoke_test.moc"
