#include "frame/SingleInstance.h"

#include "frame/Platform.h"
#include "frame/SMGLOBAL.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kAlreadyRunning = QStringLiteral("Password Corvalen is already running for this Password File.");

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

// A folder of this user's that no other user may enter.
bool isPrivateFolder(const QString& path)
{
    struct stat info = {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

// A name in the shared temporary folder could be taken by another user first, who would then answer every
// later start in the running copy's place.
QString runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (isPrivateFolder(runtime))
        return runtime;
    // A session without a runtime folder of its own: a folder in the user's cache instead.
    const QString own =
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/password-corvalen");
    QDir().mkpath(own);
    QFile::setPermissions(own, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return own;
}

} // namespace

SingleInstance::SingleInstance(const QString& passwordFile)
    : m_lockPath(lockPath(passwordFile)), m_lock(m_lockPath),
      m_serverName(runtimeFolder() + QStringLiteral("/password-corvalen-") +
                   QString::fromLatin1(
                       QCryptographicHash::hash(realPath(passwordFile).toUtf8(), QCryptographicHash::Sha256).toHex())
                       .left(32))
{
    m_lock.setStaleLockTime(0); // a lock is stale only when its process has gone, however long it ran
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            // The later copy writes its two lines and hangs up.
            connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
                const QList<QByteArray> lines = socket->readAll().split('\n');
                socket->deleteLater();
                emit Raise(lines.value(0), lines.value(1));
            });
        }
    });
}

bool SingleInstance::Claim(const QByteArray& activationToken, const QByteArray& startupId)
{
    if (takeLock()) {
        QLocalServer::removeServer(m_serverName);
        m_server.listen(m_serverName);
        return true;
    }
    // A folder the lock cannot be written in cannot be shared safely either: the copy runs alone there.
    if (m_lock.error() != QLockFile::LockFailedError)
        return true;
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(2000)) {
        dialogs().MsgBox(kAlreadyRunning, vbInformation, kAppTitle);
        return false;
    }
    socket.write(activationToken + '\n' + startupId + '\n');
    socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
    if (activationToken.isEmpty() && startupId.isEmpty())
        dialogs().MsgBox(kAlreadyRunning +
                             QStringLiteral("  Its window has been brought to the front where the desktop allows it."),
                         vbInformation, kAppTitle);
    return false;
}

bool SingleInstance::takeLock()
{
    if (m_lock.tryLock(0))
        return true;
    // A lock another user left in the folder says nothing of this user's copies: it is set aside.
    if (m_lock.error() == QLockFile::LockFailedError && QFileInfo(m_lockPath).ownerId() != ::geteuid() &&
        QFile::remove(m_lockPath))
        return m_lock.tryLock(0);
    return false;
}

void SingleInstance::Release()
{
    m_server.close();
    m_lock.unlock();
}
