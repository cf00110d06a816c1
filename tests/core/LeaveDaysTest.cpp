#include "members/LeaveDays.h"
#include "TestDatabase.h"
#include "frontdesk/CheckIn.h"
#include "frontdesk/MemberLookup.h"

#include <gtest/gtest.h>

using namespace tkd;
using test::s;

namespace {

TEST(LeaveDays, CountFromTheFirstDayWithoutTheLast)
{
    EXPECT_EQ(members::leaveDays(QDate(2024, 3, 1), QDate(2024, 3, 31)), 30);
    EXPECT_EQ(members::leaveDays(QDate(2024, 3, 5), QDate(2024, 3, 5)), 0);
    EXPECT_EQ(members::leaveDays(QDate(2024, 2, 28), QDate(2024, 3, 1)), 2) << "29 February counts";
    EXPECT_EQ(members::leaveDays(QDate(2023, 12, 31), QDate(2024, 1, 1)), 1);
    EXPECT_EQ(members::leaveDays(QDate(2024, 3, 6), QDate(2024, 3, 5)), -1);
}

struct DayCase {
    const char* name;
    QDate day;
    bool onLeave;
};

// One leave, 1 to 31 March, stored the way another writer might leave it: its first day late in the
// morning, its last day early. The rule takes whole days, both ends in; the warning line, the check-in
// and the leave windows all ask it.
class OnLeaveOnDay : public ::testing::TestWithParam<DayCase> {
protected:
    void SetUp() override
    {
        dm().change(s(u"insert into [会员信息] ([会员卡号],[会员姓名],[会员状态],[开卡日期],[到期日期],[会员生日]) "
                      u"values('1001','张小龙','可用','2024-01-01','2024-12-31','00-00')"));
        dm().change(s(u"insert into [会员请假] ([会员卡号],[开始日期],[结束日期],[请假天数]) values('1001',:a,:b,30)"),
                    {{QStringLiteral("a"), QDateTime(QDate(2024, 3, 1), QTime(10, 0))},
                     {QStringLiteral("b"), QDateTime(QDate(2024, 3, 31), QTime(8, 0))}});
    }
    TvelunDMForm& dm() { return t.dm(); }
    test::TestDatabase t;
};

TEST_P(OnLeaveOnDay, TheDeskTheCheckInAndTheLeaveAgree)
{
    const DayCase& c = GetParam();
    const auto covering = members::leaveCovering(dm(), QStringLiteral("1001"), c.day);
    EXPECT_EQ(bool(covering), c.onLeave);
    EXPECT_EQ(members::onLeave(QDate(2024, 3, 1), QDate(2024, 3, 31), c.day), c.onLeave);
    if (covering) {
        EXPECT_EQ(covering->first, QDate(2024, 3, 1));
        EXPECT_EQ(covering->second, QDate(2024, 3, 31));
    }

    const auto view = frontdesk::lookUp(dm(), QStringLiteral("1001"), c.day);
    ASSERT_TRUE(view);
    const QString fragment = s(u"该会员今天请假，请假日期为2024-03-01 至 2024-03-31。");
    EXPECT_EQ(view->warning.contains(fragment), c.onLeave) << view->warning.toStdString();

    const auto member = frontdesk::readMember(dm(), QStringLiteral("1001"));
    ASSERT_TRUE(member);
    // Late in the day as early: the time of the check-in does not matter.
    for (const QTime& at : {QTime(0, 0), QTime(23, 59, 59)}) {
        const MaybeRefusal refusal = frontdesk::eligibility(dm(), *member, QDateTime(c.day, at));
        EXPECT_EQ(refusal ? refusal->message : QString(), c.onLeave ? s(u"该会员今天请假，不能登记！") : QString())
            << at.toString().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Days, OnLeaveOnDay,
                         ::testing::Values(DayCase{"DayBefore", QDate(2024, 2, 29), false},
                                           DayCase{"FirstDay", QDate(2024, 3, 1), true},
                                           DayCase{"Middle", QDate(2024, 3, 15), true},
                                           DayCase{"LastDay", QDate(2024, 3, 31), true},
                                           DayCase{"DayAfter", QDate(2024, 4, 1), false}),
                         [](const ::testing::TestParamInfo<DayCase>& info) { return std::string(info.param.name); });

TEST(LeaveDays, TheFirstLeaveInTheTableNamesTheDayTwoLeavesShare)
{
    test::TestDatabase t;
    t.dm().change(
        s(u"insert into [会员请假] ([会员卡号],[开始日期],[结束日期]) values ('1001','2024-03-01','2024-03-10'),"
          u"('1001','2024-03-10','2024-03-20'),('1002','2024-03-01','2024-03-31')"));
    const auto shared = members::leaveCovering(t.dm(), QStringLiteral("1001"), QDate(2024, 3, 10));
    ASSERT_TRUE(shared);
    EXPECT_EQ(shared->second, QDate(2024, 3, 10));
    const auto second = members::leaveCovering(t.dm(), QStringLiteral("1001"), QDate(2024, 3, 11));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->first, QDate(2024, 3, 10));
    EXPECT_FALSE(members::leaveCovering(t.dm(), QStringLiteral("1001"), QDate(2024, 3, 21)))
        << "another member's leave is not this one's";
}

} // namespace
