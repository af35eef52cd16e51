#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <vector>

// File operations as the program's procedures need them. Failures raise RunError with the
// platform's numbers: 53 file not found, 75 path/file access error, 61 disk full, 57 device I/O.
namespace FileOps {

// File attributes as the program sets them. On Linux desktops a file is hidden when its name is
// listed in the folder's ".hidden" file (file managers honour it); normal means not listed there.
constexpr int kAttrNormal = 0;
constexpr int kAttrHidden = 2;

// File names ignore letter case, as they did where the program comes from: the file in dir whose
// name matches ignoring case, or dir/name when there is none yet.
QString ResolveName(const QString& dir, const QString& name);

// The whole content of a file.
QByteArray ReadAll(const QString& path);

// Writes the whole content to a temporary file beside the target, flushes it to the device and
// renames it over the target in one step: on any failure the old file stays as it was.
void WriteAtomic(const QString& path, const QByteArray& content,
                 QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner);

// Creates an empty, owner-only, hidden file if none exists.
void CreateEmptyHidden(const QString& path);

void SetAttr(const QString& path, int attributes);
bool IsHidden(const QString& path);

} // namespace FileOps
