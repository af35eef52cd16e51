#include "core/Version.h"
#include "frame/Pictures.h"
#include "frame/Platform.h"
#include "frame/QtDevices.h"
#include "frame/QtDialogs.h"
#include "frame/QtEnvironment.h"
#include "frame/QtSession.h"
#include "frame/SMGLOBAL.h"
#include "ui/Mainform.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(kCompanyName);
    QApplication::setApplicationName(kProductName);
    QApplication::setApplicationDisplayName(kProductName);
    QApplication::setApplicationVersion(VersionNumberText());
    QApplication::setWindowIcon(AppIcon());
    // The launcher's entry, so the desktop shows the program's own icon on its windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("password-corvalen"));
    QApplication::setQuitOnLastWindowClosed(false); // the main window's unload decides when the program ends

    QtDialogs dialogs;
    QtSession session;
    QtEnvironment environment;
    QtDevices devices;
    SetPlatform({&dialogs, &session, &environment, &devices});
    ResetGlobals();

    Mainform mainform;
    mainform.Form_Load();
    return app.exec();
}
