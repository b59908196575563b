// The main window with the sample sign, corrected, on a real X server (Xvfb): the picture
// must show the menu bar and the chains. It is written to the build folder as
// screenshot.png, with the About box, the tips dialog, the settings, tools and
// "Radiusparameter" dialogs, the chain information, the cutter's sweep ("Fräsbahn"), milling
// mode and the import report beside it; the ones in docs/ are copies.

#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include "model/document.h"
#include "model/quenk_app.h"
#include "output/mouse_export.h"
#include "files/settings_file.h"
#include "ui/about_dialog.h"
#include "ui/settings_dialog.h"
#include "ui/correction_dialogs.h"
#include "ui/tools_dialog.h"
#include "tests/support/modal_answer.h"
#include "tests/support/ui_pixels.h"
#include "ui/tips_dialog.h"
#include "ui/drawing_view.h"
#include "ui/drawing_window.h"
#include "ui/info_dialogs.h"
#include "ui/main_frame.h"
#include "ui/milling_panel.h"

namespace {
// A machine of 600 x 400 mm, material of 300 x 200 mm and tool 1 of 3 mm for the correction.
void SampleSettings(CQuenkApp& app) {
    CompleteSettingsTables(app);
    app.m_machineX = 600, app.m_machineY = 400, app.m_materialX = 300, app.m_materialY = 200;
    app.m_tools[0].m_diameter = 3.0;
}
}  // namespace

class ScreenshotTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) QSKIP("needs an X server (xvfb-run)");
    }

    void mainWindowWithSample() {
        CQuenkApp app;
        SampleSettings(app);
        CMainFrame f(app);
        f.resize(1280, 800);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        DrawingWindow* w = f.OpenDrawing(QStringLiteral(QUENK_SOURCE_DIR "/samples/schild.plt"));
        QCOMPARE(w->Document().m_nothingImported, 0);
        app.m_displayColour2 = 0xC86414;  // corrected paths in blue, chains by closed and open
        AcceptNextModal();  // "Radiusparameter" as the settings have it: tool 1 for every chain
        QVERIFY(f.Execute(cmd::kRadiusCorrection));
        QVERIFY(f.Execute(cmd::kColourClosedOpen));
        QTest::qWait(300);
        const QImage shot = f.grab().toImage();
        QVERIFY(shot.save(QStringLiteral("screenshot.png")));
        // "Fräsbahn": the cutter's sweep around the paths, on and off again.
        QVERIFY(f.Execute(cmd::kToolPath));
        QTest::qWait(300);
        QVERIFY(f.grab().toImage().save(QStringLiteral("screenshot_toolpath.png")));
        QVERIFY(f.Execute(cmd::kToolPath));

        QCOMPARE(f.menuBar()->actions().size(), int(DocumentMenu().size()));
        QVERIFY(f.menuBar()->isVisible() && f.menuBar()->height() > 10);
        const QImage view = w->View().grab().toImage();
        const int white = CountPixelsWhere(view, [&](int x, int y) { return view.pixelColor(x, y) == Qt::white; });
        QVERIFY(white > view.width() * view.height() / 2);  // not blank, not filled
        // The chains and their paths.
        QVERIFY(CountPixelsWhere(view, [&](int x, int y) { return view.pixelColor(x, y).saturation() > 100; }) > 500);

        // "Information Vektor" of a corrected chain, as the mouse function opens it.
        const CVector* chain = nullptr;
        for (auto& c : w->Document().m_layers[0]->m_pens[0]->m_chains) chain = c->m_hasCorrection ? c.get() : chain;
        QVERIFY(chain);
        QImage info;
        QTimer::singleShot(300, [&info] {
            QWidget* dialog = QApplication::activeModalWidget();
            info = dialog->grab().toImage();
            dialog->close();
        });
        ShowChainInfo(&w->View(), *chain, app.m_plotterUnit);
        QVERIFY(info.width() > 150 && info.height() > 100);
        QVERIFY(info.save(QStringLiteral("screenshot_chain_info.png")));
    }

    // The sign's every chain clicked in the mouse export, then "Fräsen".
    void millingModeWithSample() {
        CQuenkApp app;
        SampleSettings(app);
        app.m_toolColoursB[1] = 0xC86414;
        CMainFrame f(app);
        f.resize(1280, 800);
        f.show();
        DrawingWindow* w = f.OpenDrawing(QStringLiteral(QUENK_SOURCE_DIR "/samples/schild.plt"));
        AcceptNextModal();
        QVERIFY(f.Execute(cmd::kRadiusCorrection));
        CMouseExport order(app, w->Document());
        order.StartWithoutFile();
        for (const auto& layer : w->Document().m_layers)
            for (const auto& pen : layer->m_pens)
                for (const auto& chain : pen->m_chains) order.Click(*chain);
        order.FinishMouseExport();
        QVERIFY(!app.m_millingList.empty() && f.Execute(cmd::kMill));
        QTest::qWait(500);
        const QImage shot = f.grab().toImage();
        QVERIFY(shot.save(QStringLiteral("screenshot_milling.png")));
        CQuenkView& view = f.ActiveWindow()->View();
        QVERIFY(view.Panel() && view.Panel()->isVisible() && view.IsFitted());
        QVERIFY(CountPixels(view.grab().toImage(), 0x1464C8) > 500);  // the paths of tool 1
    }

    void dialogs() {
        CAboutDlg about;
        CTipDlg tips(nullptr, QStringLiteral(QUENK_SOURCE_DIR "/tips.txt"));
        CQuenkApp app;
        SampleSettings(app);
        CSettingsDlg settings(SettingsOptions::From(app));
        ToolGeometry g;
        for (std::size_t k = 0; k < g.diameter.size(); ++k) {
            g.diameter[k] = 1.0 + 0.5 * static_cast<double>(k);
            g.right[k] = k % 3 != 2;
            app.m_toolColours[k + 1] = static_cast<std::uint32_t>((k + 1) * 0x3D5A7B) & 0xFFFFFF;
        }
        StoreToolGeometry(app, g);
        CToolsDlg tools(app);
        CRadiusDlg radius(app);
        for (const auto& [dialog, file] : {std::pair<QDialog*, const char*>{&about, "screenshot_about.png"},
                                           {&tips, "screenshot_tips.png"},
                                           {&settings, "screenshot_settings.png"},
                                           {&tools, "screenshot_tools.png"},
                                           {&radius, "screenshot_radius.png"}}) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            QTest::qWait(100);
            const QImage shot = dialog->grab().toImage();
            QVERIFY(shot.width() > 100 && shot.height() > 50);
            // Pixels other than the background: texts, fields, frames.
            const int ink = CountPixelsWhere(shot, [&](int x, int y) { return shot.pixel(x, y) != shot.pixel(0, 0); });
            QVERIFY(ink > shot.width() * shot.height() / 50);
            QVERIFY(shot.save(QString::fromLatin1(file)));
        }
        QVERIFY(!tips.Tip().isEmpty());
    }
    // "Import-Bericht" over the frame, with the near open ends marked red in the view behind.
    void importReport() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("teile.plt"));
        QFile file(path);
        // An outline that stops short of its start, a hole, a pocket with two small gaps, a
        // stroke drawn there and back, and two commands the reader does not know.
        QVERIFY(file.open(QIODevice::WriteOnly) &&
                file.write("IN;SP1;PU0,0;PD4000,0,4000,2500,0,2500,0,30;PU1000,1000;CI400;PU2500,800;PD3500,800,"
                           "3500,1700;PU3520,1700;PD2500,1700,2500,820;PU;PU500,2100;PD1500,2100;PU;PD500,2100;PU;"
                           "LT;PT1;") > 0);
        file.close();
        CQuenkApp app;
        SampleSettings(app);
        app.m_showUnknownCommands = 0;
        CMainFrame f(app);
        f.resize(1280, 800);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.OpenDrawing(path);
        QVERIFY(f.Execute(cmd::kColourClosedOpen));
        QImage shot;
        OnNextModal([&](QDialog& d) {
            const QRect g = f.frameGeometry();
            d.move(g.right() - d.width() - 20, g.bottom() - d.height() - 60);
            QTimer::singleShot(400, &d, [&, g] {
                shot = f.screen()->grabWindow(0, g.x(), g.y(), g.width(), g.height()).toImage();
                d.accept();
            });
        });
        QVERIFY(f.Execute(cmd::kImportReport));
        QVERIFY(CountPixels(shot, qRgb(230, 0, 0)) > 50);  // the markers' pure red
        QVERIFY(shot.save(QStringLiteral("screenshot_import_report.png")));
    }
};

QTEST_MAIN(ScreenshotTest)
#include "screenshot_test.moc"
