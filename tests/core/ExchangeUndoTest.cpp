#include "ExchangeHall.h"
#include "ParamNames.h"
#include "db/DbError.h"

#include <gtest/gtest.h>

using namespace tkd;
using test::s;

namespace {

class ExchangeUndo : public test::ExchangeHall {
protected:
    points::UndoneExchange undo(qint64 id, const QString& card = QStringLiteral("1001"))
    {
        const auto undone = points::undoExchange(context(), card, id);
        EXPECT_TRUE(undone.ok()) << (undone.ok() ? "" : undone.refusal().message.toStdString());
        return undone.ok() ? *undone : points::UndoneExchange{};
    }
    QString refusalOfUndo(qint64 id, const QString& card = QStringLiteral("1001"))
    {
        const auto undone = points::undoExchange(context(), card, id);
        return undone.refused() ? undone.refusal().message : QStringLiteral("(undone)");
    }
};

TEST_F(ExchangeUndo, GoodsGoBackToStockWithALedgerRowAndThePointsToTheMember)
{
    addGoods(QStringLiteral("A01"), "3");
    save();
    ASSERT_EQ(stock("A01"), 2.0);
    ASSERT_EQ(points("1001"), 70);

    const points::UndoneExchange undone = undo(onlyExchangeId());
    EXPECT_EQ(undone.points, 100);
    EXPECT_EQ(undone.expiry.date(), QDate(2024, 6, 30));
    EXPECT_EQ(points("1001"), 100);
    EXPECT_EQ(expiry("1001"), QDate(2024, 6, 30));
    EXPECT_EQ(stock("A01"), 5.0);
    EXPECT_EQ(exchanges().rowCount(), 0);
    const ResultSet back = ledger(u"兑换商品删除");
    ASSERT_EQ(back.rowCount(), 1);
    EXPECT_EQ(back.first(s(u"商品编号")).toText(), QStringLiteral("A01"));
    EXPECT_EQ(back.first(s(u"商品名称")).toText(), s(u"护具"));
    EXPECT_EQ(back.first(s(u"数量")).toDouble(), 3.0);
    EXPECT_EQ(back.first(s(u"单价")).toMoney(), Money());
    EXPECT_EQ(back.first(s(u"折扣率")).toDouble(), 1.0);
    EXPECT_EQ(back.first(s(u"总金额")).toMoney(), Money());
    EXPECT_EQ(back.first(s(u"操作员")).toText(), s(u"前台"));
}

TEST_F(ExchangeUndo, AGoneRowIsRefusedTheSecondTimeAndNothingMoves)
{
    addGoods(QStringLiteral("A01"), "3");
    save();
    const qint64 id = onlyExchangeId();
    undo(id);
    const auto ledgerAfterFirst = ledger().rowCount();

    EXPECT_EQ(refusalOfUndo(id), s(u"该记录已不存在！"));
    EXPECT_EQ(points("1001"), 100) << "the points were given back once";
    EXPECT_EQ(stock("A01"), 5.0);
    EXPECT_EQ(ledger().rowCount(), ledgerAfterFirst);
}

TEST_F(ExchangeUndo, ARowOfAnotherMemberIsNotThisMembersToUndo)
{
    addGoods(QStringLiteral("B01"), "1");
    save();
    const qint64 id = onlyExchangeId();
    EXPECT_EQ(refusalOfUndo(id, QStringLiteral("1002")), s(u"该记录已不存在！"));
    EXPECT_EQ(points("1002"), 500);
    EXPECT_EQ(exchanges().rowCount(), 1);
}

// The rate after the exchange, as 使用积分 : 兑换会籍.
struct LaterRate {
    qint64 points;
    qint64 days;
};

void PrintTo(const LaterRate& r, std::ostream* os)
{
    *os << r.points << ':' << r.days;
}

class UndoDaysAfterTheRateChanged : public ExchangeUndo, public ::testing::WithParamInterface<LaterRate> {};

TEST_P(UndoDaysAfterTheRateChanged, TakesBackTheDaysTheLineAdded)
{
    addDays(QStringLiteral("1001"), "100");
    save();
    ASSERT_EQ(expiry("1001"), QDate(2024, 7, 30));
    ASSERT_EQ(points("1001"), 0);
    setRate(GetParam().points, GetParam().days);

    const points::UndoneExchange undone = undo(onlyExchangeId());
    EXPECT_EQ(undone.expiry.date(), QDate(2024, 6, 30));
    EXPECT_EQ(expiry("1001"), QDate(2024, 6, 30));
    EXPECT_EQ(points("1001"), 100);
    EXPECT_EQ(ledger(u"兑换商品删除").rowCount(), 0) << "membership days are no stock";
}

INSTANTIATE_TEST_SUITE_P(Rates, UndoDaysAfterTheRateChanged,
                         ::testing::Values(LaterRate{100, 10}, LaterRate{0, 30}, LaterRate{100, 30}),
                         [](const auto& info) {
                             return test::nameFrom(std::to_string(info.param.points) + " to " +
                                                   std::to_string(info.param.days));
                         });

TEST_F(ExchangeUndo, DaysOfALaterLeaveOrRenewalStay)
{
    addDays(QStringLiteral("1001"), "50");
    save();
    ASSERT_EQ(expiry("1001"), QDate(2024, 7, 15));
    // A renewal moved the expiry on by 30 days since.
    dm().change(QStringLiteral("update [会员信息] set [到期日期]='2024-08-14' where [会员卡号]='1001'"));
    EXPECT_EQ(undo(onlyExchangeId()).expiry.date(), QDate(2024, 7, 30));
    EXPECT_EQ(expiry("1001"), QDate(2024, 7, 30));
}

TEST_F(ExchangeUndo, AnOldRowWithoutItsDaysGivesBackOnlyThePoints)
{
    // Written before the rows kept their days, with a remark that named none.
    dm().change(
        QStringLiteral("insert into [兑换商品] ([会员卡号],[会员姓名],[会员积分],[商品编号],[商品名称],[兑换日期],"
                       "[数量],[兑换积分],[备注]) values('1001','张小龙',130,'000000','积分换会籍','2023-12-01',"
                       "1,30,'')"));
    undo(onlyExchangeId());
    EXPECT_EQ(points("1001"), 130);
    EXPECT_EQ(expiry("1001"), QDate(2024, 6, 30));
}

TEST_F(ExchangeUndo, AnItemDeletedOrNoLongerCountedMovesNoStock)
{
    addGoods(QStringLiteral("A01"), "3");
    addGoods(QStringLiteral("A01"), "1");
    save();
    ASSERT_EQ(points("1001"), 60);
    const ResultSet rows = exchanges();
    ASSERT_EQ(rows.rowCount(), 2);

    dm().change(QStringLiteral("update [商品信息] set [是否计库存]=0 where [商品编号]='A01'"));
    undo(rows.value(1, s(u"编号")).toInt());
    EXPECT_EQ(stock("A01"), 1.0);
    EXPECT_EQ(points("1001"), 70);

    dm().change(QStringLiteral("delete from [商品信息] where [商品编号]='A01'"));
    undo(rows.value(0, s(u"编号")).toInt());
    EXPECT_EQ(points("1001"), 100);
    EXPECT_EQ(ledger(u"兑换商品删除").rowCount(), 0);
    EXPECT_EQ(exchanges().rowCount(), 0);
}

TEST_F(ExchangeUndo, AMemberGoneOrRenumberedIsRefusedAndTheRowStays)
{
    addGoods(QStringLiteral("A01"), "3");
    save();
    const qint64 id = onlyExchangeId();
    // A card change takes the member's rows along.
    dm().change(QStringLiteral("update [会员信息] set [会员卡号]='2001' where [会员卡号]='1001'"));
    dm().change(QStringLiteral("update [兑换商品] set [会员卡号]='2001' where [会员卡号]='1001'"));
    EXPECT_EQ(refusalOfUndo(id), s(u"会员卡号不存在！"));
    EXPECT_EQ(exchanges().rowCount(), 1);
    EXPECT_EQ(stock("A01"), 2.0);
    EXPECT_EQ(points("2001"), 70);

    dm().change(QStringLiteral("delete from [会员信息] where [会员卡号]='2001'"));
    EXPECT_EQ(refusalOfUndo(id, QStringLiteral("2001")), s(u"会员卡号不存在！"));
    EXPECT_EQ(exchanges().rowCount(), 1);
}

TEST_F(ExchangeUndo, AFailureAtTheLastWriteLeavesEverythingAsItWas)
{
    dm().change(QStringLiteral("update [会员信息] set [会员积分]=200 where [会员卡号]='1001'"));
    addGoods(QStringLiteral("A01"), "3");
    addDays(QStringLiteral("1001"), "100");
    save();
    const ResultSet rows = exchanges();
    ASSERT_EQ(rows.rowCount(), 2);
    const auto ledgerBefore = ledger().rowCount();
    dm().change(QStringLiteral("create temp trigger [keep_rows] before delete on [兑换商品] "
                               "begin select raise(abort, 'stopped'); end"));
    EXPECT_THROW(points::undoExchange(context(), QStringLiteral("1001"), rows.value(0, s(u"编号")).toInt()), DbError);
    EXPECT_THROW(points::undoExchange(context(), QStringLiteral("1001"), rows.value(1, s(u"编号")).toInt()), DbError);

    EXPECT_EQ(exchanges().rowCount(), 2);
    EXPECT_EQ(stock("A01"), 2.0);
    EXPECT_EQ(ledger().rowCount(), ledgerBefore);
    EXPECT_EQ(points("1001"), 70);
    EXPECT_EQ(expiry("1001"), QDate(2024, 7, 30));
}

} // namespace
