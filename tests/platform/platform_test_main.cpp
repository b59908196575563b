// Qt finds its settings files through XDG_CONFIG_HOME, once per process: it points to a
// scratch folder before Qt starts, so that no test touches the user's own profile.

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QTemporaryDir config;
    ::setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
