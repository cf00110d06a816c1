#include "lockers/LockerQueries.h"
#include "LockerHall.h"
#include "TestDatabase.h"
#include "lockers/LockerChoice.h"

#include <gtest/gtest.h>

using namespace tkd;
using test::s;

namespace {

class LockerQueries : public ::testing::Test {
protected:
    TvelunDMForm& dm() { return t.dm(); }
    void record(const QString& number, const QString& kind, const QDateTime& at, int rent, int deposit)
    {
        dm().change(s(u"insert into [衣柜出租] ([会员卡号],[衣柜编号],[登记日期],[出租状态],[租金],[押金]) "
                      u"values('1001',:ygbh,:djrq,:czzt,:zj,:yj)"),
                    {{QStringLiteral("ygbh"), number},
                     {QStringLiteral("djrq"), at},
                     {QStringLiteral("czzt"), kind},
                     {QStringLiteral("zj"), Money::fromYuan(rent)},
                     {QStringLiteral("yj"), Money::fromYuan(deposit)}});
    }
    test::TestDatabase t;
};

TEST_F(LockerQueries, TypedNumbersMatchLiterallyWithTheChosenState)
{
    const QStringList numbers{QStringLiteral("A'1"), QStringLiteral("A*1"), QStringLiteral("A%1"),
                              QStringLiteral("A[1"), QStringLiteral("A_1"), QStringLiteral("AB1")};
    for (const QString& n : numbers)
        test::addLocker(dm(), n, 10, n == QStringLiteral("AB1") ? s(u"损坏") : s(u"可用"));
    struct Case {
        QString state;
        QString typed;
        QStringList expected;
    };
    const std::vector<Case> cases{
        {s(u"所有"), QStringLiteral("'"), {QStringLiteral("A'1")}},
        {s(u"所有"), QStringLiteral("*"), {QStringLiteral("A*1")}},
        {s(u"所有"), QStringLiteral("%"), {QStringLiteral("A%1")}},
        {s(u"所有"), QStringLiteral("["), {QStringLiteral("A[1")}},
        {s(u"所有"), QStringLiteral(" _ "), {QStringLiteral("A_1")}},
        {s(u"所有"), QStringLiteral("b"), {QStringLiteral("AB1")}},
        {s(u"所有"), QString(), numbers},
        {s(u"损坏"), QString(), {QStringLiteral("AB1")}},
        {s(u"损坏"), QStringLiteral("_"), {}},
        {s(u"已租"), QString(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.state + QLatin1Char('|') + c.typed).toStdString());
        ResultSet rows = lockers::lockerStates(dm());
        rows.setFilter(lockers::stateFilter(c.state, c.typed));
        QStringList shown = rows.texts(s(u"衣柜编号"));
        QStringList expected = c.expected;
        shown.sort();
        expected.sort();
        EXPECT_EQ(shown, expected);
    }
    // The chooser: free lockers only unless all are asked for.
    EXPECT_EQ(lockers::searchLockers(dm(), false, QStringLiteral("1")).rowCount(), 5);
    EXPECT_EQ(lockers::searchLockers(dm(), true, QStringLiteral("1")).rowCount(), 6);
    EXPECT_EQ(lockers::searchLockers(dm(), true, QStringLiteral("%")).rowCount(), 1);
}

TEST_F(LockerQueries, RecordsKeepTheRangesLastDayAndAddUpAsShown)
{
    const QDate first(2024, 3, 1);
    const QDate last(2024, 3, 15);
    record(QStringLiteral("B2"), s(u"租用"), QDateTime(first, QTime(0, 0)), 100, 50);
    record(QStringLiteral("A1"), s(u"租用"), QDateTime(last, QTime(23, 59, 59)), 60, 30);
    record(QStringLiteral("A1"), s(u"退柜"), QDateTime(last, QTime(18, 0)), 0, -30);
    record(QStringLiteral("C3"), s(u"租用"), QDateTime(last.addDays(1), QTime(0, 0)), 500, 500);
    record(QStringLiteral("C3"), s(u"租用"), QDateTime(first.addDays(-1), QTime(23, 59, 59)), 500, 500);

    ResultSet rows = lockers::rentalRecords(dm(), dayRange(first, last));
    ASSERT_EQ(rows.rowCount(), 3);
    EXPECT_EQ(rows.texts(s(u"衣柜编号")),
              (QStringList{QStringLiteral("A1"), QStringLiteral("A1"), QStringLiteral("B2")}));
    lockers::RecordTotals totals = lockers::recordTotals(rows);
    EXPECT_EQ(totals.rent, Money::fromYuan(160));
    EXPECT_EQ(totals.deposit, Money::fromYuan(50));

    rows.setFilter(lockers::recordFilter(s(u"退柜"), {}));
    totals = lockers::recordTotals(rows);
    EXPECT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(totals.rent, Money());
    EXPECT_EQ(totals.deposit, Money::fromYuan(-30));
    rows.setFilter(lockers::recordFilter(s(u"租用"), QStringLiteral("b")));
    EXPECT_EQ(rows.texts(s(u"衣柜编号")), QStringList{QStringLiteral("B2")});
    rows.setFilter(lockers::recordFilter(s(u"所有"), QStringLiteral("%")));
    EXPECT_EQ(rows.rowCount(), 0);

    EXPECT_EQ(lockers::stateChoices(), (QStringList{s(u"所有"), s(u"可用"), s(u"已租"), s(u"损坏"), s(u"占用")}));
    EXPECT_EQ(lockers::recordChoices(), (QStringList{s(u"所有"), s(u"租用"), s(u"退柜")}));
}

} // namespace
