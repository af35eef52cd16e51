#pragma once

#include <QString>

class QWidget;
class RunError;

// Start-up's remaining initialisation: system check, help-file search, the TerminateAfter setting.
void Main();

// The system's version as major x 100 + minor; sets gPlatformId.
qint32 GetWindowsVersion();

// Appends one record to errors.log and reports the error; the caller has set gErrorText.
void WriteErrorLog(const QString& name);

// The usual handler: gErrorText from the error, then the log under the procedure's name.
void LogError(const RunError& error, const QString& name);

// Looks for the help file in the program directory, then along PATH; sets gHelpFile.
bool Help_File_In_Path();
void Help_File_Missing();

// Gives a window's clickable controls the pointing-hand cursor.
void SetPointer(QWidget& window);
