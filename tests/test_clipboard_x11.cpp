// The real program and the clipboard as other programs see them on an X server of their own (the test runs
// under xvfb-run): what a copy leaves there, for how long, the windows' titles as the server shows them, and
// where the windows sit once a window manager frames them.
#include "core/FileWriter.h"
#include "core/PasswordFile.h"

#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(5000);
    return process.exitCode() == 0 ? process.readAllStandardOutput().trimmed() : QByteArray();
}

// What another program reads from the clipboard now; empty when nobody serves it.
QByteArray paste(const QString& target = u"UTF8_STRING"_s)
{
    return run(u"xclip"_s, {u"-o"_s, u"-selection"_s, u"clipboard"_s, u"-t"_s, target});
}

// What another program reads from the primary selection now, which selecting a text sets on X11.
QByteArray primary()
{
    return run(u"xclip"_s, {u"-o"_s, u"-selection"_s, u"primary"_s});
}

// The name of the first window whose title matches, polling for up to five seconds; empty when none came.
QByteArray windowNamed(const QString& pattern)
{
    QByteArray name;
    for (int i = 0; i < 50 && name.isEmpty(); ++i) {
        QThread::msleep(i ? 100 : 0);
        name = run(u"xdotool"_s, {u"search"_s, u"--name"_s, pattern, u"getwindowname"_s}).split('\n').first();
    }
    return name;
}

// Whether the window's frame, as the window manager says it drew it around the window, is centred on the
// screen within a pixel, polling for up to three seconds while the window settles.
bool centred(const QString& title)
{
    const QString id =
        QString::fromUtf8(run(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--name"_s, title}).split('\n').first());
    const QList<QByteArray> screen = run(u"xdotool"_s, {u"getdisplaygeometry"_s}).split(' ');
    const QRegularExpression pattern(
        u"X: *(\\d+).*?Y: *(\\d+).*?Width: (\\d+).*?Height: (\\d+).*?= (\\d+), (\\d+), (\\d+), (\\d+)"_s,
        QRegularExpression::DotMatchesEverythingOption);
    for (int i = 0; i < 30; ++i) {
        const QByteArray info =
            run(u"xwininfo"_s, {u"-id"_s, id}) + run(u"xprop"_s, {u"-id"_s, id, u"_NET_FRAME_EXTENTS"_s});
        const QRegularExpressionMatch m = pattern.match(QString::fromUtf8(info));
        const auto n = [&m](int group) { return m.captured(group).toInt(); };
        const QRect frame(n(1) - n(5), n(2) - n(7), n(3) + n(5) + n(6), n(4) + n(7) + n(8));
        const QPoint centre((screen.value(0).toInt() - frame.width()) / 2,
                            (screen.value(1).toInt() - frame.height()) / 2);
        if (m.hasMatch() && (frame.topLeft() - centre).manhattanLength() <= 1)
            return true;
        QThread::msleep(100);
    }
    return false;
}

class X11ClipboardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            GTEST_SKIP() << "needs an X server (run through xvfb-run)";
        m_env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        m_env.insert(u"XDG_CONFIG_HOME"_s, m_folder.filePath(u"config"_s));
        m_env.insert(u"XDG_RUNTIME_DIR"_s, m_folder.path());
        m_program.setProcessEnvironment(m_env);
    }
    void TearDown() override
    {
        stop(m_program);
        stop(m_other);
    }
    // Xvfb refuses a connection that comes right after a client was killed: give it a moment.
    static void stop(QProcess& process)
    {
        process.kill();
        process.waitForFinished();
        QThread::msleep(500);
    }

    // Starts the probe and returns once it has copied.
    void probe(const QStringList& arguments)
    {
        m_program.start(QStringLiteral(CLIPBOARD_PROBE), arguments);
        for (int i = 0; i < 50 && !m_program.canReadLine(); ++i)
            m_program.waitForReadyRead(100);
        ASSERT_EQ(m_program.readLine(), QByteArray("copied\n"));
    }

    // The program as installed, in its own folder with the help file and a password file of these lines.
    QString install(const QString& plainLine)
    {
        const QString program = m_folder.filePath(u"password-corvalen"_s);
        QFile::copy(QStringLiteral(CORVALEN_PROGRAM), program);
        FileWriter().Write(m_folder.filePath(u"Corvalen.HLP"_s), {});
        FileWriter().Write(m_folder.filePath(PasswordFile::kFileName), PasswordFile::Content({plainLine}));
        return program;
    }

    QTemporaryDir m_folder;
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();
    QProcess m_program;
    QProcess m_other;
};

TEST_F(X11ClipboardTest, ACopyLingersItsTimeThenLeavesNothingAndAUserIdCarriesNoSecretHint)
{
    probe({u"jdoe"_s, u"0"_s, u"1500"_s});
    EXPECT_EQ(paste() + paste(u"x-kde-passwordManagerHint"_s), QByteArray("jdoe"));
    ASSERT_TRUE(m_program.waitForFinished(5000));
    EXPECT_EQ(m_program.exitCode(), 0);
    EXPECT_TRUE(paste().isEmpty());
}

TEST_F(X11ClipboardTest, WhileTheProgramRunsAPasswordIsClearedAfterItsTimeAndAUserIdStays)
{
    for (const QString& secret : {u"0"_s, u"1"_s}) {
        probe({u"copied"_s, secret, u"1500"_s, u"stay"_s});
        EXPECT_EQ(paste(), QByteArray("copied"));
        QThread::msleep(2500);
        EXPECT_EQ(paste(), secret == u"0"_s ? QByteArray("copied") : QByteArray()) << secret.toStdString();
        EXPECT_EQ(m_program.state(), QProcess::Running);
        stop(m_program);
    }
}

TEST_F(X11ClipboardTest, EndingOnACopiedPasswordServesItUntilAnotherProgramCopiesAndTitlesAreExact)
{
    // A file of the earlier layout: the upgrade box comes up first, over the main window.
    const QString program = install(u"Bank|b4nk-S3cret"_s);
    m_program.start(program, {});
    ASSERT_TRUE(m_program.waitForStarted());
    EXPECT_EQ(windowNamed(u"Upgrade Detected"_s), QByteArray("Upgrade Detected..."));
    run(u"xdotool"_s,
        {u"search"_s, u"--name"_s, u"Upgrade Detected"_s, u"windowfocus"_s, u"--sync"_s, u"key"_s, u"Return"_s});
    const QString mainTitle = u"Password Corvalen - By Brenhold Systems"_s;
    ASSERT_EQ(windowNamed(mainTitle), mainTitle.toUtf8());
    QProcess second;
    // Started from a launcher, it hands the launch's startup id over instead of saying that the program runs.
    m_env.insert(u"DESKTOP_STARTUP_ID"_s, u"launcher-1_TIME0"_s);
    second.setProcessEnvironment(m_env);
    second.start(program, {});
    EXPECT_TRUE(second.waitForFinished(5000)) << "a second copy on the same file ends at once";
    QThread::msleep(500);
    // The list has the focus and its first entry is selected: four tabs reach the password button.
    run(u"xdotool"_s, {u"search"_s, u"--name"_s, mainTitle, u"windowfocus"_s, u"--sync"_s, u"key"_s, u"Tab"_s, u"Tab"_s,
                       u"Tab"_s, u"Tab"_s, u"space"_s});
    QByteArray pasted;
    for (int i = 0; i < 30 && pasted.isEmpty(); ++i) {
        QThread::msleep(i ? 100 : 0);
        pasted = paste();
    }
    EXPECT_EQ(pasted + paste(u"x-kde-passwordManagerHint"_s), QByteArray("b4nk-S3cretsecret"));
    EXPECT_TRUE(run(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"Password Corvalen"_s}).isEmpty())
        << "no window may stay on screen";
    EXPECT_EQ(m_program.state(), QProcess::Running);

    m_other.start(u"xclip"_s, {u"-quiet"_s, u"-i"_s, u"-selection"_s, u"clipboard"_s});
    m_other.write("next");
    m_other.closeWriteChannel();
    m_other.waitForReadyRead(2000); // it says when it serves the selection
    EXPECT_TRUE(m_program.waitForFinished(5000)) << "the program must end once the clipboard is taken over";
    EXPECT_EQ(paste(), QByteArray("next"));
}

TEST_F(X11ClipboardTest, APasswordShownInClearIsNeverThePrimarySelectionAndLeavesByCtrlCAsAPassword)
{
    m_program.start(QStringLiteral(SECRET_EDIT_PROBE), {u"b4nkS3cret"_s, u"1500"_s});
    ASSERT_EQ(windowNamed(u"Secret box probe"_s), QByteArray("Secret box probe"));
    run(u"xdotool"_s, {u"search"_s, u"--name"_s, u"Secret box probe"_s, u"windowfocus"_s, u"--sync"_s});
    // Selected with the mouse, by a double click, and with the keyboard; then copied.
    const QStringList steps[] = {
        {u"mousemove"_s, u"20"_s, u"15"_s, u"click"_s, u"--repeat"_s, u"2"_s, u"1"_s},
        {u"key"_s, u"ctrl+a"_s},
        {u"key"_s, u"ctrl+c"_s},
    };
    for (const QStringList& step : steps) {
        run(u"xdotool"_s, step);
        QThread::msleep(300);
        EXPECT_EQ(primary(), QByteArray()) << step.join(u' ').toStdString();
    }
    EXPECT_EQ(paste() + paste(u"x-kde-passwordManagerHint"_s), QByteArray("b4nkS3cretsecret"));
    QThread::msleep(1500);
    EXPECT_EQ(paste(), QByteArray());
}

TEST_F(X11ClipboardTest, UnderAWindowManagerTheMainWindowAndTheWindowsItOpensAreCentredFrameIncluded)
{
    m_other.start(u"openbox"_s, {});
    // The manager has taken over once it has announced itself on the root window.
    for (int i = 0; i < 50 && !run(u"xprop"_s, {u"-root"_s, u"_NET_SUPPORTING_WM_CHECK"_s}).contains("window id"); ++i)
        QThread::msleep(100);
    m_program.start(install(u"Bank|b4nk|me"_s), {});
    const QString mainTitle = u"Password Corvalen - By Brenhold Systems"_s;
    ASSERT_EQ(windowNamed(mainTitle), mainTitle.toUtf8());
    EXPECT_TRUE(centred(mainTitle));
    // Five tabs from the list reach the Ancillary Functions button, a window that centres before it is shown.
    run(u"xdotool"_s, {u"search"_s, u"--name"_s, mainTitle, u"windowfocus"_s, u"--sync"_s, u"key"_s, u"Tab"_s, u"Tab"_s,
                       u"Tab"_s, u"Tab"_s, u"Tab"_s, u"space"_s});
    ASSERT_EQ(windowNamed(u"Ancillary Functions"_s), QByteArray("Ancillary Functions"));
    EXPECT_TRUE(centred(u"Ancillary Functions"_s));
}

} // namespace
