#include "ui/grbl_send_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/core_context.h"
#include "model/quenk_app.h"
#include "output/controller_program.h"
#include "output/handoff.h"
#include "output/texts.h"
#include "ui/command_context.h"
#include "ui/main_frame.h"
#include "ui/milling_texts.h"

namespace {
constexpr int kPollMs = 100;

QString Q(const char* text) { return QString::fromUtf8(text); }
}  // namespace

GrblSendDialog::GrblSendDialog(const std::string& program, SerialPort& port, QWidget* parent, GrblTimings timings)
    : QDialog(parent), m_sender(GrblLines(program), port, timings) {
    setWindowTitle(Q(texts::kGrblSendTitle));
    auto* layout = new QVBoxLayout(this);
    m_bar = new QProgressBar;
    m_bar->setRange(0, static_cast<int>(m_sender.Progress().total));
    m_bar->setValue(0);
    m_bar->setFormat(Q(texts::kGrblLineOf) + QStringLiteral("%v") + Q(texts::kGrblOf) + QStringLiteral("%m"));
    layout->addWidget(m_bar);
    m_state = new QLabel(Q(texts::kGrblState));
    m_position = new QLabel(Q(texts::kGrblMachinePosition));
    layout->addWidget(m_state);
    layout->addWidget(m_position);
    auto* buttons = new QHBoxLayout;
    m_pause = new QPushButton(Q(texts::kGrblPause));
    m_resume = new QPushButton(Q(texts::kGrblResume));
    m_cancel = new QPushButton(Q(texts::kCancel));
    for (QPushButton* b : {m_pause, m_resume, m_cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(m_pause, &QPushButton::clicked, this, [this] { m_sender.Pause(); });
    connect(m_resume, &QPushButton::clicked, this, [this] { m_sender.Resume(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { Cancel(); });
    connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });

    ++s_running;
    s_current = this;
    m_worker = std::thread([this] {
        m_result = m_sender.Run();
        m_done = true;
    });
    m_timer.start(kPollMs);
}

GrblSendDialog::~GrblSendDialog() {
    m_sender.Cancel();
    m_worker.join();
    if (s_current == this) s_current = nullptr;
    --s_running;
}

void GrblSendDialog::CancelAll() {
    if (s_current) s_current->Cancel();
}

void GrblSendDialog::Cancel() {
    m_sender.Cancel();
    for (QPushButton* b : {m_pause, m_resume, m_cancel}) b->setEnabled(false);
}

void GrblSendDialog::reject() {
    if (!m_done && Ui().AskYesNo(texts::kGrblSendRunning)) Cancel();
}

void GrblSendDialog::Poll() {
    const GrblProgress p = m_sender.Progress();
    m_bar->setValue(static_cast<int>(p.acknowledged));
    m_state->setText(Q(texts::kGrblState) + QString::fromStdString(p.state));
    if (p.hasPosition)
        m_position->setText(Q(p.workPosition ? texts::kGrblWorkPosition : texts::kGrblMachinePosition) +
                            QStringLiteral("X %1  Y %2  Z %3")
                                .arg(p.position[0], 0, 'f', 3)
                                .arg(p.position[1], 0, 'f', 3)
                                .arg(p.position[2], 0, 'f', 3));
    if (!m_done) return;
    m_timer.stop();
    accept();
}

void OnSerialStartCommand(CommandContext& ctx) {
    CQuenkApp& app = ctx.app;
    if (!OnSerialStart(app)) return;
    const std::optional<std::string> program = ControllerProgram(app);
    if (!program) return;
    if (!app.m_comHandle) {
        Ui().Message(texts::kComPortUnavailable);
        return;
    }
    GrblSendDialog dialog(*program, *app.m_comHandle, &ctx.frame);
    dialog.exec();
    Ui().Message(dialog.Result().message);
}
