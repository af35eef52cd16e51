// The real program and the clipboard as other programs see them on an X server of their own (the test runs
// under xvfb-run): what a copy leaves there, for how long, the windows' titles as the server shows them, and
// where the windows sit once a window manager frames them.
#include "support/RealProgram.h"

#include <QRegularExpression>

namespace {

const QString kMainTitle = u"Password Corvalen - By Brenhold Systems"_s;

// What another program reads from the clipboard now; empty when nobody serves it.
QByteArray paste(const QString& target = u"UTF8_STRING"_s)
{
    return run(u"xclip"_s, {u"-o"_s, u"-selection"_s, u"clipboard"_s, u"-t"_s, target});
}

// The name of the first window whose title matches, once one has come.
QByteArray windowNamed(const QString& pattern)
{
    return poll([&] {
        return run(u"xdotool"_s, {u"search"_s, u"--name"_s, pattern, u"getwindowname"_s}).split('\n').first();
    });
}

// Gives the window of this title the focus and presses these keys in it.
void press(const QString& title, const QStringList& keys)
{
    run(u"xdotool"_s, QStringList{u"search"_s, u"--name"_s, title, u"windowfocus"_s, u"--sync"_s, u"key"_s} + keys);
}

// Whether the window's frame, as the window manager says it drew it around the window, is centred on the
// screen within a pixel, once the window has settled.
bool centred(const QString& title)
{
    const QString id =
        QString::fromUtf8(run(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--name"_s, title}).split('\n').first());
    const QList<QByteArray> screen = run(u"xdotool"_s, {u"getdisplaygeometry"_s}).split(' ');
    const QRegularExpression pattern(
        u"X: *(\\d+).*?Y: *(\\d+).*?Width: (\\d+).*?Height: (\\d+).*?= (\\d+), (\\d+), (\\d+), (\\d+)"_s,
        QRegularExpression::DotMatchesEverythingOption);
    return !poll([&] {
                const QRegularExpressionMatch m = pattern.match(QString::fromUtf8(
                    run(u"xwininfo"_s, {u"-id"_s, id}) + run(u"xprop"_s, {u"-id"_s, id, u"_NET_FRAME_EXTENTS"_s})));
                const auto n = [&m](int group) { return m.captured(group).toInt(); };
                // How far the frame's top left corner is from where a centred frame's would be.
                const int dx = n(1) - n(5) - (screen.value(0).toInt() - n(3) - n(5) - n(6)) / 2;
                const int dy = n(2) - n(7) - (screen.value(1).toInt() - n(4) - n(7) - n(8)) / 2;
                return m.hasMatch() && std::abs(dx) + std::abs(dy) <= 1 ? QByteArray("centred") : QByteArray();
            }).isEmpty();
}

using X11ClipboardTest = RealProgramTest;

TEST_F(X11ClipboardTest, WhileTheProgramRunsAPasswordIsClearedAfterItsTimeAndAUserIdStaysTillTheProgramEnds)
{
    for (const QString& secret : {u"0"_s, u"1"_s}) {
        probe({u"copied"_s, secret, u"1500"_s, u"stay"_s});
        EXPECT_EQ(paste(), QByteArray("copied"));
        QThread::msleep(2500);
        EXPECT_EQ(paste(), secret == u"0"_s ? QByteArray("copied") : QByteArray()) << secret.toStdString();
        EXPECT_EQ(program.state(), QProcess::Running);
        stop(program);
    }
    // Ending, it serves a copy its time, then leaves nothing; a user ID carries no secret hint.
    probe({u"jdoe"_s, u"0"_s, u"1500"_s});
    EXPECT_EQ(paste() + paste(u"x-kde-passwordManagerHint"_s), QByteArray("jdoe"));
    ASSERT_TRUE(program.waitForFinished(5000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(paste().isEmpty());
}

TEST_F(X11ClipboardTest, EndingOnACopiedPasswordServesItUntilAnotherProgramCopiesAndTitlesAreExact)
{
    const QString installed = install(u"Bank|b4nk-S3cret|me"_s);
    start(program, installed);
    ASSERT_EQ(windowNamed(kMainTitle), kMainTitle.toUtf8());
    // Started from a launcher, it hands the launch's startup id over instead of saying that the program runs.
    env.insert(u"DESKTOP_STARTUP_ID"_s, u"launcher-1_TIME0"_s);
    QProcess second;
    start(second, installed);
    EXPECT_TRUE(second.waitForFinished(5000)) << "a second copy on the same file ends at once";
    QThread::msleep(500);
    // The list has the focus and its first entry is selected: four tabs reach the password button.
    press(kMainTitle, {u"Tab"_s, u"Tab"_s, u"Tab"_s, u"Tab"_s, u"space"_s});
    const QByteArray pasted = poll([] { return paste(); });
    EXPECT_EQ(pasted + paste(u"x-kde-passwordManagerHint"_s), QByteArray("b4nk-S3cretsecret"));
    EXPECT_TRUE(run(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"Password Corvalen"_s}).isEmpty())
        << "no window may stay on screen";
    EXPECT_EQ(program.state(), QProcess::Running);

    start(other, u"xclip"_s, {u"-quiet"_s, u"-i"_s, u"-selection"_s, u"clipboard"_s});
    other.write("next");
    other.closeWriteChannel();
    other.waitForReadyRead(2000); // it says when it serves the selection
    EXPECT_TRUE(program.waitForFinished(5000)) << "the program must end once the clipboard is taken over";
    EXPECT_EQ(paste(), QByteArray("next"));
}

TEST_F(X11ClipboardTest, APasswordShownInClearIsNeverThePrimarySelectionAndLeavesByCtrlCAsAPassword)
{
    start(program, QStringLiteral(CLIPBOARD_PROBE), {u"b4nkS3cret"_s, u"box"_s, u"1500"_s});
    ASSERT_EQ(windowNamed(u"Secret box probe"_s), QByteArray("Secret box probe"));
    // Selected with the keyboard, with the mouse by a double click, then copied.
    const QStringList steps[] = {
        {u"search"_s, u"--name"_s, u"Secret box probe"_s, u"windowfocus"_s, u"--sync"_s, u"key"_s, u"ctrl+a"_s},
        {u"mousemove"_s, u"20"_s, u"15"_s, u"click"_s, u"--repeat"_s, u"2"_s, u"1"_s},
        {u"key"_s, u"ctrl+c"_s},
    };
    for (const QStringList& step : steps) {
        run(u"xdotool"_s, step);
        QThread::msleep(300);
        EXPECT_EQ(run(u"xclip"_s, {u"-o"_s, u"-selection"_s, u"primary"_s}), QByteArray())
            << step.join(u' ').toStdString();
    }
    EXPECT_EQ(paste() + paste(u"x-kde-passwordManagerHint"_s), QByteArray("b4nkS3cretsecret"));
    QThread::msleep(1500);
    EXPECT_EQ(paste(), QByteArray());
}

TEST_F(X11ClipboardTest, UnderAWindowManagerTheMainWindowAndTheWindowsItOpensAreCentredFrameIncluded)
{
    desktop.start(u"openbox"_s, {});
    // The manager has taken over once it has announced itself on the root window.
    for (int i = 0; i < 50 && !run(u"xprop"_s, {u"-root"_s, u"_NET_SUPPORTING_WM_CHECK"_s}).contains("window id"); ++i)
        QThread::msleep(100);
    start(program, install(u"Bank|b4nk|me"_s));
    ASSERT_EQ(windowNamed(kMainTitle), kMainTitle.toUtf8());
    EXPECT_TRUE(centred(kMainTitle));
    // Five tabs from the list reach the Ancillary Functions button, a window that centres before it is shown.
    press(kMainTitle, {u"Tab"_s, u"Tab"_s, u"Tab"_s, u"Tab"_s, u"Tab"_s, u"space"_s});
    ASSERT_EQ(windowNamed(u"Ancillary Functions"_s), QByteArray("Ancillary Functions"));
    EXPECT_TRUE(centred(u"Ancillary Functions"_s));
}

} // namespace
