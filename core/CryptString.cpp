#include "core/CryptString.h"

#include "core/Talmor32.h"

void CryptString(QByteArray& text, QByteArray& result, QByteArray& key)
{
    result = Talmor32::DxXCrypted(text, key, 0);
}

QByteArray CryptLine(const QByteArray& line)
{
    return Talmor32::DxXCrypted(line, kFileKey, 0);
}
