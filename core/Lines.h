#pragma once

#include <QtGlobal>

#include <cstring>

// The one way the program cuts a text file's bytes into lines, as line input always read them: a line
// ends at CR LF, at a lone CR or at a lone LF. A last line without a line end still counts. Blank lines
// hold nothing and are passed over.
namespace Lines {

// The first CR or LF in data[from, end), or end.
inline qsizetype LineEnd(const char* data, qsizetype from, qsizetype end)
{
    const auto* lf = static_cast<const char*>(std::memchr(data + from, '\n', size_t(end - from)));
    const qsizetype stop = lf ? lf - data : end;
    const auto* cr = static_cast<const char*>(std::memchr(data + from, '\r', size_t(stop - from)));
    return cr ? cr - data : stop;
}

// Calls take(const char* line, qsizetype length) for every line of data[begin, end) that is not blank.
template <class Take> void ForEach(const char* data, qsizetype begin, qsizetype end, Take&& take)
{
    qsizetype start = begin;
    while (start < end) {
        const qsizetype stop = LineEnd(data, start, end);
        if (stop > start)
            take(data + start, stop - start);
        start = stop + 1;
    }
}

// Where the first line that starts at or after position at begins (size when none does): the place
// where a file can be cut in two without cutting a line or a CR LF pair.
qsizetype NextLineStart(const char* data, qsizetype size, qsizetype at);

} // namespace Lines
