#include "db/Value.h"

#include <gtest/gtest.h>

using tkd::Value;

TEST(Value, DateTimeHasOneCanonicalStoredForm)
{
    const QDateTime moment(QDate(2024, 3, 7), QTime(9, 5, 3));
    EXPECT_EQ(Value::canonicalDateTime(moment), QStringLiteral("2024-03-07 09:05:03"));
    EXPECT_EQ(Value::parseDateTime(QStringLiteral("2024-03-07 09:05:03")), moment);
    EXPECT_EQ(Value::parseDateTime(QStringLiteral("2024-03-07")), QDateTime(QDate(2024, 3, 7), QTime(0, 0)));
    EXPECT_FALSE(Value::parseDateTime(QStringLiteral("2024-02-30")).isValid());
    EXPECT_FALSE(Value::parseDateTime(QStringLiteral("07.03.2024")).isValid());
}

TEST(Value, TextShowsDatesWithoutMidnight)
{
    EXPECT_EQ(Value(QDate(2024, 3, 7)).toText(), QStringLiteral("2024-03-07"));
    EXPECT_EQ(Value(QDateTime(QDate(2024, 3, 7), QTime(23, 59, 59))).toText(), QStringLiteral("2024-03-07 23:59:59"));
    EXPECT_TRUE(Value(QDate()).isNull()) << "an invalid date is Null, never a bogus text";
    EXPECT_EQ(Value().toText(), QString());
}

TEST(Value, YesNoIsAnyNonZero)
{
    EXPECT_TRUE(Value(qint64(-1)).toBool());
    EXPECT_TRUE(Value(qint64(1)).toBool());
    EXPECT_FALSE(Value(qint64(0)).toBool());
    EXPECT_FALSE(Value().toBool());
    EXPECT_EQ(Value(true).toInt(), -1);
}
