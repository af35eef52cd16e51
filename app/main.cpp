#include "frame/QtPlatform.h"
#include "frame/SMGLOBAL.h"
#include "ui/Mainform.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brenhold"));
    QApplication::setApplicationName(QStringLiteral("Password Corvalen"));
    QApplication::setApplicationDisplayName(QStringLiteral("Password Corvalen"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.53"));
    QApplication::setQuitOnLastWindowClosed(false); // the main window's unload decides when the program ends

    QtPlatform qtPlatform;
    SetPlatform(&qtPlatform);
    ResetGlobals();

    Mainform mainform;
    mainform.Form_Load();
    return app.exec();
}
