#include "core/RandomPassword.h"

#include <utility>

namespace RandomPassword {

QString Generate(const std::function<double()>& rnd)
{
    QString chars = kAlphabet;
    const int n = int(chars.size());
    // Positions 1 to n, as Int(Rnd * n + 1) gives them; a value that rounds up to n + 1 stays in range.
    const auto draw = [&rnd, n] { return qBound(1, int(rnd() * n + 1), n); };
    for (int i = 0; i < kSwaps; ++i) {
        const int a = draw();
        const int b = draw();
        std::swap(chars[a - 1], chars[b - 1]);
    }
    return chars.mid(kFirst - 1, kLength);
}

} // namespace RandomPassword
