#pragma once

#include "ScriptedPlatform.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A test with a fresh platform, fresh globals and its own settings folder.
class CorvalenTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a password file of these plain lines into the program folder.
    void writePlainFile(const QStringList& plainLines, const QString& name = QStringLiteral("Password.dat"));
    QStringList readPlainFile(const QString& name = QStringLiteral("Password.dat")) const;
    QString passwordFile() const { return p->programFile(QStringLiteral("Password.dat")); }
    // The texts of all message boxes so far.
    QStringList prompts() const;

    std::unique_ptr<ScriptedPlatform> p;
    std::unique_ptr<QTemporaryDir> configDir;
};

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
