#pragma once

#include <QString>

#include <functional>

// The editor's random password: ten characters of a shuffled copy of the alphabet, so no character
// repeats. rnd gives uniform values in [0, 1).
namespace RandomPassword {

inline const QString kAlphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890");
constexpr int kSwaps = 2500;
constexpr int kFirst = 15; // counted from 1
constexpr int kLength = 10;

QString Generate(const std::function<double()>& rnd);

} // namespace RandomPassword
