// What the tests of the real program share: its tools' answers, the program installed in a folder of its own
// and the probe that copies as the program does, each process with the test's own environment.
#pragma once

#include "core/FileWriter.h"
#include "core/PasswordFile.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <functional>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// A tool's output, empty when it failed.
inline QByteArray run(const QString& program, const QStringList& arguments,
                      const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    process.waitForFinished(5000);
    return process.exitCode() == 0 ? process.readAllStandardOutput().trimmed() : QByteArray();
}

// The first answer that is not empty, asking every tenth of a second for up to five seconds.
inline QByteArray poll(const std::function<QByteArray()>& ask)
{
    QByteArray answer;
    for (int i = 0; i < 50 && answer.isEmpty(); ++i) {
        QThread::msleep(i ? 100 : 0);
        answer = ask();
    }
    return answer;
}

class RealProgramTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        env.remove(u"DESKTOP_STARTUP_ID"_s);
        env.remove(u"XDG_ACTIVATION_TOKEN"_s);
        env.insert(u"XDG_CONFIG_HOME"_s, folder.filePath(u"config"_s));
        env.insert(u"XDG_RUNTIME_DIR"_s, folder.path());
        env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        env.insert(u"WAYLAND_DEBUG"_s, u"1"_s);
    }
    void TearDown() override
    {
        for (QProcess* process : {&program, &other, &desktop})
            stop(*process);
    }
    // Xvfb refuses a connection that comes right after a client was killed: give it a moment.
    static void stop(QProcess& process)
    {
        process.kill();
        process.waitForFinished();
        QThread::msleep(500);
    }

    // Starts a program whose error output, with its Wayland protocol log, goes to a file named after the process.
    void start(QProcess& process, const QString& name, const QStringList& arguments = {})
    {
        process.setProcessEnvironment(env);
        process.setStandardErrorFile(folder.filePath(QString::number(quintptr(&process))));
        process.start(name, arguments);
        process.waitForStarted();
    }

    // Starts the probe and returns once it has copied.
    void probe(const QStringList& arguments)
    {
        start(program, QStringLiteral(CLIPBOARD_PROBE), arguments);
        program.waitForReadyRead(5000);
        ASSERT_EQ(program.readLine(), QByteArray("copied\n"));
    }

    // The program as installed, in its own folder with the help file and a password file of this line.
    QString install(const QString& plainLine)
    {
        const QString installed = folder.filePath(u"password-corvalen"_s);
        QFile::copy(QStringLiteral(CORVALEN_PROGRAM), installed);
        FileWriter().Write(folder.filePath(u"Corvalen.HLP"_s), {});
        FileWriter().Write(folder.filePath(PasswordFile::kFileName), PasswordFile::Content({plainLine}));
        return installed;
    }

    QTemporaryDir folder;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QProcess program;
    QProcess other;
    QProcess desktop; // the Wayland compositor or the X window manager
};
