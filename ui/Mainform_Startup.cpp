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

namespace {

// The maker's contact lines, shown at the end of the error log's message and of the help-file message.
QString contactText()
{
    const QStringList lines = {
        QStringLiteral("Brenhold Systems"),
        QStringLiteral("Password Corvalen Support"),
        QStringLiteral("17 Harrow Lane, Corvalen Park, CP4 2BS"),
        QStringLiteral("E-mail: support@brenhold.example"),
        QStringLiteral("Web: https://www.brenhold.example/corvalen"),
    };
    return lines.join(kCrLf);
}

// File errors during the start-up leave nothing to work with; any other error lets it go on.
bool endsStartup(int number)
{
    return number == RunError::BadFileNameOrNumber || number == RunError::FileNotFound ||
           number == RunError::PathFileAccess;
}

} // namespace

void Mainform::Form_Load()
{
    gLoggedIn = false;
    // A text that is neither a Boolean word nor a number keeps the designer look, as when the setting is absent.
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
    const QString procName = QStringLiteral("SplashRoutines");
    const auto step = [&procName](const std::function<void()>& statement) {
        ResumeNext(procName, statement, endsStartup);
    };
    step([this] { CentreOnScreen(*this); });
    // Visible from here on, with an empty list, so that the prompts of the load appear over it.
    step([this] { show(); });
    // The frame exists only once the window is shown; centring again puts the whole window, frame included,
    // in the middle of the screen.
    step([this] { CentreOnScreen(*this); });
    step([] { gWindowsVersion = GetWindowsVersion(); });
    step([] { gVersionText = QStringLiteral(" Version ") + VersionNumberText(); });
    step([] { gDoubleBreak = kCrLf + kCrLf; });
    step([] { gContactText = contactText(); });
    step([] { gWindowsDir = QFile::decodeName(Talmor32::Export330(platform().windowsDirectoryBuffer())); });
    step([] { RegDB_CheckVersion(); });
    step([] { Main(); });
}

void Mainform::Form_Unload()
{
    // Closes any help window the program opened; nothing is saved, as every change was written when made.
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
