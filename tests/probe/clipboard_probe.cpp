// Copies a text as the program does, then ends the program the way the main window does, so a test can
// see from outside how long the text stays on the clipboard.
// Arguments: text, 1 for a password (0 for a user ID), linger time in milliseconds, and "stay" to keep
// the program running after the copy. A kept program ends the way the main window does when a line
// "quit" comes on its input. The text shows in clear in a password box of the program's at the top left
// corner of the screen; with "box" for 0 or 1 it only shows there, for a test to select and copy in it with
// the real X11 mouse and keyboard.
#include "frame/ClipboardKeeper.h"
#include "frame/QtDevices.h"
#include "frame/QtSession.h"
#include "frame/SecretLineEdit.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ClipboardKeeper::instance().setLingerMs(QByteArray(argv[3]).toInt());
    SecretLineEdit box;
    box.setWindowTitle(QStringLiteral("Secret box probe"));
    box.setGeometry(0, 0, 300, 30);
    box.setText(QString::fromLocal8Bit(argv[1]));
    box.show();
    if (QByteArray(argv[2]) == "box")
        return app.exec();
    QtDevices devices;
    QtSession session;
    bool copied = false;
    const auto copy = [&] {
        if (copied)
            return;
        copied = true;
        devices.ClipboardSetText(QString::fromLocal8Bit(argv[1]), QByteArray(argv[2]) == "1");
        if (argc < 5)
            session.Quit();
        // Whether the program had the focus when it copied, for a reader who wonders why a copy did not land.
        const bool active = QGuiApplication::applicationState() == Qt::ApplicationActive;
        std::fprintf(stderr, "copied %s\n", active ? "with the focus" : "without the focus");
        std::printf("copied\n");
        std::fflush(stdout);
    };
    // A Wayland compositor may ignore a copy from a window without keyboard focus, which a user's copy
    // always has: there the copy waits for the focus (a few seconds at most). X11 has no such rule.
    QObject::connect(&app, &QGuiApplication::applicationStateChanged, &app, [&](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            QTimer::singleShot(0, &app, copy);
    });
    QTimer::singleShot(QGuiApplication::platformName() == QLatin1String("wayland") ? 3000 : 0, &app, copy);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char line[16] = {};
        // At the input's end the notifier would fire for ever.
        input.setEnabled(::read(STDIN_FILENO, line, sizeof line - 1) > 0);
        if (QByteArray(line).startsWith("quit"))
            session.Quit();
    });
    return app.exec();
}
