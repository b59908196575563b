// The tips dialog reads "tips.txt" line by line, passes over comment and indented lines,
// starts again at the top after the last tip and goes on where the last dialog stopped.

#include <QTemporaryDir>
#include <QtTest>

#include "ui/tips_dialog.h"

class TipsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("QuenkTipsTest"));
        QSettings().clear();
    }
    void tipsInTurnAcrossDialogs() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tips.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("; comment\nErster Tipp\n  eingerückt\n\tTab\n\nZweiter Tipp\n");
        file.close();
        {
            CTipDlg dialog(nullptr, path);
            QCOMPARE(dialog.Tip(), QStringLiteral("Erster Tipp"));
            dialog.NextTip();
            QCOMPARE(dialog.Tip(), QStringLiteral("Zweiter Tipp"));
            dialog.NextTip();
            QCOMPARE(dialog.Tip(), QStringLiteral("Erster Tipp"));
        }
        CTipDlg next(nullptr, path);
        QCOMPARE(next.Tip(), QStringLiteral("Zweiter Tipp"));
        QVERIFY(CTipDlg::ShowAtStartUp());
    }
};

QTEST_MAIN(TipsDialogTest)
#include "tips_dialog_test.moc"
