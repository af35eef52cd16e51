#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

struct OsVersion
{
    int major = 0;
    int minor = 0;
    int platformId = 0;
};

// The facts of the machine the program runs on: its folders, variables, clock and random source.
class Environment
{
public:
    virtual ~Environment() = default;

    // The directory that holds the program's executable.
    virtual QString programDir() const = 0;

    // The directory that stands for the Windows directory, as the system's query fills a buffer of
    // 255 characters: the path, then NUL characters.
    virtual QByteArray windowsDirectoryBuffer() const = 0;

    // An environment variable; empty when it is not set.
    virtual QString variable(const QString& name) const = 0;
    virtual OsVersion osVersion() const = 0;
    virtual QDateTime now() const = 0;

    // A uniform value in [0, 1) from the system's secure random source.
    virtual double Rnd() = 0;
};
