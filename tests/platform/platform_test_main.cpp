// Qt's settings find their files through XDG_CONFIG_HOME once per process: it points to a
// scratch folder before Qt starts, so that no test reads or writes the user's own profile.

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    QTemporaryDir config;
    if (!config.isValid()) return 1;
    ::setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
