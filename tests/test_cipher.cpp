#include "core/CryptString.h"
#include "support/Texts.h"

#include <gtest/gtest.h>

namespace {

// The file format depends on these exact outputs: if one changes, every user's file becomes unreadable.
TEST(Cipher, KnownAnswersFromBothFormsWhichLeaveTextAndKeyAlone)
{
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"Password Corvalen|secret2| ", "a135f674256f9b298dd1002fb4bf3d13def72f8d9d38b737d7295e"},
        {QByteArray::fromHex("000a0d0bff7c"), "ef0a0ddb9b62"},
    };
    for (const auto& [plain, hex] : cases) {
        QByteArray text = plain;
        QByteArray key = kFileKey;
        QByteArray result;
        CryptString(text, result, key);
        EXPECT_EQ(std::tuple(crypt(plain).toHex(), result.toHex(), text, key), std::tuple(hex, hex, plain, kFileKey));
    }
}

} // namespace
