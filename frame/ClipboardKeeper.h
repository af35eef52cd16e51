#pragma once

#include <QObject>
#include <QString>

// The program's text on the system clipboard. A password is cleared from it after the linger time, if it
// is still ours and still there. On X11 and Wayland the clipboard's content lives in the
// program that put it there, so when the program ends it keeps serving its text in the background, with
// every window closed, until another program takes the clipboard over or the linger time has passed;
// then it clears the clipboard if it still holds our text, and quits. Where the desktop ignores a clearing
// from a program that has no keyboard focus (GNOME on Wayland), wl-clipboard's tool clears it if installed,
// and a running program clears it as soon as it has the focus again.
class ClipboardKeeper : public QObject
{
    Q_OBJECT

public:
    static ClipboardKeeper& instance();

    // The MIME type and value that clipboard managers honour to keep a secret out of their history.
    static constexpr const char* kSecretHintType = "x-kde-passwordManagerHint";
    static constexpr const char* kSecretHintValue = "secret";
    static constexpr int kDefaultLingerMs = 60000;

    void Clear();
    void SetText(const QString& text, bool secret);

    // Ends the event loop: at once when nothing of ours is on the clipboard, else once it is released.
    void QuitWhenReleased();
    void setLingerMs(int ms) { m_lingerMs = ms; }

private:
    ClipboardKeeper();
    bool holdsOurText() const;
    void clearNow();
    void clearPending();
    void finish(bool clear);

    QString m_text;
    QString m_pendingClear; // a password whose clearing the desktop may have ignored
    bool m_hasText = false;
    bool m_lingering = false;
    bool m_finished = false;
    int m_lingerMs = kDefaultLingerMs;
    int m_secretSerial = 0; // only the latest password copied is cleared by its timer
};
