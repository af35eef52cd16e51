#include "core/FileOps.h"

#include "core/Finally.h"
#include "core/Lines.h"
#include "core/RunError.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const QString kHiddenList = QStringLiteral(".hidden");
const QString kBackupSuffix = QStringLiteral(".bak");
constexpr int kLeftoverLetters = 6;

// The files backed up in this run.
QSet<QString>& backedUp()
{
    static QSet<QString> paths;
    return paths;
}

RunError systemError(int code)
{
    switch (code) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return RunError(RunError::DiskFull);
    case EIO: return RunError(RunError::DeviceIO);
    case EACCES:
    case EPERM:
    case EROFS: return RunError(RunError::PermissionDenied);
    case ENOENT:
    case ENOTDIR: return RunError(RunError::PathNotFound);
    default: return RunError(RunError::PathFileAccess);
    }
}

RunError describedError(int number, const QString& what)
{
    return RunError(number, RunError::standardDescription(number) + QStringLiteral(" (") + what + QLatin1Char(')'));
}

mode_t modeOf(QFileDevice::Permissions permissions)
{
    const auto p = uint(permissions.toInt());
    return mode_t(((p >> 12) & 7) << 6 | ((p >> 4) & 7) << 3 | (p & 7));
}

// A name for a temporary file beside name: name, a dot and six letters, a small one first and a capital last,
// so RemoveLeftovers knows it.
QByteArray temporaryName(const QByteArray& name)
{
    QByteArray temp = name + '.';
    for (int i = 0; i < kLeftoverLetters; ++i) {
        const bool upper = i == kLeftoverLetters - 1 || (i > 0 && QRandomGenerator::global()->bounded(2) == 1);
        temp += char((upper ? 'A' : 'a') + QRandomGenerator::global()->bounded(26));
    }
    return temp;
}

// The six letters must be cased as no word is: not all capitals, and with two capitals together or one at the
// end. Most random names are (every one the writer makes ends with a capital); backup, Backup, BACKUP or MyCopy
// are not.
bool isLeftoverOf(const QString& entry, const QString& name)
{
    if (entry.size() != name.size() + 1 + kLeftoverLetters || !entry.startsWith(name, Qt::CaseInsensitive) ||
        entry.at(name.size()) != QLatin1Char('.'))
        return false;
    int capitals = 0;
    bool capitalPair = false;
    bool lastCapital = false;
    for (QChar c : QStringView(entry).right(kLeftoverLetters)) {
        const bool capital = c >= QLatin1Char('A') && c <= QLatin1Char('Z');
        if (!capital && (c < QLatin1Char('a') || c > QLatin1Char('z')))
            return false;
        capitalPair = capitalPair || (capital && lastCapital);
        lastCapital = capital;
        capitals += capital ? 1 : 0;
    }
    return capitals < kLeftoverLetters && (capitalPair || lastCapital);
}

// Writes the content to a new file in dir and renames it to name. An unnamed file is tried first, so that a
// kill before the rename leaves nothing behind; false when it cannot be given a name, to try again without.
bool writeInto(int dir, const QByteArray& name, const QByteArray& content, mode_t mode, bool unnamed)
{
    QByteArray temp;
    int fd = unnamed ? ::openat(dir, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600) : -1;
    unnamed = fd >= 0;
    for (int tries = 0; fd < 0 && tries < 100; ++tries) {
        temp = temporaryName(name);
        fd = ::openat(dir, temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            throw systemError(errno);
    }
    if (fd < 0)
        throw systemError(EEXIST);
    bool named = !unnamed;
    bool renamed = false;
    const Finally cleanUp([&] {
        ::close(fd);
        if (named && !renamed)
            ::unlinkat(dir, temp.constData(), 0);
    });
    ::fchmod(fd, mode); // media without owners and modes refuse it; their files are as they are
    FileOps::WriteFully(fd, content.constData(), content.size());
    if (::fsync(fd) != 0)
        throw systemError(errno);
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
        throw systemError(errno);
    renamed = true;
    return true;
}

// Calls take(QByteArrayView) for every name in the content of a ".hidden" list, one a line.
template <class Take> void forEachName(const QByteArray& content, Take&& take)
{
    Lines::ForEach(content.constData(), 0, content.size(),
                   [&](const char* line, qsizetype length) { take(QByteArrayView(line, length)); });
}

} // namespace

namespace FileOps {

QString ResolveName(const QString& dir, const QString& name)
{
    const QString exact = dir + QLatin1Char('/') + name;
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries =
        QDir(dir).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir + QLatin1Char('/') + entry;
    }
    return exact;
}

QString LinkTarget(const QString& path)
{
    QString target = path;
    // As many links as the system itself follows; a longer chain is left for the open to refuse.
    for (int hops = 0; hops < 40 && QFileInfo(target).isSymLink(); ++hops)
        target = QFileInfo(target).symLinkTarget();
    return target;
}

QByteArray ReadAll(const QString& path)
{
    // Opened without waiting, so a pipe cannot stop the program before it is seen to be one.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        throw errno == ENOENT || errno == ENOTDIR ? RunError(RunError::FileNotFound) : systemError(errno);
    const Finally closed([fd] { ::close(fd); });
    struct stat status = {};
    if (::fstat(fd, &status) != 0)
        throw systemError(errno);
    if (!S_ISREG(status.st_mode))
        throw describedError(RunError::PathFileAccess, path + QStringLiteral(" is not an ordinary file"));
    const auto tooLarge = [&path] {
        return describedError(RunError::OutOfMemory,
                              path + QStringLiteral(" is larger than the 256 MB the program can read"));
    };
    if (status.st_size > kMaxFileSize)
        throw tooLarge();
    // One byte more than the file's size tells a file that grew since.
    QByteArray content(qsizetype(status.st_size) + 1, Qt::Uninitialized);
    qsizetype done = 0;
    for (;;) {
        if (done == content.size()) {
            if (done > kMaxFileSize)
                throw tooLarge();
            content.resize(std::min(done * 2, kMaxFileSize + 1));
        }
        const ssize_t got = ::read(fd, content.data() + done, size_t(content.size() - done));
        if (got == 0)
            break;
        if (got < 0 && errno != EINTR)
            throw systemError(errno);
        done += std::max<ssize_t>(got, 0);
    }
    content.resize(done);
    return content;
}

void WriteFully(int fd, const char* data, qsizetype size)
{
    for (qsizetype done = 0; done < size;) {
        const ssize_t written = ::write(fd, data + done, size_t(std::min<qsizetype>(size - done, 1 << 30)));
        if (written < 0 && errno != EINTR)
            throw systemError(errno);
        done += std::max<ssize_t>(written, 0);
    }
}

void WriteAtomic(const QString& path, const QByteArray& content, QFileDevice::Permissions permissions)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        throw systemError(errno);
    const Finally closed([dir] { ::close(dir); });
    const QByteArray name = QFile::encodeName(info.fileName());
    if (!writeInto(dir, name, content, modeOf(permissions), true))
        writeInto(dir, name, content, modeOf(permissions), false);
    // Flushes the folder entry of the renamed file, so a removed medium cannot lose the rename.
    ::fsync(dir);
}

void RemoveLeftovers(const QString& path)
{
    const QFileInfo info(path);
    const QDir dir(info.absolutePath());
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks)) {
        struct stat status = {};
        const QByteArray native = QFile::encodeName(dir.filePath(entry));
        if (isLeftoverOf(entry, info.fileName()) && ::lstat(native.constData(), &status) == 0 &&
            S_ISREG(status.st_mode))
            ::unlink(native.constData());
    }
}

QString BackupPath(const QString& path)
{
    const QFileInfo info(path);
    return ResolveName(info.absolutePath(), info.fileName() + kBackupSuffix);
}

void Backup(const QString& path)
{
    const QString copy = BackupPath(path);
    try {
        if (QFileInfo::exists(path)) {
            WriteAtomic(copy, ReadAll(path));
            SetAttr(copy, kAttrHidden);
        }
    } catch (const RunError& error) {
        throw describedError(error.number(),
                             QStringLiteral("the backup copy ") + copy + QStringLiteral(" cannot be written"));
    }
    backedUp().insert(path);
}

void BackupOnce(const QString& path)
{
    if (!backedUp().contains(path))
        Backup(path);
}

void StartRun(const QString& path)
{
    backedUp().clear();
    RemoveLeftovers(path);
    // A password file the user made a link is written beside the file the link leads to.
    const QString target = LinkTarget(path);
    if (target != path && QFileInfo(target).isFile())
        RemoveLeftovers(target);
}

bool IsHidden(const QString& path)
{
    const QFileInfo info(path);
    QByteArray list;
    try {
        list = ReadAll(info.absolutePath() + QLatin1Char('/') + kHiddenList);
    } catch (const RunError&) {
        return false; // no list, or one that cannot be read: nothing is listed
    }
    const QByteArray name = QFile::encodeName(info.fileName());
    bool listed = false;
    forEachName(list, [&](QByteArrayView line) { listed = listed || line == name; });
    return listed;
}

void SetAttr(const QString& path, int attributes)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw RunError(RunError::FileNotFound);
    const bool hide = (attributes & kAttrHidden) != 0;
    const QString listPath = info.absolutePath() + QLatin1Char('/') + kHiddenList;
    const QByteArray name = QFile::encodeName(info.fileName());
    std::vector<QByteArray> lines;
    if (QFileInfo::exists(listPath))
        forEachName(ReadAll(listPath), [&](QByteArrayView line) { lines.push_back(line.toByteArray()); });
    const auto found = std::find(lines.begin(), lines.end(), name);
    if (hide == (found != lines.end()))
        return; // already as asked: nothing to write, which also spares read-only media
    if (hide)
        lines.push_back(name);
    else
        lines.erase(std::remove(lines.begin(), lines.end(), name), lines.end());
    QByteArray content;
    for (const QByteArray& line : lines)
        content += line + '\n';
    WriteAtomic(listPath, content,
                QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
}

void CreateEmptyHidden(const QString& path)
{
    // A file already there is the user's and is left as it is.
    if (QFileInfo::exists(path))
        return;
    WriteAtomic(path, QByteArray());
    SetAttr(path, kAttrHidden);
}

} // namespace FileOps
