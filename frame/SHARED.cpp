#include "frame/SHARED.h"

// Placeholder bodies; the application frame fills these in.

QString RegDB_GetValue(const QString& /*key*/, const QString& defaultValue)
{
    return defaultValue;
}

void RegDB_SetValue(const QString& /*key*/, const QString& /*value*/) {}

void RegDB_CheckVersion() {}

bool CBool(const QString& text, bool* ok)
{
    if (ok)
        *ok = true;
    if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool number = false;
    const double value = text.trimmed().toDouble(&number);
    if (number)
        return value != 0;
    if (ok)
        *ok = false;
    return false;
}

QString BoolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}
