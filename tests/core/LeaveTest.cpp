#include "members/Leave.h"
#include "TestDatabase.h"
#include "db/DbError.h"
#include "frontdesk/CheckIn.h"
#include "members/LeaveDays.h"
#include "security/Operators.h"
#include "security/Permissions.h"

#include <gtest/gtest.h>

using namespace tkd;
using test::s;

namespace {

const QString kMember = QStringLiteral("1001");
const QDate kExpiry(2024, 6, 30);

class Leave : public ::testing::Test {
protected:
    void SetUp() override
    {
        // 张小龙: opened, expiring on 30 June; 李小燕: registered, card never used.
        addMember(kMember, s(u"张小龙"), QDate(2024, 1, 1), kExpiry);
        addMember(QStringLiteral("1002"), s(u"李小燕"), Value(), Value());
    }
    void addMember(const QString& card, const QString& name, const Value& opened, const Value& expiry)
    {
        dm().change(s(u"insert into [会员信息] ([会员卡号],[会员姓名],[会员类型],[会员状态],[开卡日期],[到期日期],"
                      u"[有效天数],[会员生日],[移动电话],[固定电话]) values(:hykh,:hyxm,'月卡','可用',:kkrq,:dqrq,30,"
                      u"'00-00','13900001111','0571-8888')"),
                    {{QStringLiteral("hykh"), card},
                     {QStringLiteral("hyxm"), name},
                     {QStringLiteral("kkrq"), opened},
                     {QStringLiteral("dqrq"), expiry}});
    }
    TvelunDMForm& dm() { return t.dm(); }
    CommandContext on(const QDate& today) { return {dm(), s(u"前台小王"), QDateTime(today, QTime(9, 30))}; }

    qint64 record(const QDate& today, const QDate& start, const QDate& end, const QString& card = kMember)
    {
        const Outcome<qint64> id = members::recordLeave(on(today), {card, start, end, s(u" 出差 ")});
        EXPECT_TRUE(id.ok()) << (id.ok() ? "" : id.refusal().message.toStdString());
        return id.ok() ? *id : 0;
    }
    QString refusalOf(const Outcome<qint64>& outcome) { return outcome.ok() ? QString() : outcome.refusal().message; }
    QString refusalOf(const Outcome<>& outcome) { return outcome.ok() ? QString() : outcome.refusal().message; }

    QDate expiry(const QString& card = kMember)
    {
        return dm()
            .list(s(u"select [到期日期] from [会员信息] where [会员卡号]=:hykh"), {{QStringLiteral("hykh"), card}})
            .first(s(u"到期日期"))
            .toDate();
    }
    ResultSet leaves() { return dm().list(s(u"select * from [会员请假] order by [编号]")); }
    Value leaveValue(qint64 id, const char16_t* column)
    {
        return dm()
            .list(s(u"select * from [会员请假] where [编号]=:bh"), {{QStringLiteral("bh"), id}})
            .first(QString::fromUtf16(column));
    }
    // What the desk's check-in says on that day: empty when the visit is let in.
    QString checkInOn(const QDate& day, const QString& card = kMember)
    {
        const auto member = frontdesk::readMember(dm(), card);
        const MaybeRefusal refusal = frontdesk::eligibility(dm(), *member, QDateTime(day, QTime(9, 30)));
        return refusal ? refusal->message : QString();
    }
    members::LeaveKey key(qint64 id, const QString& card = kMember) { return {id, card}; }

    test::TestDatabase t;
};

const QString kOnLeave = QString::fromUtf16(u"该会员今天请假，不能登记！");

TEST_F(Leave, AMonthsLeaveCountsThirtyDaysMovesTheExpiryAndBlocksBothEnds)
{
    const qint64 id = record(QDate(2024, 2, 20), QDate(2024, 3, 1), QDate(2024, 3, 31));
    const ResultSet rows = leaves();
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.first(s(u"编号")).toInt(), id);
    EXPECT_EQ(rows.first(s(u"会员卡号")).toText(), kMember);
    EXPECT_EQ(rows.first(s(u"会员姓名")).toText(), s(u"张小龙"));
    EXPECT_EQ(rows.first(s(u"会员类型")).toText(), s(u"月卡"));
    EXPECT_EQ(rows.first(s(u"联系电话")).toText(), s(u"13900001111;0571-8888"));
    EXPECT_EQ(rows.first(s(u"请假日期")).toDateTime(), QDateTime(QDate(2024, 2, 20), QTime(0, 0))) << "no time";
    EXPECT_EQ(rows.first(s(u"开始日期")).toDate(), QDate(2024, 3, 1));
    EXPECT_EQ(rows.first(s(u"结束日期")).toDate(), QDate(2024, 3, 31));
    EXPECT_EQ(rows.first(s(u"请假天数")).toInt(), 30);
    EXPECT_EQ(rows.first(s(u"顺延天数")).toInt(), 30);
    EXPECT_EQ(rows.first(s(u"操作员")).toText(), s(u"前台小王"));
    EXPECT_EQ(rows.first(s(u"备注")).toText(), s(u"出差"));
    EXPECT_EQ(expiry(), QDate(2024, 7, 30));

    EXPECT_EQ(checkInOn(QDate(2024, 2, 29)), QString());
    EXPECT_EQ(checkInOn(QDate(2024, 3, 1)), kOnLeave);
    EXPECT_EQ(checkInOn(QDate(2024, 3, 31)), kOnLeave);
    EXPECT_EQ(checkInOn(QDate(2024, 4, 1)), QString());
}

TEST_F(Leave, AOneDayLeaveStoresNoDaysMovesNothingAndStillBlocksItsDay)
{
    const qint64 id = record(QDate(2024, 3, 1), QDate(2024, 3, 5), QDate(2024, 3, 5));
    EXPECT_EQ(leaveValue(id, u"请假天数").toInt(), 0);
    EXPECT_EQ(leaveValue(id, u"顺延天数").toInt(), 0);
    EXPECT_EQ(expiry(), kExpiry);
    EXPECT_EQ(checkInOn(QDate(2024, 3, 4)), QString());
    EXPECT_EQ(checkInOn(QDate(2024, 3, 5)), kOnLeave);
    EXPECT_EQ(checkInOn(QDate(2024, 3, 6)), QString());
}

TEST_F(Leave, ANewLeaveMayStartOnTheDayTheLatestEndsButNotBefore)
{
    record(QDate(2024, 2, 20), QDate(2024, 3, 1), QDate(2024, 3, 10));
    const QString refused = s(u"该会员的假期还没完，在假期内不能重复请假。\n该会员的请假到期时间为：2024-03-10！");
    const Outcome<qint64> early =
        members::recordLeave(on(QDate(2024, 2, 20)), {kMember, QDate(2024, 3, 9), QDate(2024, 3, 20), {}});
    EXPECT_EQ(refusalOf(early), refused);
    // The latest leave is still to come: a new one before it is refused all the same.
    const Outcome<qint64> before =
        members::recordLeave(on(QDate(2024, 2, 20)), {kMember, QDate(2024, 2, 25), QDate(2024, 2, 26), {}});
    EXPECT_EQ(refusalOf(before), refused);
    EXPECT_EQ(leaves().rowCount(), 1);
    EXPECT_EQ(expiry(), QDate(2024, 7, 9)) << "only the first leave's 9 days";

    const qint64 next = record(QDate(2024, 2, 20), QDate(2024, 3, 10), QDate(2024, 3, 20));
    EXPECT_EQ(leaveValue(next, u"请假天数").toInt(), 10);
    EXPECT_EQ(expiry(), QDate(2024, 7, 19));
}

TEST_F(Leave, ARefusedRecordingWritesNothing)
{
    const QDate today(2024, 3, 1);
    struct Case {
        QString card;
        QDate start;
        QDate end;
        QString message;
        QString field;
    };
    const Case cases[] = {
        {QString(), QDate(2024, 3, 5), QDate(2024, 3, 6), s(u"请选择会员！"), members::field::leaveMember},
        {QStringLiteral("  "), QDate(2024, 3, 5), QDate(2024, 3, 6), s(u"请选择会员！"), members::field::leaveMember},
        {kMember, QDate(2024, 3, 6), QDate(2024, 3, 5), s(u"开始时间不能大于结束时间！"), members::field::leaveStart},
        {QStringLiteral("9999"), QDate(2024, 3, 5), QDate(2024, 3, 6), s(u"会员卡号不存在！"), QString()},
    };
    for (const Case& c : cases) {
        const Outcome<qint64> outcome = members::recordLeave(on(today), {c.card, c.start, c.end, {}});
        ASSERT_TRUE(outcome.refused()) << c.message.toStdString();
        EXPECT_EQ(outcome.refusal().message, c.message);
        EXPECT_EQ(outcome.refusal().icon, Refusal::Icon::Warning);
        EXPECT_EQ(outcome.refusal().field, c.field) << c.message.toStdString();
    }
    EXPECT_EQ(leaves().rowCount(), 0);
    EXPECT_EQ(expiry(), kExpiry);
}

TEST_F(Leave, EndingEarlyStoresTheDaysTakenAndGivesTheRestBack)
{
    const qint64 id = record(QDate(2024, 2, 20), QDate(2024, 3, 1), QDate(2024, 3, 31));
    const QDate today(2024, 3, 11);
    const Outcome<members::LeaveToEnd> shown = members::leaveToEnd(dm(), key(id), today);
    ASSERT_TRUE(shown.ok()) << shown.refusal().message.toStdString();
    EXPECT_EQ(shown->leave.start, QDate(2024, 3, 1));
    EXPECT_EQ(shown->leave.end, QDate(2024, 3, 31));
    EXPECT_EQ(shown->member.name, s(u"张小龙"));
    EXPECT_EQ(shown->member.expiry, QStringLiteral("2024-07-30"));

    ASSERT_TRUE(members::endLeave(on(today), key(id), today).ok());
    EXPECT_EQ(leaveValue(id, u"结束日期").toDate(), today);
    EXPECT_EQ(leaveValue(id, u"请假天数").toInt(), 10);
    EXPECT_EQ(leaveValue(id, u"顺延天数").toInt(), 10);
    EXPECT_EQ(expiry(), QDate(2024, 7, 10)) << "20 days earlier";
    EXPECT_EQ(checkInOn(today), kOnLeave) << "the day the leave ends is still part of it";
    EXPECT_EQ(checkInOn(today.addDays(1)), QString());
}

TEST_F(Leave, EndingIsRefusedOnceTheEndIsReachedAndBeforeTheStart)
{
    const qint64 id = record(QDate(2024, 2, 20), QDate(2024, 3, 1), QDate(2024, 3, 31));
    const QString reached = s(u"假期结束时间已到，不能销假！");
    for (const QDate& today : {QDate(2024, 3, 31), QDate(2024, 4, 2)}) {
        const Outcome<members::LeaveToEnd> check = members::leaveToEnd(dm(), key(id), today);
        ASSERT_TRUE(check.refused());
        EXPECT_EQ(check.refusal().message, reached);
        EXPECT_EQ(refusalOf(members::endLeave(on(today), key(id), today)), reached);
    }
    const Outcome<> early = members::endLeave(on(QDate(2024, 2, 25)), key(id), QDate(2024, 2, 29));
    EXPECT_EQ(refusalOf(early), s(u"销假时间不能小于开始时间！"));
    EXPECT_EQ(early.refusal().field, members::field::leaveUntil);
    EXPECT_EQ(leaveValue(id, u"结束日期").toDate(), QDate(2024, 3, 31));
    EXPECT_EQ(leaveValue(id, u"请假天数").toInt(), 30);
    EXPECT_EQ(expiry(), QDate(2024, 7, 30));

    // Ending on the first day leaves a one-day leave and gives every day back.
    ASSERT_TRUE(members::endLeave(on(QDate(2024, 2, 25)), key(id), QDate(2024, 3, 1)).ok());
    EXPECT_EQ(leaveValue(id, u"请假天数").toInt(), 0);
    EXPECT_EQ(expiry(), kExpiry);
}

TEST_F(Leave, EndingLaterThanPlannedLengthensTheLeaveAndTheExpiry)
{
    const qint64 id = record(QDate(2024, 2, 20), QDate(2024, 3, 1), QDate(2024, 3, 31));
    ASSERT_TRUE(members::endLeave(on(QDate(2024, 3, 11)), key(id), QDate(2024, 4, 5)).ok());
    EXPECT_EQ(leaveValue(id, u"请假天数").toInt(), 35);
    EXPECT_EQ(leaveValue(id, u"顺延天数").toInt(), 35);
    EXPECT_EQ(expiry(), QDate(2024, 8, 4)) << "5 days later than 30 July";
    EXPECT_EQ(checkInOn(QDate(2024, 4, 5)), kOnLeave);
}

TEST_F(Leave, LengtheningALeaveThatMovedNoDaysYetStillMovesTheExpiry)
{
    // A one-day leave of an opened card: 0 days, the expiry untouched, yet lengthened from 5 to
    // 8 March it holds 3 days, and the expiry goes 3 days later, as for any leave.
    const qint64 single = record(QDate(2024, 3, 1), QDate(2024, 3, 5), QDate(2024, 3, 5));
    ASSERT_EQ(expiry(), kExpiry);
    ASSERT_TRUE(members::endLeave(on(QDate(2024, 3, 3)), key(single), QDate(2024, 3, 8)).ok());
    EXPECT_EQ(leaveValue(single, u"请假天数").toInt(), 3);
    EXPECT_EQ(leaveValue(single, u"顺延天数").toInt(), 3);
    EXPECT_EQ(expiry(), QDate(2024, 7, 3));
    // Shortened again to the 6th: 1 day kept, 2 of the 3 taken back.
    ASSERT_TRUE(members::endLeave(on(QDate(2024, 3, 4)), key(single), QDate(2024, 3, 6)).ok());
    EXPECT_EQ(leaveValue(single, u"请假天数").toInt(), 1);
    EXPECT_EQ(expiry(), QDate(2024, 7, 1));

    // A leave ended on its first day before it began has given every day back; moved on again to
    // the 25th it counts 5 days from the 20th and moves the expiry 5 days.
    const qint64 later = record(QDate(2024, 3, 4), QDate(2024, 3, 20), QDate(2024, 3, 30));
    ASSERT_EQ(expiry(), QDate(2024, 7, 11));
    ASSERT_TRUE(members::endLeave(on(QDate(2024, 3, 5)), key(later), QDate(2024, 3, 20)).ok());
    ASSERT_EQ(expiry(), QDate(2024, 7, 1));
    ASSERT_TRUE(members::endLeave(on(QDate(2024, 3, 6)), key(later), QDate(2024, 3, 25)).ok());
    EXPECT_EQ(leaveValue(later, u"请假天数").toInt(), 5);
    EXPECT_EQ(expiry(), QDate(2024, 7, 6));
    // Deleted before it starts, it takes back exactly those 5.
    ASSERT_TRUE(members::deleteLeave(on(QDate(2024, 3, 6)), key(later)).ok());
    EXPECT_EQ(expiry(), QDate(2024, 7, 1));
}

TEST_F(Leave, ALeaveRecordedBeforeTheCardOpenedGivesBackOnlyTheDaysItAddedLater)
{
    const QString card = QStringLiteral("1002");
    const qint64 id = record(QDate(2024, 3, 10), QDate(2024, 3, 20), QDate(2024, 3, 25), card);
    // Opened on 12 March with 30 days: 11 April. Lengthened by 3 days while the card has an expiry,
    // the leave moves it 3 days later.
    ASSERT_TRUE(frontdesk::checkIn(on(QDate(2024, 3, 12)), card).ok());
    ASSERT_EQ(expiry(card), QDate(2024, 4, 11));
    ASSERT_TRUE(members::endLeave(on(QDate(2024, 3, 13)), key(id, card), QDate(2024, 3, 28)).ok());
    EXPECT_EQ(leaveValue(id, u"请假天数").toInt(), 8);
    EXPECT_EQ(leaveValue(id, u"顺延天数").toInt(), 3);
    EXPECT_EQ(expiry(card), QDate(2024, 4, 14));
    // Shortened by 6 days it gives back no more than those 3.
    ASSERT_TRUE(members::endLeave(on(QDate(2024, 3, 14)), key(id, card), QDate(2024, 3, 22)).ok());
    EXPECT_EQ(leaveValue(id, u"请假天数").toInt(), 2);
    EXPECT_EQ(leaveValue(id, u"顺延天数").toInt(), 0);
    EXPECT_EQ(expiry(card), QDate(2024, 4, 11));
}

TEST_F(Leave, EndingCannotReachIntoTheNextLeave)
{
    const qint64 first = record(QDate(2024, 2, 20), QDate(2024, 3, 1), QDate(2024, 3, 10));
    record(QDate(2024, 2, 20), QDate(2024, 3, 15), QDate(2024, 3, 20));
    ASSERT_EQ(expiry(), QDate(2024, 7, 14)) << "9 + 5 days";
    const QDate today(2024, 3, 5);
    const Outcome<> into = members::endLeave(on(today), key(first), QDate(2024, 3, 16));
    EXPECT_EQ(refusalOf(into), s(u"销假时间必须早于下次请假的开始时间！"));
    EXPECT_EQ(leaveValue(first, u"结束日期").toDate(), QDate(2024, 3, 10));
    EXPECT_EQ(expiry(), QDate(2024, 7, 14));

    // Up to the next leave's first day, which two leaves may share as recording allows.
    ASSERT_TRUE(members::endLeave(on(today), key(first), QDate(2024, 3, 15)).ok());
    EXPECT_EQ(leaveValue(first, u"请假天数").toInt(), 14);
    EXPECT_EQ(expiry(), QDate(2024, 7, 19)) << "14 + 5 days, none counted twice";
}

TEST_F(Leave, OnlyALeaveStillToComeIsDeletedAndItsDaysGoBack)
{
    const QDate today(2024, 3, 14);
    const qint64 tomorrow = record(QDate(2024, 3, 1), QDate(2024, 3, 15), QDate(2024, 3, 20));
    ASSERT_EQ(expiry(), QDate(2024, 7, 5));
    EXPECT_FALSE(members::checkLeaveDeletion(dm(), key(tomorrow), today));
    ASSERT_TRUE(members::deleteLeave(on(today), key(tomorrow)).ok());
    EXPECT_EQ(leaves().rowCount(), 0);
    EXPECT_EQ(expiry(), kExpiry);

    const QString started = s(u"假期已经开始执行不能删除，请使用销假功能！");
    const qint64 current = record(QDate(2024, 3, 1), QDate(2024, 3, 14), QDate(2024, 3, 20));
    for (const QDate& day : {today, today.addDays(3)}) {
        const MaybeRefusal check = members::checkLeaveDeletion(dm(), key(current), day);
        ASSERT_TRUE(check);
        EXPECT_EQ(check->message, started);
        EXPECT_EQ(refusalOf(members::deleteLeave(on(day), key(current))), started);
    }
    EXPECT_EQ(leaves().rowCount(), 1);
    EXPECT_EQ(expiry(), QDate(2024, 7, 6));
}

TEST_F(Leave, DaysNeverGivenToACardNotYetOpenedAreNeverTakenBack)
{
    const QString card = QStringLiteral("1002");
    const qint64 id = record(QDate(2024, 3, 10), QDate(2024, 3, 20), QDate(2024, 3, 25), card);
    EXPECT_EQ(leaveValue(id, u"请假天数").toInt(), 5);
    EXPECT_EQ(leaveValue(id, u"顺延天数").toInt(), 0);
    EXPECT_FALSE(expiry(card).isValid()) << "no expiry to move";

    // The first visit opens the card with 30 days from 12 March; the leave gave none of them.
    ASSERT_TRUE(frontdesk::checkIn(on(QDate(2024, 3, 12)), card).ok());
    ASSERT_EQ(expiry(card), QDate(2024, 4, 11));
    ASSERT_TRUE(members::endLeave(on(QDate(2024, 3, 12)), key(id, card), QDate(2024, 3, 22)).ok());
    EXPECT_EQ(leaveValue(id, u"请假天数").toInt(), 2);
    EXPECT_EQ(expiry(card), QDate(2024, 4, 11)) << "ending early takes nothing back";
    ASSERT_TRUE(members::deleteLeave(on(QDate(2024, 3, 12)), key(id, card)).ok());
    EXPECT_EQ(expiry(card), QDate(2024, 4, 11)) << "deleting takes nothing back";
}

TEST_F(Leave, ACommandOnARowReadEarlierActsOnTheRowAsStored)
{
    // Each command run twice from the same list row: the second finds what the first left.
    const qint64 id = record(QDate(2024, 2, 20), QDate(2024, 3, 1), QDate(2024, 3, 31));
    const QDate today(2024, 3, 11);
    ASSERT_TRUE(members::endLeave(on(today), key(id), today).ok());
    EXPECT_EQ(refusalOf(members::endLeave(on(today), key(id), QDate(2024, 3, 20))), s(u"假期结束时间已到，不能销假！"));
    EXPECT_EQ(leaveValue(id, u"请假天数").toInt(), 10);
    EXPECT_EQ(expiry(), QDate(2024, 7, 10));

    const qint64 later = record(today, QDate(2024, 4, 1), QDate(2024, 4, 11));
    ASSERT_EQ(expiry(), QDate(2024, 7, 20));
    ASSERT_TRUE(members::deleteLeave(on(today), key(later)).ok());
    const QString gone = s(u"该记录已不存在！");
    EXPECT_EQ(refusalOf(members::deleteLeave(on(today), key(later))), gone);
    EXPECT_EQ(members::checkLeaveDeletion(dm(), key(later), today)->message, gone);
    EXPECT_EQ(members::leaveToEnd(dm(), key(later), today).refusal().message, gone);
    EXPECT_EQ(refusalOf(members::endLeave(on(today), key(later), QDate(2024, 4, 5))), gone);
    EXPECT_EQ(expiry(), QDate(2024, 7, 10)) << "the days went back once";
}

TEST_F(Leave, AMemberDeletedOrRenumberedMeanwhileIsNamedAsGone)
{
    const QDate today(2024, 3, 1);
    const qint64 id = record(today, QDate(2024, 3, 10), QDate(2024, 3, 20));
    // A card change renumbers the member and its leaves.
    dm().change(s(u"update [会员信息] set [会员卡号]='2001' where [会员卡号]='1001'"));
    dm().change(s(u"update [会员请假] set [会员卡号]='2001' where [会员卡号]='1001'"));
    const QString gone = s(u"会员卡号不存在！");
    EXPECT_EQ(refusalOf(members::recordLeave(on(today), {kMember, QDate(2024, 4, 1), QDate(2024, 4, 2), {}})), gone);
    EXPECT_EQ(members::leaveToEnd(dm(), key(id), today).refusal().message, gone);
    EXPECT_EQ(refusalOf(members::endLeave(on(today), key(id), QDate(2024, 3, 12))), gone);
    EXPECT_EQ(members::checkLeaveDeletion(dm(), key(id), today)->message, gone);
    EXPECT_EQ(refusalOf(members::deleteLeave(on(today), key(id))), gone);
    EXPECT_FALSE(members::leaveMember(dm(), kMember));
    EXPECT_EQ(leaves().rowCount(), 1);
    EXPECT_EQ(expiry(QStringLiteral("2001")), QDate(2024, 7, 10));

    // Under its new number it is the member's leave still.
    EXPECT_TRUE(members::deleteLeave(on(today), key(id, QStringLiteral("2001"))).ok());
    EXPECT_EQ(expiry(QStringLiteral("2001")), kExpiry);
}

TEST_F(Leave, ACommandFailingAtItsLastWriteLeavesEverythingAsItWas)
{
    const QDate today(2024, 3, 1);
    Database& db = dm().db();
    // Recording: the row is written before the expiry moves.
    db.executeScript(s(u"create temp trigger [stop_member] before update on [会员信息] begin "
                       u"select raise(abort,'stopped'); end"));
    EXPECT_THROW(members::recordLeave(on(today), {kMember, QDate(2024, 3, 10), QDate(2024, 3, 20), {}}), DbError);
    EXPECT_EQ(leaves().rowCount(), 0);
    db.executeScript(QStringLiteral("drop trigger [stop_member]"));

    const qint64 id = record(today, QDate(2024, 3, 10), QDate(2024, 3, 20));
    ASSERT_EQ(expiry(), QDate(2024, 7, 10));
    // Ending: the row changes before the expiry does.
    db.executeScript(s(u"create temp trigger [stop_member] before update on [会员信息] begin "
                       u"select raise(abort,'stopped'); end"));
    EXPECT_THROW(members::endLeave(on(QDate(2024, 3, 12)), key(id), QDate(2024, 3, 12)), DbError);
    EXPECT_EQ(leaveValue(id, u"结束日期").toDate(), QDate(2024, 3, 20));
    EXPECT_EQ(leaveValue(id, u"请假天数").toInt(), 10);
    EXPECT_EQ(leaveValue(id, u"顺延天数").toInt(), 10);
    db.executeScript(QStringLiteral("drop trigger [stop_member]"));

    // Deleting: the expiry moves back before the row goes.
    db.executeScript(s(u"create temp trigger [stop_leave] before delete on [会员请假] begin "
                       u"select raise(abort,'stopped'); end"));
    EXPECT_THROW(members::deleteLeave(on(today), key(id)), DbError);
    EXPECT_EQ(leaves().rowCount(), 1);
    EXPECT_EQ(expiry(), QDate(2024, 7, 10));
    db.executeScript(QStringLiteral("drop trigger [stop_leave]"));
}

TEST_F(Leave, EachCommandIsRefusedWithoutItsRight)
{
    ASSERT_FALSE(security::addOperator(on(QDate(2024, 3, 1)),
                                       {QStringLiteral("xw"), QStringLiteral("1111"), QStringLiteral("1111")})
                     .refused());
    const std::pair<const char16_t*, const char16_t*> rights[] = {
        {u"会员请假管理", u"对不起，您无权进行会员请假管理！"},
        {u"会员请假", u"对不起，您无权进行会员请假操作！"},
        {u"删除请假", u"对不起，您无权进行删除请假操作！"},
        {u"会员销假", u"对不起，您无权进行会员销假操作！"},
    };
    for (const auto& [function, message] : rights) {
        const MaybeRefusal refused = security::checkPermission(dm(), QStringLiteral("xw"), s(function));
        ASSERT_TRUE(refused) << s(function).toStdString();
        EXPECT_EQ(refused->message, s(message));
        EXPECT_EQ(refused->icon, Refusal::Icon::Error);
        dm().change(s(u"update [工作人员操作权限] set [操作权限]=-1 where [操作人员]='xw' and [系统功能名称]=:f"),
                    {{QStringLiteral("f"), s(function)}});
        EXPECT_FALSE(security::checkPermission(dm(), QStringLiteral("xw"), s(function))) << "granted, it passes";
    }
}

TEST_F(Leave, TheMemberGroupShowsTheStoredMember)
{
    const auto opened = members::leaveMember(dm(), kMember);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->cardNumber, kMember);
    EXPECT_EQ(opened->name, s(u"张小龙"));
    EXPECT_EQ(opened->cardType, s(u"月卡"));
    EXPECT_EQ(opened->opened, QStringLiteral("2024-01-01"));
    EXPECT_EQ(opened->expiry, QStringLiteral("2024-06-30"));
    EXPECT_EQ(opened->status, s(u"可用"));
    EXPECT_EQ(opened->contact, s(u"13900001111;0571-8888"));
    const auto unopened = members::leaveMember(dm(), QStringLiteral("1002"));
    ASSERT_TRUE(unopened);
    EXPECT_EQ(unopened->opened, QString());
    EXPECT_EQ(unopened->expiry, QString());
}

} // namespace
