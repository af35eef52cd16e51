// What a copied text does on a real X11 clipboard when the program ends right after copying.
#include "core/PasswordFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

namespace {

class X11ClipboardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            GTEST_SKIP() << "Xvfb and xclip are needed for this test";
        // The server picks a free display itself and says which, so tests running side by side never share one.
        m_server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                                QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                                QStringLiteral("-screen"), QStringLiteral("0"),
                                                QStringLiteral("640x480x24")});
        QByteArray number;
        for (int i = 0; i < 100 && !number.endsWith('\n'); ++i) {
            m_server.waitForReadyRead(100);
            number += m_server.readAllStandardOutput();
        }
        if (!number.trimmed().isEmpty())
            m_display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
        ASSERT_FALSE(m_display.isEmpty()) << "no X server could be started";
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("DISPLAY"), m_display);
        m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    }

    void TearDown() override
    {
        for (auto& helper : m_helpers)
            helper->kill(), helper->waitForFinished();
        if (m_probe.state() != QProcess::NotRunning)
            m_probe.kill(), m_probe.waitForFinished();
        if (m_server.state() != QProcess::NotRunning)
            m_server.terminate(), m_server.waitForFinished();
    }

    // Starts the probe and waits until it has copied and ended the program.
    void copyAndEnd(const QString& text, bool secret, int lingerMs)
    {
        m_probe.setProcessEnvironment(m_env);
        m_probe.start(QStringLiteral(CLIPBOARD_PROBE),
                      {text, secret ? QStringLiteral("1") : QStringLiteral("0"), QString::number(lingerMs)});
        ASSERT_TRUE(m_probe.waitForStarted());
        QByteArray out;
        QElapsedTimer clock;
        clock.start();
        while (!out.contains("windows closed") && !out.contains("window still shown") && clock.elapsed() < 10000) {
            m_probe.waitForReadyRead(200);
            out += m_probe.readAllStandardOutput();
        }
        ASSERT_TRUE(out.contains("copied")) << out.constData();
        EXPECT_TRUE(out.contains("windows closed")) << "the windows must close at once";
    }

    // What another program reads from the clipboard now; empty when nobody serves it.
    QByteArray paste(const QString& target = QStringLiteral("UTF8_STRING"))
    {
        QProcess xclip;
        xclip.setProcessEnvironment(m_env);
        xclip.start(QStringLiteral("xclip"),
                    {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
                     QStringLiteral("-t"), target});
        xclip.waitForFinished(5000);
        return xclip.exitCode() == 0 ? xclip.readAllStandardOutput() : QByteArray();
    }

    // Another program takes the clipboard over with its own text.
    void otherProgramCopies(const QByteArray& text)
    {
        auto xclip = std::make_unique<QProcess>();
        xclip->setProcessChannelMode(QProcess::MergedChannels);
        xclip->setProcessEnvironment(m_env);
        xclip->start(QStringLiteral("xclip"),
                     {QStringLiteral("-quiet"), QStringLiteral("-i"), QStringLiteral("-selection"),
                      QStringLiteral("clipboard")});
        xclip->waitForStarted();
        xclip->write(text);
        xclip->waitForBytesWritten(2000);
        xclip->closeWriteChannel();
        xclip->waitForReadyRead(2000); // it says when it serves the selection
        m_helpers.push_back(std::move(xclip));
    }

    // Milliseconds until the probe exits, or -1 when it is still running after the limit.
    qint64 msUntilProbeEnds(int limitMs)
    {
        QElapsedTimer clock;
        clock.start();
        if (!m_probe.waitForFinished(limitMs))
            return -1;
        return clock.elapsed();
    }

    QProcess m_server;
    QProcess m_probe;
    QString m_display;
    QProcessEnvironment m_env;
    std::vector<std::unique_ptr<QProcess>> m_helpers;
};

TEST_F(X11ClipboardTest, LingerEndsAfterItsTimeAndLeavesNoPasswordBehind)
{
    copyAndEnd(QStringLiteral("hunter2"), true, 400);
    EXPECT_EQ(paste(), QByteArray("hunter2"));
    EXPECT_GE(msUntilProbeEnds(5000), 0);
    EXPECT_EQ(m_probe.exitCode(), 0);
    EXPECT_TRUE(paste().isEmpty());
}

TEST_F(X11ClipboardTest, UserIdCarriesNoSecretHint)
{
    copyAndEnd(QStringLiteral("jdoe@example.org"), false, 60000);
    EXPECT_EQ(paste(), QByteArray("jdoe@example.org"));
    EXPECT_TRUE(paste(QStringLiteral("x-kde-passwordManagerHint")).isEmpty());
}

TEST_F(X11ClipboardTest, RealProgramEndingOnACopiedPasswordLeavesItPastable)
{
    // The program as installed: its own folder with the help file and a password file of one entry.
    QTemporaryDir folder;
    const QString program = folder.filePath(QStringLiteral("password-corvalen"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(CORVALEN_PROGRAM), program));
    QFile(folder.filePath(QStringLiteral("Corvalen.HLP"))).open(QIODevice::WriteOnly);
    PasswordFile::WritePlainLines(folder.filePath(QStringLiteral("Password.dat")), {QStringLiteral("Bank|b4nk-S3cret|me")});
    QProcessEnvironment env = m_env;
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.filePath(QStringLiteral("config")));
    m_probe.setProcessEnvironment(env);
    m_probe.start(program, {});
    ASSERT_TRUE(m_probe.waitForStarted());

    // The list has the focus and its first entry is selected: four tabs reach the password button.
    QProcess xdotool;
    xdotool.setProcessEnvironment(m_env);
    QByteArray window;
    for (int i = 0; i < 50 && window.isEmpty(); ++i) {
        xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--name"),
                                                  QStringLiteral("Password Corvalen - By Brenhold Systems")});
        xdotool.waitForFinished(5000);
        window = xdotool.readAllStandardOutput().trimmed();
        QThread::msleep(100);
    }
    ASSERT_FALSE(window.isEmpty()) << "the main window did not appear";
    QThread::msleep(500);
    xdotool.start(QStringLiteral("xdotool"),
                  {QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::fromLatin1(window.split('\n').first()),
                   QStringLiteral("key"), QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab"),
                   QStringLiteral("Tab"), QStringLiteral("space")});
    xdotool.waitForFinished(5000);

    // The windows are gone at once, the password stays until another program copies.
    QByteArray pasted;
    for (int i = 0; i < 30 && pasted.isEmpty(); ++i) {
        QThread::msleep(100);
        pasted = paste();
    }
    EXPECT_EQ(pasted, QByteArray("b4nk-S3cret"));
    EXPECT_EQ(paste(QStringLiteral("x-kde-passwordManagerHint")), QByteArray("secret"));
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                              QStringLiteral("--name"), QStringLiteral("Password Corvalen")});
    xdotool.waitForFinished(5000);
    EXPECT_TRUE(xdotool.readAllStandardOutput().trimmed().isEmpty()) << "no window may stay on screen";
    EXPECT_EQ(m_probe.state(), QProcess::Running);

    otherProgramCopies("next");
    EXPECT_GE(msUntilProbeEnds(5000), 0) << "the program must end once the clipboard is taken over";
    EXPECT_EQ(paste(), QByteArray("next"));
}

} // namespace
