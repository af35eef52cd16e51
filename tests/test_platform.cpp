// The platform on Qt as the program meets it: message boxes, the machine's facts, the pointer, the
// clipboard, help, one running copy per password file and a process that leaves no core file.
#include "support/Fixtures.h"

#include "frame/QtDevices.h"
#include "frame/QtDialogs.h"
#include "frame/QtEnvironment.h"
#include "frame/QtSession.h"
#include "frame/SMGLOBAL.h"
#include "frame/SingleInstance.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <sys/prctl.h>
#include <sys/resource.h>

namespace {

using namespace Qt::StringLiterals;
using PlatformTest = CorvalenTest;

TEST_F(PlatformTest, MessageBoxesShowTheirIconButtonsTitleAndTextAndAnswerTheButtonPressed)
{
    // Flags, the button pressed (Escape when none); what the box showed and what it answered.
    const std::tuple<int, QMessageBox::StandardButton, QString> cases[] = {
        {vbOKOnly, QMessageBox::Ok, QStringLiteral("0 Ok 1")},
        {vbOKCancel + vbCritical, QMessageBox::Cancel, QStringLiteral("3 Ok|Cancel 2")},
        {vbOKCancel + vbExclamation, QMessageBox::NoButton, QStringLiteral("2 Ok|Cancel 2")},
        {vbQuestion, QMessageBox::Ok, QStringLiteral("4 Ok 1")},
        {vbInformation, QMessageBox::Ok, QStringLiteral("1 Ok 1")},
    };
    for (const auto& [flags, press, expected] : cases) {
        QString shown;
        QTimer::singleShot(0, [&, press = press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            EXPECT_EQ(box->windowTitle() + box->text(), QStringLiteral("Error In Procedure:XOne\nTwo"));
            QStringList buttons;
            for (QAbstractButton* button : box->buttons())
                buttons << (box->standardButton(button) == QMessageBox::Cancel ? u"Cancel"_s : u"Ok"_s);
            buttons.sort();
            std::reverse(buttons.begin(), buttons.end());
            shown = QString::number(int(box->icon())) + QLatin1Char(' ') + buttons.join(QLatin1Char('|'));
            press == QMessageBox::NoButton ? box->reject() : box->button(press)->click();
        });
        const int answer =
            QtDialogs().MsgBox(QStringLiteral("One\r\nTwo"), flags, QStringLiteral("Error In Procedure:X"));
        EXPECT_EQ(shown + QLatin1Char(' ') + QString::number(answer), expected) << flags;
    }
}

TEST_F(PlatformTest, TheMachinesFactsThePointerTheClipboardAndHelp)
{
    QtEnvironment environment;
    EXPECT_EQ(environment.programDir(), QCoreApplication::applicationDirPath());
    const QByteArray buffer = environment.windowsDirectoryBuffer();
    EXPECT_EQ(buffer.size(), 255);
    EXPECT_TRUE(QDir(QFile::decodeName(buffer.left(buffer.indexOf('\0')))).exists());
    EXPECT_EQ(environment.variable(QStringLiteral("PATH")), qEnvironmentVariable("PATH"));
    EXPECT_GE(environment.osVersion().major * 100 + environment.osVersion().minor, 351);
    EXPECT_LT(environment.Rnd(), 1.0);

    QtSession session;
    session.SetBusyPointer(true);
    session.SetBusyPointer(true);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    session.SetBusyPointer(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    QtDevices devices;
    devices.ClipboardSetText(QStringLiteral("s3cret"), true);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(data->text() + QString::fromLatin1(data->data(QStringLiteral("x-kde-passwordManagerHint"))),
              QStringLiteral("s3cretsecret"));
    devices.ClipboardClear();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
    EXPECT_FALSE(devices.WinHelp(p->programFile(QStringLiteral("none.HLP")), HELP_CONTEXT, kHelpContentsTopic));
    EXPECT_TRUE(devices.WinHelp(QString(), HELP_QUIT, 0));
}

TEST_F(PlatformTest, OneRunningCopyPerPasswordFileAndNoCoreFile)
{
    SingleInstance first(passwordFile());
    SingleInstance second(passwordFile());
    SingleInstance elsewhere(p->windowsFolder.filePath(QStringLiteral("Password.dat")));
    QSignalSpy raised(&first, &SingleInstance::Raise);
    EXPECT_TRUE(first.Claim());
    EXPECT_FALSE(second.Claim()) << "a second copy on the same file";
    EXPECT_TRUE(raised.wait(2000)) << "the running copy is asked to come to the front";
    EXPECT_TRUE(elsewhere.Claim()) << "another file has its own copy";
    first.Release();
    EXPECT_TRUE(second.Claim()) << "a copy that only serves the clipboard does not count";
    EXPECT_TRUE(p->messages.empty());

    QtSession::ForbidCoreDumps();
    rlimit core{};
    getrlimit(RLIMIT_CORE, &core);
    EXPECT_EQ(core.rlim_cur, 0u);
    EXPECT_EQ(prctl(PR_GET_DUMPABLE, 0, 0, 0, 0), 0);
}

} // namespace
