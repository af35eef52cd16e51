#pragma once

#include <QString>
#include <exception>

// A run-time error as the program's handlers see it: the platform's error number and its description.
// Handlers format it with ErrorText() and decide from the number whether to end or go on.
class RunError : public std::exception
{
public:
    enum Number : int
    {
        OutOfMemory = 7,
        BadFileNameOrNumber = 52,
        FileNotFound = 53,
        DeviceIO = 57,
        DiskFull = 61,
        PermissionDenied = 70,
        DiskNotReady = 71,
        PathFileAccess = 75,
        PathNotFound = 76,
    };

    explicit RunError(int number, QString description = QString());

    int number() const { return m_number; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

    // The platform's standard description for an error number.
    static QString standardDescription(int number);
    // The errors of a file that is not there or cannot be reached: during the start-up they leave nothing
    // to work with, where any other error lets it go on.
    static bool IsFileError(int number);

private:
    int m_number;
    QString m_description;
    QByteArray m_what;
};

// "Error has Occurred: " & description & "-" & number, with no blanks between them.
QString ErrorText(const RunError& error);
