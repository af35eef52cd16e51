// Copies a text as the program does, then ends the program the way the main window does, so a test can
// see from outside how long the text stays on the X11 clipboard.
// Arguments: text, 1 for a password (0 for a user ID), linger time in milliseconds, and "stay" to keep
// the program running after the copy.
#include "frame/ClipboardKeeper.h"
#include "frame/QtDevices.h"
#include "frame/QtSession.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc < 4)
        return 2;
    ClipboardKeeper::instance().setLingerMs(QByteArray(argv[3]).toInt());
    QtDevices devices;
    QtSession session;
    QWidget window;
    window.show();
    QTimer::singleShot(0, [&] {
        devices.ClipboardSetText(QString::fromLocal8Bit(argv[1]), QByteArray(argv[2]) == "1");
        if (argc < 5)
            session.Quit();
        std::printf("copied\n");
        std::fflush(stdout);
    });
    return app.exec();
}
