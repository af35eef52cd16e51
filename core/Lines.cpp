#include "core/Lines.h"

namespace Lines {

qsizetype NextLineStart(const char* data, qsizetype size, qsizetype at)
{
    if (at <= 0)
        return 0;
    if (at >= size)
        return size;
    const auto* lf = static_cast<const char*>(std::memchr(data + at - 1, '\n', size_t(size - at + 1)));
    return lf ? lf - data + 1 : size;
}

} // namespace Lines
