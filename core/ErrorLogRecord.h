#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// One record of the error log, as data: the facts at the moment of the error and the line they make.
// The record text is seven fields joined by "|"; the line is that text in double quotation marks, then
// CR LF, with quotation marks inside the text written unchanged.
class ErrorLogRecord
{
public:
    int platformId = 0;
    QDateTime when;
    QString errorText;
    QString procedureName;
    QString versionText;
    qint32 windowsVersion = 0;

    // "Win95" for platform id 1, "NT" for 2, "?" for anything else.
    static QString PlatformMarker(int platformId);
    // Removes leading and trailing blanks (spaces only, as other white space is part of the text).
    static QString TrimBlanks(const QString& text);

    // The seven fields in the order they are written.
    QStringList fields() const;
    QString text() const;
    // The line as it is appended to the file, in UTF-8.
    QByteArray line() const;
};
