#include "core/Lines.h"

namespace Lines {

qsizetype NextLineStart(const char* data, qsizetype size, qsizetype at)
{
    if (at <= 0)
        return 0;
    if (at >= size)
        return size;
    // Cutting between the CR and the LF of a pair would leave a blank line, which is passed over anyway;
    // cutting right after a line end keeps both halves whole.
    qsizetype stop = LineEnd(data, at - 1, size);
    if (stop < size && data[stop] == '\r' && stop + 1 < size && data[stop + 1] == '\n')
        ++stop;
    return stop < size ? stop + 1 : size;
}

} // namespace Lines
