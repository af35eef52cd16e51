#pragma once

#include <QString>

// The program-wide globals, declared once.
extern bool gLoggedIn;
extern QString gProgramPassword;
extern qint16 gProtectionMode;
extern bool gTerminateAfter;
extern bool gDesignerMode;
extern bool gEntrySaved;
extern QString gErrorText;
extern QString gHelpFile;
extern QString gWindowsDir;
extern qint32 gWindowsVersion;
extern qint32 gPlatformId;
extern QString gVersionText;
extern QString gDoubleBreak;
extern QString gContactText;

// Message-box flags and answers as the program passes and tests them.
constexpr int vbOKOnly = 0;
constexpr int vbOKCancel = 1;
constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;
constexpr int vbOK = 1;
constexpr int vbCancel = 2;

inline const QString kAppTitle = QStringLiteral("Password Corvalen");
inline const QString kCrLf = QStringLiteral("\r\n");

// The owner of the password file for this run, in the program folder, writing through the platform's writer.
class PasswordStore;
PasswordStore& passwordStore();

// Every global back to its value before start-up; the next passwordStore() begins a new run.
void ResetGlobals();
