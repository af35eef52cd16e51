#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

// One running copy of the program per password file, so that no copy overwrites what another stored.
// The running copy holds a lock beside the file and listens for later copies; a later copy asks it to
// come to the front and ends.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString& passwordFile);

    // True when no other copy runs on this file. Otherwise the running copy has been asked to show
    // itself; false is also the answer when it could not be reached, and then the user is told.
    bool Claim();
    // Lets a later copy start: the windows have closed and only the clipboard is still served.
    void Release();

signals:
    // A later copy asked this one to show itself.
    void Raise();

private:
    QLockFile m_lock;
    QLocalServer m_server;
    QString m_serverName;
};
