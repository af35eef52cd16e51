#pragma once

// Texts in the tests' tables: several written as one, separated by ";", shown quoted when a check fails,
// enciphered as the password file holds them, and the text of the error a call raises.
#include "core/CryptString.h"
#include "core/RunError.h"

#include <QStringList>

#include <ostream>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

using Texts = std::vector<QString>;

inline Texts split(const char* joined)
{
    const QStringList parts = QString::fromUtf8(joined).split(QLatin1Char(';'));
    return *joined ? Texts(parts.begin(), parts.end()) : Texts();
}

inline QString joined(const Texts& texts)
{
    return QStringList(texts.begin(), texts.end()).join(QLatin1Char(';'));
}

// A text enciphered with the file's key through the buffer form, in place, as the file's reader and writer use it.
inline QByteArray crypt(QByteArray text)
{
    CryptString(text.constData(), text.size(), text.data());
    return text;
}

// The error text the user would see, empty when the call raises none.
template <class Call> QString errorText(Call&& call)
{
    try {
        call();
    } catch (const RunError& error) {
        return ErrorText(error);
    }
    return QString();
}
