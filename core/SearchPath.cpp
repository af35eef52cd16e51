#include "core/SearchPath.h"

#include <QDir>

namespace SearchPath {

QStringList AbsoluteFolders(const QString& searchPath)
{
    QStringList folders;
    for (const QString& entry : searchPath.split(QLatin1Char(':'))) {
        if (QDir::isAbsolutePath(entry))
            folders << entry;
    }
    return folders;
}

} // namespace SearchPath
