// Milling mode in the frame: "Fräsen" refused without an order, the switch with its bars,
// panel and dialogs, the tool check boxes in the picture and the program, the dialogs' values.

#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QToolBar>
#include <QtTest>

#include "files/job_file.h"
#include "files/settings_file.h"
#include "model/fraes_kontur.h"
#include "model/quenk_app.h"
#include "tests/support/modal_answer.h"
#include "tests/support/scripted_interaction.h"
#include "tests/support/temp_dir.h"
#include "tests/support/ui_pixels.h"
#include "ui/drawing_view.h"
#include "ui/drawing_window.h"
#include "ui/main_frame.h"
#include "ui/material_dialog.h"
#include "ui/milling_panel.h"
#include "ui/tool_data_dialog.h"

namespace {
const QRgb kRed = qRgb(255, 0, 0), kBlue = qRgb(0, 0, 255);

// Tool 2 mills a line along y = 0 in red, tool 5 one along y = 2000 (50 mm) in blue.
void MakeJob(CQuenkApp& app) {
    CompleteSettingsTables(app);
    app.m_materialThickness = 5;
    app.m_toolColoursB[2] = 0x0000FF, app.m_toolColoursB[5] = 0xFF0000;
    for (const auto& [tool, y] : {std::pair{2, 0.0}, {5, 2000.0}}) {
        auto& k = app.m_millingList.emplace_back(std::make_unique<CFraesKontur>());
        k->m_tool = tool;
        k->m_paths.push_back(std::make_unique<CFraesDaten>());
        k->m_paths.back()->m_points = CPointArray{{0, y}, {4000, y}};
    }
    app.m_bMillingReady = 1;
}

// Pixels of the colour in the picture, the panel (with its swatches) left out.
int Count(CQuenkView* view, QRgb c) {
    const QImage img = view->grab().toImage();
    const QRect panel = view->Panel()->geometry();
    return CountPixelsWhere(img, [&](int x, int y) {
        return !panel.contains(x, y) && (img.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF);
    });
}
}  // namespace

class MillingModeTest : public QObject {
    Q_OBJECT
private slots:
    void millWithoutOrderOnlyShowsTheHelp() {
        ScriptedSession s;
        CQuenkApp app;
        CMainFrame f(app);
        DrawingWindow* w = f.NewDrawingWindow();
        QVERIFY(f.Execute(cmd::kMill));
        QCOMPARE(s.ui.dialogs, std::vector<DialogRequest>{DialogRequest::MillingHelp});
        QCOMPARE(app.m_bMillingMode, 0);
        QVERIFY(f.menuWidget() && !f.MillingBar() && f.ActiveWindow() == w);
    }

    void millSwitchesAndOpensTheDialogs() {
        ScriptedSession s;
        CQuenkApp app;
        MakeJob(app);
        CMainFrame f(app);
        QPointer<DrawingWindow> before = f.NewDrawingWindow();
        QVERIFY(f.Execute(cmd::kMill));
        QVERIFY(!f.menuWidget());
        QCOMPARE(BarIds(f.MainBar()), QList<int>{0});
        QCOMPARE(BarIds(f.MouseBar()), QList<int>{0});
        QCOMPARE(BarIds(f.MillingBar()), QList<int>(MillingToolBar().begin(), MillingToolBar().end()));
        QVERIFY(app.m_nMouseMode == 9 && app.m_nColorMode == 5);
        QTRY_VERIFY(before.isNull());
        QCOMPARE(f.MdiArea()->subWindowList().size(), 1);
        f.show();
        QVERIFY(s.ui.dialogs.empty());  // nothing clicked, yet both dialogs follow the first paint
        QTRY_COMPARE(s.ui.dialogs, (std::vector<DialogRequest>{DialogRequest::Material, DialogRequest::ToolData}));
        QVERIFY(f.ActiveWindow()->View().IsFitted());
    }

    void toolBoxesDriveThePictureAndTheProgram() {
        ScriptedSession s;
        TempDir dir;
        CQuenkApp app;
        MakeJob(app);
        CMainFrame f(app);
        f.resize(1024, 768);
        DrawingWindow* w = f.EnterMillingMode();
        f.show();
        QTRY_COMPARE(s.ui.dialogs.size(), std::size_t{2});
        CFraeser* panel = w->View().Panel();
        QVERIFY(panel->ToolBox(2)->isChecked() && panel->ToolBox(5)->isChecked() && !panel->ToolBox(9)->isChecked());
        // "Alles Fräsen" takes back what the operator changed.
        panel->ToolBox(9)->click();
        panel->ToolBox(2)->click();
        QCOMPARE(app.m_toolUsed[9], 1);
        panel->Button(cmd::kAllesFraesen)->click();
        for (int t = kFirstTool; t <= kLastTool; ++t) QCOMPARE(panel->ToolBox(t)->isChecked(), t == 2 || t == 5);
        QVERIFY(Count(&w->View(), kBlue) > 500 && Count(&w->View(), kRed) > 500);
        panel->ToolBox(5)->click();
        QCOMPARE(Count(&w->View(), kBlue), 0);
        QVERIFY(Count(&w->View(), kRed) > 500);
        s.ui.files = {dir.File("ohne5.nc")};
        panel->Button(cmd::kGCode)->click();
        const std::string program = ReadFile(dir.File("ohne5.nc"));
        QVERIFY(program.find("Y0") != std::string::npos && program.find("Y50") == std::string::npos);
        // The close box does nothing.
        QVERIFY(!panel->close() && panel->isVisible());
    }

    void loadedJobEntersMillingMode() {
        TempDir dir;
        {
            CQuenkApp maker;
            MakeJob(maker);
            QVERIFY(SaveJob(maker, dir.File("job.Quenk")));
        }
        CQuenkApp app;
        CompleteSettingsTables(app);
        app.m_bSaveSettingsOnExit = 0;  // the job load would write them first
        CMainFrame f(app);
        DrawingWindow* w = f.OpenDrawing(QString::fromStdString(dir.File("job.Quenk")));
        QVERIFY(app.m_bMillingMode && !f.menuWidget() && f.MillingBar() && app.m_millingList.size() == 2);
        QTRY_COMPARE(f.MdiArea()->subWindowList().size(), 1);
        QCOMPARE(f.MdiArea()->subWindowList().front()->widget(), w);
    }

    // A job without any path point leaves the picture as it was.
    void emptyJobKeepsTheScale() {
        CQuenkApp app;
        CompleteSettingsTables(app);
        CMainFrame f(app);
        DrawingWindow* w = f.EnterMillingMode();
        w->View().ZoomWorkpiece();
        QVERIFY(w->View().Transform().scale > 0);
    }

    void materialDialogChecksRangesAndStoresOnOk() {
        ScriptedSession s;
        CQuenkApp app;
        CMaterial d(MaterialOptions::From(app));
        QLineEdit* extra = d.Field(material_field::kExtra);
        extra->setText(QStringLiteral("5.5"));
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(s.ui.shown, std::vector<std::string>{"Geben Sie eine Zahl zwischen 0 und 5 ein."});
        QCOMPARE(extra->selectedText(), QStringLiteral("5.5"));
        OnNextModal([](QDialog& d) { d.reject(); });
        QVERIFY(!RunMaterialDialog(nullptr, app));
        OnNextModal([](QDialog& d) {
            static_cast<CMaterial&>(d).Field(material_field::kThickness)->setText(QStringLiteral("12,5"));
            d.accept();
        });
        QVERIFY(RunMaterialDialog(nullptr, app));
        QCOMPARE(app.m_materialThickness, 12.5);
        QCOMPARE(app.m_extraDepth, 0.1);
    }

    void toolDataDialogEditsOnlyTheDepth() {
        CQuenkApp app;
        CompleteSettingsTables(app);
        app.m_toolDiameter[2] = 3, app.m_toolSide[2] = 1;
        CWerkzeugdaten d(ToolDataOptions::From(app));
        const CWerkzeugdaten::Row& r = d.ToolRow(3);
        QVERIFY(r.diameter->text() == "3" && r.diameter->isReadOnly() && r.right->isChecked() && !r.right->isEnabled());
        QVERIFY(r.depth->isEnabled() && !r.feedXY->isEnabled() && !r.feedZ->isEnabled());
        OnNextModal([](QDialog& d) {
            static_cast<CWerkzeugdaten&>(d).ToolRow(3).depth->setText(QStringLiteral("2.5"));
            d.accept();
        });
        QVERIFY(RunToolDataDialog(nullptr, app));
        QCOMPARE(app.m_toolDepth[3], 2.5);
    }
};

QTEST_MAIN(MillingModeTest)
#include "milling_mode_test.moc"
