#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <vector>

// File operations as the program's procedures need them. Failures raise RunError with the
// platform's numbers: 53 file not found, 75 path/file access error, 61 disk full, 57 device I/O,
// 70 permission denied, 76 path not found, 7 out of memory.
namespace FileOps {

// File attributes as the program sets them. On Linux desktops a file is hidden when its name is
// listed in the folder's ".hidden" file (file managers honour it); normal means not listed there.
constexpr int kAttrNormal = 0;
constexpr int kAttrHidden = 2;

// The largest file the program reads: 256 MiB holds millions of entries, and a list made from anything
// larger would not fit in memory.
constexpr qsizetype kMaxFileSize = qsizetype(256) << 20;

// File names ignore letter case, as they did where the program comes from: the file in dir whose
// name matches ignoring case, or dir/name when there is none yet.
QString ResolveName(const QString& dir, const QString& name);

// The file a symbolic link leads to, through every link on the way; the path itself when it is no link.
QString LinkTarget(const QString& path);

// The whole content of an ordinary file, following links. Raises 53 when there is none, 75 when it is no
// ordinary file (a folder, a pipe, a device), 7 when it is larger than kMaxFileSize.
QByteArray ReadAll(const QString& path);

// Writes the whole content to a temporary file beside the target, flushes it to the device and
// renames it over the target in one step: on any failure the old file stays as it was. A link at path is
// replaced, never written through. Where the file system has no unnamed temporary files, a kill leaves a
// named one that RemoveLeftovers recognises.
void WriteAtomic(const QString& path, const QByteArray& content,
                 QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner);

// Writes all of the data to an open file, however many calls it takes; raises the system's error.
void WriteFully(int fd, const char* data, qsizetype size);

// Removes the temporary files an interrupted write of path left beside it, by this program's writer or by the
// one it had before: ordinary files named path's file name (in any letter case), a dot and six letters cased as
// no word is (not all capitals, and two capitals together or one at the end, as in xGjKMV). Copies the user
// named, such as backup, Backup, BACKUP or MyCopy, are never taken for them.
void RemoveLeftovers(const QString& path);

// The backup copy of a file: beside it, its name followed by ".bak".
QString BackupPath(const QString& path);
// Keeps the file as it is now, byte for byte, as its hidden, owner-only backup copy, replacing the earlier
// copy in one step; nothing to keep when there is no file. Raises RunError naming the copy when it cannot be
// written.
void Backup(const QString& path);
// Backup, unless the file was backed up already in this run.
void BackupOnce(const QString& path);
// The start of a run on the file at path: the leftovers of earlier runs go, beside it and beside the file a
// link there leads to, and the next BackupOnce keeps a new copy.
void StartRun(const QString& path);

// Creates an empty, owner-only, hidden file if none exists.
void CreateEmptyHidden(const QString& path);

void SetAttr(const QString& path, int attributes);
bool IsHidden(const QString& path);

} // namespace FileOps
