#pragma once

#include "frame/Platform.h"

#include <QDialog>
#include <QHash>
#include <QPrinter>
#include <QTemporaryDir>

#include <deque>
#include <exception>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <vector>

// Thrown where the program would end at once, so that a test can see it and nothing more runs.
struct ProgramEnded : std::exception
{
    const char* what() const noexcept override { return "program ended"; }
};

// One message box as the program asked for it.
struct MsgBoxCall
{
    QString prompt;
    int flags = 0;
    QString title = QStringLiteral("Password Corvalen");

    bool operator==(const MsgBoxCall& other) const
    {
        return prompt == other.prompt && flags == other.flags && title == other.title;
    }
};
std::ostream& operator<<(std::ostream& out, const MsgBoxCall& call);

// The platform for tests and the benchmark: message boxes are answered from a script (OK when it runs dry)
// and recorded; modal windows are handed to scripted actions instead of running an event loop; the
// program's folders are temporary ones; files are written as the program writes them, unless told to fail.
class ScriptedPlatform : public Dialogs, public Session, public Environment, public Devices
{
public:
    ScriptedPlatform();
    // Makes this the platform the program uses.
    void install();

    // --- Script
    std::deque<int> answers;
    // Actions for the next modal windows, in order; a window with no action closes untouched.
    std::deque<std::function<void(QDialog&)>> modalActions;
    template <class Window> void onModal(std::function<void(Window&)> action)
    {
        modalActions.push_back([action](QDialog& dialog) {
            auto* window = dynamic_cast<Window*>(&dialog);
            if (!window)
                throw std::logic_error("unexpected modal window");
            action(*window);
        });
    }
    // Runs before every file the program replaces; may throw RunError to make the write fail.
    std::function<void(const QString& path)> beforeWrite;

    // --- Record
    std::vector<MsgBoxCall> messages;
    std::vector<QString> modalShown; // class names, in order
    bool quitCalled = false;
    int doEventsCalls = 0;
    std::vector<bool> busyPointer; // every change, in order
    QString clipboardText;
    bool clipboardSecret = false;
    std::vector<int> helpCalls; // the command of every call of the help engine
    bool helpShows = true;      // what the help engine answers

    // --- Environment
    QTemporaryDir programFolder;
    QTemporaryDir windowsFolder;
    QString programDirPath;
    QString mediumPath; // empty: no medium
    QHash<QString, QString> env;
    OsVersion os{6, 1, 0};
    QDateTime clock = QDateTime(QDate(2026, 3, 4), QTime(17, 5, 9));
    std::deque<double> rnd; // scripted values; empty means a real uniform value
    std::function<std::unique_ptr<QPrinter>()> printer;

    QString programFile(const QString& name) const { return programDirPath + QLatin1Char('/') + name; }

    int MsgBox(const QString& prompt, int flags, const QString& title) override;
    void ShowModal(QDialog& window) override;
    [[noreturn]] void End() override;
    void Quit() override { quitCalled = true; }
    void DoEvents() override { ++doEventsCalls; }
    void SetBusyPointer(bool busy) override { busyPointer.push_back(busy); }
    QString programDir() const override { return programDirPath; }
    QByteArray windowsDirectoryBuffer() const override;
    QString variable(const QString& name) const override { return env.value(name); }
    OsVersion osVersion() const override { return os; }
    QDateTime now() const override { return clock; }
    double Rnd() override;
    void WriteFile(const QString& path, const QByteArray& content) override;
    QString removableMedium() const override { return mediumPath; }
    std::unique_ptr<QPrinter> DefaultPrinter() override { return printer ? printer() : nullptr; }
    void ClipboardClear() override;
    void ClipboardSetText(const QString& text, bool secret) override;
    bool WinHelp(const QString& helpFile, int command, int data) override;
};
