#pragma once

#include "ScriptedPlatform.h"

#include "ui/Mainform.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A message box as a test expects it: the application's title unless another is given.
MsgBoxCall Box(const QString& prompt, int flags = 0, const QString& title = QStringLiteral("Password Corvalen"));

// The whole content of a file; empty when it cannot be read.
QByteArray BytesOf(const QString& path);

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
    // Settings as the program keeps them: "Constants/DesignerMode", "CurrentVersion/MajorVersion", ...
    void setSetting(const QString& key, const QString& value);
    QString setting(const QString& key) const;
    QString settingsFile() const;
    // The message boxes shown so far, which are then forgotten.
    std::vector<MsgBoxCall> takeMessages();

    // Writes the plain lines as the password file, then launches.
    void start(const QStringList& plainLines);
    // Starts the program on what the program folder holds, with a help file, and lets its timer tick.
    void launch();
    QStringList names() const;    // in list order
    QString selectedName() const; // empty when nothing is selected
    void select(const QString& name);

    std::unique_ptr<ScriptedPlatform> p;
    std::unique_ptr<QTemporaryDir> configDir;
    std::unique_ptr<Mainform> main;
};
