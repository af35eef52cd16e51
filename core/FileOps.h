#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class FileWriter;
class RunError;

// File operations as the program's procedures need them. Failures raise RunError with the platform's numbers:
// 53 file not found, 75 path/file access error, 61 disk full, 57 device I/O, 70 permission denied, 76 path not
// found, 7 out of memory.
namespace FileOps {

// File attributes as the program sets them. On Linux desktops a file is hidden when its name is listed in the
// folder's ".hidden" file (file managers honour it); normal means not listed there.
constexpr int kAttrNormal = 0;
constexpr int kAttrHidden = 2;
inline const QString kHiddenList = QStringLiteral(".hidden");

// The largest file the program reads: 256 MiB holds millions of entries, and a list made from anything larger
// would not fit in memory.
constexpr qsizetype kMaxFileSize = qsizetype(256) << 20;

// The platform's error for a system error code.
RunError SystemError(int code);
// The error with its standard description and what it concerns, in brackets.
RunError DescribedError(int number, const QString& what);

// File names ignore letter case, as they did where the program comes from: the file in dir whose name matches
// ignoring case (the exact name first, then the first match in name order), or dir/name when there is none yet.
QString ResolveName(const QString& dir, const QString& name);

// The file a symbolic link leads to, through every link on the way; the path itself when it is no link.
QString LinkTarget(const QString& path);
// Whether there is a folder entry at path, a link whose target is missing included.
bool EntryExists(const QString& path);

// The whole content of an ordinary file. Raises 53 when there is none, 75 when it is no ordinary file (a folder,
// a pipe, a device) or, with followLinks false, a link, and 7 when it is larger than maxSize.
QByteArray ReadAll(const QString& path, bool followLinks = true, qsizetype maxSize = kMaxFileSize);

// Removes the temporary files an interrupted write left in dir beside the files called names (see
// FileWriter::IsLeftover): ordinary files only, never links.
void RemoveLeftovers(const QString& dir, const QStringList& names);

// Lists the file in its folder's ".hidden" file, or takes it off the list. A ".hidden" that is a link is left
// alone, and so is the attribute: the program reads and writes nothing through it.
void SetAttr(const QString& path, int attributes, FileWriter& writer);
bool IsHidden(const QString& path);

} // namespace FileOps
