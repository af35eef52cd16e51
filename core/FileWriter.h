#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

// The program's one way to write a file: every write replaces the whole file in one step. The content goes to a
// temporary file beside the target, is flushed to the device and then renamed over the target, so on any failure
// the old file stays as it was, and a link at the target is replaced, never written through. An unnamed temporary
// file is tried first, so a kill before the rename leaves nothing behind; where the file system has none (FAT
// sticks), the temporary file has a name that tells it apart as the program's own (see IsLeftover).
// Failures raise RunError with the system's error mapped to the platform's numbers.
class FileWriter
{
public:
    virtual ~FileWriter() = default;

    static constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

    void Write(const QString& path, const QByteArray& content, QFileDevice::Permissions permissions = kOwnerOnly);

    // Whether a folder entry is a temporary file this writer left beside the file called name: a dot, the name
    // in any letter case, ".corvalen-" and six letters or digits. No name a person gives a copy looks like that.
    static bool IsLeftover(const QString& entry, const QString& name);

protected:
    // Writes some of the data to an open file, as write(2) does: the bytes written, or -1 with errno set.
    virtual qint64 writeSome(int fd, const char* data, qint64 size);
    // Whether the file system may be asked for an unnamed temporary file first.
    virtual bool unnamedFirst() const { return true; }

private:
    void writeFully(int fd, const QByteArray& content);
    bool writeInto(int dir, const QByteArray& name, const QByteArray& content, unsigned mode, bool unnamed);
};
