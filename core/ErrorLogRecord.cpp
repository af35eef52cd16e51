#include "core/ErrorLogRecord.h"

namespace {

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// A record is one line of the file: a line break inside a text would split it, so it becomes a blank.
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

QString ErrorLogRecord::PlatformMarker(int platformId)
{
    switch (platformId) {
    case 1: return QStringLiteral("Win95");
    case 2: return QStringLiteral("NT");
    default: return QStringLiteral("?");
    }
}

QString ErrorLogRecord::TrimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QStringList ErrorLogRecord::fields() const
{
    const QDate date = when.date();
    const QTime time = when.time();
    return {
        PlatformMarker(platformId),
        twoDigits(date.month()) + QLatin1Char('-') + twoDigits(date.day()) + QLatin1Char('-') +
            QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0')),
        twoDigits(time.hour()) + QLatin1Char(':') + twoDigits(time.minute()) + QLatin1Char(':') +
            twoDigits(time.second()),
        TrimBlanks(oneLine(errorText)),
        TrimBlanks(oneLine(procedureName)),
        oneLine(versionText),
        QString::number(windowsVersion),
    };
}

QString ErrorLogRecord::text() const
{
    return fields().join(QLatin1Char('|'));
}

QByteArray ErrorLogRecord::line() const
{
    return '"' + text().toUtf8() + "\"\r\n";
}
