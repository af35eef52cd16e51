#pragma once

#include "core/PasswordFile.h"

#include <QString>

// When the program password is asked for. Modes: 0 never, 1 before the first guarded command of a run,
// 2 at start-up and before any guarded command until it is given.
namespace Protection {

enum class Action
{
    None,          // nothing changes
    LogIn,         // logged in without a password
    Lock,          // locked until the password is given
    LoginWindow,   // ask now
    NotProgrammed, // a mode digit the program has no meaning for
};

struct OnLoad
{
    qint16 mode = 0;
    QString programPassword;
    Action action = Action::None;
};

// What a load does with the file's control record: the mode stays as it was when the file has none;
// how "Load" (exactly) applies the mode, anything else only reloads. A mode of 1 or 2 that the file gives
// no password for (no control record; the mode was left by an earlier file) counts as 0, so "not found"
// is never taken for a password.
OnLoad Decide(qint16 currentMode, const PasswordFile::Scan& scan, const QString& how);

// Whether a guarded command must ask for the program password before it runs.
bool LoginNeeded(qint16 mode, bool loggedIn);

} // namespace Protection
