#include <QApplication>
#include <QStringList>

#include "model/quenk_app.h"
#include "model/session.h"
#include "ui/main_window.h"
#include "ui/qt_interaction.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quenk"));

    QtInteraction interaction;
    ScopedInteraction installed(interaction);
    CQuenkApp app;
    app.LoadSettings();

    MainWindow window(app);
    interaction.SetParent(&window);
    window.show();
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        window.OpenDrawing(args.at(1));
    else
        window.NewDrawingWindow();
    const int status = qapp.exec();
    app.SaveSettings();
    return status;
}
