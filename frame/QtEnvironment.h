#pragma once

#include "frame/Environment.h"

// The machine's facts as Qt and the system report them.
class QtEnvironment : public Environment
{
public:
    QString programDir() const override;
    QByteArray windowsDirectoryBuffer() const override;
    QString variable(const QString& name) const override;
    OsVersion osVersion() const override;
    QDateTime now() const override;
    double Rnd() override;

    // The id reported for this system. The error log's marker reads "?" for it, as the system is
    // neither Windows 95 (1) nor NT (2).
    static constexpr int kPlatformIdLinux = 0;
};
