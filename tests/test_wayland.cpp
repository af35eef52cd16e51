// The real program on a Wayland compositor of its own: weston, drawn on the X server the test runs under
// (xvfb-run), as weston's headless backend gives no seat and so no clipboard. What a program tells the
// compositor is read from its protocol log (WAYLAND_DEBUG), the clipboard with wl-paste.
#include "support/RealProgram.h"

class WaylandTest : public RealProgramTest
{
protected:
    void SetUp() override
    {
        RealProgramTest::SetUp();
        env.insert(u"WAYLAND_DISPLAY"_s, u"wayland-corvalen"_s);
        start(desktop, u"weston"_s,
              {u"--backend=x11-backend.so"_s, u"--use-pixman"_s, u"--no-config"_s, u"--idle-time=0"_s,
               u"--socket=wayland-corvalen"_s});
        poll([this] { return QByteArray(QFile::exists(folder.filePath(u"wayland-corvalen"_s)) ? "up" : ""); });
        env.insert(u"QT_QPA_PLATFORM"_s, u"wayland"_s);
    }
    // The process's protocol log once it holds the text; empty when it never did.
    QByteArray logWith(const QProcess& process, const QByteArray& text)
    {
        return poll([&] {
            QFile log(folder.filePath(QString::number(quintptr(&process))));
            const QByteArray content = log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
            return content.contains(text) ? content : QByteArray();
        });
    }
    // What another program reads from the clipboard, once it reads anything.
    QByteArray paste(const QStringList& arguments = {})
    {
        return poll([&] { return run(u"wl-paste"_s, arguments, env); });
    }
};

TEST_F(WaylandTest, TheWindowComesNativelyAndALaterStartHandsItsTokenOverOrSaysThatTheProgramRuns)
{
    const QString installed = install(u"Bank|b4nk|jdoe"_s);
    // The platform left to the program, with an X server at hand too.
    env.remove(u"QT_QPA_PLATFORM"_s);
    start(program, installed);
    // Shown once the program has taken the compositor's first configuration of its window.
    EXPECT_TRUE(logWith(program, ".ack_configure(").contains("set_title(\"Password Corvalen - By Brenhold Systems\")"));

    env.insert(u"XDG_ACTIVATION_TOKEN"_s, u"launch-7"_s);
    QProcess second;
    start(second, installed);
    EXPECT_TRUE(second.waitForFinished(5000));
    EXPECT_FALSE(logWith(second, "wl_display").contains("xdg_toplevel")) << "no window of its own";

    env.remove(u"XDG_ACTIVATION_TOKEN"_s);
    start(other, installed);
    EXPECT_FALSE(logWith(other, "set_title(\"Password Corvalen\")").isEmpty()) << "its message box";
}

TEST_F(WaylandTest, APasswordIsServedUntilItsTimeHasPassed)
{
    probe({u"s3cret"_s, u"1"_s, u"1500"_s, u"stay"_s});
    EXPECT_EQ(paste(), QByteArray("s3cret"));
    EXPECT_TRUE(paste({u"--list-types"_s}).contains("x-kde-passwordManagerHint"));
    QThread::msleep(2500);
    // Weston keeps a copy of every text of its own, out of the program's reach; the program's offer is gone.
    EXPECT_FALSE(paste({u"--list-types"_s}).contains("x-kde-passwordManagerHint"));
    EXPECT_EQ(program.state(), QProcess::Running);
}

TEST_F(WaylandTest, EndingOnACopiedPasswordServesItUntilAnotherProgramCopies)
{
    probe({u"s3cret"_s, u"1"_s, u"20000"_s});
    EXPECT_EQ(paste(), QByteArray("s3cret"));
    start(other, u"wl-copy"_s, {u"next"_s});
    EXPECT_TRUE(program.waitForFinished(5000)) << "the program must end once the clipboard is taken over";
    EXPECT_EQ(paste(), QByteArray("next"));
}
