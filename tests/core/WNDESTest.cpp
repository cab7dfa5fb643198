#include "SysUtils.h"
#include "WNDES.h"

#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

}  // namespace

TEST(DesCipher, StandardSingleBlockVectors) {
    struct {
        const char *Key, *Plain, *Cipher;
    } vectors[] = {
        {"133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405"},
        {"0123456789ABCDEF", "4E6F772069732074", "3FA40E8A984D4815"},  // "Now is t"
        {"0101010101010101", "95F8A5E5DD31D900", "8000000000000000"},  // variable plain text
        {"0101010101010101", "0000000000000001", "166B40B44ABA4BD6"},
        {"8001010101010101", "0000000000000000", "95A8D72813DAA94D"},  // variable key
        {"7CA110454A1A6E57", "01A1D6D039776742", "690F5B0D9A26939B"},  // S-box tests
        {"0131D9619DC1376E", "5CD54CA83DEF57DA", "7A389D10354BD271"},
    };
    for (const auto& v : vectors) {
        const quint64 plain = Hex(v.Plain).toHex().toULongLong(nullptr, 16);
        const quint64 cipher = QByteArray(v.Cipher).toULongLong(nullptr, 16);
        EXPECT_EQ(DesCryptBlock(plain, Hex(v.Key), false), cipher) << v.Key;
        EXPECT_EQ(DesCryptBlock(cipher, Hex(v.Key), true), plain) << v.Key;
        // The string form gives the same block; a plain block ending in zero bytes comes back without them.
        QByteArray text = Hex(v.Plain);
        while (!text.isEmpty() && text.back() == '\0') text.chop(1);
        if (text.isEmpty()) continue;
        EXPECT_EQ(DesEncryptString(text, Hex(v.Key)).toHex().toUpper(), QByteArray(v.Cipher)) << v.Key;
        EXPECT_EQ(DesDecryptString(Hex(v.Cipher), Hex(v.Key)), text) << v.Key;
    }
}

TEST(DesCipher, FillsKeyAndTextWithZeroBytes) {
    // "abc" under "mxqal" is the block "abc\0\0\0\0\0" under "mxqal\0\0\0".
    const QByteArray key("mxqal\0\0\0", 8);
    const quint64 block = DesCryptBlock(0x6162630000000000ULL, key, false);
    EXPECT_EQ(DesEncryptString("abc", "mxqal").toHex().toULongLong(nullptr, 16), block);
    EXPECT_EQ(DesEncryptString("abc", "mxqal"), DesEncryptString("abc", key));
    // Only the first 8 key bytes count.
    EXPECT_EQ(DesEncryptString("abc", "12345678"), DesEncryptString("abc", "123456789"));
    EXPECT_TRUE(DesEncryptString("", "mxqal").isEmpty());
    // Bytes beyond the last whole block are ignored when deciphering.
    const QByteArray c = DesEncryptString("password", "mxqal");
    EXPECT_EQ(DesDecryptString(c + "xyz", "mxqal"), "password");
}

TEST(DesCipher, HexFormOfPasswords) {
    EXPECT_EQ(DesEncryptToHex(QString(), PasswordKey), QString());
    EXPECT_EQ(DesDecryptFromHex(QString(), PasswordKey), QString());
    EXPECT_EQ(DesEncryptToHex(QStringLiteral("1"), PasswordKey).size(), 16);
    EXPECT_EQ(DesEncryptToHex(QStringLiteral("12345678"), PasswordKey).size(), 16);
    EXPECT_EQ(DesEncryptToHex(QStringLiteral("123456789"), PasswordKey).size(), 32);
    EXPECT_EQ(DesEncryptToHex(QStringLiteral("1234567890abcdef"), PasswordKey).size(), 32);
    // Chinese text counts in GBK bytes: four characters are eight bytes.
    EXPECT_EQ(DesEncryptToHex(QStringLiteral("我的密码"), PasswordKey).size(), 16);

    for (const QString& pwd : {QStringLiteral("a"), QStringLiteral("Secret-2024"), QStringLiteral("我的密码x"),
                               QStringLiteral("exactly8"), QStringLiteral("p@ss word😀")}) {
        const QString hex = DesEncryptToHex(pwd, PasswordKey);
        EXPECT_EQ(hex, hex.toUpper());
        EXPECT_EQ(DesDecryptFromHex(hex, PasswordKey), pwd);
        EXPECT_EQ(DesDecryptFromHex(hex.toLower(), PasswordKey), pwd);
        // An odd last character is ignored.
        EXPECT_EQ(DesDecryptFromHex(hex + QLatin1Char('F'), PasswordKey), pwd);
    }
}

TEST(DesCipher, Failures) {
    try {
        DesEncryptString(QByteArray("ab\0", 3), "mxqal");
        FAIL() << "a text ending in a zero byte was enciphered";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Error: the last char is NULL char."));
    }
    try {
        DesDecryptFromHex(QStringLiteral("0G"), PasswordKey);
        FAIL() << "a bad hex digit was accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Error: not a Hex String"));
    }
    // Where a stored password is read, a bad cipher text is the empty password.
    EXPECT_EQ(DesDecryptFromHexOrEmpty(QStringLiteral("zz00112233445566"), PasswordKey), QString());
    const QString hex = DesEncryptToHex(QStringLiteral("abc"), PasswordKey);
    EXPECT_EQ(DesDecryptFromHexOrEmpty(hex, PasswordKey), QStringLiteral("abc"));
}

TEST(DesCipher, HexStrToInt) {
    EXPECT_EQ(HexStrToInt(QString()), 0);
    EXPECT_EQ(HexStrToInt(QStringLiteral("ff")), 255);
    EXPECT_EQ(HexStrToInt(QStringLiteral("1A")), 26);
    EXPECT_EQ(HexStrToInt(QStringLiteral("00")), 0);
    EXPECT_THROW(HexStrToInt(QStringLiteral(" 1")), Exception);
}
