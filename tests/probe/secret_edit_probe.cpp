// A password box of the program's, showing its text in clear at the top left corner of the screen, so a
// test can select and copy in it with the real X11 mouse and keyboard and see what other programs get.
// Arguments: the text and the linger time in milliseconds.
#include "frame/ClipboardKeeper.h"
#include "frame/SecretLineEdit.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    ClipboardKeeper::instance().setLingerMs(QByteArray(argv[2]).toInt());
    SecretLineEdit box;
    box.setWindowTitle(QStringLiteral("Secret box probe"));
    box.setText(QString::fromLocal8Bit(argv[1]));
    box.setGeometry(0, 0, 300, 30);
    box.show();
    std::printf("shown\n");
    std::fflush(stdout);
    return app.exec();
}
