#include "frame/SMBASIC.h"

#include "core/RunError.h"
#include "core/Strings.h"
#include "frame/Platform.h"
#include "frame/SHARED.h"
#include "frame/SMGLOBAL.h"

namespace {
// The oldest system the program accepts: version 3.51.
constexpr qint32 kMinimumWindowsVersion = 351;
} // namespace

void Main()
{
    const QString procName = QStringLiteral("Main");

    if (gWindowsVersion < kMinimumWindowsVersion) {
        platform().MsgBox(LoadResString(175), vbInformation, kAppTitle);
        platform().End();
    }

    ResumeNext(procName, [] { platform().SetBusyPointer(true); });
    ResumeNext(procName, [] {
        if (!Help_File_In_Path())
            Help_File_Missing();
    });
    ResumeNext(procName, [] { platform().SetBusyPointer(false); });
    // A text that is no Boolean fails here and leaves gTerminateAfter as it was.
    ResumeNext(procName, [] {
        gTerminateAfter = CBoolOrRaise(RegDB_GetValue(QStringLiteral("TerminateAfter"), QStringLiteral("True")));
    });
}

qint32 GetWindowsVersion()
{
    // Linux has no Windows version: the kernel's major x 100 + minor stands for it (6.1 gives 601), so
    // every system Qt 6 runs on, all with kernels from 4.x on, passes the check for 351. The platform id
    // reported is 0, for which the error log's marker reads "?".
    const OsVersion v = platform().osVersion();
    gPlatformId = v.platformId;
    return v.major * 100 + v.minor;
}

void LogError(const RunError& error, const QString& name)
{
    gErrorText = ErrorText(error);
    WriteErrorLog(name);
}

void ResumeNext(const QString& name, const std::function<void()>& statement,
                const std::function<bool(int)>& endsProgram)
{
    try {
        statement();
    } catch (const RunError& error) {
        LogError(error, name);
        if (endsProgram && endsProgram(error.number()))
            platform().End();
    }
}
