#include "lockers/LockerRegister.h"
#include "LockerHall.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

using namespace tkd;
using test::s;

namespace {

class LockerRegister : public ::testing::Test {
protected:
    CommandContext command() { return {t.dm(), s(u"管理员"), test::fixedMoment()}; }
    TvelunDMForm& dm() { return t.dm(); }
    QStringList numbers()
    {
        return dm().list(QStringLiteral("select [衣柜编号] from [衣柜设置] order by [编号]")).texts(s(u"衣柜编号"));
    }
    qint64 idOf(const QString& number) { return test::lockerRow(dm(), number).first(s(u"编号")).toInt(); }
    lockers::LockerEdit editOf(const QString& number)
    {
        const ResultSet row = test::lockerRow(dm(), number);
        lockers::LockerEdit e;
        e.id = row.first(s(u"编号")).toInt();
        e.number = number;
        e.name = row.first(s(u"衣柜名称")).toText();
        e.deposit = QStringLiteral("50");
        e.state = row.first(s(u"状态")).toText();
        return e;
    }
    test::TestDatabase t;
};

TEST_F(LockerRegister, BatchWithPrefixMakesNumberedFreeLockers)
{
    const Outcome<int> added =
        lockers::addLockers(command(), {QStringLiteral(" A "), QStringLiteral("1"), QStringLiteral("3"),
                                        QStringLiteral("50"), s(u" 一楼 ")});
    ASSERT_TRUE(added.ok()) << added.refusal().message.toStdString();
    EXPECT_EQ(added.value(), 3);
    const ResultSet rows = dm().list(QStringLiteral("select * from [衣柜设置] order by [编号]"));
    ASSERT_EQ(rows.rowCount(), 3);
    const QStringList names{s(u"A1衣柜"), s(u"A2衣柜"), s(u"A3衣柜")};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows.value(i, s(u"衣柜编号")).toText(), QStringLiteral("A%1").arg(i + 1));
        EXPECT_EQ(rows.value(i, s(u"衣柜名称")).toText(), names[i]);
        EXPECT_EQ(rows.value(i, s(u"状态")).toText(), s(u"可用"));
        EXPECT_EQ(rows.value(i, s(u"押金")).toMoney(), Money::fromYuan(50));
        EXPECT_EQ(rows.value(i, s(u"备注")).toText(), s(u"一楼"));
        EXPECT_TRUE(rows.value(i, s(u"到期日期")).isNull());
        EXPECT_EQ(rows.value(i, s(u"出租编号")).toInt(), 0);
        EXPECT_FALSE(rows.value(i, s(u"临时出租")).toBool());
    }
}

TEST_F(LockerRegister, BlankNumbersMakeOneLockerNumberedZeroAndLeadingZerosGo)
{
    ASSERT_TRUE(lockers::addLockers(command(), {QStringLiteral("B"), {}, {}, {}, {}}).ok());
    ASSERT_TRUE(lockers::addLockers(command(), {{}, QStringLiteral("007"), QStringLiteral("8"), {}, {}}).ok());
    EXPECT_EQ(numbers(), (QStringList{QStringLiteral("B0"), QStringLiteral("7"), QStringLiteral("8")}));
    EXPECT_EQ(test::lockerRow(dm(), QStringLiteral("B0")).first(s(u"押金")).toMoney(), Money());
}

TEST_F(LockerRegister, BatchRefusalsWriteNothing)
{
    test::addLocker(dm(), QStringLiteral("A2"), 30);
    struct Case {
        const char* name;
        lockers::LockerBatch batch;
        const char16_t* message;
        QString field;
    };
    const std::vector<Case> cases{
        {"end below start",
         {QStringLiteral("A"), QStringLiteral("5"), QStringLiteral("4"), {}, {}},
         u"结束编号不能小于起始编号！",
         lockers::lockerField::endNumber},
        {"start no number",
         {QStringLiteral("A"), QStringLiteral("1a"), QStringLiteral("4"), {}, {}},
         u"起始编号必须是整数！",
         lockers::lockerField::startNumber},
        {"end too long",
         {QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("1234567890"), {}, {}},
         u"结束编号必须是整数！",
         lockers::lockerField::endNumber},
        {"too many",
         {QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("10001"), {}, {}},
         u"一次最多增加10000个衣柜！",
         lockers::lockerField::endNumber},
        {"deposit no amount",
         {QStringLiteral("A"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("5x"), {}},
         u"押金必须是金额！",
         lockers::lockerField::deposit},
        {"negative deposit",
         {QStringLiteral("A"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("-5"), {}},
         u"押金不能为负数，请重新输入！",
         lockers::lockerField::deposit},
        // A1 would be written before A2 is met: the whole batch goes.
        {"existing number",
         {QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("3"), {}, {}},
         u"重复的衣柜编号：A2！",
         lockers::lockerField::number},
        {"existing number, other case",
         {QStringLiteral("a"), QStringLiteral("2"), QStringLiteral("2"), {}, {}},
         u"重复的衣柜编号：a2！",
         lockers::lockerField::number},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome<int> refused = lockers::addLockers(command(), c.batch);
        ASSERT_TRUE(refused.refused());
        EXPECT_EQ(refused.refusal().message, s(c.message));
        EXPECT_EQ(refused.refusal().field, c.field);
        EXPECT_EQ(numbers(), QStringList{QStringLiteral("A2")});
    }
}

TEST_F(LockerRegister, EditRewritesByKeyAndKeepsNumbersUnique)
{
    test::addLocker(dm(), QStringLiteral("A1"), 50);
    test::addLocker(dm(), QStringLiteral("A2"), 50);
    lockers::LockerEdit e = editOf(QStringLiteral("A2"));
    e.number = QStringLiteral(" B2 ");
    e.name = s(u" 二号 ");
    e.deposit = QStringLiteral("80.5");
    e.state = s(u"损坏");
    e.remark = s(u"门坏了");
    ASSERT_TRUE(lockers::editLocker(command(), e).ok());
    const ResultSet row = test::lockerRow(dm(), QStringLiteral("B2"));
    ASSERT_EQ(row.rowCount(), 1);
    EXPECT_EQ(row.first(s(u"衣柜名称")).toText(), s(u"二号"));
    EXPECT_EQ(row.first(s(u"押金")).toMoney(), Money::fromUnits(805000));
    EXPECT_EQ(row.first(s(u"状态")).toText(), s(u"损坏"));
    EXPECT_EQ(row.first(s(u"备注")).toText(), s(u"门坏了"));
    EXPECT_EQ(test::lockerRow(dm(), QStringLiteral("A1")).first(s(u"押金")).toMoney(), Money::fromYuan(50))
        << "the other locker is untouched";

    // Keeping its own number is fine; taking the other's is not.
    e.number = QStringLiteral("B2");
    EXPECT_TRUE(lockers::editLocker(command(), e).ok());
    e.number = QStringLiteral("a1");
    const Outcome<> taken = lockers::editLocker(command(), e);
    ASSERT_TRUE(taken.refused());
    EXPECT_EQ(taken.refusal().message, s(u"重复的衣柜编号：a1！"));
    EXPECT_EQ(numbers(), (QStringList{QStringLiteral("A1"), QStringLiteral("B2")}));
}

TEST_F(LockerRegister, EditRefusalsWriteNothing)
{
    test::addLocker(dm(), QStringLiteral("A1"), 50);
    test::addLocker(dm(), QStringLiteral("R1"), 50, s(u"已租"));
    struct Case {
        const char* name;
        QString number;
        QString deposit;
        QString state;
        QString locker;
        const char16_t* message;
        QString field;
    };
    const std::vector<Case> cases{
        {"blank number", QStringLiteral("  "), QStringLiteral("1"), s(u"可用"), QStringLiteral("A1"),
         u"衣柜编号不能为空！", lockers::lockerField::number},
        {"deposit no amount", QStringLiteral("A1"), QStringLiteral("1..2"), s(u"可用"), QStringLiteral("A1"),
         u"押金必须是金额！", lockers::lockerField::deposit},
        {"negative deposit", QStringLiteral("A1"), QStringLiteral("-1"), s(u"可用"), QStringLiteral("A1"),
         u"押金不能为负数，请重新输入！", lockers::lockerField::deposit},
        {"set to rented", QStringLiteral("A1"), QStringLiteral("1"), s(u"已租"), QStringLiteral("A1"),
         u"衣柜状态只能是可用、损坏或占用！", lockers::lockerField::state},
        {"rented locker", QStringLiteral("R9"), QStringLiteral("1"), s(u"可用"), QStringLiteral("R1"),
         u"该衣柜处于已租状态，不能修改！", QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        lockers::LockerEdit e = editOf(c.locker);
        e.number = c.number;
        e.deposit = c.deposit;
        e.state = c.state;
        const Outcome<> refused = lockers::editLocker(command(), e);
        ASSERT_TRUE(refused.refused());
        EXPECT_EQ(refused.refusal().message, s(c.message));
        EXPECT_EQ(refused.refusal().field, c.field);
        EXPECT_EQ(test::lockerRow(dm(), c.locker).first(s(u"押金")).toMoney(), Money::fromYuan(50));
    }
    EXPECT_EQ(lockers::editableStates(), (QStringList{s(u"可用"), s(u"损坏"), s(u"占用")}));
    const MaybeRefusal check = lockers::refuseLockerEdit(dm(), idOf(QStringLiteral("R1")));
    ASSERT_TRUE(check);
    EXPECT_EQ(check->message, s(u"该衣柜处于已租状态，不能修改！"));
    EXPECT_EQ(check->icon, Refusal::Icon::Warning);
    EXPECT_FALSE(lockers::refuseLockerEdit(dm(), idOf(QStringLiteral("A1"))));
}

TEST_F(LockerRegister, DeleteActsByKeyAndSparesRentedLockers)
{
    test::addLocker(dm(), QStringLiteral("A1"), 50);
    test::addLocker(dm(), QStringLiteral("A1"), 50, s(u"已租")); // a twin from before numbers were checked
    test::addLocker(dm(), QStringLiteral("A3"), 50);
    const qint64 twin = dm().list(s(u"select max([编号]) as m from [衣柜设置] where [衣柜编号]='A1'"))
                            .first(QStringLiteral("m"))
                            .toInt();
    const Outcome<> rented = lockers::removeLocker(command(), twin);
    ASSERT_TRUE(rented.refused());
    EXPECT_EQ(rented.refusal().message, s(u"该衣柜处于已租状态，不能删除！"));

    ASSERT_TRUE(lockers::removeLocker(command(), idOf(QStringLiteral("A3"))).ok());
    ASSERT_TRUE(lockers::removeLocker(command(), twin - 1).ok()) << "the free A1 goes, its rented twin stays";
    EXPECT_EQ(numbers(), QStringList{QStringLiteral("A1")});
    EXPECT_EQ(test::lockerRow(dm(), QStringLiteral("A1")).first(s(u"状态")).toText(), s(u"已租"));

    const Outcome<> gone = lockers::removeLocker(command(), twin - 1);
    ASSERT_TRUE(gone.refused());
    EXPECT_EQ(gone.refusal().message, s(u"该衣柜已不存在！"));
}

} // namespace
