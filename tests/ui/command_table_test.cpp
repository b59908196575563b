// The frame's menus and tool bars hold exactly the command table's entries, and the enable
// and check rules follow the document's state.

#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QToolBar>
#include <QThread>
#include <QtTest>

#include "model/document.h"
#include "model/mouse_modes.h"
#include "model/quenk_app.h"
#include "files/settings_file.h"
#include "ui/drawing_view.h"
#include "ui/drawing_window.h"
#include "tests/support/drawing_builder.h"
#include "tests/support/modal_answer.h"
#include "tests/support/ui_pixels.h"
#include "ui/main_frame.h"
#include "ui/qt_interaction.h"

namespace {
// The menu bar's entries as "title: item|item|-|..." lines.
QStringList MenuLines(QMenuBar* bar) {
    QStringList lines;
    for (QAction* top : bar->actions()) {
        QString line = top->text();
        if (QMenu* m = top->menu()) {
            QStringList items;
            for (QAction* a : m->actions()) items << (a->isSeparator() ? QStringLiteral("-") : a->text());
            line += QStringLiteral(": ") + items.join(QLatin1Char('|'));
        }
        lines << line;
    }
    return lines;
}

QStringList TableLines(std::span<const MenuPopup> menu) {
    QStringList lines;
    for (const MenuPopup& p : menu) {
        QString line = QString::fromUtf8(p.title);
        if (!p.items.empty()) {
            QStringList items;
            for (int id : p.items) {
                const CommandEntry* e = id ? FindCommand(id) : nullptr;
                items << (e ? QString::fromUtf8(e->text) + (*e->shortcut ? QStringLiteral("\t") + e->shortcut : QString())
                            : QStringLiteral("-"));
            }
            line += QStringLiteral(": ") + items.join(QLatin1Char('|'));
        }
        lines << line;
    }
    return lines;
}

QList<int> Ids(std::span<const int> ids) { return QList<int>(ids.begin(), ids.end()); }

void AddSquare(CQuenkDoc& doc) {
    doc.AddLayer();
    AddTestChain(doc, 1, {{0, 0}, {400, 0}, {400, 400}, {0, 400}, {0, 0}});
    doc.RecomputeBox();
    doc.m_nothingImported = 0;
}
}  // namespace

class CommandTableTest : public QObject {
    Q_OBJECT
private slots:
    void barsAndMenusFollowTheTable() {
        CQuenkApp app;
        CMainFrame f(app);
        QCOMPARE(MenuLines(f.menuBar()), TableLines(FrameMenu()));
        QCOMPARE(BarIds(f.MainBar()), Ids(MainToolBar()));
        QCOMPARE(BarIds(f.MouseBar()), Ids(MouseToolBar()));
        f.NewDrawingWindow();
        QCOMPARE(MenuLines(f.menuBar()), TableLines(DocumentMenu()));
        QCOMPARE(f.Action(cmd::kImport)->statusTip(), QStringLiteral("Plotterfile laden"));
        QCOMPARE(f.Action(cmd::kImport)->toolTip(), QStringLiteral("Import"));
        QCOMPARE(f.MessagePane()->text(), QStringLiteral("Drücken Sie F1, um Hilfe zu erhalten."));
    }

    // Work that has run half a second shows how far it got; the idle prompt comes back after.
    void longWorkShowsItsProgress() {
        CQuenkApp app;
        CMainFrame f(app);
        QtInteraction ui;
        ui.SetStatusPane(f.MessagePane());
        const QString idle = f.MessagePane()->text();
        ui.BeginWait();
        ui.Progress(1, 4);
        QCOMPARE(f.MessagePane()->text(), QStringLiteral("Bitte warten ..."));
        QThread::msleep(520);
        ui.Progress(42, 100);
        QCOMPARE(f.MessagePane()->text(), QStringLiteral("Bitte warten ... 42 %"));
        ui.EndWait();
        QCOMPARE(f.MessagePane()->text(), idle);
    }

    void rulesFollowTheDocument() {
        CQuenkApp app;
        CompleteSettingsTables(app);
        CMainFrame f(app);
        auto enabled = [&](int id) { return f.UpdateCommandStates(), f.Action(id)->isEnabled(); };
        QVERIFY(!enabled(cmd::kExport));  // no document
        DrawingWindow* w = f.NewDrawingWindow();
        QVERIFY(enabled(cmd::kImport));
        QVERIFY(!enabled(cmd::kExport) && !enabled(cmd::kJoin) && !enabled(cmd::kRadiusCorrection));
        QVERIFY(enabled(32838));  // shapes while the drawing has no width
        QVERIFY(!enabled(cmd::kOpen) && !enabled(cmd::kSave) && !enabled(cmd::kCut) && !enabled(32862));
        QVERIFY(!f.Execute(cmd::kJoin));
        AddSquare(w->Document());
        QVERIFY(enabled(cmd::kExport) && enabled(cmd::kJoin) && enabled(cmd::kRadiusCorrection));
        QVERIFY(!enabled(cmd::kExportCorrection) && !enabled(32838));
        app.m_nMouseMode = kMouseModeExport;
        QVERIFY(!enabled(cmd::kRadiusCorrection));
        app.m_nMouseMode = 1;
        AcceptNextModal();
        QVERIFY(f.Execute(cmd::kRadiusCorrection));
        QVERIFY(enabled(cmd::kExportCorrection) && enabled(cmd::kMouseExport));
        QVERIFY(f.Action(cmd::kColourTool)->isChecked());
        f.m_bCadReaderReady = false;
        QVERIFY(!enabled(cmd::kModelSpace));
        QVERIFY(f.Action(cmd::kModelSpace)->isChecked());  // the check mark stays
    }

    void togglesAndColourModesCarryChecks() {
        CQuenkApp app;
        CMainFrame f(app);
        DrawingWindow* w = f.NewDrawingWindow();
        QVERIFY(f.Action(cmd::kColourClosedOpen)->isChecked());
        QVERIFY(f.Action(cmd::kStartPoints)->isChecked() && !f.Action(cmd::kEndPoints)->isChecked());
        QVERIFY(f.Execute(cmd::kColourDirection) && f.Execute(cmd::kEndPoints) && f.Execute(cmd::kStartPoints));
        QCOMPARE(app.m_nColorMode, 5);
        QVERIFY(f.Action(cmd::kColourDirection)->isChecked() && !f.Action(cmd::kColourClosedOpen)->isChecked());
        QVERIFY(w->View().Flags().endPoints && !w->View().Flags().startPoints);
        QVERIFY(f.Action(cmd::kEndPoints)->isChecked() && !f.Action(cmd::kStartPoints)->isChecked());
        // Margins 0 after a zoom step, the configured ones after a fit; no material, no zoom.
        QVERIFY(f.Execute(cmd::kZoomIn));
        QCOMPARE(w->View().Transform().marginX, 0);
        const ViewTransform before = w->View().Transform();
        QVERIFY(f.Execute(cmd::kZoomMaterial));
        QCOMPARE(w->View().Transform().scale, before.scale);
        QCOMPARE(w->View().Transform().offsetX, before.offsetX);
        AddSquare(w->Document());
        QVERIFY(f.Execute(cmd::kZoomWorkpiece));
        QCOMPARE(w->View().Transform().marginX, app.m_screenMargin);
        // "Alles löschen": the answer Yes empties the document and resets the colour mode.
        QVERIFY(f.Execute(cmd::kClearAll));
        QCOMPARE(w->Document().m_nothingImported, 1);
        QCOMPARE(app.m_nColorMode, 0);
    }
};

QTEST_MAIN(CommandTableTest)
#include "command_table_test.moc"
