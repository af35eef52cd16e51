#pragma once

#include <QString>
#include <QStringList>

class QDialog;

// What the windows ask the user: message boxes and modal windows.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A message box. flags as the program passes them: 0 OK, 1 OK and Cancel, plus 16 critical,
    // 32 question, 48 exclamation or 64 information icon. An empty title means the application's
    // title. Returns the button pressed: 1 OK, 2 Cancel.
    virtual int MsgBox(const QString& prompt, int flags = 0, const QString& title = QString()) = 0;

    // Shows a window modally; returns when it has closed.
    virtual void ShowModal(QDialog& window) = 0;

    // The desktop's folder chooser, opened at start; the empty text when the user cancels.
    virtual QString ChooseFolder(const QString& title, const QString& start) = 0;
    // One of the texts, chosen by the user; -1 when the user cancels.
    virtual int ChooseItem(const QString& title, const QString& label, const QStringList& items) = 0;
};
