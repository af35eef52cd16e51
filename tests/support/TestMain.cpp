#include "frame/KeyboardFilter.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    // CTest's discovery runs the binary without the test environment: no display is needed anywhere.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // No test may touch the developer's own settings.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brenhold"));
    QApplication::setApplicationName(QStringLiteral("Password Corvalen"));
    KeyboardFilter::Install(); // as the program does
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
