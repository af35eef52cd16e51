#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

// One running copy of the program per password file, so that no copy overwrites what another stored.
// The running copy holds a lock beside the file and listens for later copies in the user's own runtime
// folder, where no other user can answer in its place; a later copy asks it to come to the front and ends.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString& passwordFile);

    // True when no other copy runs on this file. Otherwise the running copy is handed the Wayland activation
    // token and the X11 startup id this copy was launched with, so that it may come to the front, and the
    // answer is false. The user is told when this copy was launched with neither (as from a terminal), as
    // the desktop may then keep the window back, and when the running copy cannot be reached.
    bool Claim(const QByteArray& activationToken = {}, const QByteArray& startupId = {});
    // Lets a later copy start: the windows have closed and only the clipboard is still served.
    void Release();

    // The running copy's meeting point: a full path.
    QString serverName() const { return m_serverName; }

signals:
    // A later copy asked this one to show itself, with what it was launched with; either may be empty.
    void Raise(const QByteArray& activationToken, const QByteArray& startupId);

private:
    bool takeLock();

    QString m_lockPath;
    QLockFile m_lock;
    QLocalServer m_server;
    QString m_serverName;
};
