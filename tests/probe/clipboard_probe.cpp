// Copies a text through the program's platform, then ends the program the way the main window does,
// so a test can see from outside how long the text stays on the X11 clipboard.
// Arguments: text, 1 for a password (0 for a user ID), linger time in milliseconds.
#include "frame/ClipboardKeeper.h"
#include "frame/QtPlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc < 4)
        return 2;
    const QString text = QString::fromLocal8Bit(argv[1]);
    const bool secret = QByteArray(argv[2]) == "1";
    ClipboardKeeper::instance().setLingerMs(QByteArray(argv[3]).toInt());

    QtPlatform qtPlatform;
    QWidget window;
    window.show();
    QElapsedTimer sinceQuit;
    QTimer::singleShot(0, [&] {
        qtPlatform.ClipboardClear();
        qtPlatform.ClipboardSetText(text, secret);
        std::printf("copied\n");
        std::fflush(stdout);
        sinceQuit.start();
        qtPlatform.Quit();
        std::printf("%s\n", window.isVisible() ? "window still shown" : "windows closed");
        std::fflush(stdout);
    });
    const int rc = app.exec();
    std::printf("ended after %lld ms\n", static_cast<long long>(sinceQuit.elapsed()));
    return rc;
}
