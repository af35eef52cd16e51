#include "core/CryptString.h"
#include "support/Texts.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

// The file format depends on these exact outputs: if one changes, every user's file becomes unreadable.
TEST(Cipher, KnownAnswersFromBothFormsWhichLeaveTextAndKeyAlone)
{
    const std::pair<QByteArray, QByteArray> cases[] = {
        {QByteArray(), QByteArray()},
        {"Password Corvalen|secret2| ", "a135f674256f9b298dd1002fb4bf3d13def72f8d9d38b737d7295e"},
        {"Bank|pa55word|jsmith", "af35fb7c206eac58789d002fc6a43f03df0b2e8a"},
        {"Caf\xc3\xa9 Z\xc3\xbcrich|x|", "ae350324f1beb3c8efa2063ec2a431fa"},
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

TEST(Cipher, AppliedTwiceGivesBackTheTextAndLineBreaksStayWhereTheyAre)
{
    QRandomGenerator random(7);
    for (int round = 0; round < 300; ++round) {
        QByteArray text(round == 0 ? 256 : int(random.bounded(300)), Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = char(round == 0 ? i : random.bounded(256)); // the first round holds every byte value
        const QByteArray once = crypt(text);
        ASSERT_EQ(crypt(once), text);
        for (qsizetype i = 0; i < text.size(); ++i)
            ASSERT_EQ(once[i] == '\r' || once[i] == '\n', text[i] == '\r' || text[i] == '\n') << round << ", " << i;
    }
}

} // namespace
