#include "core/FileOps.h"

#include "core/Lines.h"
#include "core/RunError.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

const QString kHiddenList = QStringLiteral(".hidden");

// Flushes the folder entry of a renamed file, so a removed medium cannot lose the rename.
void syncDirectory(const QString& dir)
{
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

int errorForFile(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::ResourceError: return RunError::DiskFull;
    case QFileDevice::WriteError:
    case QFileDevice::ReadError: return RunError::DeviceIO;
    default: return RunError::PathFileAccess;
    }
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

QByteArray ReadAll(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw RunError(RunError::FileNotFound);
    if (info.isDir())
        throw RunError(RunError::PathFileAccess);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RunError(RunError::PathFileAccess);
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RunError(RunError::DeviceIO);
    return content;
}

void WriteAtomic(const QString& path, const QByteArray& content, QFileDevice::Permissions permissions)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw RunError(RunError::PathFileAccess);
    file.setPermissions(permissions);
    // A write that falls short reports no error until the rest is tried again, and the buffer's flush in
    // commit() fails without stopping the rename: so the rest is retried and the flush done here.
    const auto fail = [&file] {
        const int number = errorForFile(file.error());
        file.cancelWriting();
        throw RunError(number);
    };
    for (qint64 done = 0; done < content.size();) {
        const qint64 written = file.write(content.constData() + done, content.size() - done);
        if (written <= 0)
            fail();
        done += written;
    }
    if (!file.flush())
        fail();
    if (!file.commit())
        throw RunError(errorForFile(file.error()));
    syncDirectory(QFileInfo(path).absolutePath());
}

bool IsHidden(const QString& path)
{
    const QFileInfo info(path);
    QFile list(info.absolutePath() + QLatin1Char('/') + kHiddenList);
    if (!list.open(QIODevice::ReadOnly))
        return false;
    const QByteArray name = QFile::encodeName(info.fileName());
    bool listed = false;
    forEachName(list.readAll(), [&](QByteArrayView line) { listed = listed || line == name; });
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
    if (!QFileInfo::exists(path))
        WriteAtomic(path, QByteArray());
    SetAttr(path, kAttrHidden);
}

} // namespace FileOps
