#include "frame/SMGLOBAL.h"

#include "core/PasswordStore.h"
#include "frame/Platform.h"

#include <memory>

bool gLoggedIn = false;
QString gProgramPassword;
qint16 gProtectionMode = 0;
bool gTerminateAfter = false;
bool gDesignerMode = false;
bool gEntrySaved = false;
QString gErrorText;
QString gHelpFile;
QString gWindowsDir;
qint32 gWindowsVersion = 0;
qint32 gPlatformId = 0;
QString gVersionText;
QString gDoubleBreak;
QString gContactText;

namespace {
std::unique_ptr<PasswordStore> gStore;
} // namespace

PasswordStore& passwordStore()
{
    if (!gStore)
        gStore = std::make_unique<PasswordStore>(environment().programDir(), devices().writer());
    return *gStore;
}

void ResetGlobals()
{
    gLoggedIn = false;
    gProgramPassword = PasswordFile::kNotFound;
    gProtectionMode = 0;
    gTerminateAfter = false;
    gDesignerMode = false;
    gEntrySaved = false;
    gErrorText.clear();
    gHelpFile.clear();
    gWindowsDir.clear();
    gWindowsVersion = 0;
    gPlatformId = 0;
    gVersionText.clear();
    gDoubleBreak.clear();
    gContactText.clear();
    gStore.reset();
}
