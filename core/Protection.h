#pragma once

#include "core/PasswordFile.h"

#include <QString>

// When the program password is asked for. Modes: 0 never, 1 before the first guarded command of a run, 2 at
// start-up and before any guarded command until it is given.
namespace Protection {

// How a load is made: at start-up (and after an overwriting import) it applies the mode; otherwise it only
// reloads.
enum class How
{
    Load,
    Normal,
};
// "Load" exactly is a load that applies the mode; any other text only reloads.
How HowOf(const QString& how);

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

// What a load does with the file's control record: the mode stays as it was when the file has none. A mode of 1
// or 2 that the file gives no password for (no control record; the mode was left by an earlier file) counts as 0,
// so "not found" is never taken for a password.
OnLoad Decide(qint16 currentMode, const PasswordFile::Scan& scan, How how);

// Whether a guarded command must ask for the program password before it runs.
bool LoginNeeded(qint16 mode, bool loggedIn);

// What a copy to the clipboard does. Nothing is copied, and the program does not end, while nothing is selected.
// The program's own password goes only to someone who may use the program: it asks for the login first while one
// is needed. A password is a secret; only a copied password ends the program when it is set to.
struct Copy
{
    bool copies = false;
    bool needsLogin = false;
    QString text;
    bool secret = false;
    bool endsProgram = false;
};
Copy CopyDecision(int selected, const QString& item, bool password, qint16 mode, bool loggedIn, bool terminateAfter);

enum class Login
{
    Accepted,
    NoPassword, // no control record stands behind the program password: there is nothing to ask for
    Refused,
};
// The login window's check: exact and case-sensitive, no trimming.
Login CheckLogin(const QString& typed, const QString& programPassword, bool programPasswordLoaded);

} // namespace Protection
