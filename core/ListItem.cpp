#include "core/ListItem.h"

namespace ListItem {

QString Make(QStringView name, QStringView password, QStringView userId)
{
    return MakeFrom(name.utf16(), name.size(), password.utf16(), password.size(), userId.utf16(), userId.size());
}

bool Split(const QString& item, Fields& out)
{
    const qsizetype p1 = item.indexOf(QLatin1Char('\t'));
    if (p1 < 0)
        return false;
    const qsizetype p2 = item.indexOf(QLatin1Char('\t'), p1 + 4);
    if (p2 < 0)
        return false;
    out.name = item.left(p1);
    out.password = item.mid(p1 + 4, p2 - p1 - 4);
    out.userId = item.mid(p2 + 1);
    return true;
}

Fields Shown(const QString& item)
{
    Fields out;
    if (!Split(item, out)) {
        // An item that cannot be taken apart still shows as much of it as names it.
        out.name = NameOf(item);
        return out;
    }
    if (out.name == kControlName) {
        out.password.chop(1); // the protection-mode digit
        out.userId.clear();
    }
    return out;
}

QString NameOf(const QString& item)
{
    const qsizetype p1 = item.indexOf(QLatin1Char('\t'));
    return p1 < 0 ? item : item.left(p1);
}

bool IsControlRecord(const QString& item)
{
    return item.startsWith(kControlName) &&
           (item.size() == kControlName.size() || item.at(kControlName.size()) == QLatin1Char('\t'));
}

ControlField DecodeControl(const QString& passwordField)
{
    ControlField f;
    if (passwordField.isEmpty())
        return f;
    const QChar last = passwordField.back();
    f.mode = (last >= QLatin1Char('0') && last <= QLatin1Char('9')) ? qint16(last.unicode() - '0') : qint16(0);
    f.programPassword = passwordField.left(passwordField.size() - 1);
    return f;
}

QString ModeDigit(qint16 mode)
{
    return QString::number(mode);
}

QString MakeControl(const QString& programPassword, qint16 mode)
{
    return Make(kControlName, programPassword + ModeDigit(mode), QStringLiteral(" "));
}

} // namespace ListItem
