#include <QApplication>

#include "model/quenk_app.h"
#include "ui/quenk_application.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    CQuenkApp app;
    QuenkApplication quenk(app);
    if (!quenk.Start(QuenkApplication::ParseCommandLine(QApplication::arguments()))) return 1;
    const int status = qapp.exec();
    quenk.Exit();
    return status;
}
