#pragma once

#include "ScriptedPlatform.h"

#include "frame/ListBox.h"
#include "ui/Mainform.h"

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A message box as a test expects it: the application's title unless another is given.
inline MsgBoxCall Box(const QString& prompt, int flags = 0, const QString& title = QStringLiteral("Password Corvalen"))
{
    return {prompt, flags, title};
}

// The whole content of a file; empty when it cannot be read.
inline QByteArray BytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs the call and reports whether it ended the program.
template <class F> bool Ends(F&& call)
{
    try {
        call();
    } catch (const ProgramEnded&) {
        return true;
    }
    return false;
}

// A test with a fresh platform, fresh globals, its own program folder and its own settings; start() runs
// the program on a password file of the test's own, as a user would start it.
class CorvalenTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString passwordFile() const { return p->programFile(QStringLiteral("Password.dat")); }
    // Writes a password file of these plain lines (into the program folder unless a path is given).
    void writePlainFile(const QStringList& plainLines, const QString& path = QString());
    QStringList readPlainFile(const QString& path = QString()) const;
    // Settings as the program keeps them, under the names the tests' main() gives the application:
    // "Constants/DesignerMode", "CurrentVersion/MajorVersion", ...
    void setSetting(const QString& key, const QString& value) { QSettings().setValue(key, value); }
    QString setting(const QString& key) const { return QSettings().value(key).toString(); }
    QString settingsFile() const { return configDir.path() + QStringLiteral("/Brenhold/Password Corvalen.conf"); }
    // The message boxes shown so far, which are then forgotten.
    std::vector<MsgBoxCall> takeMessages() { return std::exchange(p->messages, {}); }

    // Writes the plain lines as the password file, then launches.
    void start(const QStringList& plainLines)
    {
        writePlainFile(plainLines);
        launch();
    }
    // Starts the program on what the program folder holds, with a help file, and lets its timer tick.
    void launch();
    // The entries' names in list order, and the selected one (empty when none is).
    QStringList names() const;
    QString selectedName() const { return names().value(main->List1->ListIndex()); }
    void select(const QString& name) { main->List1->setListIndex(int(names().indexOf(name))); }

    std::unique_ptr<ScriptedPlatform> p;
    QTemporaryDir configDir;
    std::unique_ptr<Mainform> main;
};
