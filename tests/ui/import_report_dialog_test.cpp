// "Import-Bericht": the command shows the last import's report with the near ends marked in
// the view while it is open, and the profile setting brings it up after each import.

#include <QCheckBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "model/document.h"
#include "model/quenk_app.h"
#include "tests/support/modal_answer.h"
#include "ui/drawing_view.h"
#include "ui/drawing_window.h"
#include "ui/import_report_dialog.h"
#include "ui/main_frame.h"

class ImportReportDialogTest : public QObject {
    Q_OBJECT
private slots:
    void commandShowsTheReportWithMarkersAndCanFollowEachImport() {
        QStandardPaths::setTestModeEnabled(true);
        SetImportReportAfterEachImport(false);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("luecke.plt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("SP1;PU0,0;PD100,0;PU140,0;PD240,0;PU;LT;") > 0);
        file.close();  // a gap of 40 units, one unknown command
        CQuenkApp app;
        app.m_showUnknownCommands = 0;
        CMainFrame f(app);
        f.show();
        DrawingWindow* w = f.OpenDrawing(path);

        bool marked = false;
        QStringList cells;
        OnNextModal([&](QDialog& d) {
            marked = w->View().Flags().importReportEnds;
            auto* table = d.findChild<QTableWidget*>(QStringLiteral("importReportTable"));
            for (int row = 0; table && row < table->rowCount(); ++row)
                cells << table->item(row, 1)->text() + QLatin1Char(' ') + table->item(row, 2)->text();
            d.findChild<QCheckBox*>(QStringLiteral("importReportAfterImport"))->setChecked(true);
            d.accept();
        });
        QVERIFY(f.Execute(cmd::kImportReport));
        QVERIFY(marked);
        QVERIFY(!w->View().Flags().importReportEnds);
        QCOMPARE(cells.mid(0, 3), QStringList({"2 ", "0 ", "2 "}));
        QCOMPARE(cells.value(4), QStringLiteral("2 Abstand bis 1,00 mm, rot markiert"));
        QCOMPARE(cells.value(5), QStringLiteral("1 LT 1"));
        QVERIFY(ImportReportAfterEachImport());

        bool shownAfterImport = false;
        OnNextModal([&](QDialog& d) {
            shownAfterImport = d.windowTitle() == QStringLiteral("Import-Bericht");
            d.accept();
        });
        f.OpenDrawing(path);
        QVERIFY(shownAfterImport);
        SetImportReportAfterEachImport(false);
    }
};

QTEST_MAIN(ImportReportDialogTest)
#include "import_report_dialog_test.moc"
