#include "core/CryptString.h"

#include "core/Talmor32.h"

void CryptString(QByteArray& text, QByteArray& result, QByteArray& key)
{
    result = Talmor32::DxXCrypted(text, key, 0);
}

void CryptString(const char* text, qsizetype length, char* out)
{
    Talmor32::Transform(text, length, kFileKey, out);
}
