#pragma once

#include <QByteArray>

// Our own cipher library. DxXCrypted is a keyed, position-dependent involution on bytes:
// applying it twice with the same key gives back the input, and it never produces or consumes
// CR or LF, so an enciphered line is still one line of the file. Its output must never change:
// users' files depend on it, and the known-answer tests pin it.
namespace Talmor32 {

// The third argument is the library's mode word; the program always passes 0.
QByteArray DxXCrypted(const QByteArray& text, const QByteArray& key, int mode);

// The same transformation on a buffer, for reading many lines without a copy of each; out may be text.
void Transform(const char* text, qsizetype length, const QByteArray& key, char* out);

// Export number 330: the text of a NUL-padded buffer, without the padding.
QByteArray Export330(const QByteArray& buffer);

} // namespace Talmor32
