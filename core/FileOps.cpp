#include "core/FileOps.h"

#include "core/RunError.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

namespace {

qint64 gFailAfter = -1;

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

bool IsFile(const QString& path)
{
    return QFileInfo(path).isFile();
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

std::vector<QByteArray> SplitLines(const QByteArray& content)
{
    std::vector<QByteArray> lines;
    lines.reserve(size_t(content.count('\n')) + 1);
    qsizetype start = 0;
    const qsizetype n = content.size();
    while (start < n) {
        qsizetype end = content.indexOf('\n', start);
        const qsizetype next = end < 0 ? n : end + 1;
        if (end < 0)
            end = n;
        qsizetype len = end - start;
        if (len > 0 && content.at(start + len - 1) == '\r')
            --len;
        lines.push_back(content.mid(start, len));
        start = next;
    }
    return lines;
}

void WriteAtomic(const QString& path, const QByteArray& content, QFileDevice::Permissions permissions)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw RunError(RunError::PathFileAccess);
    file.setPermissions(permissions);
    qint64 toWrite = content.size();
    bool injected = false;
    if (gFailAfter >= 0 && gFailAfter < toWrite) {
        toWrite = gFailAfter;
        injected = true;
    }
    if (file.write(content.constData(), toWrite) != toWrite || injected) {
        const int number = injected ? int(RunError::DiskFull) : errorForFile(file.error());
        file.cancelWriting();
        throw RunError(number);
    }
    if (!file.commit())
        throw RunError(errorForFile(file.error()));
    syncDirectory(QFileInfo(path).absolutePath());
}

void CopyAtomic(const QString& source, const QString& target, QFileDevice::Permissions permissions)
{
    WriteAtomic(target, ReadAll(source), permissions);
}

void CreateEmpty(const QString& path)
{
    if (QFileInfo::exists(path))
        return;
    WriteAtomic(path, QByteArray());
}

bool IsHidden(const QString& path)
{
    const QFileInfo info(path);
    QFile list(info.absolutePath() + QLatin1Char('/') + kHiddenList);
    if (!list.open(QIODevice::ReadOnly))
        return false;
    const QByteArray name = QFile::encodeName(info.fileName());
    for (const QByteArray& line : SplitLines(list.readAll())) {
        if (line == name)
            return true;
    }
    return false;
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
        lines = SplitLines(ReadAll(listPath));
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
    const qint64 saved = gFailAfter;
    gFailAfter = -1; // the failure seam is meant for the data files, not this list
    try {
        WriteAtomic(listPath, content, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                           QFileDevice::ReadOther);
    } catch (...) {
        gFailAfter = saved;
        throw;
    }
    gFailAfter = saved;
}

void SetWriteFailureAfter(qint64 bytes)
{
    gFailAfter = bytes;
}

} // namespace FileOps
