#include "frame/SingleInstance.h"

#include "frame/Platform.h"
#include "frame/SMGLOBAL.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

namespace {

// The lock and the meeting point are named after the file's real place, however it was reached.
QString realPath(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

QString lockPath(const QString& passwordFile)
{
    const QFileInfo info(realPath(passwordFile));
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".lock");
}

} // namespace

SingleInstance::SingleInstance(const QString& passwordFile)
    : m_lock(lockPath(passwordFile)),
      m_serverName(QStringLiteral("password-corvalen-") +
                   QString::fromLatin1(
                       QCryptographicHash::hash(realPath(passwordFile).toUtf8(), QCryptographicHash::Sha256).toHex())
                       .left(32))
{
    m_lock.setStaleLockTime(0); // a lock is stale only when its process has gone, however long it ran
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection())
            socket->deleteLater();
        emit Raise();
    });
}

bool SingleInstance::Claim()
{
    if (m_lock.tryLock(0)) {
        QLocalServer::removeServer(m_serverName);
        m_server.listen(m_serverName);
        return true;
    }
    // A folder the lock cannot be written in cannot be shared safely either: the copy runs alone there.
    if (m_lock.error() != QLockFile::LockFailedError)
        return true;
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (socket.waitForConnected(2000)) {
        socket.disconnectFromServer();
        return false;
    }
    dialogs().MsgBox(QStringLiteral("Password Corvalen is already running for this Password File."), vbInformation,
                     kAppTitle);
    return false;
}

void SingleInstance::Release()
{
    m_server.close();
    m_lock.unlock();
}
