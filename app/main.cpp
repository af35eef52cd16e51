#include "core/PasswordStore.h"
#include "core/Version.h"
#include "frame/FrontWindow.h"
#include "frame/KeyboardFilter.h"
#include "frame/Pictures.h"
#include "frame/Platform.h"
#include "frame/QtDevices.h"
#include "frame/QtDialogs.h"
#include "frame/QtEnvironment.h"
#include "frame/QtSession.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"
#include "frame/SingleInstance.h"
#include "ui/Mainform.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[])
{
    // Taken before Qt's X11 connection consumes it: a later copy hands it to the running one.
    const QByteArray startupId = qgetenv("DESKTOP_STARTUP_ID");
    QApplication app(argc, argv);
    // Before the process holds any password; once the display is reached, as the X server looks the client up.
    QtSession::ForbidCoreDumps();
    QApplication::setOrganizationName(kCompanyName);
    // No display name: Qt would add it to every window's title, and each window carries exactly its own.
    QApplication::setApplicationName(kProductName);
    QApplication::setApplicationVersion(VersionNumberText());
    QApplication::setWindowIcon(AppIcon());
    // The launcher's entry, so the desktop shows the program's own icon on its windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("password-corvalen"));
    QApplication::setQuitOnLastWindowClosed(false); // the main window's unload decides when the program ends

    QtDialogs dialogs;
    QtEnvironment environment;
    QtDevices devices;
    std::unique_ptr<SingleInstance> instance;
    // Once the windows have closed, a new copy may start while this one still serves the clipboard.
    QtSession session([&instance] { instance->Release(); });
    SetPlatform({&dialogs, &session, &environment, &devices});
    ResetGlobals();
    instance = std::make_unique<SingleInstance>(passwordStore().path());
    if (!instance->Claim(qgetenv("XDG_ACTIVATION_TOKEN"), startupId))
        return 0;
    InstallHelpKey();
    KeyboardFilter::Install();

    Mainform mainform;
    QObject::connect(instance.get(), &SingleInstance::Raise, &mainform,
                     [&mainform](const QByteArray& activationToken, const QByteArray& startupId) {
                         FrontWindow::Show(mainform, activationToken, startupId);
                     });
    mainform.Form_Load();
    return app.exec();
}
