#include "core/FileOps.h"

#include "core/FileWriter.h"
#include "core/Finally.h"
#include "core/Lines.h"
#include "core/RunError.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Calls take(QByteArrayView) for every name in the content of a ".hidden" list, one a line.
template <class Take> void forEachName(const QByteArray& content, Take&& take)
{
    Lines::ForEach(content.constData(), 0, content.size(),
                   [&](const char* line, qsizetype length) { take(QByteArrayView(line, length)); });
}

} // namespace

namespace FileOps {

RunError SystemError(int code)
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

RunError DescribedError(int number, const QString& what)
{
    return RunError(number, RunError::standardDescription(number) + QStringLiteral(" (") + what + QLatin1Char(')'));
}

QString ResolveName(const QString& dir, const QString& name)
{
    const QString exact = dir + QLatin1Char('/') + name;
    if (EntryExists(exact))
        return exact;
    const QStringList entries =
        QDir(dir).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
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

bool EntryExists(const QString& path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

QByteArray ReadAll(const QString& path, bool followLinks, qsizetype maxSize)
{
    // Opened without waiting, so a pipe cannot stop the program before it is seen to be one.
    const int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW);
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0 && errno == ELOOP && !followLinks)
        throw DescribedError(RunError::PathFileAccess, path + QStringLiteral(" is a link, which is not followed"));
    if (fd < 0)
        throw errno == ENOENT || errno == ENOTDIR ? RunError(RunError::FileNotFound) : SystemError(errno);
    const Finally closed([fd] { ::close(fd); });
    struct stat status = {};
    if (::fstat(fd, &status) != 0)
        throw SystemError(errno);
    if (!S_ISREG(status.st_mode))
        throw DescribedError(RunError::PathFileAccess, path + QStringLiteral(" is not an ordinary file"));
    const auto tooLarge = [&path] {
        return DescribedError(RunError::OutOfMemory,
                              path + QStringLiteral(" is larger than the 256 MB the program can read"));
    };
    if (status.st_size > maxSize)
        throw tooLarge();
    // One byte more than the file's size tells a file that grew since.
    QByteArray content(qsizetype(status.st_size) + 1, Qt::Uninitialized);
    qsizetype done = 0;
    for (;;) {
        if (done == content.size()) {
            if (done > maxSize)
                throw tooLarge();
            content.resize(std::min(done * 2, maxSize + 1));
        }
        const ssize_t got = ::read(fd, content.data() + done, size_t(content.size() - done));
        if (got == 0)
            break;
        if (got < 0 && errno != EINTR)
            throw SystemError(errno);
        done += std::max<ssize_t>(got, 0);
    }
    content.resize(done);
    return content;
}

void RemoveLeftovers(const QString& dir, const QStringList& names)
{
    const QDir folder(dir);
    for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks)) {
        const bool ours = std::any_of(names.begin(), names.end(),
                                      [&entry](const QString& name) { return FileWriter::IsLeftover(entry, name); });
        struct stat status = {};
        const QByteArray native = QFile::encodeName(folder.filePath(entry));
        if (ours && ::lstat(native.constData(), &status) == 0 && S_ISREG(status.st_mode))
            ::unlink(native.constData());
    }
}

bool IsHidden(const QString& path)
{
    const QFileInfo info(path);
    QByteArray list;
    try {
        list = ReadAll(info.absolutePath() + QLatin1Char('/') + kHiddenList, false);
    } catch (const RunError&) {
        return false; // no list, or one that cannot be read: nothing is listed
    }
    const QByteArray name = QFile::encodeName(info.fileName());
    bool listed = false;
    forEachName(list, [&](QByteArrayView line) { listed = listed || line == name; });
    return listed;
}

void SetAttr(const QString& path, int attributes, FileWriter& writer)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw RunError(RunError::FileNotFound);
    const bool hide = (attributes & kAttrHidden) != 0;
    const QString listPath = info.absolutePath() + QLatin1Char('/') + kHiddenList;
    if (QFileInfo(listPath).isSymLink())
        return;
    const QByteArray name = QFile::encodeName(info.fileName());
    std::vector<QByteArray> lines;
    if (EntryExists(listPath))
        forEachName(ReadAll(listPath, false), [&](QByteArrayView line) { lines.push_back(line.toByteArray()); });
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
    writer.Write(listPath, content,
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
}

} // namespace FileOps
