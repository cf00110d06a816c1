#include "demo/DemoHall.h"
#include "TestDatabase.h"
#include "data/Schema.h"

#include <gtest/gtest.h>

using namespace tkd;
using tkd::test::s;

namespace {

demo::HallSize smallHall()
{
    demo::HallSize size;
    size.members = 40;
    size.visitsPerMember = 30;
    size.busiestVisits = 100;
    return size;
}

class DemoHallTest : public ::testing::Test {
protected:
    void SetUp() override { demo::generate(dm(), smallHall(), today()); }

    static QDate today() { return test::fixedMoment().date(); }
    qint64 count(const QString& statement, const Params& params = {})
    {
        return dm().db().scalar(statement, params).toInt();
    }
    qint64 rows(const QString& table) { return count(QStringLiteral("select count(*) from [%1]").arg(table)); }
    Params onToday() { return {{QStringLiteral("today"), today()}}; }
    TvelunDMForm& dm() { return m_db.dm(); }

    test::TestDatabase m_db;
};

} // namespace

TEST_F(DemoHallTest, SmallHallHasTheDocumentedCounts)
{
    EXPECT_EQ(rows(s(u"会员信息")), 40);
    EXPECT_EQ(rows(s(u"会员登记")), 40 * 30);
    EXPECT_EQ(rows(s(u"会员卡类型")), 8);
    EXPECT_EQ(rows(s(u"衣柜设置")), 40 / 4 + 4);
    EXPECT_EQ(rows(s(u"事件提醒")), 40 / 10 + 4);
    EXPECT_EQ(count(s(u"select count(*) from [员工设置] where [职务]='会籍顾问'")), 2);
    EXPECT_EQ(count(s(u"select count(*) from [员工设置] where [职务]='前台'")), 1);
    // Every member paid at least for the first card.
    EXPECT_GE(rows(s(u"会员充值")), 40);
    EXPECT_GT(rows(s(u"会员消费")), 0);
    EXPECT_GT(rows(s(u"会员请假")), 0);
}

TEST_F(DemoHallTest, CardTypesCoverEveryKind)
{
    EXPECT_EQ(count(s(u"select count(*) from [会员卡类型] where [有效次数]>0")), 2) << "two count cards";
    EXPECT_EQ(count(s(u"select count(*) from [会员卡类型] where [有效次数]=0 and [有效天数]=0")), 1)
        << "one card that never expires";
    for (int days : {30, 90, 365})
        EXPECT_GE(count(s(u"select count(*) from [会员卡类型] where [有效天数]=:d and [时间段类型]=0"),
                        {{QStringLiteral("d"), days}}),
                  1)
            << days << "-day card";
    EXPECT_EQ(count(s(u"select count(*) from [会员卡类型] where [是否有时间段]<>0 and [时间段类型]=1 and "
                      u"[时间1]='08:00' and [时间2]='10:00'")),
              1);
    EXPECT_EQ(count(s(u"select count(*) from [会员卡类型] where [是否有时间段]<>0 and [时间段类型]=2 and "
                      u"[时间3]='1010100'")),
              1);
}

TEST_F(DemoHallTest, FirstMemberHasExactlyTheBusiestVisits)
{
    EXPECT_EQ(count(s(u"select count(*) from [会员登记] where [会员卡号]='000001'")), 100);
    EXPECT_EQ(count(s(u"select count(*) from [会员信息] where length([会员卡号])<>6")), 0);
}

TEST_F(DemoHallTest, EveryMemberNamesAnExistingCardType)
{
    EXPECT_EQ(
        count(s(u"select count(*) from [会员信息] where [会员类型] not in (select [类型名称] from [会员卡类型])")), 0);
}

TEST_F(DemoHallTest, EveryRowOfAMemberTableBelongsToAMember)
{
    for (const char16_t* table : {u"会员登记", u"会员充值", u"会员消费", u"会员请假", u"事件提醒", u"金额记录"}) {
        EXPECT_EQ(count(QStringLiteral("select count(*) from [%1] where [会员卡号] not in (select [会员卡号] from "
                                       "[会员信息])")
                            .arg(s(table))),
                  0)
            << s(table).toStdString();
    }
    EXPECT_EQ(count(s(u"select count(*) from [会员信息] where [衣柜编号]<>'' and [衣柜编号] not in (select [衣柜编号] "
                      u"from [衣柜设置] where [状态]='已租' and [会员卡号]=[会员信息].[会员卡号])")),
              0)
        << "a member's locker is rented to that member";
}

TEST_F(DemoHallTest, CountersMatchTheRowsWritten)
{
    EXPECT_EQ(count(s(u"select count(*) from [会员信息] m where m.[刷卡次数]<>(select count(*) from [会员登记] v "
                      u"where v.[会员卡号]=m.[会员卡号]) or m.[完成课时]<>m.[刷卡次数]")),
              0);
    EXPECT_EQ(count(s(u"select count(*) from [会员信息] m where abs(m.[消费总额]-(select coalesce(sum([总金额]),0) "
                      u"from [会员消费] x where x.[会员卡号]=m.[会员卡号]))>0.001")),
              0);
    EXPECT_EQ(count(s(u"select count(*) from [会员信息] m where abs(m.[卡内余额]-((select coalesce(sum([充值金额]),0) "
                      u"from [会员充值] c where c.[会员卡号]=m.[会员卡号] and c.[充值说明]='会员交费')-(select "
                      u"coalesce(sum([储值卡]),0) from [金额记录] j where j.[会员卡号]=m.[会员卡号])))>0.001 or "
                      u"m.[卡内余额]<0")),
              0);
    EXPECT_EQ(count(s(u"select count(*) from [会员信息] where [有效次数]<0 or [剩余课时]<0")), 0);
}

TEST_F(DemoHallTest, VisitsFallInsideTheCardsValidity)
{
    // The first visit opens the card; none comes after expiry, during a leave or outside the card's time slot.
    EXPECT_EQ(count(s(u"select count(*) from [会员信息] m where m.[刷卡次数]>0 and substr(m.[开卡日期],1,10)<>(select "
                      u"substr(min([登记时间]),1,10) from [会员登记] v where v.[会员卡号]=m.[会员卡号])")),
              0);
    EXPECT_EQ(count(s(u"select count(*) from [会员登记] v join [会员信息] m on m.[会员卡号]=v.[会员卡号] where "
                      u"v.[登记时间]<m.[开卡日期] or v.[登记时间]>=date(:today,'+1 day') or (m.[到期日期] is not "
                      u"null and v.[登记时间]>=date(m.[到期日期],'+1 day'))"),
                    onToday()),
              0);
    EXPECT_EQ(count(s(u"select count(*) from [会员登记] where [会员类型]='早场月卡' and "
                      u"(substr([登记时间],12,5)<'08:00' or substr([登记时间],12,5)>'09:59')")),
              0);
    EXPECT_EQ(count(s(u"select count(*) from [会员登记] where [会员类型]='一三五季卡' and strftime('%w',[登记时间]) "
                      u"not in ('1','3','5')")),
              0);
}

TEST_F(DemoHallTest, EveryStateTheDeskShowsIsPresent)
{
    EXPECT_GE(count(s(u"select count(*) from [会员请假] where [开始日期]<=:today and [结束日期]>=:today"), onToday()),
              1)
        << "a member on leave today";
    EXPECT_GE(count(s(u"select count(*) from [会员信息] where [开卡日期] is null and [刷卡次数]=0")), 1)
        << "a card never opened";
    EXPECT_GE(count(s(u"select count(*) from [会员信息] where [到期日期]<:today"), onToday()), 1) << "an expired card";
    EXPECT_GE(count(s(u"select count(*) from [会员信息] where [到期日期]>=:today and [到期日期]<=date(:today,'+7 "
                      u"day')"),
                    onToday()),
              1)
        << "a card expiring within a week";
    EXPECT_GE(count(s(u"select count(*) from [会员信息] where [会员状态]='禁用'")), 1);
    EXPECT_GE(count(s(u"select count(*) from [会员信息] where [会员生日]=:md"),
                    {{QStringLiteral("md"), today().toString(QStringLiteral("MM-dd"))}}),
              1);
    EXPECT_GE(count(s(u"select count(*) from [会员信息] where [会员生日]='00-00'")), 1);
    EXPECT_GE(count(s(u"select count(*) from [衣柜设置] where [状态]='已租' and [临时出租]=0 and [到期日期]>=:today "
                      u"and [到期日期]<=date(:today,'+7 day')"),
                    onToday()),
              1)
        << "a rented locker expiring within a week";
    EXPECT_GE(count(s(u"select count(*) from [衣柜设置] where [状态]='可用' and [会员卡号]=''")), 1);
    EXPECT_EQ(count(s(u"select count(*) from [衣柜设置] s where [状态]='已租' and not exists (select 1 from [衣柜出租] "
                      u"r where r.[编号]=s.[出租编号] and r.[衣柜编号]=s.[衣柜编号] and r.[会员卡号]=s.[会员卡号])")),
              0)
        << "every rented locker points at its rental";
}

TEST_F(DemoHallTest, RemindersOfEveryKindAreDueToday)
{
    const QString day = today().toString(QStringLiteral("yyyy-MM-dd"));
    EXPECT_GE(count(s(u"select count(*) from [事件提醒] where [提醒类型]=0 and substr([提醒时间],1,10)=:d"),
                    {{QStringLiteral("d"), day}}),
              1);
    EXPECT_GE(count(s(u"select count(*) from [事件提醒] where [提醒类型]=1")), 1);
    EXPECT_GE(count(s(u"select count(*) from [事件提醒] where [提醒类型]=2 and cast(substr([提醒时间],1,2) as "
                      u"integer)=:d"),
                    {{QStringLiteral("d"), today().day()}}),
              1);
    EXPECT_GE(count(s(u"select count(*) from [事件提醒] where [提醒类型]=3 and substr([提醒时间],1,5)=:d"),
                    {{QStringLiteral("d"), today().toString(QStringLiteral("MM-dd"))}}),
              1);
}

TEST(DemoHallSizes, VisitsAddUpWhateverTheSize)
{
    struct Case {
        int members;
        int perMember;
        int busiest;
        qint64 expected;
    };
    // When the busiest member alone exceeds the average, the others get nothing.
    for (const Case& c : {Case{15, 3, 20, 45}, Case{30, 0, 7, 7}, Case{5, 100, 10, 500}}) {
        test::TestDatabase db;
        demo::HallSize size;
        size.members = c.members;
        size.visitsPerMember = c.perMember;
        size.busiestVisits = c.busiest;
        demo::generate(db.dm(), size, QDate(2024, 12, 31));
        EXPECT_EQ(db.db().scalar(s(u"select count(*) from [会员登记]")).toInt(), c.expected) << c.members;
        EXPECT_EQ(db.db().scalar(s(u"select [刷卡次数] from [会员信息] where [会员卡号]='000001'")).toInt(), c.busiest);
    }
}

TEST(DemoHallSizes, NoVisitFallsInsideALeave)
{
    // Few members with many visits each, so that a careless draw would land in the leave taken today.
    test::TestDatabase db;
    demo::HallSize size;
    size.members = 13;
    size.visitsPerMember = 100;
    size.busiestVisits = 10;
    demo::generate(db.dm(), size, QDate(2024, 3, 15));
    EXPECT_EQ(db.db()
                  .scalar(s(u"select count(*) from [会员请假] where [开始日期]<='2024-03-15' and "
                            u"[结束日期]>='2024-03-15'"))
                  .toInt(),
              1);
    EXPECT_EQ(db.db()
                  .scalar(s(u"select count(*) from [会员登记] v join [会员请假] q on q.[会员卡号]=v.[会员卡号] where "
                            u"v.[登记时间]>=q.[开始日期] and v.[登记时间]<date(q.[结束日期],'+1 day')"))
                  .toInt(),
              0);
}

TEST(DemoHallSizes, PhotosAreAskedForEachMemberByCardNumber)
{
    test::TestDatabase db;
    demo::HallSize size = smallHall();
    QStringList asked;
    demo::generate(db.dm(), size, QDate(2024, 3, 15), [&](int index, const QString& card) {
        asked << card;
        EXPECT_EQ(card, demo::cardNumber(index));
        return index % 2 == 0 ? QStringLiteral("/photos/%1.jpg").arg(card) : QString();
    });
    EXPECT_EQ(asked.size(), size.members);
    EXPECT_EQ(db.db().scalar(s(u"select [会员照片] from [会员信息] where [会员卡号]='000003'")).toText(),
              QStringLiteral("/photos/000003.jpg"));
    EXPECT_EQ(db.db().scalar(s(u"select count(*) from [会员信息] where [会员照片]=''")).toInt(), size.members / 2);
}

TEST(DemoHallSizes, SameInputsGiveTheSameRows)
{
    test::TestDatabase first;
    test::TestDatabase second;
    demo::generate(first.dm(), smallHall(), QDate(2024, 3, 15));
    demo::generate(second.dm(), smallHall(), QDate(2024, 3, 15));
    for (const schema::TableDef& table : schema::tables()) {
        if (table.scratch)
            continue;
        const QString select = QStringLiteral("select * from [%1] order by rowid").arg(table.name);
        const ResultSet a = first.db().select(select);
        const ResultSet b = second.db().select(select);
        ASSERT_EQ(a.rowCount(), b.rowCount()) << table.name.toStdString();
        for (int row = 0; row < a.rowCount(); ++row)
            for (int col = 0; col < a.columns().size(); ++col)
                ASSERT_TRUE(a.value(row, col) == b.value(row, col))
                    << table.name.toStdString() << " row " << row << " column " << a.columns()[col].toStdString();
    }
}

TEST(DemoHallSizes, BusyMembersEachGetTheBusiestCount)
{
    test::TestDatabase db;
    demo::HallSize size;
    size.members = 60;
    size.visitsPerMember = 20;
    size.busiestVisits = 90;
    size.busyMembers = 6;
    demo::generate(db.dm(), size, QDate(2024, 12, 31));
    EXPECT_EQ(db.db()
                  .scalar(s(u"select count(*) from (select [会员卡号] from [会员登记] group by [会员卡号] "
                            u"having count(*)=90)"))
                  .toInt(),
              6);
    EXPECT_EQ(db.db().scalar(s(u"select count(*) from [会员登记]")).toInt(), 60 * 20);
}
