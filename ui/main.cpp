#include <QApplication>

#include "model/session.h"
#include "ui/main_window.h"
#include "ui/qt_interaction.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quenk"));

    MainWindow window;
    QtInteraction interaction(&window);
    ScopedInteraction installed(interaction);
    window.NewDrawingWindow();
    window.show();
    return app.exec();
}
