#include "core/ErrorLogRecord.h"
#include "core/FileOps.h"
#include "core/Strings.h"
#include "frame/Platform.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"

#include <QFile>

namespace {

const QString kLogName = QStringLiteral("errors.log");

// Opens the log in a folder for appending; false when the folder cannot take it. An empty folder name
// is no folder at all: it must never turn into the root folder.
bool openLog(QFile& file, const QString& dir)
{
    if (dir.isEmpty())
        return false;
    file.setFileName(FileOps::ResolveName(dir, kLogName));
    return file.open(QIODevice::WriteOnly | QIODevice::Append);
}

ErrorLogRecord currentRecord(const QString& name)
{
    ErrorLogRecord record;
    record.platformId = gPlatformId;
    record.when = platform().now();
    record.errorText = gErrorText;
    record.procedureName = name;
    record.versionText = gVersionText;
    record.windowsVersion = gWindowsVersion;
    return record;
}

} // namespace

void WriteErrorLog(const QString& name)
{
    QFile file;
    bool inWindowsDir = false;
    if (!openLog(file, platform().programDir())) {
        inWindowsDir = true;
        if (!openLog(file, gWindowsDir)) {
            platform().MsgBox(LoadResString(139) + gDoubleBreak + LoadResString(140) + gDoubleBreak +
                                  LoadResString(141),
                              vbCritical, kAppTitle);
            return;
        }
    }

    // Once the file is open, a failure to write it is not worth a message of its own: the caller's
    // handler goes on as it would have.
    const QByteArray line = currentRecord(name).line();
    if (file.write(line) != line.size() || !file.flush())
        return;
    file.close();
    if (file.error() != QFileDevice::NoError)
        return;

    platform().MsgBox(gErrorText, vbCritical, QStringLiteral("Error In Procedure:") + name);
    platform().MsgBox(LoadResString(142) + LoadResString(inWindowsDir ? 143 : 144) + gDoubleBreak +
                          LoadResString(145) + gDoubleBreak + LoadResString(146) + gDoubleBreak + gContactText,
                      vbOKOnly);
}
