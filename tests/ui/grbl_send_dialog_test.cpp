// The send dialog over a simulated GRBL controller: it closes by itself when the send has
// ended, and its buttons reach the controller.

#include <QPushButton>
#include <QtTest>

#include "output/texts.h"
#include "platform/posix_serial_port.h"
#include "tests/support/grbl_simulator.h"
#include "ui/grbl_send_dialog.h"
#include "ui/milling_texts.h"

class GrblSendDialogTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheSendToItsEndAndItsButtonsReachTheController() {
        std::string program;
        for (int i = 0; i < 400; ++i) program += "G1 X" + std::to_string(i) + " Y1 F600\r\n";
        const struct {
            std::vector<const char*> clicks;
            GrblOutcome outcome;
            std::string realTime;
        } cases[] = {
            {{}, GrblOutcome::Finished, ""},
            {{texts::kGrblPause, texts::kGrblResume}, GrblOutcome::Finished, "!~"},
            {{texts::kCancel}, GrblOutcome::Cancelled, "!\x18"},
        };
        for (const auto& c : cases) {
            GrblSimulator sim({.ackDelayMs = 2});
            auto port = OpenPosixSerialPort(sim.Device());
            QVERIFY(port);
            GrblSendDialog dialog(program, *port, nullptr, {300, 20, 2000, 300});
            QVERIFY(GrblSendDialog::Running());
            for (const char* click : c.clicks)
                for (QPushButton* b : dialog.findChildren<QPushButton*>())
                    if (b->text() == QString::fromUtf8(click)) QTimer::singleShot(100, b, &QPushButton::click);
            QCOMPARE(dialog.exec(), int(QDialog::Accepted));
            QCOMPARE(dialog.Result().outcome, c.outcome);
            sim.Quiet();
            QCOMPARE(sim.RealTime(), c.realTime);
        }
        QVERIFY(!GrblSendDialog::Running());
    }
};

QTEST_MAIN(GrblSendDialogTest)
#include "grbl_send_dialog_test.moc"
