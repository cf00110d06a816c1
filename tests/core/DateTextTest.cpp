#include "db/Value.h"

#include <gtest/gtest.h>

using tkd::Value;

TEST(DateText, StoredFormsReadBackAndMalformedOnesAreInvalid)
{
    EXPECT_EQ(Value::parseDateTime(QStringLiteral("2024-02-29 23:59:58")),
              QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58)));
    EXPECT_EQ(Value::parseDateTime(QStringLiteral("2024-03-01T08:05:00")), QDateTime(QDate(2024, 3, 1), QTime(8, 5)));
    EXPECT_EQ(Value::parseDateTime(QStringLiteral(" 2024-03-01 ")), QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
    EXPECT_EQ(Value::parseDateTime(QStringLiteral("2024-03-01 08:05:00.123")),
              QDateTime(QDate(2024, 3, 1), QTime(8, 5)));
    for (const char* bad : {"2023-02-29", "2024-13-01", "2024-03-01 24:00:00", "2024/03/01", "2024-0a-01",
                            "2024-03-01 08-05-00", "20240301", ""})
        EXPECT_FALSE(Value::parseDateTime(QString::fromLatin1(bad)).isValid()) << bad;
    const QDateTime moment(QDate(2024, 12, 9), QTime(7, 3, 9));
    EXPECT_EQ(Value::parseDateTime(Value::canonicalDateTime(moment)), moment);
}
