#include "TestDatabase.h"
#include "demo/DemoHall.h"

#include <gtest/gtest.h>

using namespace tkd;
using tkd::test::s;

namespace {

// The benchmark's kind of coaching and lockers, scaled down: 60 packages and about 400 lessons for
// 400 members, 120 lockers with 30 returns and 12 rentals for the day.
demo::HallSize coachingLockerHall()
{
    demo::HallSize size;
    size.members = 400;
    size.visitsPerMember = 5;
    size.busiestVisits = 40;
    size.busyMembers = 5;
    size.packages = 60;
    size.lessons = 400;
    size.lockers = 120;
    size.lockerReturns = 30;
    size.temporaryRentals = 12;
    return size;
}

class DemoCoachingLockersTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_db = new test::TestDatabase;
        demo::generate(s_db->dm(), coachingLockerHall(), test::fixedMoment().date());
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }
    TvelunDMForm& dm() { return s_db->dm(); }
    qint64 count(const QString& statement, const Params& params = {})
    {
        return dm().db().scalar(statement, params).toInt();
    }
    static Params today() { return {{QStringLiteral("today"), test::fixedMoment().date()}}; }

    static test::TestDatabase* s_db;
};

test::TestDatabase* DemoCoachingLockersTest::s_db = nullptr;

} // namespace

TEST_F(DemoCoachingLockersTest, PackagesAndLessonsComeInTheAskedNumbers)
{
    // 5 busy members hold 15 packages with 150 lessons; the other 45 packages carry about 10 lessons each.
    const qint64 packages = count(s(u"select count(*) from [购买私教]"));
    EXPECT_GE(packages, 45);
    EXPECT_LE(packages, 75);
    const qint64 lessons = count(s(u"select count(*) from [私教消费]"));
    EXPECT_GE(lessons, 300);
    EXPECT_LE(lessons, 550);
    const qint64 gifts = count(s(u"select count(*) from [购买私教] where [状态]='赠送'"));
    EXPECT_GE(gifts, 3) << "about a fifth of the 45 packages of members who are not busy are given";
    EXPECT_LE(gifts, 18);
    EXPECT_EQ(count(s(u"select count(*) from [购买私教] where [状态]='赠送' and ([单价]<>0 or [总金额]<>0)")), 0)
        << "a gift costs nothing";
    EXPECT_GE(count(s(u"select count(*) from [购买私教] where [有效日期]<:today"), today()), 1) << "some expired";
    EXPECT_GE(count(s(u"select count(*) from [购买私教] where [剩余数量]=0")), 1) << "some used up";
}

TEST_F(DemoCoachingLockersTest, EachPackageHoldsWhatItsLessonsLeft)
{
    // A member's packages of one coach and item, against the lessons booked on them.
    EXPECT_EQ(
        count(s(u"select count(*) from (select [会员卡号],[教练姓名],[项目名称],sum([数量]-[剩余数量]) used from "
                u"[购买私教] group by 1,2,3) p where p.used<>(select coalesce(sum([消费数量]),0) from [私教消费] c "
                u"where c.[会员卡号]=p.[会员卡号] and c.[教练]=p.[教练姓名] and c.[项目名称]=p.[项目名称])")),
        0);
    EXPECT_EQ(count(s(u"select count(*) from [私教消费] c where not exists (select 1 from [购买私教] p where "
                      u"p.[会员卡号]=c.[会员卡号] and p.[项目名称]=c.[项目名称] and p.[购买日期]<c.[消费日期] and "
                      u"(p.[有效日期] is null or p.[有效日期]>=c.[消费日期]))")),
              0)
        << "a lesson falls after its package was bought and before it ended";
    EXPECT_EQ(
        count(s(u"select count(*) from [私教消费] where [消费日期]>:today or [消费日期]<date(:today,'-365 days')"),
              today()),
        0)
        << "lessons lie in the past year";
}

TEST_F(DemoCoachingLockersTest, BusyMembersHoldThreePackagesWithThirtyLessons)
{
    const QStringList busy = dm().list(s(u"select [会员卡号] from [会员信息] where [刷卡次数]>=40 order by 1"))
                                 .texts(QStringLiteral("会员卡号"));
    ASSERT_EQ(busy.size(), 5);
    for (const QString& card : busy) {
        const Params member{{QStringLiteral("hykh"), card}};
        EXPECT_EQ(
            count(s(u"select count(*) from [购买私教] where [会员卡号]=:hykh and [剩余数量]=10 and [数量]=20"), member),
            3)
            << card.toStdString();
        EXPECT_EQ(count(s(u"select coalesce(sum([消费数量]),0) from [私教消费] where [会员卡号]=:hykh"), member), 30)
            << card.toStdString();
    }
}

TEST_F(DemoCoachingLockersTest, LockersWereRentedRenewedAndReturned)
{
    EXPECT_EQ(count(s(u"select count(*) from [衣柜设置]")), 120);
    // Every return pays back the deposit taken, 100 yuan, and leaves no dates.
    EXPECT_EQ(count(s(u"select count(*) from [衣柜出租] where [出租状态]='退柜'")), 30 + 12);
    EXPECT_EQ(count(s(u"select count(*) from [衣柜出租] where [出租状态]='退柜' and ([押金]<>-100 or [租金]<>0 or "
                      u"[起始日期] is not null or [截止日期] is not null)")),
              0);
    EXPECT_EQ(count(s(u"select count(*) from [衣柜出租] where [出租状态]='租用' and [起始日期]=[截止日期]")), 12)
        << "rentals for the day";
    // A returned locker is free again unless rented anew, and its last renter holds no locker.
    EXPECT_EQ(count(s(u"select count(*) from [衣柜设置] s where [状态]<>'可用' and [状态]<>'损坏' and not exists "
                      u"(select 1 from [衣柜出租] r where r.[编号]=s.[出租编号] and r.[出租状态]='租用')")),
              0);
    EXPECT_EQ(count(s(u"select count(*) from [会员信息] m where [衣柜编号]<>'' and not exists (select 1 from "
                      u"[衣柜设置] s where s.[衣柜编号]=m.[衣柜编号] and s.[会员卡号]=m.[会员卡号] and "
                      u"s.[状态]='已租')")),
              0)
        << "a member's locker is rented to that member";
    // About 80 current rentals of up to a year: a day's records are a handful, not a quarter of them.
    EXPECT_LE(count(s(u"select count(*) from [衣柜出租] where [登记日期]>=:today"), today()), 2);
    // A renewal moved the end of a third of the current rentals: the record follows the locker.
    EXPECT_EQ(count(s(u"select count(*) from [衣柜设置] s join [衣柜出租] r on r.[编号]=s.[出租编号] where "
                      u"s.[状态]='已租' and date(r.[截止日期])<>date(s.[到期日期])")),
              0);
}

TEST_F(DemoCoachingLockersTest, RowsLieInTheFileInTimeOrder)
{
    const std::pair<const char16_t*, const char16_t*> dated[] = {
        {u"购买私教", u"购买日期"}, {u"私教消费", u"消费日期"}, {u"衣柜出租", u"登记日期"}};
    for (const auto& [table, column] : dated)
        EXPECT_EQ(count(QStringLiteral("select count(*) from [%1] a join [%1] b on b.rowid=a.rowid+1 where "
                                       "b.[%2]<a.[%2]")
                            .arg(s(table), s(column))),
                  0)
            << s(table).toStdString();
}
