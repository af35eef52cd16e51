#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <memory>

class QDialog;
class QPrinter;

struct OsVersion
{
    int major = 0;
    int minor = 0;
    int platformId = 0;
};

// Everything the windows ask of the platform, in one place. The program uses the Qt implementation;
// tests use a scripted one that answers message boxes, drives modal windows and records what was asked.
class Platform
{
public:
    virtual ~Platform() = default;

    // A message box. flags as the program passes them: 0 OK, 1 OK and Cancel, plus 16 critical,
    // 32 question, 48 exclamation or 64 information icon. An empty title means the application's
    // title. Returns the button pressed: 1 OK, 2 Cancel.
    virtual int MsgBox(const QString& prompt, int flags = 0, const QString& title = QString()) = 0;

    // Shows a window modally; returns when it has closed.
    virtual void ShowModal(QDialog& window) = 0;

    // Ends the program at once: no unload handler runs, nothing more of the caller runs.
    [[noreturn]] virtual void End() = 0;

    // Ends the program after the main window has unloaded normally.
    virtual void Quit() = 0;

    // Lets pending window events run (repaints and timers; user input waits).
    virtual void DoEvents() = 0;

    // The screen's mouse pointer: the hourglass while true, the default otherwise.
    virtual void SetBusyPointer(bool busy) = 0;

    // The directory that holds the program's executable.
    virtual QString programDir() const = 0;

    // The directory that stands for the Windows directory, as the system's query fills a buffer of
    // 255 characters: the path, then NUL characters.
    virtual QByteArray windowsDirectoryBuffer() const = 0;

    virtual QString environment(const QString& name) const = 0;
    virtual OsVersion osVersion() const = 0;
    virtual QDateTime now() const = 0;

    // The folder that stands for diskette drive A:; empty when no medium is there.
    virtual QString removableMedium() const = 0;

    // Copies a file over a target, replacing it in one atomic step. Raises RunError.
    virtual void FileCopy(const QString& source, const QString& target);
    // Sets a file's attributes (0 normal, 2 hidden). Raises RunError.
    virtual void SetAttr(const QString& path, int attributes);

    virtual void ClipboardClear() = 0;
    // Plain text on the clipboard; a secret is marked so clipboard managers keep it out of history.
    virtual void ClipboardSetText(const QString& text, bool secret) = 0;

    // The help engine: command 1 shows the topic with the given context number, 2 closes help.
    virtual void WinHelp(const QString& helpFile, int command, int data) = 0;

    // The default printer, or nullptr when none is installed.
    virtual std::unique_ptr<QPrinter> DefaultPrinter() = 0;

    // A uniform value in [0, 1) from the system's secure random source.
    virtual double Rnd() = 0;
};

// The platform the program runs on.
Platform& platform();
void SetPlatform(Platform* platform);

constexpr int HELP_CONTEXT = 1;
constexpr int HELP_QUIT = 2;
