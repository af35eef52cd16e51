#pragma once

#include "core/FileWriter.h"

#include <algorithm>
#include <cerrno>
#include <functional>

// The program's one writer with a failure to order: once it has written failAfter bytes in all, every write
// fails as on a full disk. Without unnamed temporary files every write takes the path that FAT media take.
class FailingWriter : public FileWriter
{
public:
    qint64 failAfter = -1; // -1: never
    bool unnamed = true;
    qint64 written = 0;                // every byte the program has written through it
    std::function<void()> whenFailing; // runs as a write fails: a medium pulled out, say

    // Writes fail once this many more bytes have been written; never when it is negative.
    void failAfterBytes(qint64 bytes) { failAfter = bytes < 0 ? -1 : written + bytes; }

protected:
    qint64 writeSome(int fd, const char* data, qint64 size) override
    {
        if (failAfter >= 0 && written >= failAfter) {
            if (whenFailing)
                whenFailing();
            errno = ENOSPC;
            return -1;
        }
        const qint64 done = FileWriter::writeSome(fd, data, failAfter < 0 ? size : std::min(size, failAfter - written));
        written += std::max<qint64>(done, 0);
        return done;
    }
    bool unnamedFirst() const override { return unnamed; }
};
