#include "core/FileWriter.h"

#include "core/FileOps.h"
#include "core/Finally.h"
#include "core/RunError.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kMarker = QStringLiteral(".corvalen-");
constexpr int kRandomChars = 6;

mode_t modeOf(QFileDevice::Permissions permissions)
{
    const auto p = uint(permissions.toInt());
    return mode_t(((p >> 12) & 7) << 6 | ((p >> 4) & 7) << 3 | (p & 7));
}

QByteArray temporaryName(const QByteArray& name)
{
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray temp = '.' + name + QFile::encodeName(kMarker);
    for (int i = 0; i < kRandomChars; ++i)
        temp += kChars[QRandomGenerator::global()->bounded(int(sizeof kChars) - 1)];
    return temp;
}

} // namespace

bool FileWriter::IsLeftover(const QString& entry, const QString& name)
{
    const qsizetype length = 1 + name.size() + kMarker.size() + kRandomChars;
    if (entry.size() != length || !entry.startsWith(QLatin1Char('.')) ||
        QStringView(entry).mid(1, name.size()).compare(name, Qt::CaseInsensitive) != 0 ||
        QStringView(entry).mid(1 + name.size(), kMarker.size()) != kMarker)
        return false;
    const QStringView random = QStringView(entry).right(kRandomChars);
    return std::all_of(random.begin(), random.end(),
                       [](QChar c) { return c.isLetterOrNumber() && c.unicode() < 0x80; });
}

qint64 FileWriter::writeSome(int fd, const char* data, qint64 size)
{
    return ::write(fd, data, size_t(std::min<qint64>(size, qint64(1) << 30)));
}

void FileWriter::writeFully(int fd, const QByteArray& content)
{
    for (qint64 done = 0; done < content.size();) {
        const qint64 written = writeSome(fd, content.constData() + done, content.size() - done);
        if (written < 0 && errno != EINTR)
            throw FileOps::SystemError(errno);
        done += std::max<qint64>(written, 0);
    }
}

// Writes the content to a new file in dir and renames it to name; false when an unnamed file cannot be given a
// name, to try again without one.
bool FileWriter::writeInto(int dir, const QByteArray& name, const QByteArray& content, unsigned mode, bool unnamed)
{
    QByteArray temp;
    int fd = unnamed ? ::openat(dir, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600) : -1;
    unnamed = fd >= 0;
    for (int tries = 0; fd < 0 && tries < 100; ++tries) {
        temp = temporaryName(name);
        fd = ::openat(dir, temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            throw FileOps::SystemError(errno);
    }
    if (fd < 0)
        throw FileOps::SystemError(EEXIST);
    bool named = !unnamed;
    bool renamed = false;
    const Finally cleanUp([&] {
        ::close(fd);
        if (named && !renamed)
            ::unlinkat(dir, temp.constData(), 0);
    });
    ::fchmod(fd, mode_t(mode)); // media without owners and modes refuse it; their files are as they are
    writeFully(fd, content);
    if (::fsync(fd) != 0)
        throw FileOps::SystemError(errno);
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    for (int tries = 0; !named && tries < 100; ++tries) {
        temp = temporaryName(name);
        named = ::linkat(AT_FDCWD, self.constData(), dir, temp.constData(), AT_SYMLINK_FOLLOW) == 0;
        if (!named && errno != EEXIST)
            return false;
    }
    if (!named)
        return false;
    if (::renameat(dir, temp.constData(), dir, name.constData()) != 0)
        throw FileOps::SystemError(errno);
    renamed = true;
    return true;
}

void FileWriter::Write(const QString& path, const QByteArray& content, QFileDevice::Permissions permissions)
{
    const QFileInfo info(path);
    const int dir = ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        throw FileOps::SystemError(errno);
    const Finally closed([dir] { ::close(dir); });
    const QByteArray name = QFile::encodeName(info.fileName());
    if (!writeInto(dir, name, content, modeOf(permissions), unnamedFirst()))
        writeInto(dir, name, content, modeOf(permissions), false);
    // Flushes the folder entry of the renamed file, so a removed medium cannot lose the rename.
    ::fsync(dir);
}
