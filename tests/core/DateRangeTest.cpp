#include "db/DateRange.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

using namespace tkd;
using tkd::test::s;

TEST(DayRange, RunsFromTheFirstDaysMidnightToTheLastDaysLastSecond)
{
    const DayRange march = dayRange(QDate(2024, 3, 1), QDate(2024, 3, 31));
    EXPECT_EQ(march.first, QDateTime(QDate(2024, 3, 1), QTime(0, 0, 0)));
    EXPECT_EQ(march.last, QDateTime(QDate(2024, 3, 31), QTime(23, 59, 59)));
    const DayRange leapDay = dayRange(QDate(2024, 2, 29));
    EXPECT_EQ(leapDay.first.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), QStringLiteral("2024-02-29 00:00:00"));
    EXPECT_EQ(leapDay.last.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), QStringLiteral("2024-02-29 23:59:59"));
}

TEST(DayRange, ADatedQueryKeepsBothWholeEndDays)
{
    test::TestDatabase db;
    const QList<QDateTime> written{
        QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)), QDateTime(QDate(2024, 3, 1), QTime(0, 0, 0)),
        QDateTime(QDate(2024, 3, 31), QTime(23, 59, 59)), QDateTime(QDate(2024, 4, 1), QTime(0, 0, 0))};
    for (int i = 0; i < written.size(); ++i)
        db.dm().change(QStringLiteral("insert into [衣柜出租] ([衣柜编号],[登记日期],[出租状态]) values(:b,:d,'租用')"),
                       {{QStringLiteral("b"), QStringLiteral("L%1").arg(i)}, {QStringLiteral("d"), written.at(i)}});
    const DayRange march = dayRange(QDate(2024, 3, 1), QDate(2024, 3, 31));
    const ResultSet rentals = db.dm().open(
        QStringLiteral("ADOQ_ygcz"), {{QStringLiteral("time1"), march.first}, {QStringLiteral("time2"), march.last}});
    EXPECT_EQ(rentals.texts(s(u"衣柜编号")), (QStringList{QStringLiteral("L1"), QStringLiteral("L2")}));
    EXPECT_TRUE(db.dm()
                    .open(QStringLiteral("ADOQ_ygcz"), {{QStringLiteral("time1"), dayRange(QDate(2024, 3, 5)).first},
                                                        {QStringLiteral("time2"), dayRange(QDate(2024, 3, 4)).last}})
                    .isEmpty())
        << "a last day before the first holds nothing";
}
