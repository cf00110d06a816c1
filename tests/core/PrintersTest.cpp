#include "Printers.h"
#include "ParamNames.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace tkd;
using ::testing::PrintToString;

TEST(Printers, ShowTheProgramsValuesInFailureMessages)
{
    EXPECT_EQ(PrintToString(QStringLiteral("会员卡号")), "\"会员卡号\"");
    EXPECT_EQ(PrintToString(QStringList{QStringLiteral("a"), QStringLiteral("b")}), "{\"a\", \"b\"}");
    EXPECT_EQ(PrintToString(QDate(2024, 3, 15)), "2024-03-15");
    EXPECT_EQ(PrintToString(QDate()), "invalid date");
    EXPECT_EQ(PrintToString(QDateTime(QDate(2024, 3, 15), QTime(10, 30, 5))), "2024-03-15 10:30:05.000");
    EXPECT_EQ(PrintToString(Money::fromUnits(121250)), "12.1250");
    EXPECT_EQ(PrintToString(Money::fromUnits(-5)), "-0.0005");
    EXPECT_EQ(PrintToString(Value()), "Null");
    EXPECT_EQ(PrintToString(Value(QStringLiteral("月卡"))), "Text \"月卡\"");
    EXPECT_EQ(PrintToString(Value(qint64(5))), "Integer 5");
    EXPECT_EQ(PrintToString(Value(true)), "YesNo true");
    EXPECT_EQ(PrintToString(Value(Money::fromYuan(12))), "Money 12.0000");
    EXPECT_EQ(PrintToString(Value(QDate(2024, 3, 15))), "DateTime 2024-03-15 00:00:00.000");
}

TEST(Printers, AFailedComparisonNamesBothValues)
{
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(Money::fromUnits(121250), Money::fromUnits(121200)), "12.1200");
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(QDate(2024, 3, 15), QDate(2024, 3, 16)), "2024-03-16");
}

TEST(ParamNames, KeepLettersAndDigitsAndReadTheRest)
{
    EXPECT_EQ(test::nameFrom("12.125 to 12.12"), "12_125_to_12_12");
    EXPECT_EQ(test::nameFrom("-12.135"), "minus12_135");
    EXPECT_EQ(test::nameFrom("[会员卡号] like '*00*'"), "like_00");
    EXPECT_EQ(test::nameFrom("13800000000\n\n1380000000a"), "13800000000_1380000000a");
    EXPECT_EQ(test::nameFrom(""), "empty");
    EXPECT_EQ(test::nameFrom(3, "会员"), "c3_empty");
}
