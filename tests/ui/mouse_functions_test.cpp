// The view's mouse on a small hand-built drawing, with presses at the pixels the view's
// transform gives for drawing points: each mouse function, the undo, the wide drag that
// zooms in every mode, the context menus and their commands.

#include <QMenu>
#include <QtTest>

#include "files/settings_file.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "tests/support/drawing_builder.h"
#include "tests/support/scripted_interaction.h"
#include "ui/drawing_view.h"
#include "ui/drawing_window.h"
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
    // The popup of a right click at p and its entry of that text (null for none).
    QMenu* Popup(const CPunkt& p) {
        QTest::mousePress(view, Qt::RightButton, {}, Px(p));
        return view->Mouse().Popup();
    }
    QAction* Entry(const CPunkt& p, const QString& text) {
        for (QAction* a : Popup(p)->actions())
            if (a->text() == text) return a;
        return nullptr;
    }
};
}  // namespace

class MouseFunctionsTest : public QObject {
    Q_OBJECT
private slots:
    // A click on the square in one mouse function, then "Rückgängig löschen".
    void editAndUndo() {
        const struct {
            int mode;
            CPunkt at;
            int count;
            CPunkt second;  // the square's point 1 after the click
            bool undo;
        } rows[] = {
            {1, {1000, 500}, 5, {1000, 1000}, false},  // start point on a segment: the segment's start
            {2, {0, 500}, 5, {0, 1000}, false},        // reverse
            {6, {1000, 1000}, 4, {1000, 0}, true},     // delete a point
            {6, {1000, 520}, 5, {1000, 0}, false},     // a segment deletes nothing
            {3, {0, 500}, 0, {}, true},                // clear the chain
        };
        for (const auto& r : rows) {
            Scene s;
            s.Click(r.at, r.mode);
            QCOMPARE(s.square->PointCount(), r.count);
            if (r.count > 0) QVERIFY(s.square->m_points[1] == r.second);
            QCOMPARE(s.frame->Execute(cmd::kUndoDelete), r.undo);
            QCOMPARE(s.square->PointCount(), 5);
            QVERIFY(!s.frame->Execute(cmd::kUndoDelete));  // one level only
        }
    }

    void infoTexts() {
        const struct {
            int mode, colour, corrected;
            const char* shown;
        } rows[] = {
            {8, 0, 0, "Stiftnummer:  1"},
            {8, 7, 0, "Stiftnummer:  1   Farbe:   7"},
            {9, 0, 1, "Werkzeugnummer:  3 Rechts"},
            {9, 0, 0, nullptr},  // no correction, nothing to tell
        };
        for (const auto& r : rows) {
            Scene s;
            s.doc->m_layers[0]->m_pens[0]->m_colourIndex = r.colour;
            s.square->m_hasCorrection = r.corrected;
            s.square->m_tool = 3;
            s.Click({0, 500}, r.mode);
            QCOMPARE(s.session.ui.shown.size(), std::size_t(r.shown ? 1 : 0));
            if (r.shown) QCOMPARE(s.session.ui.shown[0], std::string(r.shown));
        }
    }

    void dragWiderThan30PixelsZoomsInEveryMode() {
        for (int mode : {0, 1, 2, 3, 6, 7, 8, 9, 10, 11, 12, 13, 14}) {
            Scene s;
            s.app.m_nMouseMode = mode;
            QTest::mousePress(s.view, Qt::LeftButton, {}, s.Px({1000, 1000}));
            QTest::mouseRelease(s.view, Qt::LeftButton, {}, s.Px({1000, 1000}) + QPoint(31, 20));
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

    // Corrected paths are tried first; mode -1 is milling mode, where the right button does nothing.
    void rightButtonChoosesThePopup() {
        const struct {
            CPunkt at;
            int mode;
            const char* title;
        } rows[] = {
            {{1500, 500}, 1, "Mouse"},   {{1000, 1000}, 1, "Selected"}, {{0, 500}, 1, "VPunkt"},
            {{2250, 1000}, 1, "Radius"}, {{2000, 1000}, 1, "Radius"},   {{2500, 1000}, 1, "Punkt"},
            {{1000, 1000}, 7, "File"},   {{1000, 1000}, -1, ""},
        };
        for (const auto& r : rows) {
            Scene s;
            s.app.m_nMouseMode = r.mode;
            s.app.m_bMillingMode = r.mode < 0;
            QMenu* menu = s.Popup(r.at);
            QCOMPARE(menu ? menu->title() : QString(), QString::fromUtf8(r.title));
        }
    }

    void contextCommandsActOnTheRightClicksHit() {
        Scene s;
        s.Entry({1000, 1000}, QStringLiteral("Vektor löschen"))->trigger();
        QCOMPARE(s.square->PointCount(), 0);
        s.Entry({1500, 500}, QStringLiteral("Undo löschen"))->trigger();
        QCOMPARE(s.square->PointCount(), 5);
        s.Entry({2250, 1000}, QStringLiteral("Copy to Kontur"))->trigger();
        QVERIFY(s.open->m_radiusList.empty());
        QCOMPARE(s.doc->m_layers[0]->m_pens[1]->m_chains.back()->PointCount(), 3);
        // The path is gone: a command still offered for it does nothing.
        QVERIFY(!s.view->Mouse().CurrentHit());
    }
};

QTEST_MAIN(MouseFunctionsTest)
#include "mouse_functions_test.moc"
