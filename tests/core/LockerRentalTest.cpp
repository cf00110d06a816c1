#include "LockerHall.h"
#include "TestDatabase.h"
#include "cardtypes/CardTypes.h"
#include "db/DbError.h"
#include "lockers/LockerChoice.h"
#include "lockers/LockerRegister.h"
#include "lockers/Rent.h"
#include "lockers/Rentals.h"
#include "members/Registration.h"

#include <gtest/gtest.h>

using namespace tkd;
using test::s;

namespace {

const QDate kToday(2024, 3, 15);

class LockerRental : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::addMember(dm(), QStringLiteral("1001"), s(u"张小龙"), s(u"月卡"));
        test::addMember(dm(), QStringLiteral("1002"), s(u"李小梅"), s(u"年卡"));
        test::addLocker(dm(), QStringLiteral("A1"), 50);
        test::addLocker(dm(), QStringLiteral("A2"), 30);
    }
    CommandContext command() { return {t.dm(), s(u"管理员"), test::fixedMoment()}; }
    TvelunDMForm& dm() { return t.dm(); }
    lockers::RentalInput longTerm(const QString& card, const QString& locker,
                                  const QString& rent = QStringLiteral("100"))
    {
        lockers::RentalInput in;
        in.cardNumber = card;
        in.lockerNumber = locker;
        in.start = kToday;
        in.end = QDate(2024, 4, 14);
        in.rent = rent;
        in.remark = s(u" 长租 ");
        return in;
    }
    lockers::RentalTicket rent(const lockers::RentalInput& in)
    {
        const Outcome<lockers::RentalTicket> done = lockers::rentLocker(command(), in);
        EXPECT_TRUE(done.ok()) << (done.ok() ? "" : done.refusal().message.toStdString());
        return done.ok() ? done.value() : lockers::RentalTicket{};
    }
    Value locker(const QString& number, const char16_t* column)
    {
        return test::lockerRow(dm(), number).first(QString::fromUtf16(column));
    }
    int recordCount() { return test::rentalRows(dm()).rowCount(); }
    test::TestDatabase t;
};

TEST_F(LockerRental, LongTermRentalWritesTheRecordTheLockerAndTheMember)
{
    // A record of someone else first, so the rental's id is not simply 1.
    dm().change(s(u"insert into [衣柜出租] ([会员卡号],[出租状态],[租金],[押金]) values('9','退柜',0,0)"));
    const lockers::RentalTicket ticket = rent(longTerm(QStringLiteral("1001"), QStringLiteral("A1")));

    const ResultSet records = test::rentalRows(dm());
    ASSERT_EQ(records.rowCount(), 2);
    EXPECT_EQ(records.value(1, s(u"编号")).toInt(), ticket.recordId);
    EXPECT_EQ(locker(QStringLiteral("A1"), u"出租编号").toInt(), ticket.recordId) << "the locker names its record";
    EXPECT_EQ(records.value(1, s(u"会员卡号")).toText(), QStringLiteral("1001"));
    EXPECT_EQ(records.value(1, s(u"会员姓名")).toText(), s(u"张小龙"));
    EXPECT_EQ(records.value(1, s(u"会员类型")).toText(), s(u"月卡"));
    EXPECT_EQ(records.value(1, s(u"衣柜编号")).toText(), QStringLiteral("A1"));
    EXPECT_EQ(records.value(1, s(u"登记日期")).toDateTime(), test::fixedMoment());
    EXPECT_EQ(records.value(1, s(u"出租状态")).toText(), s(u"租用"));
    EXPECT_EQ(records.value(1, s(u"起始日期")).toDate(), kToday);
    EXPECT_EQ(records.value(1, s(u"截止日期")).toDate(), QDate(2024, 4, 14));
    EXPECT_EQ(records.value(1, s(u"租金")).toMoney(), Money::fromYuan(100));
    EXPECT_EQ(records.value(1, s(u"押金")).toMoney(), Money::fromYuan(50));
    EXPECT_EQ(records.value(1, s(u"备注")).toText(), s(u"长租"));

    EXPECT_EQ(locker(QStringLiteral("A1"), u"状态").toText(), s(u"已租"));
    EXPECT_EQ(locker(QStringLiteral("A1"), u"会员卡号").toText(), QStringLiteral("1001"));
    EXPECT_EQ(locker(QStringLiteral("A1"), u"会员姓名").toText(), s(u"张小龙"));
    EXPECT_EQ(locker(QStringLiteral("A1"), u"会员类型").toText(), s(u"月卡"));
    EXPECT_EQ(locker(QStringLiteral("A1"), u"到期日期").toDate(), QDate(2024, 4, 14));
    EXPECT_FALSE(locker(QStringLiteral("A1"), u"临时出租").toBool());
    EXPECT_EQ(test::memberLocker(dm(), QStringLiteral("1001")), QStringLiteral("A1"));

    EXPECT_EQ(ticket.lockerName, s(u"A1衣柜"));
    EXPECT_EQ(ticket.memberName, s(u"张小龙"));
    EXPECT_EQ(ticket.deposit, Money::fromYuan(50));
    EXPECT_EQ(ticket.amount, Money::fromYuan(100));
    EXPECT_EQ((ticket.deposit + ticket.amount).toYuanText(), s(u"150.00元"));
}

TEST_F(LockerRental, RenewalAddsToTheRentAndMovesBothEnds)
{
    const lockers::RentalTicket rented = rent(longTerm(QStringLiteral("1001"), QStringLiteral("A1")));
    const Outcome<lockers::RentalTicket> renewed =
        lockers::renewLocker(command(), {QStringLiteral("A1"), QStringLiteral("1001"), QDate(2024, 7, 13),
                                         QStringLiteral("60"), s(u"续三月")});
    ASSERT_TRUE(renewed.ok()) << renewed.refusal().message.toStdString();
    const ResultSet records = test::rentalRows(dm());
    ASSERT_EQ(records.rowCount(), 1) << "a renewal changes the rental's own record";
    EXPECT_EQ(records.first(s(u"租金")).toMoney(), Money::fromYuan(160));
    EXPECT_EQ(records.first(s(u"押金")).toMoney(), Money::fromYuan(50));
    EXPECT_EQ(records.first(s(u"截止日期")).toDate(), QDate(2024, 7, 13));
    EXPECT_EQ(records.first(s(u"起始日期")).toDate(), kToday);
    EXPECT_EQ(records.first(s(u"备注")).toText(), s(u"续三月"));
    EXPECT_EQ(locker(QStringLiteral("A1"), u"到期日期").toDate(), QDate(2024, 7, 13));
    EXPECT_EQ(locker(QStringLiteral("A1"), u"出租编号").toInt(), rented.recordId);
    EXPECT_EQ(renewed->start, QDate(2024, 4, 14)) << "the ticket runs from the old end";
    EXPECT_EQ(renewed->end, QDate(2024, 7, 13));
    EXPECT_EQ(renewed->amount, Money::fromYuan(60));
    EXPECT_EQ(renewed->deposit, Money::fromYuan(50));
    EXPECT_EQ(lockers::defaultRenewalEnd(QDate(2024, 4, 14)), QDate(2024, 7, 13));
}

TEST_F(LockerRental, ReturnRecordsTheRefundAndFreesTheLockerAndTheMember)
{
    rent(longTerm(QStringLiteral("1001"), QStringLiteral("A1")));
    const Outcome<lockers::ReturnDone> returned =
        lockers::returnLocker(command(), {QStringLiteral("A1"), QStringLiteral("1001")});
    ASSERT_TRUE(returned.ok()) << returned.refusal().message.toStdString();
    EXPECT_EQ(returned->refunded, Money::fromYuan(50));
    EXPECT_EQ(returned->memberLocker, QString());

    const ResultSet records = test::rentalRows(dm());
    ASSERT_EQ(records.rowCount(), 2);
    EXPECT_EQ(records.value(0, s(u"租金")).toMoney(), Money::fromYuan(100)) << "the rental record stays as it was";
    EXPECT_EQ(records.value(1, s(u"编号")).toInt(), returned->recordId);
    EXPECT_EQ(records.value(1, s(u"出租状态")).toText(), s(u"退柜"));
    EXPECT_EQ(records.value(1, s(u"押金")).toMoney(), Money::fromYuan(-50));
    EXPECT_EQ(records.value(1, s(u"租金")).toMoney(), Money());
    EXPECT_TRUE(records.value(1, s(u"起始日期")).isNull());
    EXPECT_TRUE(records.value(1, s(u"截止日期")).isNull());
    EXPECT_EQ(records.value(1, s(u"会员姓名")).toText(), s(u"张小龙"));
    EXPECT_EQ(records.value(1, s(u"会员类型")).toText(), s(u"月卡"));
    EXPECT_EQ(records.value(1, s(u"登记日期")).toDateTime(), test::fixedMoment());

    EXPECT_EQ(locker(QStringLiteral("A1"), u"状态").toText(), s(u"可用"));
    EXPECT_EQ(locker(QStringLiteral("A1"), u"会员卡号").toText(), QString());
    EXPECT_EQ(locker(QStringLiteral("A1"), u"会员姓名").toText(), QString());
    EXPECT_EQ(locker(QStringLiteral("A1"), u"会员类型").toText(), QString());
    EXPECT_TRUE(locker(QStringLiteral("A1"), u"到期日期").isNull());
    EXPECT_EQ(locker(QStringLiteral("A1"), u"出租编号").toInt(), 0);
    EXPECT_EQ(test::memberLocker(dm(), QStringLiteral("1001")), QString());
}

TEST_F(LockerRental, TemporaryRentalRunsTodayAndARenewalMakesItLongTerm)
{
    lockers::RentalInput in = longTerm(QStringLiteral("1001"), QStringLiteral("A2"), QStringLiteral("999"));
    in.kind = lockers::RentalKind::Temporary;
    in.start = QDate(2024, 1, 1);
    in.end = QDate(2024, 12, 1);
    const lockers::RentalTicket ticket = rent(in);
    EXPECT_TRUE(ticket.temporary);
    EXPECT_EQ(locker(QStringLiteral("A2"), u"到期日期").toDate(), kToday);
    EXPECT_TRUE(locker(QStringLiteral("A2"), u"临时出租").toBool());
    const ResultSet record = test::rentalRows(dm());
    EXPECT_EQ(record.first(s(u"起始日期")).toDate(), kToday);
    EXPECT_EQ(record.first(s(u"截止日期")).toDate(), kToday);
    EXPECT_EQ(record.first(s(u"租金")).toMoney(), Money()) << "a temporary rental takes no rent";
    EXPECT_EQ(record.first(s(u"押金")).toMoney(), Money::fromYuan(30));

    ASSERT_TRUE(
        lockers::renewLocker(
            command(), {QStringLiteral("A2"), QStringLiteral("1001"), QDate(2024, 4, 15), QStringLiteral("40"), {}})
            .ok());
    EXPECT_FALSE(locker(QStringLiteral("A2"), u"临时出租").toBool());
    EXPECT_EQ(locker(QStringLiteral("A2"), u"到期日期").toDate(), QDate(2024, 4, 15));
    EXPECT_EQ(test::rentalRows(dm()).first(s(u"租金")).toMoney(), Money::fromYuan(40));
}

TEST_F(LockerRental, RentalRefusalsComeInOrderAndWriteNothing)
{
    dm().change(s(u"update [衣柜设置] set [状态]='损坏' where [衣柜编号]='A2'"));
    test::addLocker(dm(), QStringLiteral("A3"), 10, s(u"占用"));
    struct Case {
        const char* name;
        lockers::RentalInput in;
        const char16_t* message;
        QString field;
    };
    auto with = [this](auto change) {
        lockers::RentalInput in = longTerm(QStringLiteral("1001"), QStringLiteral("A1"));
        change(in);
        return in;
    };
    const std::vector<Case> cases{
        {"no locker", with([](auto& in) { in.lockerNumber = QStringLiteral(" "); }), u"请选择衣柜！", QString()},
        {"no member", with([](auto& in) { in.cardNumber.clear(); }), u"请首先选择会员！", lockers::rentalField::card},
        {"rent no amount", with([](auto& in) { in.rent = QStringLiteral("1.2.3"); }), u"租金必须是金额！",
         lockers::rentalField::rent},
        {"negative rent", with([](auto& in) { in.rent = QStringLiteral("-100"); }), u"租金不能为负数，请重新输入！",
         lockers::rentalField::rent},
        {"end before start", with([](auto& in) { in.end = QDate(2024, 3, 14); }), u"结束日期不能小于起始日期！",
         lockers::rentalField::end},
        {"member gone", with([](auto& in) { in.cardNumber = QStringLiteral("7777"); }), u"会员卡号不存在！",
         lockers::rentalField::card},
        {"damaged", with([](auto& in) { in.lockerNumber = QStringLiteral("A2"); }),
         u"该衣柜处于非可用状态，请选择其它的衣柜！", QString()},
        {"occupied, temporary", with([](auto& in) {
             in.lockerNumber = QStringLiteral("A3");
             in.kind = lockers::RentalKind::Temporary;
         }),
         u"该衣柜处于非可用状态，请选择其它的衣柜！", QString()},
        {"no such locker", with([](auto& in) { in.lockerNumber = QStringLiteral("Z9"); }),
         u"该衣柜处于非可用状态，请选择其它的衣柜！", QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome<lockers::RentalTicket> refused = lockers::rentLocker(command(), c.in);
        ASSERT_TRUE(refused.refused());
        EXPECT_EQ(refused.refusal().message, s(c.message));
        EXPECT_EQ(refused.refusal().field, c.field);
        EXPECT_EQ(recordCount(), 0);
        EXPECT_EQ(test::memberLocker(dm(), QStringLiteral("1001")), QString());
    }
    // The management window refuses before its dialog opens.
    for (const char* number : {"A2", "A3"}) {
        const MaybeRefusal refused = lockers::refuseRenting(dm(), QString::fromLatin1(number));
        ASSERT_TRUE(refused) << number;
        EXPECT_EQ(refused->message, s(u"该衣柜处于不可用状态，不能出租！"));
    }
    EXPECT_FALSE(lockers::refuseRenting(dm(), QStringLiteral("A1")));
    // So does the registration's hold.
    const Outcome<> held = lockers::holdForRegistration(
        command(), {QStringLiteral("A2"), s(u"A2衣柜"), kToday, kToday, Money(), Money(), {}, {}});
    ASSERT_TRUE(held.refused());
    EXPECT_EQ(held.refusal().message, s(u"该衣柜处于非可用状态，请选择其它的衣柜！"));
}

TEST_F(LockerRental, ALockerRentedMeanwhileIsNotRentedTwice)
{
    rent(longTerm(QStringLiteral("1002"), QStringLiteral("A1")));
    const Outcome<lockers::RentalTicket> second =
        lockers::rentLocker(command(), longTerm(QStringLiteral("1001"), QStringLiteral("A1")));
    ASSERT_TRUE(second.refused());
    EXPECT_EQ(second.refusal().message, s(u"该衣柜处于非可用状态，请选择其它的衣柜！"));
    EXPECT_EQ(recordCount(), 1);
    EXPECT_EQ(locker(QStringLiteral("A1"), u"会员卡号").toText(), QStringLiteral("1002"));
}

TEST_F(LockerRental, RenewalAndReturnRefusals)
{
    rent(longTerm(QStringLiteral("1001"), QStringLiteral("A1")));
    struct Case {
        const char* name;
        lockers::RenewalInput in;
        const char16_t* message;
    };
    const QString a1 = QStringLiteral("A1");
    const QString card = QStringLiteral("1001");
    const std::vector<Case> cases{
        {"amount no amount", {a1, card, QDate(2024, 7, 1), QStringLiteral("6x"), {}}, u"续费金额必须是金额！"},
        {"negative amount",
         {a1, card, QDate(2024, 7, 1), QStringLiteral("-60"), {}},
         u"续费金额不能为负数，请重新输入！"},
        {"end before current end",
         {a1, card, QDate(2024, 4, 13), QStringLiteral("60"), {}},
         u"截止日期不能小于到期日期！"},
        {"free locker",
         {QStringLiteral("A2"), {}, QDate(2024, 7, 1), QStringLiteral("60"), {}},
         u"该衣柜处于非租用状态，不能续费！"},
        {"rented to someone else",
         {a1, QStringLiteral("1002"), QDate(2024, 7, 1), QStringLiteral("60"), {}},
         u"该衣柜处于非租用状态，不能续费！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome<lockers::RentalTicket> refused = lockers::renewLocker(command(), c.in);
        ASSERT_TRUE(refused.refused());
        EXPECT_EQ(refused.refusal().message, s(c.message));
        EXPECT_EQ(test::rentalRows(dm()).first(s(u"租金")).toMoney(), Money::fromYuan(100));
        EXPECT_EQ(locker(QStringLiteral("A1"), u"到期日期").toDate(), QDate(2024, 4, 14));
    }
    // Renewing to the very end it has is allowed (an amount settled late), zero amount too.
    EXPECT_TRUE(lockers::renewLocker(command(), {a1, card, QDate(2024, 4, 14), QStringLiteral("0"), {}}).ok());

    for (const auto& [number, who] :
         {std::pair{QStringLiteral("A2"), QString()}, std::pair{a1, QStringLiteral("1002")}}) {
        const Outcome<lockers::ReturnDone> refused = lockers::returnLocker(command(), {number, who});
        ASSERT_TRUE(refused.refused());
        EXPECT_EQ(refused.refusal().message, s(u"该衣柜处于非租用状态，不能退柜！"));
    }
    EXPECT_EQ(recordCount(), 1);
    EXPECT_EQ(lockers::refuseRenewal(dm(), QStringLiteral("A2"))->message, s(u"该衣柜处于非租用状态，不能续费！"));
    EXPECT_EQ(lockers::refuseReturn(dm(), QStringLiteral("A2"))->message, s(u"该衣柜处于非租用状态，不能退柜！"));
    EXPECT_FALSE(lockers::refuseRenewal(dm(), a1));
    EXPECT_FALSE(lockers::refuseReturn(dm(), a1));
}

TEST_F(LockerRental, RenewalWithoutItsRecordRecordsItselfAsARental)
{
    rent(longTerm(QStringLiteral("1001"), QStringLiteral("A1")));
    dm().change(s(u"delete from [衣柜出租]")); // the yearly clean-up
    const Outcome<lockers::RentalTicket> renewed = lockers::renewLocker(
        command(), {QStringLiteral("A1"), QStringLiteral("1001"), QDate(2024, 7, 13), QStringLiteral("60"), s(u"续")});
    ASSERT_TRUE(renewed.ok());
    const ResultSet records = test::rentalRows(dm());
    ASSERT_EQ(records.rowCount(), 1);
    EXPECT_EQ(records.first(s(u"出租状态")).toText(), s(u"租用"));
    EXPECT_EQ(records.first(s(u"登记日期")).toDateTime(), test::fixedMoment());
    EXPECT_EQ(records.first(s(u"起始日期")).toDate(), QDate(2024, 4, 14));
    EXPECT_EQ(records.first(s(u"截止日期")).toDate(), QDate(2024, 7, 13));
    EXPECT_EQ(records.first(s(u"租金")).toMoney(), Money::fromYuan(60));
    EXPECT_EQ(records.first(s(u"押金")).toMoney(), Money());
    EXPECT_EQ(records.first(s(u"会员卡号")).toText(), QStringLiteral("1001"));
    EXPECT_EQ(records.first(s(u"会员类型")).toText(), s(u"月卡"));
    EXPECT_EQ(locker(QStringLiteral("A1"), u"出租编号").toInt(), records.first(s(u"编号")).toInt());

    // With its record gone, the return pays back the locker's deposit.
    const Outcome<lockers::ReturnDone> returned = lockers::returnLocker(command(), {QStringLiteral("A1"), {}});
    ASSERT_TRUE(returned.ok());
    EXPECT_EQ(returned->refunded, Money()) << "the renewal's own record took no deposit";
}

TEST_F(LockerRental, ReturnWithoutAnyRecordPaysBackTheLockersDeposit)
{
    rent(longTerm(QStringLiteral("1001"), QStringLiteral("A1")));
    dm().change(s(u"delete from [衣柜出租]"));
    const Outcome<lockers::ReturnDone> returned = lockers::returnLocker(command(), {QStringLiteral("A1"), {}});
    ASSERT_TRUE(returned.ok());
    EXPECT_EQ(returned->refunded, Money::fromYuan(50));
    EXPECT_EQ(test::rentalRows(dm()).first(s(u"押金")).toMoney(), Money::fromYuan(-50));
}

TEST_F(LockerRental, ReturnRefundsWhatTheRegistrationTookThoughTheLockerChanged)
{
    cardtypes::Input type;
    type.code = QStringLiteral("Y");
    type.name = s(u"季卡");
    type.days = QStringLiteral("90");
    type.price = Money();
    ASSERT_FALSE(cardtypes::save(command(), type).refused());
    ASSERT_TRUE(lockers::holdForRegistration(command(), {QStringLiteral("A1"),
                                                         s(u"A1衣柜"),
                                                         kToday,
                                                         QDate(2024, 4, 14),
                                                         Money::fromYuan(100),
                                                         Money::fromYuan(50),
                                                         {},
                                                         {}})
                    .ok());
    lockers::LockerEdit edit;
    edit.id = locker(QStringLiteral("A1"), u"编号").toInt();
    edit.number = QStringLiteral("A1");
    edit.name = s(u"A1衣柜");
    edit.deposit = QStringLiteral("80");
    edit.state = s(u"可用");
    ASSERT_TRUE(lockers::editLocker(command(), edit).ok());

    members::MemberInput in;
    in.cardNumber = QStringLiteral("8001");
    in.name = s(u"赵小虎");
    in.type = s(u"季卡");
    in.joined = kToday;
    in.visits = QStringLiteral("0");
    in.days = QStringLiteral("90");
    in.birthMonth = QStringLiteral("5");
    in.birthDay = QStringLiteral("6");
    in.locker = QStringLiteral("A1");
    const auto saved = members::registerMember(command(), in);
    ASSERT_FALSE(saved.refused()) << saved.refusal().message.toStdString();
    EXPECT_EQ(test::rentalRows(dm()).first(s(u"押金")).toMoney(), Money::fromYuan(50));
    EXPECT_EQ(locker(QStringLiteral("A1"), u"出租编号").toInt(), test::rentalRows(dm()).first(s(u"编号")).toInt());
    EXPECT_EQ(locker(QStringLiteral("A1"), u"会员类型").toText(), s(u"季卡"));

    const Outcome<lockers::ReturnDone> returned =
        lockers::returnLocker(command(), {QStringLiteral("A1"), QStringLiteral("8001")});
    ASSERT_TRUE(returned.ok());
    EXPECT_EQ(returned->refunded, Money::fromYuan(50));
    EXPECT_EQ(test::rentalRows(dm()).value(1, s(u"押金")).toMoney(), Money::fromYuan(-50));
}

TEST_F(LockerRental, AReturnLeavesTheMemberTheirOtherLocker)
{
    test::addLocker(dm(), QStringLiteral("A3"), 20);
    const QString card = QStringLiteral("1001");
    rent(longTerm(card, QStringLiteral("A1")));
    rent(longTerm(card, QStringLiteral("A2")));
    rent(longTerm(QStringLiteral("1002"), QStringLiteral("A3")));
    EXPECT_EQ(test::memberLocker(dm(), card), QStringLiteral("A2")) << "the member's row names the latest";

    // Returning one the row does not name leaves the row alone.
    ASSERT_TRUE(lockers::returnLocker(command(), {QStringLiteral("A1"), card}).ok());
    EXPECT_EQ(test::memberLocker(dm(), card), QStringLiteral("A2"));

    rent(longTerm(card, QStringLiteral("A1")));
    // A1 is named now; returning it names A2 again, never the other member's A3.
    const Outcome<lockers::ReturnDone> first = lockers::returnLocker(command(), {QStringLiteral("A1"), card});
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(first->memberLocker, QStringLiteral("A2"));
    EXPECT_EQ(test::memberLocker(dm(), card), QStringLiteral("A2"));
    const Outcome<lockers::ReturnDone> last = lockers::returnLocker(command(), {QStringLiteral("A2"), card});
    ASSERT_TRUE(last.ok());
    EXPECT_EQ(last->memberLocker, QString());
    EXPECT_EQ(test::memberLocker(dm(), card), QString());
    EXPECT_EQ(test::memberLocker(dm(), QStringLiteral("1002")), QStringLiteral("A3"));
}

TEST_F(LockerRental, TheDeskCountsOnlyALockerRentedToTheMemberShown)
{
    rent(longTerm(QStringLiteral("1002"), QStringLiteral("A1")));
    // A stale number on the member's row: A1 is someone else's, Z9 does not exist, A2 is free.
    for (const char* number : {"A1", "Z9", "A2", ""})
        EXPECT_FALSE(lockers::deskLocker(dm(), QStringLiteral("1001"), QString::fromLatin1(number))) << number;
    const auto held = lockers::deskLocker(dm(), QStringLiteral("1002"), QStringLiteral("A1"));
    ASSERT_TRUE(held);
    EXPECT_EQ(held->expiry, QDate(2024, 4, 14));
    EXPECT_FALSE(held->temporary);
    EXPECT_EQ(held->deposit, Money::fromYuan(50));
}

TEST_F(LockerRental, AFailurePartWayLeavesNothingWritten)
{
    // The member's row refuses every change: the record and the locker were written before it.
    dm().db().executeScript(QStringLiteral(
        "create temp trigger [stop_member] before update on [会员信息] begin select raise(abort,'stopped'); end"));
    EXPECT_THROW(lockers::rentLocker(command(), longTerm(QStringLiteral("1001"), QStringLiteral("A1"))), DbError);
    EXPECT_EQ(recordCount(), 0);
    EXPECT_EQ(locker(QStringLiteral("A1"), u"状态").toText(), s(u"可用"));
    EXPECT_EQ(locker(QStringLiteral("A1"), u"出租编号").toInt(), 0);
    dm().db().executeScript(QStringLiteral("drop trigger [stop_member]"));

    rent(longTerm(QStringLiteral("1001"), QStringLiteral("A1")));
    // The return's record comes last, after the locker and the member were freed.
    dm().db().executeScript(QStringLiteral(
        "create temp trigger [stop_record] before insert on [衣柜出租] begin select raise(abort,'stopped'); end"));
    EXPECT_THROW(lockers::returnLocker(command(), {QStringLiteral("A1"), {}}), DbError);
    EXPECT_EQ(locker(QStringLiteral("A1"), u"状态").toText(), s(u"已租"));
    EXPECT_EQ(test::memberLocker(dm(), QStringLiteral("1001")), QStringLiteral("A1"));
    dm().db().executeScript(QStringLiteral("drop trigger [stop_record]"));

    // The renewal's locker update comes after its record's.
    dm().db().executeScript(QStringLiteral("create temp trigger [stop_locker] before update on [衣柜设置] begin "
                                           "select raise(abort,'stopped'); end"));
    EXPECT_THROW(
        lockers::renewLocker(command(), {QStringLiteral("A1"), {}, QDate(2024, 7, 1), QStringLiteral("60"), {}}),
        DbError);
    EXPECT_EQ(test::rentalRows(dm()).first(s(u"租金")).toMoney(), Money::fromYuan(100));
    dm().db().executeScript(QStringLiteral("drop trigger [stop_locker]"));

    // A batch stops at its third locker.
    dm().db().executeScript(QStringLiteral("create temp trigger [stop_b3] before insert on [衣柜设置] when "
                                           "new.[衣柜编号]='B3' begin select raise(abort,'stopped'); end"));
    EXPECT_THROW(
        lockers::addLockers(command(), {QStringLiteral("B"), QStringLiteral("1"), QStringLiteral("4"), {}, {}}),
        DbError);
    EXPECT_TRUE(test::lockerRow(dm(), QStringLiteral("B1")).isEmpty());
}

} // namespace
