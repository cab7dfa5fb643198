#include "FieldRules.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(FieldRules, TextsRefuseControlCharactersAndOverlongNames) {
    EXPECT_EQ(TextFieldRefusal("登陆名称", "张三"), "");
    EXPECT_EQ(TextFieldRefusal("登陆名称", "O'Neil; drop table UInfo--"), "");  // bound as a value, harmless
    for (const QString& bad :
         {QString("a\nb"), QString("a\r"), QString("\t"), QString("a") + QChar(0) + "b", QString("\x1b[31m"),
          QString("a") + QChar(0x7F), QString("a") + QChar(0x85), QString("a") + QChar(0x2028)})
        EXPECT_EQ(TextFieldRefusal("登陆名称", bad), "登陆名称不能包含换行符等控制字符");
    EXPECT_EQ(TextFieldRefusal("食谱名称", QString(16, QChar(0x83DC)), NameLength::Recipe), "");
    EXPECT_EQ(TextFieldRefusal("食谱名称", QString(17, QChar(0x83DC)), NameLength::Recipe),
              "食谱名称不能超过16个字");
    EXPECT_EQ(TextFieldRefusal("食谱名称", QString(21, QChar(0x83DC))), "");  // no limit asked for
    // A preparation has lines of its own.
    EXPECT_EQ(MultiLineFieldRefusal("制作方法", "1. 洗净\r\n2. 切块\t炒熟"), "");
    EXPECT_EQ(MultiLineFieldRefusal("制作方法", QString("洗净") + QChar(0) + "炒熟"),
              "制作方法不能包含控制字符");
}

TEST(FieldRules, NumbersAreReadOnceAndMustLieInTheirRange) {
    double v = -1;
    EXPECT_TRUE(ParseFieldNumber(" 175.5 ", HeightRange, v));
    EXPECT_EQ(v, 175.5);
    EXPECT_TRUE(ParseFieldNumber("250", HeightRange, v));
    for (const char* bad :
         {"250.01", "999", "0", "-5", "1,5", "", "abc", "1e308", "1e999", "inf", "nan", "175cm"})
        EXPECT_FALSE(ParseFieldNumber(bad, HeightRange, v)) << bad;
    EXPECT_TRUE(ParseFieldNumber("3", WeightRange, v));  // 3.0 itself is a weight
    EXPECT_FALSE(ParseFieldNumber("2.99", WeightRange, v));
    EXPECT_TRUE(ParseFieldNumber("1000", WeightRange, v));
    EXPECT_FALSE(ParseFieldNumber("1000.1", WeightRange, v));
    EXPECT_FALSE(ParseFieldNumber("70,5", WeightRange, v));  // a decimal comma is not read as 705
    EXPECT_TRUE(ParseFieldNumber("100000", AmountRange, v));
    EXPECT_FALSE(ParseFieldNumber("1,000", AmountRange, v));
    EXPECT_FALSE(ParseFieldNumber("100000.5", AmountRange, v));
    EXPECT_FALSE(ParseFieldNumber("-5", AmountRange, v));
    EXPECT_FALSE(ParseFieldNumber("0", AmountRange, v));
    EXPECT_TRUE(ParseFieldNumber("0.1", AmountRange, v));
    EXPECT_FALSE(ParseFieldNumber("0.09", AmountRange, v));  // stored with one decimal, it would be 0
    EXPECT_FALSE(ParseFieldNumber("4.9e-324", AmountRange, v));
    EXPECT_TRUE(ParseFieldNumber("100", ActivityRateRange, v));
    EXPECT_FALSE(ParseFieldNumber("100.5", ActivityRateRange, v));
    EXPECT_FALSE(ParseFieldNumber("12,34", ActivityRateRange, v));
    EXPECT_EQ(v, 100);  // a refused text leaves the value as it was
}
