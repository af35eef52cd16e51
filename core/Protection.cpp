#include "core/Protection.h"

namespace Protection {

OnLoad Decide(qint16 currentMode, const PasswordFile::Scan& scan, const QString& how)
{
    OnLoad out;
    out.mode = scan.controlFound ? scan.mode : currentMode;
    out.programPassword = scan.programPassword;
    const bool unguarded = !scan.controlFound && (out.mode == 1 || out.mode == 2);
    const bool load = how == QLatin1String("Load");
    switch (unguarded ? qint16(0) : out.mode) {
    case 0: out.action = load ? Action::LogIn : Action::None; break;
    case 1: out.action = load ? Action::Lock : Action::None; break;
    case 2: out.action = load ? Action::LoginWindow : Action::None; break;
    default: out.action = Action::NotProgrammed; break;
    }
    return out;
}

bool LoginNeeded(qint16 mode, bool loggedIn)
{
    return mode != 0 && !loggedIn;
}

} // namespace Protection
