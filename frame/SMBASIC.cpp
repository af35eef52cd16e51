#include "frame/SMBASIC.h"

#include "core/RunError.h"
#include "frame/Platform.h"
#include "frame/SMGLOBAL.h"

// Placeholder bodies; the application frame fills these in.

void Main() {}

qint32 GetWindowsVersion()
{
    const OsVersion v = platform().osVersion();
    gPlatformId = v.platformId;
    return v.major * 100 + v.minor;
}

void WriteErrorLog(const QString& /*name*/) {}

void LogError(const RunError& error, const QString& name)
{
    gErrorText = ErrorText(error);
    WriteErrorLog(name);
}

