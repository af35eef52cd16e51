#include "frame/WlClipboard.h"

#include "core/SearchPath.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>

QString WlClipboard::Tool(const QString& searchPath)
{
    for (const QString& folder : SearchPath::AbsoluteFolders(searchPath)) {
        const QFileInfo tool(folder + QStringLiteral("/wl-copy"));
        if (tool.isFile() && tool.isExecutable())
            return tool.absoluteFilePath();
    }
    return QString();
}

bool WlClipboard::Clear()
{
    if (QGuiApplication::platformName() != QLatin1String("wayland"))
        return false;
    const QString tool = Tool(qEnvironmentVariable("PATH"));
    if (tool.isEmpty())
        return false;
    QProcess process;
    process.start(tool, {QStringLiteral("--clear")});
    // It takes a few milliseconds; one that hangs must not hold the program up.
    if (!process.waitForFinished(2000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
