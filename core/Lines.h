#pragma once

#include <QtGlobal>

#include <cstring>

// The one way the program cuts a text file's bytes into lines. A line ends at LF, and a CR at the end of
// a line belongs to the line end, also on a last line without LF (a file cut off between CR and LF). A
// last line without a line end still counts; nothing follows a final line end.
namespace Lines {

// Calls take(const char* line, qsizetype length) for every line of data[begin, end).
template <class Take> void ForEach(const char* data, qsizetype begin, qsizetype end, Take&& take)
{
    qsizetype start = begin;
    while (start < end) {
        const auto* lf = static_cast<const char*>(std::memchr(data + start, '\n', size_t(end - start)));
        const qsizetype stop = lf ? lf - data : end;
        qsizetype length = stop - start;
        if (length > 0 && data[stop - 1] == '\r')
            --length;
        take(data + start, length);
        start = stop + 1;
    }
}

// Where the first line that starts at or after position at begins (size when none does): the place
// where a file can be cut in two without cutting a line.
qsizetype NextLineStart(const char* data, qsizetype size, qsizetype at);

} // namespace Lines
