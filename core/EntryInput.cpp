#include "core/EntryInput.h"

namespace EntryInput {

namespace {

bool hasBreak(const QString& field)
{
    return field.contains(QLatin1Char('\t')) || field.contains(QLatin1Char('\r')) || field.contains(QLatin1Char('\n'));
}

QString breakMessage(const QString& what)
{
    return QStringLiteral("The ") + what +
           QStringLiteral(" contains a tab or a line break, which the Password File cannot hold.  "
                          "Please remove it and try again.");
}

QString barMessage(const QString& what)
{
    return QStringLiteral("The ") + what +
           QStringLiteral(" contains the character \"|\", which the Password File uses to separate its fields.  "
                          "Please choose another character.");
}

} // namespace

Refused Refusal(const QString& name, const QString& password, const QString& userId)
{
    const QString nameWord = QStringLiteral("Password Name");
    const QString passwordWord = QStringLiteral("Password");
    if (hasBreak(name))
        return {breakMessage(nameWord), kName};
    if (name.contains(QLatin1Char('|')))
        return {barMessage(nameWord), kName};
    if (hasBreak(password))
        return {breakMessage(passwordWord), kPassword};
    if (password.contains(QLatin1Char('|')))
        return {barMessage(passwordWord), kPassword};
    if (hasBreak(userId))
        return {breakMessage(QStringLiteral("User ID")), kUserId};
    return {};
}

} // namespace EntryInput
