// The send dialog over a simulated GRBL controller: its buttons reach the controller, and
// it closes by itself when the send has ended.

#include <QPushButton>
#include <QtTest>

#include "platform/posix_serial_port.h"
#include "tests/support/grbl_simulator.h"
#include "ui/grbl_send_dialog.h"
#include "ui/milling_texts.h"

class GrblSendDialogTest : public QObject {
    Q_OBJECT
private slots:
    void pauseResumeAndCancelReachTheController() {
        std::string program;
        for (int i = 0; i < 2000; ++i) program += "G1 X" + std::to_string(i) + " Y1 F600\r\n";
        GrblSimulator sim({.ackDelayMs = 1});
        auto port = OpenPosixSerialPort(sim.Device());
        QVERIFY(port);
        GrblSendDialog dialog(program, *port, nullptr, {300, 20, 2000, 300});
        QVERIFY(GrblSendDialog::Running());
        int delay = 100;
        for (const char* click : {texts::kGrblPause, texts::kGrblResume, texts::kCancel})
            for (QPushButton* b : dialog.findChildren<QPushButton*>())
                if (b->text() == QString::fromUtf8(click)) QTimer::singleShot(delay += 100, b, &QPushButton::click);
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(dialog.Result().outcome, GrblOutcome::Cancelled);
        sim.Quiet();
        QCOMPARE(sim.RealTime(), std::string("!~!\x18"));
    }
};

QTEST_MAIN(GrblSendDialogTest)
#include "grbl_send_dialog_test.moc"
