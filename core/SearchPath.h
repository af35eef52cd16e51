#pragma once

#include <QString>
#include <QStringList>

// The folders of a search path such as PATH, in order. A relative entry (".", or an empty one, which means the
// same) names wherever the program was started from, and what lies there is anybody's: only absolute folders
// count.
namespace SearchPath {

QStringList AbsoluteFolders(const QString& searchPath);

} // namespace SearchPath
