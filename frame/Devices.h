#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class FileWriter;
class QPrinter;

// The devices the program reaches: the writer of every file it replaces, the removable medium, the printer, the
// clipboard and the help engine.
class Devices
{
public:
    virtual ~Devices() = default;

    // The one writer of the program's files (see FileWriter).
    virtual FileWriter& writer() = 0;

    // The removable volumes the desktop mounted for this user, in name order; empty when there is none.
    virtual QStringList removableMedia() const = 0;

    // The default printer, or nullptr when none is installed.
    virtual std::unique_ptr<QPrinter> DefaultPrinter() = 0;

    virtual void ClipboardClear() = 0;
    // Plain text on the clipboard; a secret is marked so clipboard managers keep it out of history.
    virtual void ClipboardSetText(const QString& text, bool secret) = 0;

    // The help engine: command HELP_CONTEXT shows the topic with the given context number, HELP_QUIT
    // closes help. False when the help file cannot be shown.
    virtual bool WinHelp(const QString& helpFile, int command, int data) = 0;
};

constexpr int HELP_CONTEXT = 1;
constexpr int HELP_QUIT = 2;
// The help file's contents, where help opens.
constexpr int kHelpContentsTopic = 10;
