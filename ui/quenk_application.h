#pragma once
// The desktop program's start-up and shut-down around the application state: settings,
// derived values, the profile "Quenk", the main frame, the first document or the files on
// the command line, tips, splash and the serial controller's port.

#include <QStringList>
#include <memory>

class CMainFrame;
class CQuenkApp;
class QApplication;
class QtInteraction;
class QtPlatform;
class ScopedInteraction;

class QuenkApplication {
public:
    struct Options {
        bool splash = true;  // a splash window and the tips may show
        QStringList files;   // files to open through the Import command
    };

    explicit QuenkApplication(CQuenkApp& app);
    ~QuenkApplication();

    // The command line: "--nosplash" suppresses the splash and tips, the rest are files.
    static Options ParseCommandLine(const QStringList& arguments);
    // Runs the start-up sequence; false when the frame could not be made.
    bool Start(const Options& options);
    // Closes the port and writes the settings.
    void Exit();

    CMainFrame* Frame() const { return m_frame.get(); }

private:
    CQuenkApp& m_app;
    std::unique_ptr<QtInteraction> m_interaction;
    std::unique_ptr<ScopedInteraction> m_installed;
    std::unique_ptr<QtPlatform> m_platform;
    std::unique_ptr<CMainFrame> m_frame;
};
