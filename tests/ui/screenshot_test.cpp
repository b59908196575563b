// The main window with the sample sign, corrected, on a real X server (Xvfb): the picture
// must show the menu bar and the chains. It is written to the build folder as
// screenshot.png, with the About box, the tips dialog, the tools dialog and "Radiusparameter"
// beside it; the ones in docs/ are copies.

#include <QMenuBar>
#include <QtTest>

#include "model/document.h"
#include "model/quenk_app.h"
#include "files/settings_file.h"
#include "ui/about_dialog.h"
#include "ui/correction_dialogs.h"
#include "ui/tools_dialog.h"
#include "tests/support/modal_answer.h"
#include "ui/tips_dialog.h"
#include "ui/drawing_view.h"
#include "ui/drawing_window.h"
#include "ui/main_frame.h"

class ScreenshotTest : public QObject {
    Q_OBJECT
private slots:
    void mainWindowWithSample() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) QSKIP("needs an X server (xvfb-run)");
        CQuenkApp app;
        CompleteSettingsTables(app);
        app.m_machineX = 600, app.m_machineY = 400, app.m_materialX = 300, app.m_materialY = 200;
        app.UpdateDerivedValues();
        if (!app.m_tools.empty()) app.m_tools[0].m_diameter = 3.0;  // tool 1 for the correction
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

        QCOMPARE(f.menuBar()->actions().size(), int(DocumentMenu().size()));
        QVERIFY(f.menuBar()->isVisible() && f.menuBar()->height() > 10);
        const QImage view = w->View().grab().toImage();
        int white = 0, coloured = 0;
        for (int y = 0; y < view.height(); ++y)
            for (int x = 0; x < view.width(); ++x) {
                const QColor c = view.pixelColor(x, y);
                white += c == Qt::white;
                coloured += c.saturation() > 100;
            }
        QVERIFY(white > view.width() * view.height() / 2);  // not blank, not filled
        QVERIFY(coloured > 500);                            // the chains and their paths
    }

    void dialogs() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) QSKIP("needs an X server (xvfb-run)");
        CAboutDlg about;
        CTipDlg tips(nullptr, QStringLiteral(QUENK_SOURCE_DIR "/tips.txt"));
        CQuenkApp app;
        CompleteSettingsTables(app);
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
                                           {&tools, "screenshot_tools.png"},
                                           {&radius, "screenshot_radius.png"}}) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            QTest::qWait(100);
            const QImage shot = dialog->grab().toImage();
            QVERIFY(shot.width() > 100 && shot.height() > 50);
            QVERIFY(shot.save(QString::fromLatin1(file)));
            // Not blank: the fields, labels and swatches give many shades.
            QSet<QRgb> shades;
            for (int y = 0; y < shot.height(); y += 2)
                for (int x = 0; x < shot.width(); x += 2) shades.insert(shot.pixel(x, y));
            QVERIFY2(shades.size() > 8, file);
        }
        QVERIFY(!tips.Tip().isEmpty());
    }
};

QTEST_MAIN(ScreenshotTest)
#include "screenshot_test.moc"
