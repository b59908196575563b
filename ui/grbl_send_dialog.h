#pragma once
// The progress of a send to a GRBL controller: lines acknowledged of all, the controller's
// state and position, and "Pause" (feed hold), "Weiter" (cycle start) and "Abbrechen" (feed
// hold, then soft reset). The sender runs on a thread of its own; the dialog reads its
// progress on a timer, so the window stays live however slowly the machine answers.

#include <QDialog>
#include <QTimer>

#include <atomic>
#include <string>
#include <thread>

#include "output/grbl_sender.h"

class QLabel;
class QProgressBar;
class QPushButton;
class SerialPort;

class GrblSendDialog : public QDialog {
    Q_OBJECT
public:
    GrblSendDialog(const std::string& program, SerialPort& port, QWidget* parent, GrblTimings timings = {});
    // Stops a send that still runs, as "Abbrechen" does, and waits for its end.
    ~GrblSendDialog() override;

    // How the send ended; valid once the dialog has closed by itself.
    const GrblResult& Result() const { return m_result; }
    // Whether some send is under way: the frame asks before it closes.
    static bool Running() { return s_running > 0; }
    // Stops every send under way (the frame closes regardless).
    static void CancelAll();

protected:
    // Closing the window while the machine works asks first, and then stops it.
    void reject() override;

private:
    void Poll();
    void Cancel();

    GrblSender m_sender;
    std::atomic<bool> m_done{false};
    GrblResult m_result;
    std::thread m_worker;
    QTimer m_timer;
    QProgressBar* m_bar;
    QLabel* m_state;
    QLabel* m_position;
    QPushButton* m_pause;
    QPushButton* m_resume;
    QPushButton* m_cancel;

    static inline std::atomic<int> s_running{0};
    static inline GrblSendDialog* s_current = nullptr;
};

// The command of the serial controller ("WinPC" in the start menu, "-> Maschine" on the
// milling panel): the two confirmations, the program, then the send with its dialog and a
// message of how it ended.
struct CommandContext;
void OnSerialStartCommand(CommandContext& ctx);
