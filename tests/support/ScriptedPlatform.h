#pragma once

#include "FailingWriter.h"
#include "frame/Platform.h"

#include <QDialog>
#include <QHash>
#include <QPrinter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <ostream>

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

    bool operator==(const MsgBoxCall& o) const { return prompt == o.prompt && flags == o.flags && title == o.title; }
    friend std::ostream& operator<<(std::ostream& out, const MsgBoxCall& call)
    {
        return out << '{' << call.prompt.toStdString() << ", " << call.flags << ", " << call.title.toStdString() << '}';
    }
};

// The platform for tests and the benchmark: message boxes are answered from a script (OK when it runs dry)
// and recorded; modal windows are handed to scripted actions instead of running an event loop; the
// program's folders are temporary ones; files are written by the program's own writer, which fails when told to.
class ScriptedPlatform : public Dialogs, public Session, public Environment, public Devices
{
public:
    // Makes this the platform the program uses, until it is destroyed.
    void install() { SetPlatform({this, this, this, this}); }
    ~ScriptedPlatform() override { SetPlatform({}); }

    // --- Script
    std::deque<int> answers;
    // Actions for the next modal windows, in order; a window with no action closes untouched, one of
    // another class than the action expects fails the test (std::bad_cast).
    std::deque<std::function<void(QDialog&)>> modalActions;
    template <class Window> void onModal(std::function<void(Window&)> action)
    {
        modalActions.push_back([action](QDialog& dialog) { action(dynamic_cast<Window&>(dialog)); });
    }
    FailingWriter files;

    // --- Record
    std::vector<MsgBoxCall> messages;
    std::vector<QString> modalShown; // class names, in order
    bool quitCalled = false;
    QString clipboardText;
    bool clipboardSecret = false;
    std::vector<int> helpCalls; // the command of every call of the help engine

    // --- Environment
    QTemporaryDir programFolder;
    QTemporaryDir windowsFolder;
    QString programDirPath = programFolder.path();
    QString mediumPath;     // empty: no medium
    QStringList otherMedia; // mounted beside it
    QString folderChosen;   // the folder chooser's answer; empty: cancelled
    int itemChosen = -1;    // the pick among media; -1: cancelled
    QHash<QString, QString> env;
    QDateTime clock = QDateTime(QDate(2026, 3, 4), QTime(17, 5, 9));
    std::deque<double> rnd; // scripted values; empty means a real uniform value
    std::function<std::unique_ptr<QPrinter>()> printer;

    QString programFile(const QString& name) const { return programDirPath + QLatin1Char('/') + name; }

    int MsgBox(const QString& prompt, int flags, const QString& title) override
    {
        messages.push_back({prompt, flags, title});
        return next(answers, 1);
    }
    void ShowModal(QDialog& window) override
    {
        modalShown.push_back(QString::fromLatin1(window.metaObject()->className()));
        if (auto action = next(modalActions, {}))
            action(window);
    }
    [[noreturn]] void End() override { throw ProgramEnded(); }
    void Quit() override { quitCalled = true; }
    void DoEvents() override {}
    void SetBusyPointer(bool) override {}
    QString programDir() const override { return programDirPath; }
    QByteArray windowsDirectoryBuffer() const override
    {
        return windowsFolder.path().toLocal8Bit().leftJustified(255, '\0');
    }
    QString variable(const QString& name) const override { return env.value(name); }
    OsVersion osVersion() const override { return {6, 1, 0}; }
    QDateTime now() const override { return clock; }
    double Rnd() override { return next(rnd, QRandomGenerator::global()->generateDouble()); }
    FileWriter& writer() override { return files; }
    QStringList removableMedia() const override
    {
        return mediumPath.isEmpty() ? otherMedia : QStringList{mediumPath} + otherMedia;
    }
    QString ChooseFolder(const QString&, const QString&) override { return folderChosen; }
    int ChooseItem(const QString&, const QString&, const QStringList&) override { return itemChosen; }
    std::unique_ptr<QPrinter> DefaultPrinter() override { return printer ? printer() : nullptr; }
    void ClipboardClear() override { ClipboardSetText(QString(), false); }
    void ClipboardSetText(const QString& text, bool secret) override
    {
        clipboardText = text;
        clipboardSecret = secret;
    }
    bool WinHelp(const QString&, int command, int) override
    {
        helpCalls.push_back(command);
        return true;
    }

private:
    // The next scripted value, taken off the script; the given one when the script has run dry.
    template <class T> static T next(std::deque<T>& script, T otherwise)
    {
        if (script.empty())
            return otherwise;
        T value = std::move(script.front());
        script.pop_front();
        return value;
    }
};
