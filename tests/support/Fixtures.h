#pragma once

#include "ScriptedPlatform.h"

#include "core/ListItem.h"
#include "core/Messages.h"
#include "core/PasswordFile.h"
#include "core/RunError.h"
#include "frame/ListBox.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"
#include "ui/Mainform.h"

#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

// Every window test writes its texts as u"..."_s.
using namespace Qt::StringLiterals;

// A message box as a test expects it: the application's title unless another is given.
inline MsgBoxCall Box(const QString& prompt, int flags = 0, const QString& title = QStringLiteral("Password Corvalen"))
{
    return {prompt, flags, title};
}
// A box without a title of its own, which then shows the application's.
inline MsgBoxCall Plain(const QString& text)
{
    return Box(text, vbOKOnly, QString());
}
using Boxes = std::vector<MsgBoxCall>;

// The whole content of a file; empty when it cannot be read.
inline QByteArray BytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes a file for a test to start from, as the program would.
inline void WriteBytes(const QString& path, const QByteArray& content)
{
    FileWriter().Write(path, content);
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
// the program on a password file of the test's own, as a user would start it. The main window goes first,
// while the platform it may still call is in place.
class CorvalenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        (p = std::make_unique<ScriptedPlatform>())->install();
        ResetGlobals();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configDir.path());
    }

    QString passwordFile() const { return p->programFile(QStringLiteral("Password.dat")); }
    // Writes a password file of these plain lines (into the program folder unless a path is given).
    void writePlainFile(const QStringList& lines, const QString& path = QString())
    {
        WriteBytes(path.isEmpty() ? passwordFile() : path, PasswordFile::Content({lines.begin(), lines.end()}));
    }
    QStringList readPlainFile(const QString& path = QString()) const
    {
        const std::vector<QString> lines = PasswordFile::PlainLines(BytesOf(path.isEmpty() ? passwordFile() : path));
        return QStringList(lines.begin(), lines.end());
    }
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
    void launch()
    {
        // A help file in place keeps the start-up free of its missing-help message.
        QFile(p->programFile(QStringLiteral("Corvalen.HLP"))).open(QIODevice::Append);
        (main = std::make_unique<Mainform>())->Form_Load();
        main->Timer1_Timer();
    }
    // The entries' names in list order, and the selected one (empty when none is).
    QStringList names() const
    {
        QStringList out;
        for (int i = 0; i < main->List1->ListCount(); ++i)
            out << ListItem::NameOf(main->List1->List(i));
        return out;
    }
    QString selectedName() const { return names().value(main->List1->ListIndex()); }
    void select(const QString& name) { main->List1->setListIndex(int(names().indexOf(name))); }

    std::unique_ptr<ScriptedPlatform> p;
    QTemporaryDir configDir;
    std::unique_ptr<Mainform> main;
};
