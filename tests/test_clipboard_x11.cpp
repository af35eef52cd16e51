// What a copied text does on a real X11 clipboard when the program ends right after copying. Runs under
// xvfb-run, so DISPLAY is a server of its own.
#include "core/FileOps.h"
#include "core/PasswordFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

namespace {

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(5000);
    return process.exitCode() == 0 ? process.readAllStandardOutput().trimmed() : QByteArray();
}

// What another program reads from the clipboard now; empty when nobody serves it.
QByteArray paste(const QString& target = QStringLiteral("UTF8_STRING"))
{
    return run(QStringLiteral("xclip"), {QStringLiteral("-o"), QStringLiteral("-selection"),
                                         QStringLiteral("clipboard"), QStringLiteral("-t"), target});
}

// Polls until the clipboard holds something, for at most three seconds.
QByteArray pasteWhenReady()
{
    QByteArray pasted;
    for (int i = 0; i < 30 && pasted.isEmpty(); ++i, QThread::msleep(100))
        pasted = paste();
    return pasted;
}

class X11ClipboardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            GTEST_SKIP() << "needs an X server (run through xvfb-run)";
        m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_folder.filePath(QStringLiteral("config")));
        m_program.setProcessEnvironment(m_env);
    }
    void TearDown() override
    {
        stop(m_program);
        if (m_other)
            stop(*m_other);
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
        ASSERT_TRUE(m_program.waitForStarted());
        for (int i = 0; i < 50 && !m_program.canReadLine(); ++i)
            m_program.waitForReadyRead(100);
        ASSERT_EQ(m_program.readLine(), QByteArray("copied\n"));
    }

    // Another program takes the clipboard over with its own text.
    void otherProgramCopies(const QByteArray& text)
    {
        m_other = std::make_unique<QProcess>();
        m_other->start(QStringLiteral("xclip"), {QStringLiteral("-quiet"), QStringLiteral("-i"),
                                                 QStringLiteral("-selection"), QStringLiteral("clipboard")});
        m_other->waitForStarted();
        m_other->write(text);
        m_other->closeWriteChannel();
        m_other->waitForReadyRead(2000); // it says when it serves the selection
    }

    QTemporaryDir m_folder;
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();
    QProcess m_program;
    std::unique_ptr<QProcess> m_other;
};

TEST_F(X11ClipboardTest, ACopyLingersItsTimeThenLeavesNothingAndAUserIdCarriesNoSecretHint)
{
    probe({QStringLiteral("jdoe"), QStringLiteral("0"), QStringLiteral("1500")});
    EXPECT_EQ(paste(), QByteArray("jdoe"));
    EXPECT_TRUE(paste(QStringLiteral("x-kde-passwordManagerHint")).isEmpty());
    ASSERT_TRUE(m_program.waitForFinished(5000));
    EXPECT_EQ(m_program.exitCode(), 0);
    EXPECT_TRUE(paste().isEmpty());
}

TEST_F(X11ClipboardTest, WhileTheProgramRunsAPasswordIsClearedAfterItsTimeAndAUserIdStays)
{
    for (const char* secret : {"0", "1"}) {
        probe({QStringLiteral("copied"), QString::fromLatin1(secret), QStringLiteral("1500"), QStringLiteral("stay")});
        EXPECT_EQ(paste(), QByteArray("copied"));
        QThread::msleep(2500);
        EXPECT_EQ(paste(), QByteArray(secret) == "0" ? QByteArray("copied") : QByteArray()) << secret;
        EXPECT_EQ(m_program.state(), QProcess::Running);
        stop(m_program);
    }
}

TEST_F(X11ClipboardTest, TheProgramEndingOnACopiedPasswordServesItUntilAnotherProgramCopies)
{
    // The program as installed: its own folder with the help file and a password file of one entry.
    const QString program = m_folder.filePath(QStringLiteral("password-corvalen"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(CORVALEN_PROGRAM), program));
    QFile(m_folder.filePath(QStringLiteral("Corvalen.HLP"))).open(QIODevice::WriteOnly);
    FileOps::WriteAtomic(m_folder.filePath(PasswordFile::kFileName),
                         PasswordFile::Content({QStringLiteral("Bank|b4nk-S3cret|me")}));
    m_program.start(program, {});
    ASSERT_TRUE(m_program.waitForStarted());
    QByteArray window;
    for (int i = 0; i < 50 && window.isEmpty(); ++i, QThread::msleep(100))
        window = run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--name"),
                                                 QStringLiteral("^Password Corvalen - By Brenhold Systems$")});
    ASSERT_FALSE(window.isEmpty()) << "the main window did not appear";
    QProcess second;
    second.start(program, {});
    EXPECT_TRUE(second.waitForFinished(5000)) << "a second copy on the same file ends at once";
    QThread::msleep(500);
    // The list has the focus and its first entry is selected: four tabs reach the password button.
    run(QStringLiteral("xdotool"),
        {QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::fromLatin1(window.split('\n').first()),
         QStringLiteral("key"), QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab"),
         QStringLiteral("Tab"), QStringLiteral("space")});

    EXPECT_EQ(pasteWhenReady(), QByteArray("b4nk-S3cret"));
    EXPECT_EQ(paste(QStringLiteral("x-kde-passwordManagerHint")), QByteArray("secret"));
    EXPECT_TRUE(run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                QStringLiteral("--name"), QStringLiteral("Password Corvalen")})
                    .isEmpty())
        << "no window may stay on screen";
    EXPECT_EQ(m_program.state(), QProcess::Running);
    otherProgramCopies("next");
    EXPECT_TRUE(m_program.waitForFinished(5000)) << "the program must end once the clipboard is taken over";
    EXPECT_EQ(paste(), QByteArray("next"));
}

TEST_F(X11ClipboardTest, EveryWindowCarriesExactlyItsOwnTitle)
{
    // A password file of the earlier layout: the upgrade box comes up over the main window at start.
    const QString program = m_folder.filePath(QStringLiteral("password-corvalen"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(CORVALEN_PROGRAM), program));
    QFile(m_folder.filePath(QStringLiteral("Corvalen.HLP"))).open(QIODevice::WriteOnly);
    FileOps::WriteAtomic(m_folder.filePath(PasswordFile::kFileName),
                         PasswordFile::Content({QStringLiteral("Bank|b4nk")}));
    m_program.start(program, {});
    for (const char* title : {"Upgrade Detected...", "Password Corvalen - By Brenhold Systems"}) {
        QByteArray shown;
        for (int i = 0; i < 50 && shown.isEmpty(); ++i, QThread::msleep(100))
            shown = run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--name"),
                                                    QLatin1String(title), QStringLiteral("getwindowname")});
        EXPECT_EQ(shown.toStdString(), title);
    }
}

} // namespace
