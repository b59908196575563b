#include "ui/quenk_application.h"

#include <QApplication>
#include <stdexcept>

#include "model/quenk_app.h"
#include "model/core_context.h"
#include "output/handoff.h"
#include "platform/qt_platform.h"
#include "ui/main_frame.h"
#include "ui/qt_interaction.h"
#include "ui/splash_window.h"
#include "ui/tips_dialog.h"
#include "ui/toolbar_icons.h"

QuenkApplication::QuenkApplication(CQuenkApp& app)
    : m_app(app),
      m_interaction(std::make_unique<QtInteraction>()),
      m_installed(std::make_unique<ScopedInteraction>(*m_interaction)),
      m_platform(std::make_unique<QtPlatform>()) {
    m_interaction->SetApp(&app);
}

QuenkApplication::~QuenkApplication() { m_frame.reset(); }

QuenkApplication::Options QuenkApplication::ParseCommandLine(const QStringList& arguments) {
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--nosplash"))
            options.splash = false;
        else
            options.files << arguments[i];
    }
    return options;
}

bool QuenkApplication::Start(const Options& options) {
    QApplication::setOrganizationName(QStringLiteral("Quenk"));
    QApplication::setApplicationName(QStringLiteral("Quenk"));
    QApplication::setWindowIcon(ProgramIcon());
    m_app.LoadSettings();
    // The milling picture's tool colours start as the tool colours of the settings.
    if (m_app.m_toolColours.size() < static_cast<std::size_t>(kTableSize))
        throw std::invalid_argument("m_toolColours has fewer than 17 entries");
    m_app.m_toolColoursB.assign(m_app.m_toolColours.begin(), m_app.m_toolColours.begin() + kTableSize);
    CSplashWnd::SetShowing(options.splash);

    m_frame = std::make_unique<CMainFrame>(m_app);
    m_interaction->SetParent(m_frame.get());
    m_interaction->SetStatusPane(m_frame->MessagePane());
    if (options.files.isEmpty())
        m_frame->NewDrawingWindow();
    for (const QString& file : options.files) m_frame->OpenDrawing(file);
    m_frame->showMaximized();
    if (options.splash && !m_app.m_bMillingMode) CSplashWnd::ShowSplash(m_frame.get());
    if (options.splash && CTipDlg::ShowAtStartUp()) {
        CTipDlg tips(m_frame.get());
        tips.exec();
    }
    if (m_app.m_bUseComPort) SwitchOnComPort(m_app, *m_platform);
    return true;
}

void QuenkApplication::Exit() {
    CloseComPort(m_app);
    m_app.SaveSettings();
}
