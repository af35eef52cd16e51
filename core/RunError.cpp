#include "core/RunError.h"

RunError::RunError(int number, QString description)
    : m_number(number), m_description(description.isEmpty() ? standardDescription(number) : std::move(description))
{
    m_what = m_description.toUtf8();
}

QString RunError::standardDescription(int number)
{
    switch (number) {
    case OutOfMemory: return QStringLiteral("Out of memory");
    case BadFileNameOrNumber: return QStringLiteral("Bad file name or number");
    case FileNotFound: return QStringLiteral("File not found");
    case DeviceIO: return QStringLiteral("Device I/O error");
    case DiskFull: return QStringLiteral("Disk full");
    case PermissionDenied: return QStringLiteral("Permission denied");
    case DiskNotReady: return QStringLiteral("Disk not ready");
    case PathFileAccess: return QStringLiteral("Path/File access error");
    case PathNotFound: return QStringLiteral("Path not found");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

bool RunError::IsFileError(int number)
{
    return number == BadFileNameOrNumber || number == FileNotFound || number == PathFileAccess;
}

QString ErrorText(const RunError& error)
{
    return QStringLiteral("Error has Occurred: ") + error.description() + QLatin1Char('-') +
           QString::number(error.number());
}
