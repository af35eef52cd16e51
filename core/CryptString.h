#pragma once

#include <QByteArray>

// The key every line of every password file is enciphered with.
inline const QByteArray kFileKey = QByteArrayLiteral("Quartz Lantern Harbors");

// The program's one way to the cipher library: the same call enciphers a plain line and deciphers a
// stored one. Texts are in their 8-bit (UTF-8) form here; text and key are left as the library left
// them, which is unchanged.
void CryptString(QByteArray& text, QByteArray& result, QByteArray& key);

// The same with the file's key on a buffer, for reading and writing many lines without a copy of each;
// out may be text itself.
void CryptString(const char* text, qsizetype length, char* out);
