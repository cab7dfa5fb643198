#include "FoodTable.h"
#include "GBKText.h"
#include "GetPY.h"

#include <gtest/gtest.h>

TEST(GBKText, ConvertsBothWaysAndKeepsWhatGBKLacks) {
    EXPECT_EQ(ToGBK(QStringLiteral("小麦a1")), QByteArray("\xD0\xA1\xC2\xF3" "a1"));
    EXPECT_EQ(FromGBK(QByteArray("\xD0\xA1\xC2\xF3")), QStringLiteral("小麦"));
    const QString beyond = QStringLiteral("密码😀€");
    EXPECT_EQ(FromGBK(ToGBK(beyond)), beyond);
    EXPECT_EQ(FromGBK(QByteArray("a\xFF")), QStringLiteral("a\uFFFD"));
    EXPECT_EQ(GBKCodeOf(u'小'), 0xD0A1);
    EXPECT_EQ(GBKCodeOf(u'A'), 'A');
    EXPECT_EQ(GBKCodeOf(u'\u0E01'), 0);  // Thai: not in GBK
}

TEST(GBKText, TheEuroSignIsCodePage936sByte0x80BothWays) {
    EXPECT_EQ(ToGBK(QStringLiteral("€")), QByteArray("\x80"));
    EXPECT_EQ(ToGBK(QStringLiteral("价€5元")), QByteArray("\xBC\xDB\x80"
                                                          "5\xD4\xAA"));
    EXPECT_EQ(FromGBK(QByteArray("\x80")), QStringLiteral("€"));
    EXPECT_EQ(FromGBK(QByteArray("a\x80\xBC\xDB\x80")), QStringLiteral("a€价€"));
    // As the trail byte of a two-byte character 0x80 is no euro sign.
    EXPECT_EQ(FromGBK(QByteArray("\x81\x80")), QString(QChar(0x4E90)));
    EXPECT_EQ(GBKCodeOf(u'€'), 0x80);
    // A one-byte character passes through the initials unchanged.
    EXPECT_EQ(GetPYInitials(QStringLiteral("€5小麦")), QStringLiteral("€5XM"));
}

TEST(PinyinInitials, NamesOfFoods) {
    EXPECT_EQ(GetPYInitials(QStringLiteral("小麦")), QStringLiteral("XM"));
    EXPECT_EQ(GetPYInitials(QStringLiteral("五谷香")), QStringLiteral("WGX"));
    EXPECT_EQ(GetPYInitials(QStringLiteral("小2麦")), QStringLiteral("X2M"));
    EXPECT_EQ(GetPYInitials(QStringLiteral("Cola-可乐 (500ml)")), QStringLiteral("Cola-KL (500ml)"));
    // Level-2 characters come from the letter table: 谙 (an), 荞麦 (qiao mai).
    EXPECT_EQ(GetPYInitials(QStringLiteral("谙荞麦")), QStringLiteral("AQM"));
}

TEST(PinyinInitials, CharactersWithoutALetterGiveTheDefault) {
    // Full-width punctuation lies outside every range and the table.
    EXPECT_EQ(GetPYInitials(QStringLiteral("小麦粉（标准）")), QStringLiteral("XMFBZ"));
    EXPECT_EQ(GetPYInitials(QStringLiteral("小，麦"), QStringLiteral("?")), QStringLiteral("X?M"));
    // Characters GBK lacks, a whole surrogate pair counting as one.
    EXPECT_EQ(GetPYInitials(QStringLiteral("麦😀\u0E01"), QStringLiteral("_")), QStringLiteral("M__"));
    EXPECT_EQ(GetPYInitials(QString()), QString());
}

TEST(PinyinInitials, ByteLevelLookups) {
    EXPECT_EQ(GetPYCharByRange(QByteArray("\xB0\xA1")), "A");  // 啊, first of level 1
    EXPECT_EQ(GetPYCharByRange(QByteArray("\xD7\xF9")), "Z");  // last of level 1
    EXPECT_EQ(GetPYCharByRange(QByteArray("\xDA\xCF")), "");   // 谙, level 2
    EXPECT_EQ(GetPYCharByTable(QByteArray("\xDA\xCF")), "A");
    EXPECT_EQ(GetPYChar(QByteArray("\xDA\xCF"), "?"), "A");
    EXPECT_EQ(GetPYChar(QByteArray("\xA3\xAC"), "?"), "?");  // full-width comma
    // A GBK extension character whose code falls inside the B range is not a level-1 character:
    // 盄 (B140) reads zhao.
    EXPECT_EQ(GetPYCharByRange(QByteArray("\xB1\x40")), "");
    EXPECT_EQ(GetPYChar(QByteArray("\xB1\x40"), ""), "Z");
}

TEST(PinyinInitials, ByteWalkOverGBKText) {
    EXPECT_EQ(GetPYInitialsGBK(QByteArray("\xD0\xA1" "2" "\xC2\xF3")), "X2M");
    EXPECT_EQ(GetPYInitialsGBK(QByteArray("ab\xA3\xAC" "c"), "*"), "ab*c");
    // A lead byte at the very end is read with a trail byte of 0: no letter.
    EXPECT_EQ(GetPYInitialsGBK(QByteArray("x\xD0"), "*"), "x*");
    // 0x80 is a one-byte character.
    EXPECT_EQ(GetPYInitialsGBK(QByteArray("\x80")), QByteArray("\x80"));
}

TEST(PinyinInitials, EveryDeliveredFoodNameBecomesPlainLatinText) {
    LoadFoodTables();
    for (int i = 0; i <= FoodMaxIndex; ++i) {
        const TFdRcd& food = FoodTable[i];
        for (QChar c : food.PY) ASSERT_LT(c.unicode(), 0x80) << food.Name.toStdString();
        if (food.ID) {
            ASSERT_FALSE(food.PY.isEmpty()) << food.Name.toStdString();
        }
    }
}

// The published range table: each initial's first and last code (lead x 256 + trail). Both ends give
// the letter, by the range look-up and by the look-up the initials use; the codes just outside give
// the neighbouring letter, or none before A and after Z.
TEST(PinyinInitials, EveryLetterRangeAtItsFirstAndLastCode) {
    const struct {
        char Letter;
        int First, Last;
    } ranges[] = {
        {'A', 45217, 45252}, {'B', 45253, 45760}, {'C', 45761, 46317}, {'D', 46318, 46825},
        {'E', 46826, 47009}, {'F', 47010, 47296}, {'G', 47297, 47613}, {'H', 47614, 48118},
        {'J', 48119, 49061}, {'K', 49062, 49323}, {'L', 49324, 49895}, {'M', 49896, 50370},
        {'N', 50371, 50613}, {'O', 50614, 50621}, {'P', 50622, 50905}, {'Q', 50906, 51386},
        {'R', 51387, 51445}, {'S', 51446, 52217}, {'T', 52218, 52697}, {'W', 52698, 52979},
        {'X', 52980, 53688}, {'Y', 53689, 54480}, {'Z', 54481, 55289},
    };
    auto bytes = [](int code) { return QByteArray(1, char(code >> 8)) + char(code & 0xFF); };
    const int count = int(std::size(ranges));
    for (int i = 0; i < count; ++i) {
        const QByteArray letter(1, ranges[i].Letter);
        for (const int code : {ranges[i].First, ranges[i].Last}) {
            EXPECT_EQ(GetPYCharByRange(bytes(code)), letter) << code;
            EXPECT_EQ(GetPYChar(bytes(code), "?"), letter) << code;
        }
        const QByteArray before = i > 0 ? QByteArray(1, ranges[i - 1].Letter) : QByteArray();
        const QByteArray after = i + 1 < count ? QByteArray(1, ranges[i + 1].Letter) : QByteArray();
        EXPECT_EQ(GetPYCharByRange(bytes(ranges[i].First - 1)), before) << ranges[i].First - 1;
        EXPECT_EQ(GetPYCharByRange(bytes(ranges[i].Last + 1)), after) << ranges[i].Last + 1;
    }
    // The first and last characters of the table as a name: 啊 (B0A1) and 座 (D7F9).
    EXPECT_EQ(GetPYInitials(QStringLiteral("啊座")), QStringLiteral("AZ"));
}
