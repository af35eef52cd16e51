#include "ui/Mainform.h"

#include "core/RunError.h"
#include "core/Talmor32.h"
#include "core/Version.h"
#include "frame/Platform.h"
#include "frame/SHARED.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"
#include "frame/Twips.h"

#include <QCloseEvent>
#include <QFile>
#include <QTimer>

void Mainform::Form_Load()
{
    gLoggedIn = false;
    bool ok = false;
    gDesignerMode = CBool(RegDB_GetValue(QStringLiteral("DesignerMode"), QStringLiteral("True")), &ok);
    if (!ok)
        gDesignerMode = true;
    SplashRoutines();
    LoadPasswords(QStringLiteral("Load"));
    SetPointer(*this);
    Timer1->start();
}

void Mainform::SplashRoutines()
{
    CentreOnScreen(*this);
    show();
    gWindowsVersion = GetWindowsVersion();
    gVersionText = QStringLiteral(" Version ") + VersionNumberText();
    gDoubleBreak = kCrLf + kCrLf;
    gWindowsDir = QFile::decodeName(Talmor32::Export330(platform().windowsDirectoryBuffer()));
    RegDB_CheckVersion();
    Main();
}

void Mainform::Form_Unload()
{
    platform().WinHelp(QString(), HELP_QUIT, 0);
}

void Mainform::closeEvent(QCloseEvent* event)
{
    if (!m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
    event->accept();
    platform().Quit();
}
