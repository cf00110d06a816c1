#include "TestDatabase.h"
#include "cardtypes/CardTypes.h"
#include "frontdesk/CheckIn.h"
#include "frontdesk/DeskLookup.h"
#include "frontdesk/MemberLookup.h"
#include "reminders/DueRules.h"
#include "sms/SmsState.h"

#include <gtest/gtest.h>

using namespace tkd;
using tkd::test::s;

namespace {

const QDate kToday(2024, 3, 15); // a Friday

class FrontDesk : public ::testing::Test {
protected:
    void SetUp() override
    {
        addType(QStringLiteral("D30"), s(u"月卡"), QString(), QStringLiteral("30"));
        addType(QStringLiteral("FREE"), s(u"长期卡"), QString(), QString());
        addType(QStringLiteral("C10"), s(u"次卡"), QStringLiteral("10"), QString());
        cardtypes::Input weekly;
        weekly.code = QStringLiteral("W");
        weekly.name = s(u"周卡");
        weekly.useSlot = true;
        weekly.weekly = true;
        weekly.weekdays = {true, false, true, false, true, false, false};
        EXPECT_FALSE(cardtypes::save(admin(), weekly).refused());
        cardtypes::Input morning;
        morning.code = QStringLiteral("M");
        morning.name = s(u"晨卡");
        morning.useSlot = true;
        morning.time1 = QStringLiteral("08:00");
        morning.time2 = QStringLiteral("10:00");
        EXPECT_FALSE(cardtypes::save(admin(), morning).refused());
        setLeadDays(7, 7, 7);
    }
    void addType(const QString& code, const QString& name, const QString& visits, const QString& days)
    {
        cardtypes::Input input;
        input.code = code;
        input.name = name;
        input.visits = visits;
        input.days = days;
        EXPECT_FALSE(cardtypes::save(admin(), input).refused());
    }
    void setLeadDays(int member, int locker, int birthday)
    {
        dm().change(QStringLiteral("update [其它设置] set [会员提醒]=:a,[衣柜提醒]=:b,[生日提醒]=:c"),
                    {{QStringLiteral("a"), member}, {QStringLiteral("b"), locker}, {QStringLiteral("c"), birthday}});
    }
    // A member of the type; days and visits as a fresh registration copies them from the type.
    void addMember(const QString& card, const QString& type, const Value& opened = Value(),
                   const Value& expiry = Value(), int visitsLeft = 0, int days = 0)
    {
        dm().change(QStringLiteral("insert into [会员信息] ([会员卡号],[会员姓名],[会员类型],[会员状态],[开卡日期],"
                                   "[到期日期],[有效次数],[有效天数],[会员生日],[移动电话]) "
                                   "values(:k,:n,:t,'可用',:o,:e,:v,:d,'00-00','13800000000')"),
                    {{QStringLiteral("k"), card},
                     {QStringLiteral("n"), s(u"学员") + card},
                     {QStringLiteral("t"), type},
                     {QStringLiteral("o"), opened},
                     {QStringLiteral("e"), expiry},
                     {QStringLiteral("v"), visitsLeft},
                     {QStringLiteral("d"), days}});
    }
    void set(const QString& card, const QString& column, const Value& value)
    {
        dm().change(QStringLiteral("update [会员信息] set [%1]=:v where [会员卡号]=:k").arg(column),
                    {{QStringLiteral("v"), value}, {QStringLiteral("k"), card}});
    }
    QString warning(const QString& card) { return frontdesk::lookUp(dm(), card, kToday)->warning; }
    qint64 count(const QString& sql) { return dm().list(sql).rowCount(); }
    Value member(const QString& card, const QString& column)
    {
        return dm().open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), card}}).first(column);
    }
    QDateTime at(int month, int day, int hour = 10, int minute = 0)
    {
        return QDateTime(QDate(2024, month, day), QTime(hour, minute));
    }
    TvelunDMForm& dm() { return m_db.dm(); }
    CommandContext admin() { return {dm(), s(u"超级用户"), QDateTime(kToday, QTime(9, 0))}; }

    tkd::test::TestDatabase m_db;
};

} // namespace

TEST_F(FrontDesk, UnknownCardFindsNothing)
{
    EXPECT_FALSE(frontdesk::lookUp(dm(), QStringLiteral("404"), kToday));
}

TEST_F(FrontDesk, NeverUsedCardShowsItsWarningAndNoDates)
{
    addMember(QStringLiteral("1"), s(u"月卡"));
    const auto view = frontdesk::lookUp(dm(), QStringLiteral("1"), kToday);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->warning, s(u"该会员还未开卡，首次登记时间为开卡时间。"));
    EXPECT_TRUE(view->opened.isEmpty());
    EXPECT_TRUE(view->expiry.isEmpty());
    EXPECT_EQ(view->swipes, s(u"0次"));
    EXPECT_EQ(view->balance, s(u"0.00元"));
    EXPECT_EQ(view->points, s(u"0分"));
    EXPECT_TRUE(view->lastVisit.isEmpty());
}

TEST_F(FrontDesk, ExpiryWarningAroundTheLeadDays)
{
    const Value opened = QDate(2024, 1, 1);
    addMember(QStringLiteral("today"), s(u"月卡"), opened, kToday);
    addMember(QStringLiteral("seven"), s(u"月卡"), opened, kToday.addDays(7));
    addMember(QStringLiteral("eight"), s(u"月卡"), opened, kToday.addDays(8));
    addMember(QStringLiteral("past"), s(u"月卡"), opened, kToday.addDays(-20));
    EXPECT_EQ(warning(QStringLiteral("today")), s(u"该会员已经到期，请续费。"));
    EXPECT_EQ(warning(QStringLiteral("seven")), s(u"该会员快要到期，请即时续费。"));
    EXPECT_EQ(warning(QStringLiteral("eight")), QString());
    EXPECT_EQ(warning(QStringLiteral("past")), s(u"该会员已经到期，请续费。"));
    EXPECT_EQ(frontdesk::lookUp(dm(), QStringLiteral("seven"), kToday)->expiry, QStringLiteral("2024-03-22"));
}

TEST_F(FrontDesk, LeaveTodaySlotAndLockerOnThePanel)
{
    addMember(QStringLiteral("1"), s(u"周卡"), QDate(2024, 1, 1));
    dm().change(QStringLiteral("insert into [会员请假] ([会员卡号],[开始日期],[结束日期]) values('1',:a,:b)"),
                {{QStringLiteral("a"), kToday}, {QStringLiteral("b"), kToday}});
    set(QStringLiteral("1"), s(u"衣柜编号"), QStringLiteral("A-404"));
    const auto view = frontdesk::lookUp(dm(), QStringLiteral("1"), kToday);
    EXPECT_EQ(view->warning, s(u"该会员今天请假，请假日期为2024-03-15 至 2024-03-15。"));
    EXPECT_EQ(view->slot, s(u"一三五"));
    EXPECT_EQ(view->locker, QStringLiteral("A-404"));
    EXPECT_TRUE(view->lockerExpiry.isEmpty()) << "the locker row is missing";

    addMember(QStringLiteral("2"), s(u"晨卡"), QDate(2024, 1, 1));
    EXPECT_EQ(frontdesk::lookUp(dm(), QStringLiteral("2"), kToday)->slot, s(u"08:00 至 10:00"));
}

TEST_F(FrontDesk, WarningFragmentsCombineInTheirOrder)
{
    addMember(QStringLiteral("1"), s(u"月卡"));
    set(QStringLiteral("1"), s(u"衣柜编号"), QStringLiteral("B1"));
    dm().change(
        QStringLiteral("insert into [衣柜设置] ([衣柜编号],[状态],[会员卡号],[到期日期]) values('B1','已租','1',:e)"),
        {{QStringLiteral("e"), kToday.addDays(3)}});
    const auto view = frontdesk::lookUp(dm(), QStringLiteral("1"), kToday);
    EXPECT_EQ(view->warning, s(u"该会员还未开卡，首次登记时间为开卡时间。该衣柜快要到期，请即时续租。"));
    EXPECT_EQ(view->lockerExpiry, QStringLiteral("2024-03-18"));

    frontdesk::WarningFacts all;
    all.opened = false;
    all.expiry = QDateTime(kToday, QTime(0, 0));
    all.leaveToday = std::pair{kToday.addDays(-1), kToday.addDays(1)};
    all.lockerExpiry = QDateTime(kToday.addDays(-1), QTime(0, 0));
    EXPECT_EQ(frontdesk::warningLine(all, kToday),
              s(u"该会员还未开卡，首次登记时间为开卡时间。该会员已经到期，请续费。"
                u"该会员今天请假，请假日期为2024-03-14 至 2024-03-16。该衣柜已经到期，请续租。"));
}

TEST_F(FrontDesk, EachEligibilityRuleRefusesInTurnAndTheFirstWins)
{
    // Friday 15 March at 10:30: outside 08:00-10:00, a weekday slot of Mon/Wed/Fri lets Friday in.
    addMember(QStringLiteral("1"), s(u"晨卡"), QDate(2024, 1, 1), kToday, 0);
    set(QStringLiteral("1"), s(u"会员状态"), s(u"禁用"));
    dm().change(QStringLiteral("insert into [会员请假] ([会员卡号],[开始日期],[结束日期]) values('1',:a,:b)"),
                {{QStringLiteral("a"), kToday}, {QStringLiteral("b"), kToday}});
    const QDateTime now(kToday, QTime(10, 30));
    auto refusal = [&] {
        const auto m = frontdesk::readMember(dm(), QStringLiteral("1"));
        const auto r = frontdesk::eligibility(dm(), *m, now);
        return r ? r->message : QString();
    };
    EXPECT_EQ(refusal(), s(u"该会员的状态为不可用，不能登记！"));
    set(QStringLiteral("1"), s(u"会员状态"), s(u"可用"));
    EXPECT_EQ(refusal(), s(u"该会员已经到期，请续费！"));
    set(QStringLiteral("1"), s(u"到期日期"), kToday.addDays(1));
    EXPECT_EQ(refusal(), s(u"该会员今天请假，不能登记！"));
    dm().change(QStringLiteral("delete from [会员请假]"));
    EXPECT_EQ(refusal(), s(u"该会员卡不在有效时段内，不能登记！"));
    set(QStringLiteral("1"), s(u"会员类型"), s(u"次卡"));
    EXPECT_EQ(refusal(), s(u"该会员计次卡已经到期，不能登记！"));
    set(QStringLiteral("1"), s(u"有效次数"), 1);
    EXPECT_EQ(refusal(), QString());
    set(QStringLiteral("1"), s(u"会员类型"), s(u"周卡"));
    EXPECT_EQ(refusal(), QString()) << "Friday is allowed";
    set(QStringLiteral("1"), s(u"会员类型"), s(u"无此类型"));
    set(QStringLiteral("1"), s(u"有效次数"), 0);
    EXPECT_EQ(refusal(), QString()) << "an unknown type has no slot and no count";
    // A count card that is used up and outside its slot: the count rule speaks first.
    cardtypes::Input both;
    both.code = QStringLiteral("CM");
    both.name = s(u"晨次卡");
    both.visits = QStringLiteral("5");
    both.useSlot = true;
    both.time1 = QStringLiteral("08:00");
    both.time2 = QStringLiteral("10:00");
    ASSERT_FALSE(cardtypes::save(admin(), both).refused());
    set(QStringLiteral("1"), s(u"会员类型"), s(u"晨次卡"));
    EXPECT_EQ(refusal(), s(u"该会员计次卡已经到期，不能登记！"));
}

TEST_F(FrontDesk, DailySlotAcceptsItsLastMinuteOnly)
{
    addMember(QStringLiteral("1"), s(u"晨卡"), QDate(2024, 1, 1));
    EXPECT_FALSE(frontdesk::checkIn({dm(), s(u"前台"), at(3, 15, 10, 0)}, QStringLiteral("1")).refused());
    const auto late = frontdesk::checkIn({dm(), s(u"前台"), at(3, 15, 10, 1)}, QStringLiteral("1"));
    ASSERT_TRUE(late.refused());
    EXPECT_EQ(late.refusal().message, s(u"该会员卡不在有效时段内，不能登记！"));
}

TEST_F(FrontDesk, FirstVisitOpensTheCardAndFixesItsExpiry)
{
    addMember(QStringLiteral("1"), s(u"月卡"), Value(), Value(), 0, 30);
    const auto first = frontdesk::checkIn({dm(), s(u"前台"), at(3, 1, 9, 5)}, QStringLiteral("1"));
    ASSERT_FALSE(first.refused());
    EXPECT_EQ(first->opened, QStringLiteral("2024-03-01"));
    EXPECT_EQ(first->expiry, QStringLiteral("2024-03-31"));
    EXPECT_EQ(member(QStringLiteral("1"), s(u"开卡日期")).toDate(), QDate(2024, 3, 1));
    EXPECT_EQ(member(QStringLiteral("1"), s(u"到期日期")).toDate(), QDate(2024, 3, 31));
    EXPECT_EQ(first->swipes, s(u"1次"));
    EXPECT_FALSE(frontdesk::checkIn({dm(), s(u"前台"), at(3, 30)}, QStringLiteral("1")).refused());
    const auto last = frontdesk::checkIn({dm(), s(u"前台"), at(3, 31)}, QStringLiteral("1"));
    ASSERT_TRUE(last.refused());
    EXPECT_EQ(last.refusal().message, s(u"该会员已经到期，请续费！"));
    EXPECT_EQ(count(QStringLiteral("select * from [会员登记]")), 2);

    const ResultSet visit = dm().list(QStringLiteral("select * from [会员登记] order by [编号] limit 1"));
    EXPECT_EQ(visit.first(s(u"登记时间")).toDateTime(), at(3, 1, 9, 5));
    EXPECT_EQ(visit.first(s(u"操作员")).toText(), s(u"前台"));
    EXPECT_EQ(visit.first(s(u"上课次数")).toInt(), 1);
}

TEST_F(FrontDesk, ATypeWithoutDaysNeverExpires)
{
    addMember(QStringLiteral("1"), s(u"长期卡"));
    const auto first = frontdesk::checkIn({dm(), s(u"前台"), at(3, 1)}, QStringLiteral("1"));
    ASSERT_FALSE(first.refused());
    EXPECT_EQ(first->opened, QStringLiteral("2024-03-01"));
    EXPECT_TRUE(first->expiry.isEmpty());
    EXPECT_TRUE(member(QStringLiteral("1"), s(u"到期日期")).isNull());
    EXPECT_FALSE(frontdesk::checkIn({dm(), s(u"前台"), QDateTime(QDate(2030, 1, 1), QTime(9, 0))}, QStringLiteral("1"))
                     .refused());
}

TEST_F(FrontDesk, CountCardTakesItsLastVisitThenRefuses)
{
    addMember(QStringLiteral("1"), s(u"次卡"), QDate(2024, 1, 1), Value(), 1);
    const auto last = frontdesk::checkIn({dm(), s(u"前台"), at(3, 15)}, QStringLiteral("1"));
    ASSERT_FALSE(last.refused());
    EXPECT_TRUE(last->countCard);
    EXPECT_EQ(last->visitsLeft, s(u"0次"));
    const auto next = frontdesk::checkIn({dm(), s(u"前台"), at(3, 16)}, QStringLiteral("1"));
    ASSERT_TRUE(next.refused());
    EXPECT_EQ(next.refusal().message, s(u"该会员计次卡已经到期，不能登记！"));
}

TEST_F(FrontDesk, CheckInHandsBackTheStoredMobileAndTheSignedMessage)
{
    addMember(QStringLiteral("1"), s(u"长期卡"), QDate(2024, 1, 1));
    SmsState sms;
    sms.signature = s(u"澄岚软件");
    const auto visit =
        frontdesk::checkIn(CommandContext{dm(), s(u"前台"), at(3, 7, 9, 5)}.withSms(sms), QStringLiteral("1"));
    ASSERT_TRUE(visit.ok());
    EXPECT_EQ(visit->mobile, QStringLiteral("13800000000"));
    EXPECT_EQ(visit->smsText, s(u"学员：学员1(1)于3月7日 09:05上课登记，勿念【澄岚软件】"));
}

TEST_F(FrontDesk, CoachIsSetOrClearedAndAnUnknownCardRefused)
{
    addMember(QStringLiteral("1"), s(u"长期卡"));
    ASSERT_TRUE(frontdesk::setCoach(admin(), QStringLiteral("1"), s(u"金教练")).ok());
    EXPECT_EQ(member(QStringLiteral("1"), s(u"健身教练")).toText(), s(u"金教练"));
    ASSERT_TRUE(frontdesk::setCoach(admin(), QStringLiteral("1"), QString()).ok());
    EXPECT_TRUE(member(QStringLiteral("1"), s(u"健身教练")).toText().isEmpty());
    const auto unknown = frontdesk::setCoach(admin(), QStringLiteral("404"), s(u"金教练"));
    ASSERT_TRUE(unknown.refused());
    EXPECT_EQ(unknown.refusal().message, s(u"会员卡号不存在！"));
    EXPECT_EQ(unknown.refusal().icon, Refusal::Icon::Warning);
}

TEST_F(FrontDesk, LessonsLeftStopAtZeroAndDeletionGivesOneBack)
{
    for (int lessons : {1, 0}) {
        const QString card = QString::number(lessons + 10);
        addMember(card, s(u"长期卡"), QDate(2024, 1, 1));
        set(card, s(u"剩余课时"), lessons);
        ASSERT_FALSE(frontdesk::checkIn({dm(), s(u"前台"), at(3, 15)}, card).refused());
        EXPECT_EQ(member(card, s(u"剩余课时")).toInt(), 0);
        EXPECT_EQ(member(card, s(u"完成课时")).toInt(), 1);
        const qint64 id = dm().list(QStringLiteral("select [编号] from [会员登记] where [会员卡号]=:k"),
                                    {{QStringLiteral("k"), card}})
                              .first(s(u"编号"))
                              .toInt();
        const auto removed = frontdesk::deleteVisit({dm(), s(u"超级用户"), at(3, 15)}, card, id);
        ASSERT_FALSE(removed.refused());
        EXPECT_EQ(member(card, s(u"剩余课时")).toInt(), 1) << "from " << lessons;
        EXPECT_EQ(member(card, s(u"刷卡次数")).toInt(), 0);
        EXPECT_EQ(member(card, s(u"开卡日期")).toDate(), QDate(2024, 1, 1)) << "the card stays opened";
    }
}

TEST_F(FrontDesk, OnlyTheSuperUserDeletesAVisitAndCountCardsGetItBack)
{
    addMember(QStringLiteral("1"), s(u"次卡"), QDate(2024, 1, 1), Value(), 3);
    ASSERT_FALSE(frontdesk::checkIn({dm(), s(u"前台"), at(3, 15)}, QStringLiteral("1")).refused());
    const qint64 id = dm().list(QStringLiteral("select [编号] from [会员登记]")).first(s(u"编号")).toInt();
    const auto refused = frontdesk::deleteVisit({dm(), s(u"前台"), at(3, 15)}, QStringLiteral("1"), id);
    ASSERT_TRUE(refused.refused());
    EXPECT_EQ(refused.refusal().message, s(u"只有超级用户可以进行删除登记操作！"));
    EXPECT_EQ(count(QStringLiteral("select * from [会员登记]")), 1);
    addMember(QStringLiteral("2"), s(u"次卡"), QDate(2024, 1, 1), Value(), 3);
    const auto otherCard = frontdesk::deleteVisit({dm(), s(u"超级用户"), at(3, 15)}, QStringLiteral("2"), id);
    ASSERT_TRUE(otherCard.refused()) << "the visit of another card";
    EXPECT_EQ(otherCard.refusal().message, s(u"该登记记录已不存在！"));
    EXPECT_EQ(member(QStringLiteral("2"), s(u"有效次数")).toInt(), 3);
    const auto removed = frontdesk::deleteVisit({dm(), s(u"超级用户"), at(3, 15)}, QStringLiteral("1"), id);
    ASSERT_FALSE(removed.refused());
    EXPECT_EQ(removed->visitsLeft, s(u"3次"));
    EXPECT_EQ(count(QStringLiteral("select * from [会员登记]")), 0);
}

TEST_F(FrontDesk, CheckInThatFailsPartWayWritesNothing)
{
    addMember(QStringLiteral("1"), s(u"月卡"), Value(), Value(), 0, 30);
    dm().db().execute(QStringLiteral("create temp trigger [fail_visit] before insert on [会员登记] "
                                     "begin select raise(abort, 'disk full'); end"));
    EXPECT_ANY_THROW(frontdesk::checkIn({dm(), s(u"前台"), at(3, 1)}, QStringLiteral("1")));
    EXPECT_TRUE(member(QStringLiteral("1"), s(u"开卡日期")).isNull()) << "the card opening was undone";
    EXPECT_TRUE(member(QStringLiteral("1"), s(u"到期日期")).isNull());
    EXPECT_EQ(member(QStringLiteral("1"), s(u"刷卡次数")).toInt(), 0);
}

TEST_F(FrontDesk, VisitListNumbersFromTheOldestAndShowsTheNewestFirst)
{
    addMember(QStringLiteral("1"), s(u"长期卡"), QDate(2024, 1, 1));
    addMember(QStringLiteral("2"), s(u"长期卡"), QDate(2024, 1, 1));
    for (int day : {3, 1, 2})
        ASSERT_FALSE(frontdesk::checkIn({dm(), s(u"前台"), at(3, day)}, QStringLiteral("1")).refused());
    ASSERT_FALSE(frontdesk::checkIn({dm(), s(u"前台"), at(3, 5)}, QStringLiteral("2")).refused());
    frontdesk::rebuildVisitList(dm(), QStringLiteral("1"));
    const ResultSet list = dm().open(QStringLiteral("ADODS_tmphydj"));
    ASSERT_EQ(list.rowCount(), 3);
    EXPECT_EQ(list.value(0, s(u"序号")).toInt(), 3);
    EXPECT_EQ(list.value(0, s(u"登记时间")).toDateTime(), at(3, 3));
    EXPECT_EQ(list.value(2, s(u"序号")).toInt(), 1);
    EXPECT_EQ(list.value(2, s(u"登记时间")).toDateTime(), at(3, 1));
    EXPECT_EQ(frontdesk::lookUp(dm(), QStringLiteral("1"), kToday)->lastVisit, QStringLiteral("2024-03-03 10:00:00"));

    frontdesk::rebuildVisitList(dm(), QStringLiteral("2"));
    const ResultSet other = dm().open(QStringLiteral("ADODS_tmphydj"));
    ASSERT_EQ(other.rowCount(), 1);
    EXPECT_EQ(other.value(0, s(u"序号")).toInt(), 1) << "a refilled list numbers from 1 again";
    EXPECT_EQ(other.value(0, s(u"登记时间")).toDateTime(), at(3, 5));
}

// The visit list after a check-in, whatever it held before: the member's visits, oldest numbered 1,
// newest first.
TEST_F(FrontDesk, AfterACheckInTheVisitListHoldsTheMembersVisitsWhateverItHeldBefore)
{
    addMember(QStringLiteral("1"), s(u"长期卡"), QDate(2024, 1, 1));
    addMember(QStringLiteral("2"), s(u"长期卡"), QDate(2024, 1, 1));
    addMember(QStringLiteral("3"), s(u"长期卡"), QDate(2024, 1, 1));
    for (int day : {1, 2})
        ASSERT_FALSE(frontdesk::checkIn({dm(), s(u"前台"), at(3, day)}, QStringLiteral("1")).refused());
    ASSERT_FALSE(frontdesk::checkIn({dm(), s(u"前台"), at(3, 3)}, QStringLiteral("2")).refused());
    auto shown = [this] {
        const ResultSet list = dm().open(QStringLiteral("ADODS_tmphydj"));
        QList<int> days;
        for (int i = 0; i < list.rowCount(); ++i) {
            EXPECT_EQ(list.value(i, s(u"序号")).toInt(), list.rowCount() - i) << "row " << i;
            days << list.value(i, s(u"登记时间")).toDateTime().date().day();
        }
        return days;
    };
    auto checkIn = [this](const char* card, int day) {
        ASSERT_FALSE(frontdesk::checkIn({dm(), s(u"前台"), at(3, day)}, QString::fromLatin1(card)).refused());
    };

    frontdesk::rebuildVisitList(dm(), QStringLiteral("1"));
    checkIn("1", 4);
    EXPECT_EQ(shown(), (QList<int>{4, 2, 1})) << "the member's own list";

    checkIn("2", 5);
    EXPECT_EQ(shown(), (QList<int>{5, 3})) << "another member's list";

    // A visit written behind the list's back leaves it stale.
    dm().change(QStringLiteral("insert into [会员登记] ([会员卡号],[登记时间]) values('2',:d)"),
                {{QStringLiteral("d"), at(3, 6)}});
    checkIn("2", 7);
    EXPECT_EQ(shown(), (QList<int>{7, 6, 5, 3})) << "a stale list";

    // A visit dated after the check-in (a clock set back) is listed after it, as a rebuild orders them.
    dm().change(QStringLiteral("insert into [会员登记] ([会员卡号],[登记时间]) values('1',:d)"),
                {{QStringLiteral("d"), at(3, 20)}});
    frontdesk::rebuildVisitList(dm(), QStringLiteral("1"));
    checkIn("1", 8);
    EXPECT_EQ(shown(), (QList<int>{20, 8, 4, 2, 1})) << "a later visit already listed";

    checkIn("3", 9);
    EXPECT_EQ(shown(), (QList<int>{9})) << "a first visit";
    checkIn("3", 10);
    EXPECT_EQ(shown(), (QList<int>{10, 9}));
}

TEST_F(FrontDesk, ASwipeReadsThePanelAndEveryListInItsOrder)
{
    addMember(QStringLiteral("1"), s(u"长期卡"), QDate(2024, 1, 1));
    addMember(QStringLiteral("2"), s(u"长期卡"), QDate(2024, 1, 1));
    for (int day : {1, 2})
        ASSERT_FALSE(frontdesk::checkIn({dm(), s(u"前台"), at(3, day)}, QStringLiteral("1")).refused());
    dm().change(QStringLiteral("insert into [会员充值] ([会员卡号],[充值日期],[充值金额]) values('1',:d,100)"),
                {{QStringLiteral("d"), at(3, 2)}});
    set(QStringLiteral("1"), s(u"会员生日"), QStringLiteral("03-16"));

    const auto found = frontdesk::lookUpAtDesk(dm(), QStringLiteral("1"), kToday);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->member.swipes, s(u"2次"));
    EXPECT_EQ(found->member.lastVisit, QStringLiteral("2024-03-02 10:00:00"));
    QStringList entries;
    for (const frontdesk::HistoryList& list : found->history)
        entries << list.entry;
    EXPECT_EQ(entries,
              (QStringList{QStringLiteral("ADOQ_hyczjl"), QStringLiteral("ADOQ_sjhzjl"), QStringLiteral("ADOQ_xfsjjl"),
                           QStringLiteral("ADOQ_hyqjhykh"), QStringLiteral("ADODS_hytx"),
                           QStringLiteral("ADODS_tmphydj"), QStringLiteral("ADOQ_hyxf"), QStringLiteral("ADOQ_dhsp")}));
    EXPECT_EQ(found->history[0].rows.rowCount(), 1) << "the payment";
    EXPECT_EQ(found->history[4].rows.rowCount(), 1) << "the birthday reminder, rebuilt";
    EXPECT_EQ(found->history[5].rows.rowCount(), 2) << "the visits, rebuilt";
    EXPECT_EQ(dm().db().transactionDepth(), 0) << "the swipe's transaction is closed";

    // Inside a command's own transaction the swipe is part of it and leaves it open.
    {
        Transaction tx(dm().db());
        ASSERT_TRUE(frontdesk::lookUpAtDesk(dm(), QStringLiteral("2"), kToday));
        EXPECT_EQ(dm().db().transactionDepth(), 1);
        tx.commit();
    }
    EXPECT_EQ(dm().open(QStringLiteral("ADODS_tmphydj")).rowCount(), 0) << "member 2 has no visits";

    ASSERT_TRUE(frontdesk::lookUpAtDesk(dm(), QStringLiteral("1"), kToday));
    EXPECT_FALSE(frontdesk::lookUpAtDesk(dm(), QStringLiteral("404"), kToday));
    EXPECT_EQ(dm().open(QStringLiteral("ADODS_tmphydj")).rowCount(), 2) << "an unknown card leaves the lists shown";
    EXPECT_EQ(dm().db().transactionDepth(), 0);
}

TEST_F(FrontDesk, AfterACheckInTheMemberIsReadAgainWithOnlyTheNamedLists)
{
    addMember(QStringLiteral("1"), s(u"次卡"), Value(), Value(), 10, 0);
    ASSERT_TRUE(frontdesk::lookUpAtDesk(dm(), QStringLiteral("1"), kToday));
    ASSERT_FALSE(frontdesk::checkIn({dm(), s(u"前台"), at(3, 15, 9, 5)}, QStringLiteral("1")).refused());

    const auto again = frontdesk::lookUpAgain(dm(), QStringLiteral("1"), kToday, {QStringLiteral("ADODS_tmphydj")});
    ASSERT_TRUE(again);
    EXPECT_EQ(again->member.swipes, s(u"1次"));
    EXPECT_EQ(again->member.visitsLeft, s(u"9次"));
    EXPECT_EQ(again->member.opened, QStringLiteral("2024-03-15")) << "the first visit opened the card";
    EXPECT_EQ(again->member.lastVisit, QStringLiteral("2024-03-15 09:05:00"));
    EXPECT_EQ(again->member.warning, QString()) << "no longer unopened";
    ASSERT_EQ(again->history.size(), 1u);
    EXPECT_EQ(again->history[0].entry, QStringLiteral("ADODS_tmphydj"));
    EXPECT_EQ(again->history[0].rows.rowCount(), 1);

    const auto panelOnly = frontdesk::lookUpAgain(dm(), QStringLiteral("1"), kToday, {});
    ASSERT_TRUE(panelOnly);
    EXPECT_TRUE(panelOnly->history.empty()) << "no list named, none read";
    EXPECT_FALSE(frontdesk::lookUpAgain(dm(), QStringLiteral("404"), kToday, {QStringLiteral("ADODS_tmphydj")}));
    EXPECT_EQ(dm().db().transactionDepth(), 0);
}

TEST_F(FrontDesk, AttendedNoticesListEverythingDueAndTheRefusalLast)
{
    addMember(QStringLiteral("1"), s(u"月卡"), QDate(2024, 1, 1), kToday.addDays(5));
    set(QStringLiteral("1"), s(u"会员生日"), QStringLiteral("03-15"));
    dm().change(QStringLiteral("insert into [衣柜设置] ([衣柜编号],[状态],[会员卡号],[到期日期],[临时出租]) "
                               "values('B1','已租','1',:e,0)"),
                {{QStringLiteral("e"), kToday.addDays(2)}});
    dm().change(QStringLiteral("insert into [事件提醒] ([会员卡号],[提醒类型],[提醒时间],[提醒内容]) "
                               "values('1',2,'15 09:00:00','交表'),('1',2,'16 09:00:00','明天的事')"));
    auto check = frontdesk::prepareAttended(dm(), QStringLiteral("1"), QDateTime(kToday, QTime(10, 30)));
    ASSERT_TRUE(check);
    EXPECT_FALSE(check->refusal);
    EXPECT_EQ(check->notices, s(u"\r\n该会员今天过生日。\r\n该会员还有5天到期，请及时续费！\r\n"
                                u"该会员的衣柜还有2天到期，请及时续费！\r\n该会员 15 09:00:00 交表！\r\n"));

    set(QStringLiteral("1"), s(u"会员状态"), s(u"禁用"));
    check = frontdesk::prepareAttended(dm(), QStringLiteral("1"), QDateTime(kToday, QTime(10, 30)));
    ASSERT_TRUE(check->refusal);
    EXPECT_TRUE(check->notices.endsWith(s(u"！\r\n\r\n该会员的状态为不可用，不能登记！")));

    addMember(QStringLiteral("2"), s(u"长期卡"), QDate(2024, 1, 1));
    check = frontdesk::prepareAttended(dm(), QStringLiteral("2"), QDateTime(kToday, QTime(10, 30)));
    EXPECT_EQ(check->notices, QStringLiteral("\n\n\n\n\n") + s(u"无提醒内容"));
    addMember(QStringLiteral("3"), s(u"长期卡"));
    check = frontdesk::prepareAttended(dm(), QStringLiteral("3"), QDateTime(kToday, QTime(10, 30)));
    EXPECT_EQ(check->notices, s(u"\r\n\r\n该会员还未开卡，首次登记时间为开卡时间。"));
}

TEST_F(FrontDesk, MemberRemindersFollowTheDueRules)
{
    addMember(QStringLiteral("1"), s(u"月卡"), QDate(2024, 1, 1), kToday.addDays(-40));
    set(QStringLiteral("1"), s(u"会员生日"), QStringLiteral("03-20"));
    dm().change(QStringLiteral("insert into [事件提醒] ([会员卡号],[提醒类型],[提醒时间],[提醒内容]) values "
                               "('1',3,'03-15 08:00:00','年'),('1',0,'2024-03-15 18:00:00','一次'),"
                               "('1',0,'2024-03-16 00:00:00','明天'),('1',1,'07:00:00','每天')"));
    reminders::buildMemberReminders(dm(), QStringLiteral("1"), kToday);
    const ResultSet list = dm().open(QStringLiteral("ADODS_hytx"));
    QStringList kinds;
    for (int i = 0; i < list.rowCount(); ++i)
        kinds << list.value(i, s(u"提醒类型")).toText() + QLatin1Char('/') + list.value(i, s(u"提醒内容")).toText();
    EXPECT_EQ(kinds, (QStringList{s(u"生日提醒/会员生日提醒"), s(u"会员到期提醒/会员到期提醒"), s(u"一次性提醒/一次"),
                                  s(u"每天提醒/每天"), s(u"每年提醒/年")}));

    set(QStringLiteral("1"), s(u"会员状态"), s(u"禁用"));
    set(QStringLiteral("1"), s(u"会员生日"), QStringLiteral("03-14"));
    reminders::buildMemberReminders(dm(), QStringLiteral("1"), kToday);
    EXPECT_EQ(dm().open(QStringLiteral("ADODS_hytx")).rowCount(), 3) << "no birthday passed, no disabled expiry";
}

TEST(DueRules, BirthdaysNeverRollOverTheYearAndLeapDaysNeedALeapYear)
{
    EXPECT_TRUE(reminders::birthdayDue(QStringLiteral("12-31"), QDate(2024, 12, 30), 3));
    EXPECT_FALSE(reminders::birthdayDue(QStringLiteral("01-01"), QDate(2024, 12, 30), 7));
    EXPECT_FALSE(reminders::birthdayDue(QStringLiteral("00-00"), QDate(2024, 1, 1), 400));
    EXPECT_TRUE(reminders::birthdayDue(QStringLiteral("02-29"), QDate(2024, 2, 28), 1));
    EXPECT_FALSE(reminders::birthdayDue(QStringLiteral("02-29"), QDate(2023, 2, 28), 1));
    EXPECT_TRUE(reminders::eventDue(2, QStringLiteral("05 10:00:00"), QDate(2024, 7, 5)));
    EXPECT_FALSE(reminders::eventDue(2, QStringLiteral("xx 10:00:00"), QDate(2024, 7, 5)));
    // Whole calendar days, whatever the clock does in between (autumn and spring changes).
    EXPECT_DOUBLE_EQ(reminders::daysFromToday(QDate(2024, 11, 1), QDateTime(QDate(2024, 11, 8), QTime(0, 0))), 7.0);
    EXPECT_DOUBLE_EQ(reminders::daysFromToday(QDate(2024, 3, 8), QDateTime(QDate(2024, 3, 15), QTime(12, 0))), 7.5);
    EXPECT_TRUE(reminders::expiryDue(QDateTime(QDate(2024, 11, 8), QTime(0, 0)), QDate(2024, 11, 1), 7));
    EXPECT_TRUE(reminders::gradingDue(3, 3));
    EXPECT_FALSE(reminders::gradingDue(4, 3));
}
