#include <QApplication>
#include <QStringList>

#include "model/quenk_app.h"
#include "model/session.h"
#include "output/handoff.h"
#include "platform/qt_platform.h"
#include "ui/main_window.h"
#include "ui/qt_interaction.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quenk"));

    QtInteraction interaction;
    ScopedInteraction installed(interaction);
    CQuenkApp app;
    app.LoadSettings();
    QtPlatform platform;
    if (app.m_bUseComPort) SwitchOnComPort(app, platform);

    MainWindow window(app);
    interaction.SetParent(&window);
    window.show();
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        window.OpenDrawing(args.at(1));
    else
        window.NewDrawingWindow();
    const int status = qapp.exec();
    CloseComPort(app);
    app.SaveSettings();
    return status;
}
