#pragma once

#include <QString>

// The program's own version information.
constexpr int kVersionMajor = 1;
constexpr int kVersionMinor = 0;
constexpr int kVersionRevision = 53;
inline const QString kProductName = QStringLiteral("Password Corvalen");
inline const QString kCompanyName = QStringLiteral("Brenhold");

inline QString VersionNumberText()
{
    return QString::number(kVersionMajor) + QLatin1Char('.') + QString::number(kVersionMinor) + QLatin1Char('.') +
           QString::number(kVersionRevision);
}
