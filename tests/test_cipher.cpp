#include "core/CryptString.h"
#include "core/Talmor32.h"

#include <QRandomGenerator>
#include <QSet>

#include <gtest/gtest.h>

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

} // namespace

TEST(Cipher, AppliedTwiceGivesBackEveryByteString)
{
    QRandomGenerator random(7);
    for (int round = 0; round < 500; ++round) {
        QByteArray text(int(random.bounded(300)), Qt::Uninitialized);
        for (char& c : text)
            c = char(random.bounded(256));
        const QByteArray once = Talmor32::DxXCrypted(text, kFileKey, 0);
        EXPECT_EQ(once.size(), text.size());
        EXPECT_EQ(Talmor32::DxXCrypted(once, kFileKey, 0), text);
    }
    QByteArray allBytes;
    for (int b = 0; b < 256; ++b)
        allBytes.append(char(b));
    EXPECT_EQ(Talmor32::DxXCrypted(Talmor32::DxXCrypted(allBytes, kFileKey, 0), kFileKey, 0), allBytes);
}

TEST(Cipher, LineWithoutBreaksStaysOneLine)
{
    QRandomGenerator random(11);
    for (int round = 0; round < 500; ++round) {
        QByteArray text(int(random.bounded(1, 200)), Qt::Uninitialized);
        for (char& c : text) {
            do
                c = char(random.bounded(256));
            while (c == '\r' || c == '\n');
        }
        const QByteArray out = Talmor32::DxXCrypted(text, kFileKey, 0);
        EXPECT_FALSE(out.contains('\r'));
        EXPECT_FALSE(out.contains('\n'));
    }
}

TEST(Cipher, DeterministicPerLineAndDependsOnPositionAndKey)
{
    const QByteArray line = QByteArrayLiteral("Bank|secret|me");
    EXPECT_EQ(CryptLine(line), CryptLine(line));
    // The same byte at different positions enciphers differently: no simple substitution.
    const QByteArray same(64, 'a');
    const QByteArray out = CryptLine(same);
    EXPECT_GT(QSet<char>(out.begin(), out.end()).size(), 30);
    EXPECT_NE(Talmor32::DxXCrypted(line, QByteArrayLiteral("Other Key"), 0), CryptLine(line));
    EXPECT_NE(CryptLine(line), line);
}

// The file format depends on these exact outputs: if one changes, every user's file becomes unreadable.
TEST(Cipher, KnownAnswers)
{
    EXPECT_EQ(CryptLine(QByteArray()), QByteArray());
    EXPECT_EQ(CryptLine(QByteArrayLiteral("Password Corvalen|secret2| ")).toHex(), QByteArray("a135f674256f9b298dd1002fb4bf3d13def72f8d9d38b737d7295e"));
    EXPECT_EQ(CryptLine(QByteArrayLiteral("Bank|pa55word|jsmith")).toHex(), QByteArray("af35fb7c206eac58789d002fc6a43f03df0b2e8a"));
    EXPECT_EQ(CryptLine(QByteArrayLiteral("Caf\xc3\xa9 Z\xc3\xbcrich|x|")).toHex(), QByteArray("ae350324f1beb3c8efa2063ec2a431fa"));
    EXPECT_EQ(Talmor32::DxXCrypted(hex("000a0d0bff7c"), kFileKey, 0).toHex(), QByteArray("ef0a0ddb9b62"));
}

TEST(Cipher, CryptStringIsTheOneCallBothWays)
{
    QByteArray text = QByteArrayLiteral("Mail|hunter2|bob@example.org");
    QByteArray key = kFileKey;
    QByteArray enciphered;
    CryptString(text, enciphered, key);
    QByteArray copy = enciphered;
    QByteArray plain;
    CryptString(copy, plain, key);
    EXPECT_EQ(plain, text);
    EXPECT_EQ(key, kFileKey);
}

TEST(Cipher, Export330StripsNulPadding)
{
    QByteArray buffer("/home/me/.local/share");
    buffer.append(255 - buffer.size(), '\0');
    EXPECT_EQ(Talmor32::Export330(buffer), QByteArray("/home/me/.local/share"));
    EXPECT_EQ(Talmor32::Export330(QByteArray("no padding")), QByteArray("no padding"));
    EXPECT_EQ(Talmor32::Export330(QByteArray(255, '\0')), QByteArray());
}
