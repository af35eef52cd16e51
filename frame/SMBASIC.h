#pragma once

#include <QString>
#include <QVariant>
#include <QWidget>

#include <functional>

class RunError;

// Start-up's remaining initialisation: system check, help-file search, the TerminateAfter setting.
void Main();

// The system's version as major x 100 + minor; sets gPlatformId.
qint32 GetWindowsVersion();

// Appends one record to errors.log and reports the error; the caller has set gErrorText.
void WriteErrorLog(const QString& name);

// The usual handler: gErrorText from the error, then the log under the procedure's name.
void LogError(const RunError& error, const QString& name);

// Runs one statement under the usual handler: a run-time error is logged under the procedure's name and
// the procedure goes on with its next statement, unless endsProgram says that error number ends the program.
void ResumeNext(const QString& name, const std::function<void()>& statement,
                const std::function<bool(int)>& endsProgram = {});

// Looks for the help file in the program directory, then along PATH; sets gHelpFile.
bool Help_File_In_Path();
void Help_File_Missing();
// Opens the help file at its contents; the missing-help message when it cannot be shown.
void ShowHelpContents();
// Makes F1 in every window of the program, message boxes included, do what the Help button does.
void InstallHelpKey();

// A control's Tag, the text that steers the hand cursor.
inline void SetTag(QWidget* control, const QString& tag)
{
    control->setProperty("Tag", tag);
}
inline QString Tag(const QWidget* control)
{
    return control->property("Tag").toString();
}

// Gives a window's clickable controls the pointing-hand cursor.
void SetPointer(QWidget& window);
// The procedure text SetPointer's error-log entry carries: window name, the control's top and left in
// twips, its index in the window's control collection and its name.
QString SetPointerLogName(const QWidget& window, const QWidget& control, int index);
