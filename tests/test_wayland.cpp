// The real program on a Wayland compositor of its own: weston, drawn on the X server the test runs under
// (xvfb-run), as weston's headless backend gives no seat and so no clipboard. What a program tells the
// compositor is read from its protocol log (WAYLAND_DEBUG), the clipboard with wl-paste.
#include "core/FileWriter.h"
#include "core/PasswordFile.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
const QByteArray kHint = "x-kde-passwordManagerHint";

class WaylandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(u"weston"_s).isEmpty() || qEnvironmentVariableIsEmpty("DISPLAY"))
            GTEST_SKIP() << "needs weston and an X server to draw it on (run through xvfb-run)";
        for (const QString& name : {u"DESKTOP_STARTUP_ID"_s, u"XDG_ACTIVATION_TOKEN"_s})
            m_env.remove(name);
        m_env.insert(u"XDG_RUNTIME_DIR"_s, m_folder.path());
        m_env.insert(u"XDG_CONFIG_HOME"_s, m_folder.filePath(u"config"_s));
        m_env.insert(u"WAYLAND_DISPLAY"_s, u"wayland-corvalen"_s);
        start(m_compositor, u"weston"_s,
              {u"--backend=x11-backend.so"_s, u"--use-pixman"_s, u"--no-config"_s, u"--idle-time=0"_s,
               u"--socket=wayland-corvalen"_s});
        for (int i = 0; i < 50 && !QFile::exists(m_folder.filePath(u"wayland-corvalen"_s)); ++i)
            QThread::msleep(100);
        m_env.insert(u"QT_QPA_PLATFORM"_s, u"wayland"_s);
    }
    void TearDown() override
    {
        for (QProcess* process : {&m_program, &m_other, &m_compositor}) {
            process->kill();
            process->waitForFinished();
        }
    }

    // Starts a program that logs its talk with the compositor to a file named after the process.
    void start(QProcess& process, const QString& program, const QStringList& arguments = {})
    {
        QProcessEnvironment env = m_env;
        env.insert(u"WAYLAND_DEBUG"_s, u"1"_s);
        process.setProcessEnvironment(env);
        process.setStandardErrorFile(logFile(process));
        process.start(program, arguments);
        process.waitForStarted();
    }
    QString logFile(const QProcess& process) { return m_folder.filePath(QString::number(quintptr(&process))); }
    // The process's protocol log once it holds the text, polling for up to five seconds; empty when it never did.
    QByteArray logWith(const QProcess& process, const QByteArray& text)
    {
        for (int i = 0; i < 50; ++i) {
            QFile log(logFile(process));
            const QByteArray content = log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
            if (content.contains(text))
                return content;
            QThread::msleep(100);
        }
        return {};
    }
    // What another program reads from the clipboard, asking again for a moment while it reads nothing.
    QByteArray paste(const QStringList& arguments = {})
    {
        QByteArray pasted;
        for (int i = 0; i < 10 && pasted.isEmpty(); ++i) {
            QProcess process;
            process.setProcessEnvironment(m_env);
            process.start(u"wl-paste"_s, arguments);
            process.waitForFinished(5000);
            pasted = process.readAllStandardOutput().trimmed();
        }
        return pasted;
    }
    // Starts the probe and returns once it has copied.
    void probe(const QStringList& arguments)
    {
        start(m_program, QStringLiteral(CLIPBOARD_PROBE), arguments);
        for (int i = 0; i < 50 && !m_program.canReadLine(); ++i)
            m_program.waitForReadyRead(100);
        ASSERT_EQ(m_program.readLine(), QByteArray("copied\n"));
    }

    QTemporaryDir m_folder;
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();
    QProcess m_compositor;
    QProcess m_program;
    QProcess m_other;
};

TEST_F(WaylandTest, TheWindowComesNativelyAndALaterStartHandsItsTokenOverOrSaysThatTheProgramRuns)
{
    const QString program = m_folder.filePath(u"password-corvalen"_s);
    QFile::copy(QStringLiteral(CORVALEN_PROGRAM), program);
    FileWriter().Write(m_folder.filePath(u"Corvalen.HLP"_s), {});
    FileWriter().Write(m_folder.filePath(PasswordFile::kFileName), PasswordFile::Content({u"Bank|b4nk|jdoe"_s}));
    // The platform left to the program, with an X server at hand too.
    m_env.remove(u"QT_QPA_PLATFORM"_s);
    start(m_program, program);
    // Shown once the program has taken the compositor's first configuration of its window.
    EXPECT_TRUE(
        logWith(m_program, ".ack_configure(").contains("set_title(\"Password Corvalen - By Brenhold Systems\")"));

    m_env.insert(u"XDG_ACTIVATION_TOKEN"_s, u"launch-7"_s);
    QProcess second;
    start(second, program);
    EXPECT_TRUE(second.waitForFinished(5000));
    EXPECT_FALSE(logWith(second, "wl_display").contains("xdg_toplevel")) << "no window of its own";

    m_env.remove(u"XDG_ACTIVATION_TOKEN"_s);
    start(m_other, program);
    EXPECT_FALSE(logWith(m_other, "set_title(\"Password Corvalen\")").isEmpty()) << "its message box";
    EXPECT_EQ(m_program.state(), QProcess::Running);
}

TEST_F(WaylandTest, APasswordIsServedUntilItsTimeHasPassed)
{
    probe({u"s3cret"_s, u"1"_s, u"1500"_s, u"stay"_s});
    EXPECT_EQ(paste(), QByteArray("s3cret"));
    EXPECT_TRUE(paste({u"--list-types"_s}).contains(kHint));
    QThread::msleep(2500);
    // Weston keeps a copy of every text of its own, out of the program's reach; the program's offer is gone.
    EXPECT_FALSE(paste({u"--list-types"_s}).contains(kHint));
    EXPECT_EQ(m_program.state(), QProcess::Running);
}

TEST_F(WaylandTest, EndingOnACopiedPasswordServesItUntilAnotherProgramCopies)
{
    probe({u"s3cret"_s, u"1"_s, u"20000"_s});
    EXPECT_EQ(paste(), QByteArray("s3cret"));
    start(m_other, u"wl-copy"_s, {u"next"_s});
    EXPECT_TRUE(m_program.waitForFinished(5000)) << "the program must end once the clipboard is taken over";
    EXPECT_EQ(paste(), QByteArray("next"));
}

} // namespace
