// A whole job by mouse: the sample sign imported, joined and corrected, every corrected
// chain clicked in "RK Export mit Mouse", then "Ende -> Fräsen" from the context menu and
// "G-CODE". The plotter file and the program must be byte for byte what quenk-cli writes
// for the same clicks.

#include <QMenu>
#include <QProcess>
#include <QtTest>

#include "files/settings_file.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "tests/support/modal_answer.h"
#include "tests/support/scripted_interaction.h"
#include "tests/support/temp_dir.h"
#include "ui/drawing_view.h"
#include "ui/drawing_window.h"
#include "ui/main_frame.h"
#include "ui/view_mouse.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

// A pixel on one of the chain's corrected paths where the hit test finds that chain.
std::optional<QPoint> PixelOnPath(CQuenkView& view, const CVector& chain) {
    for (const auto& path : chain.m_radiusList)
        for (const CPunkt& p : path->m_path.Raw()) {
            const QPoint px(view.Transform().ScreenX(p.x), view.Transform().ScreenY(p.y));
            if (view.Mouse().HitTestAt(px) && view.Mouse().CurrentHit()->chain == &chain) return px;
        }
    return std::nullopt;
}
}  // namespace

class MouseExportJobTest : public QObject {
    Q_OBJECT
private slots:
    void clickedOrderWritesWhatTheCommandLineWrites() {
#ifndef QUENK_CLI
        QSKIP("quenk-cli is not built");
#else
        TempDir dir;
        const std::string settings = dir.File("QuenkV4.dat");
        {
            CQuenkApp prepared;  // both programs read these settings
            CompleteSettingsTables(prepared);
            prepared.m_tools[0].m_diameter = 3.0, prepared.m_materialThickness = 10.0, prepared.m_maxPassDepth = 4.0;
            prepared.m_settingsPath = settings, prepared.m_bSaveSettingsOnExit = 1;
            QVERIFY(prepared.SaveSettings());
        }
        ScriptedSession session;
        CQuenkApp app;
        app.LoadSettings(settings);
        CMainFrame frame(app);
        frame.resize(1280, 900);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        DrawingWindow* window = frame.OpenDrawing(QStringLiteral(QUENK_SOURCE_DIR "/samples/schild.plt"));
        CQuenkDoc& doc = window->Document();
        CQuenkView& view = window->View();
        QVERIFY(frame.Execute(cmd::kJoin));
        AcceptNextModal();  // "Radiusparameter" as the settings have it
        QVERIFY(frame.Execute(cmd::kRadiusCorrection));

        session.ui.files.push_back(dir.File("ui.plt"));
        QVERIFY(frame.Execute(cmd::kMouseExport));
        QCOMPARE(app.m_nMouseMode, 7);
        QStringList clicks;
        for (std::size_t l = 0; l < doc.m_layers.size(); ++l)
            for (auto& pen : doc.m_layers[l]->m_pens)
                for (std::size_t c = 0; c < pen->m_chains.size(); ++c) {
                    CVector& chain = *pen->m_chains[c];
                    if (chain.m_empty || !chain.m_hasCorrection) continue;
                    const std::optional<QPoint> px = PixelOnPath(view, chain);
                    if (!px) continue;
                    QTest::mouseClick(&view, Qt::LeftButton, {}, *px);
                    clicks << QStringLiteral("%1:%2:%3").arg(l).arg(pen->m_number).arg(c);
                }
        QVERIFY(clicks.size() >= 3);
        QCOMPARE(app.m_millingList.size(), std::size_t(clicks.size()));

        QTest::mousePress(&view, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(view.Mouse().Popup()->title(), QStringLiteral("File"));
        for (QAction* a : view.Mouse().Popup()->actions())
            if (a->text() == QStringLiteral("Ende -> Fräsen")) a->trigger();
        QVERIFY(app.m_bMillingReady == 1);
        QTRY_VERIFY(app.m_bMillingMode == 1);
        QCOMPARE(app.m_nMouseMode, 9);
        session.ui.files.push_back(dir.File("ui.nc"));
        QVERIFY(frame.Execute(cmd::kGCode));

        const QStringList args = QStringList{"--settings", Q(settings), "import", QUENK_SOURCE_DIR "/samples/schild.plt",
                                             "join", "correct", "order-plt", Q(dir.File("cli.plt"))} +
                                 clicks + QStringList{"gcode", Q(dir.File("cli.nc"))};
        QCOMPARE(QProcess::execute(QStringLiteral(QUENK_CLI), args), 0);
        QVERIFY(ReadFile(dir.File("ui.nc")).size() > 100);
        QVERIFY(ReadFile(dir.File("ui.nc")) == ReadFile(dir.File("cli.nc")));
        QVERIFY(ReadFile(dir.File("ui.plt")) == ReadFile(dir.File("cli.plt")));
#endif
    }
};

QTEST_MAIN(MouseExportJobTest)
#include "mouse_export_job_test.moc"
