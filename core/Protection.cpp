#include "core/Protection.h"

#include "core/ListItem.h"

namespace Protection {

How HowOf(const QString& how)
{
    return how == QLatin1String("Load") ? How::Load : How::Normal;
}

OnLoad Decide(qint16 currentMode, const PasswordFile::Scan& scan, How how)
{
    OnLoad out;
    out.mode = scan.controlFound ? scan.mode : currentMode;
    out.programPassword = scan.programPassword;
    const bool unguarded = !scan.controlFound && (out.mode == 1 || out.mode == 2);
    const bool load = how == How::Load;
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

Copy CopyDecision(int selected, const QString& item, bool password, qint16 mode, bool loggedIn, bool terminateAfter)
{
    Copy copy;
    if (selected < 0)
        return copy;
    ListItem::Fields fields;
    ListItem::Split(item, fields);
    copy.copies = true;
    copy.needsLogin = password && ListItem::IsControlRecord(item) && LoginNeeded(mode, loggedIn);
    copy.text = password ? fields.password : fields.userId;
    copy.secret = password;
    copy.endsProgram = password && terminateAfter;
    return copy;
}

Login CheckLogin(const QString& typed, const QString& programPassword, bool programPasswordLoaded)
{
    if (!programPasswordLoaded)
        return Login::NoPassword;
    return typed == programPassword ? Login::Accepted : Login::Refused;
}

} // namespace Protection
