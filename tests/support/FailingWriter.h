#pragma once

#include "core/FileWriter.h"

#include <algorithm>
#include <cerrno>
#include <functional>

// The program's one writer with a failure to order: once failAfter bytes have been written (counted from when it
// was set), every write fails as on a full disk. Without unnamed temporary files every write takes the path that
// FAT media take.
class FailingWriter : public FileWriter
{
public:
    qint64 failAfter = -1; // -1: never
    bool unnamed = true;
    qint64 written = 0;                // every byte the program has written through it
    std::function<void()> whenFailing; // runs as a write fails: a medium pulled out, say

    void failAfterBytes(qint64 bytes)
    {
        m_armedAt = written;
        failAfter = bytes;
    }

protected:
    qint64 writeSome(int fd, const char* data, qint64 size) override
    {
        if (failAfter >= 0) {
            const qint64 left = m_armedAt + failAfter - written;
            if (left <= 0) {
                if (whenFailing)
                    whenFailing();
                errno = ENOSPC;
                return -1;
            }
            size = std::min(size, left);
        }
        const qint64 done = FileWriter::writeSome(fd, data, size);
        written += std::max<qint64>(done, 0);
        return done;
    }
    bool unnamedFirst() const override { return unnamed; }

private:
    qint64 m_armedAt = 0;
};
