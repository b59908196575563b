// The view's mouse on a small hand-built drawing, with presses at the pixels the view's
// transform gives for drawing points: each mouse function, the undo, the wide drag that
// zooms in every mode, the context menus and their commands.

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QtTest>

#include "files/settings_file.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "tests/support/drawing_builder.h"
#include "tests/support/scripted_interaction.h"
#include "ui/drawing_view.h"
#include "ui/drawing_window.h"
#include "ui/info_dialogs.h"
#include "ui/main_frame.h"
#include "ui/view_mouse.h"

namespace {
// 10 drawing units a pixel: the pick tolerance is 50 units.
struct Scene {
    ScriptedSession session;
    CQuenkApp app;
    std::unique_ptr<CMainFrame> frame;
    CQuenkView* view = nullptr;
    CQuenkDoc* doc = nullptr;
    CVector* square = nullptr;  // pen 1, closed
    CVector* open = nullptr;    // pen 2, with a corrected path along its top

    Scene() {
        CompleteSettingsTables(app);
        frame = std::make_unique<CMainFrame>(app);
        frame->resize(900, 700);
        frame->show();
        DrawingWindow* w = frame->NewDrawingWindow();
        view = &w->View();
        doc = &w->Document();
        doc->m_curLayer = doc->AddLayer();
        square = &AddTestChain(*doc, 1, {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}});
        open = &AddTestChain(*doc, 2, {{2000, 0}, {2000, 1000}, {3000, 1000}});
        AddTestPath(*open, {{1900, 1000}, {2500, 1000}, {3100, 1000}});
        doc->RecomputeBox();
        doc->m_nothingImported = 0;
        view->Transform() = ViewTransform{10.0, -20, 400, 10, 10};
    }
    QPoint Px(const CPunkt& p) const { return {view->Transform().ScreenX(p.x), view->Transform().ScreenY(p.y)}; }
    void Click(const CPunkt& p, std::int32_t mode) {
        app.m_nMouseMode = mode;
        QTest::mouseClick(view, Qt::LeftButton, {}, Px(p));
    }
    QString PopupAt(const CPunkt& p) {
        QTest::mousePress(view, Qt::RightButton, {}, Px(p));
        QMenu* menu = view->Mouse().Popup();
        const QString title = menu ? menu->title() : QString();
        if (menu) menu->close();
        return title;
    }
    QAction* PopupEntry(const CPunkt& p, const QString& text) {
        QTest::mousePress(view, Qt::RightButton, {}, Px(p));
        for (QAction* a : view->Mouse().Popup()->actions())
            if (a->text() == text) return a;
        return nullptr;
    }
};
}  // namespace

class MouseFunctionsTest : public QObject {
    Q_OBJECT
private slots:
    // A click on the square in one mouse function, then "Rückgängig löschen".
    void editAndUndo_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<int>("count");
        QTest::addColumn<QPointF>("second");  // the square's point 1 after the click
        QTest::addColumn<bool>("undo");
        QTest::newRow("start point on a segment") << 1 << QPointF(1000, 500) << 5 << QPointF(1000, 1000) << false;
        QTest::newRow("reverse") << 2 << QPointF(0, 500) << 5 << QPointF(0, 1000) << false;
        QTest::newRow("delete point") << 6 << QPointF(1000, 1000) << 4 << QPointF(1000, 0) << true;
        QTest::newRow("delete on a segment") << 6 << QPointF(1000, 520) << 5 << QPointF(1000, 0) << false;
        QTest::newRow("clear chain") << 3 << QPointF(0, 500) << 0 << QPointF() << true;
    }
    void editAndUndo() {
        QFETCH(int, mode);
        QFETCH(QPointF, at);
        QFETCH(int, count);
        QFETCH(QPointF, second);
        QFETCH(bool, undo);
        Scene s;
        s.Click({at.x(), at.y()}, mode);
        QCOMPARE(s.square->PointCount(), count);
        if (count > 0) QCOMPARE(s.square->m_points[1], (CPunkt{second.x(), second.y()}));
        QCOMPARE(s.frame->Execute(cmd::kUndoDelete), undo);
        QCOMPARE(s.square->PointCount(), 5);
        QVERIFY(!s.frame->Execute(cmd::kUndoDelete));  // one level only
    }

    void infoTexts_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("colour");
        QTest::addColumn<int>("corrected");
        QTest::addColumn<QString>("shown");
        QTest::newRow("pen") << 8 << 0 << 0 << "Stiftnummer:  1";
        QTest::newRow("pen with colour") << 8 << 7 << 0 << "Stiftnummer:  1   Farbe:   7";
        QTest::newRow("tool") << 9 << 0 << 1 << "Werkzeugnummer:  3 Rechts";
        QTest::newRow("tool without correction") << 9 << 0 << 0 << "";
    }
    void infoTexts() {
        QFETCH(int, mode);
        QFETCH(int, colour);
        QFETCH(int, corrected);
        QFETCH(QString, shown);
        Scene s;
        s.doc->m_layers[0]->m_pens[0]->m_colourIndex = colour;
        s.square->m_hasCorrection = corrected;
        s.square->m_tool = 3;
        s.Click({0, 500}, mode);
        QCOMPARE(QString::fromStdString(s.session.ui.shown.empty() ? "" : s.session.ui.shown.back()), shown);
    }

    void chainInfoDialogShowsTheChainInMillimetres() {
        Scene s;
        QString contour, direction;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            contour = dialog->findChild<QLineEdit*>(QStringLiteral("Kontur:"))->text();
            direction = dialog->findChild<QLineEdit*>(QStringLiteral("Drehrichtung:"))->text();
            dialog->close();
        });
        s.Click({0, 500}, 10);
        QCOMPARE(contour, FieldText(4000 * s.app.m_plotterUnit));
        QVERIFY(!direction.isEmpty());
    }

    void correctedPathIsHitBeforeTheChainPointUnderIt() {
        Scene s;
        QVERIFY(s.view->Mouse().HitTestAt(s.Px({2000, 1000})));
        const Hit* hit = s.view->Mouse().CurrentHit();
        QVERIFY(hit->radiusHit && !hit->chainHit);
        QCOMPARE(hit->chain, s.open);
    }

    void dragWiderThan30PixelsZoomsInEveryMode() {
        for (int mode : {0, 1, 2, 3, 6, 7, 8, 9, 10, 11, 12, 13, 14}) {
            Scene s;
            s.app.m_nMouseMode = mode;
            const QPoint from = s.Px({1000, 1000});
            QTest::mousePress(s.view, Qt::LeftButton, {}, from);
            QTest::mouseRelease(s.view, Qt::LeftButton, {}, from + QPoint(31, 20));
            QTRY_VERIFY(s.view->Transform().scale != 10.0);
            QCOMPARE(s.square->PointCount(), 5);
            QVERIFY(s.session.ui.shown.empty());
        }
        Scene s;  // exactly 30 pixels is a click
        s.app.m_nMouseMode = 6;
        QTest::mousePress(s.view, Qt::LeftButton, {}, s.Px({1000, 1000}));
        QTest::mouseRelease(s.view, Qt::LeftButton, {}, s.Px({1000, 1000}) + QPoint(30, 0));
        QCOMPARE(s.square->PointCount(), 4);
    }

    void rightButtonChoosesThePopup_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("title");
        QTest::newRow("nothing") << 1500.0 << 500.0 << 1 << "Mouse";
        QTest::newRow("chain point") << 1000.0 << 1000.0 << 1 << "Selected";
        QTest::newRow("chain segment") << 0.0 << 500.0 << 1 << "VPunkt";
        QTest::newRow("path segment") << 2250.0 << 1000.0 << 1 << "Radius";
        QTest::newRow("path point") << 2500.0 << 1000.0 << 1 << "Punkt";
        QTest::newRow("mouse export") << 1000.0 << 1000.0 << 7 << "File";
    }
    void rightButtonChoosesThePopup() {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(int, mode);
        QFETCH(QString, title);
        Scene s;
        s.app.m_nMouseMode = mode;
        QCOMPARE(s.PopupAt({x, y}), title);
    }

    void noPopupInMillingMode() {
        Scene s;
        s.app.m_bMillingMode = 1;
        QCOMPARE(s.PopupAt({1000, 1000}), QString());
    }

    void contextCommandsActOnTheRightClicksHit() {
        Scene s;
        QAction* clear = s.PopupEntry({1000, 1000}, QStringLiteral("Vektor löschen"));
        QVERIFY(clear && clear->isEnabled());
        clear->trigger();
        QCOMPARE(s.square->PointCount(), 0);
        QAction* undo = s.PopupEntry({1500, 500}, QStringLiteral("Undo löschen"));
        QVERIFY(undo && undo->isEnabled());
        undo->trigger();
        QCOMPARE(s.square->PointCount(), 5);
        QAction* copy = s.PopupEntry({2250, 1000}, QStringLiteral("Copy to Kontur"));
        copy->trigger();
        QVERIFY(s.open->m_radiusList.empty());
        QCOMPARE(s.doc->m_layers[0]->m_pens[1]->m_chains.back()->PointCount(), 3);
        // The path is gone: a command still offered for it does nothing.
        QVERIFY(!s.view->Mouse().CurrentHit());
    }
};

QTEST_MAIN(MouseFunctionsTest)
#include "mouse_functions_test.moc"
