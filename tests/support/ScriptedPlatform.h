#pragma once

#include "frame/Platform.h"

#include <QDialog>
#include <QHash>
#include <QTemporaryDir>

#include <deque>
#include <exception>
#include <functional>
#include <vector>

// Thrown where the program would end at once, so that a test can see it and nothing more runs.
struct ProgramEnded : std::exception
{
    const char* what() const noexcept override { return "program ended"; }
};

struct MsgBoxCall
{
    QString prompt;
    int flags = 0;
    QString title;
};

// A platform for tests: message boxes are answered from a script (OK when it runs dry) and recorded;
// modal windows are handed to scripted actions instead of running an event loop; files live in
// temporary folders.
class ScriptedPlatform : public Platform
{
public:
    ScriptedPlatform();

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

    // --- Record
    std::vector<MsgBoxCall> messages;
    std::vector<QString> modalShown; // class names, in order
    bool ended = false;
    bool quitCalled = false;
    int doEventsCalls = 0;
    bool busyPointer = false;
    int busyPointerChanges = 0;
    QString clipboardText;
    bool clipboardSecret = false;
    int clipboardClears = 0;
    struct HelpCall
    {
        QString file;
        int command;
        int data;
    };
    std::vector<HelpCall> helpCalls;

    // --- Environment
    QTemporaryDir programFolder;
    QTemporaryDir windowsFolder;
    QString programDirPath;
    QString windowsDirPath;
    QString mediumPath; // empty: no medium
    QHash<QString, QString> env;
    OsVersion os{6, 1, 0};
    QDateTime clock = QDateTime(QDate(2026, 3, 4), QTime(17, 5, 9));
    std::deque<double> rnd; // scripted values; empty means a real uniform value
    std::function<std::unique_ptr<QPrinter>()> printer;
    std::function<void(const QString&, const QString&)> fileCopyHook; // may throw RunError
    std::function<void(const QString&, int)> setAttrHook;            // may throw RunError

    QString programFile(const QString& name) const { return programDirPath + QLatin1Char('/') + name; }

    // Platform
    int MsgBox(const QString& prompt, int flags, const QString& title) override;
    void ShowModal(QDialog& window) override;
    [[noreturn]] void End() override;
    void Quit() override;
    void DoEvents() override;
    void SetBusyPointer(bool busy) override;
    QString programDir() const override { return programDirPath; }
    QByteArray windowsDirectoryBuffer() const override;
    QString environment(const QString& name) const override { return env.value(name); }
    OsVersion osVersion() const override { return os; }
    QDateTime now() const override { return clock; }
    QString removableMedium() const override { return mediumPath; }
    void FileCopy(const QString& source, const QString& target) override;
    void SetAttr(const QString& path, int attributes) override;
    void ClipboardClear() override;
    void ClipboardSetText(const QString& text, bool secret) override;
    void WinHelp(const QString& helpFile, int command, int data) override;
    std::unique_ptr<QPrinter> DefaultPrinter() override;
    double Rnd() override;
};
