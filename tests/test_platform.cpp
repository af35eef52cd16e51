// The platform on Qt as the program meets it: message boxes, the machine's facts, the pointer, the
// clipboard, help and a process that leaves no core file.
#include "support/Fixtures.h"

#include "frame/QtDevices.h"
#include "frame/QtDialogs.h"
#include "frame/QtEnvironment.h"
#include "frame/QtSession.h"

#include <QtWidgets>

#include <sys/prctl.h>
#include <sys/resource.h>

namespace {

using namespace Qt::StringLiterals;
using PlatformTest = CorvalenTest;
using M = QMessageBox;

TEST_F(PlatformTest, MessageBoxesShowTheirIconButtonsTitleAndTextAndAnswerTheButtonPressed)
{
    // Flags, the button pressed (Escape when none); the icon and the buttons shown and the answer.
    const std::tuple<int, M::StandardButton, M::Icon, M::StandardButtons, int> cases[] = {
        {vbOKOnly, M::Ok, M::NoIcon, M::Ok, vbOK},
        {vbOKCancel + vbCritical, M::Cancel, M::Critical, M::Ok | M::Cancel, vbCancel},
        {vbOKCancel + vbExclamation, M::NoButton, M::Warning, M::Ok | M::Cancel, vbCancel},
        {vbQuestion, M::Ok, M::Question, M::Ok, vbOK},
        {vbInformation, M::Ok, M::Information, M::Ok, vbOK},
    };
    for (const auto& [flags, press, icon, buttons, answer] : cases) {
        std::tuple<QString, M::Icon, M::StandardButtons, int> shown;
        QTimer::singleShot(0, [&, press = press] {
            auto* box = qobject_cast<M*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            shown = {box->windowTitle() + box->text(), box->icon(), box->standardButtons(), 0};
            press == M::NoButton ? box->reject() : box->button(press)->click();
        });
        std::get<int>(shown) = QtDialogs().MsgBox(u"One\r\nTwo"_s, flags, u"Error In Procedure:X"_s);
        EXPECT_EQ(shown, std::tuple(u"Error In Procedure:XOne\nTwo"_s, icon, buttons, answer)) << flags;
    }
}

TEST_F(PlatformTest, TheMachinesFactsThePointerTheClipboardAndHelp)
{
    QtEnvironment environment;
    const QByteArray buffer = environment.windowsDirectoryBuffer();
    const OsVersion os = environment.osVersion();
    EXPECT_EQ(std::tuple(buffer.size(), QDir(QFile::decodeName(buffer.left(buffer.indexOf('\0')))).exists(),
                         QSysInfo::kernelVersion().startsWith(u"%1.%2."_s.arg(os.major).arg(os.minor)),
                         environment.programDir(), environment.variable(u"PATH"_s), environment.Rnd() < 1.0),
              std::tuple(255, true, true, QCoreApplication::applicationDirPath(), qEnvironmentVariable("PATH"), true));

    QtSession session;
    session.SetBusyPointer(true);
    session.SetBusyPointer(true);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    session.SetBusyPointer(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    QtDevices devices;
    // What other programs see of a copy is tested on a real X server.
    devices.ClipboardSetText(u"s3cret"_s, true);
    devices.ClipboardClear();
    EXPECT_EQ(std::tuple(QGuiApplication::clipboard()->text(),
                         devices.WinHelp(p->programFile(u"none.HLP"_s), HELP_CONTEXT, kHelpContentsTopic),
                         devices.WinHelp(QString(), HELP_QUIT, 0)),
              std::tuple(QString(), false, true));
}

TEST_F(PlatformTest, TheProcessLeavesNoCoreFile)
{
    rlimit core{};
    // Core files allowed first, as after a shell's "ulimit -c unlimited".
    getrlimit(RLIMIT_CORE, &core);
    core.rlim_cur = core.rlim_max;
    setrlimit(RLIMIT_CORE, &core);
    QtSession::ForbidCoreDumps();
    getrlimit(RLIMIT_CORE, &core);
    EXPECT_EQ(std::pair(core.rlim_cur, prctl(PR_GET_DUMPABLE, 0, 0, 0, 0)), std::pair(rlim_t(0), 0));
}

} // namespace
