#include "frame/QtEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cctype>
#include <sys/utsname.h>

QString QtEnvironment::programDir() const
{
    return QCoreApplication::applicationDirPath();
}

QByteArray QtEnvironment::windowsDirectoryBuffer() const
{
    // The per-user data folder takes the place of the Windows directory; it must exist, as that one always does.
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(dir);
    QByteArray buffer = QFile::encodeName(dir);
    if (buffer.size() < 255)
        buffer.append(255 - buffer.size(), '\0');
    return buffer;
}

QString QtEnvironment::variable(const QString& name) const
{
    return qEnvironmentVariable(name.toLocal8Bit().constData());
}

OsVersion QtEnvironment::osVersion() const
{
    OsVersion v;
    v.platformId = kPlatformIdLinux;
    struct utsname u;
    if (::uname(&u) == 0) {
        const QList<QByteArray> parts = QByteArray(u.release).split('.');
        if (!parts.isEmpty())
            v.major = parts.at(0).toInt();
        if (parts.size() > 1) {
            const QByteArray& minor = parts.at(1);
            int digits = 0;
            while (digits < minor.size() && std::isdigit(uchar(minor.at(digits))))
                ++digits;
            v.minor = minor.left(digits).toInt();
        }
    }
    return v;
}

QDateTime QtEnvironment::now() const
{
    return QDateTime::currentDateTime();
}

double QtEnvironment::Rnd()
{
    return QRandomGenerator::system()->generateDouble();
}
