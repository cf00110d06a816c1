#include "GoodsValues.h"
#include "TestDatabase.h"
#include "data/TvelunDMForm.h"
#include "goods/Quantities.h"
#include "goods/StockLedger.h"

#include <gtest/gtest.h>

using namespace tkd;
using namespace tkd::goods;

namespace {

using test::money;
using test::quantity;
using test::s;

struct LineCase {
    const char* price;
    const char* quantity;
    const char* rate;
    const char* total;
};

TEST(GoodsMoney, LineTotalsAreExactAndRoundedOnceHalfToEven)
{
    const LineCase cases[] = {
        {"1.15", "1", "0.90", "1.04"},   // 1.035 rounds to the even cent
        {"10.05", "1", "0.90", "9.04"},  // 9.045 likewise
        {"0.25", "0.5", "1", "0.12"},    // 0.125
        {"19.90", "3", "0.86", "51.34"}, // 51.342
        {"2.5", "-1", "1", "-2.50"},     // a returned line
        {"0.10", "3", "1", "0.30"},      // no drift from binary fractions
        {"99999.99", "9999.9999", "1", "999999890.00"},
    };
    for (const LineCase& c : cases) {
        const auto rate = Rate::parse(QString::fromLatin1(c.rate));
        ASSERT_TRUE(rate) << c.rate;
        EXPECT_EQ(lineTotal(money(c.price), quantity(c.quantity), *rate), money(c.total))
            << c.price << " x " << c.quantity << " x " << c.rate;
    }
    EXPECT_EQ(lineTotal(money("2.505"), quantity("1"), Rate::one()), money("2.50")) << "opening stock 1 x 2.505";
    EXPECT_EQ(purchaseTotal(money("1.2345"), quantity("3")), money("3.7035")) << "purchase lines keep four decimals";
    EXPECT_EQ(purchaseTotal(money("2.5"), quantity("0.4")), money("1"));
}

TEST(GoodsMoney, PricesShowEveryDecimalTheyHaveAndAtLeastTwo)
{
    EXPECT_EQ(priceText(money("45")), QStringLiteral("45.00"));
    EXPECT_EQ(priceText(money("2.5")), QStringLiteral("2.50"));
    EXPECT_EQ(priceText(money("6.1234")), QStringLiteral("6.1234")) << "shown and saved again, never rounded";
    EXPECT_EQ(priceText(money("0.125")), QStringLiteral("0.125"));
    EXPECT_EQ(priceText(money("-0.05")), QStringLiteral("-0.05"));
}

TEST(GoodsMoney, PointsAreTheTotalOverTheRateTruncated)
{
    EXPECT_EQ(pointsEarned(money("19.90"), money("10")), 1);
    EXPECT_EQ(pointsEarned(money("0.30"), money("0.10")), 3) << "0.1 + 0.2 earns 3 points, not 2";
    EXPECT_EQ(pointsEarned(money("100"), money("0")), 0) << "rate 0 earns nothing";
    EXPECT_EQ(pointsEarned(money("-19.90"), money("10")), -1) << "truncated towards zero";
}

TEST(GoodsMoney, QuantitiesAndRatesReadOnlyNumbers)
{
    for (const char* bad : {"", " ", "1.2.3", "-", "1-2", "--1", "1.23456", "abc", "99999999999999999999", "１"})
        EXPECT_FALSE(Quantity::parse(QString::fromUtf8(bad)).has_value()) << bad;
    EXPECT_EQ(quantity(" -1.5 ").units(), -15000);
    EXPECT_EQ(quantity(".5").units(), 5000);
    EXPECT_EQ(quantity("0.0001").toText(), QStringLiteral("0.0001"));
    EXPECT_EQ(quantity("3.50").toText(), QStringLiteral("3.5"));
    EXPECT_EQ(quantity("-2").toFixed2(), QStringLiteral("-2.00"));
    EXPECT_EQ(Quantity::fromStored(0.1 + 0.2), quantity("0.3"));

    for (const char* bad : {"", "-0.9", "0.855", "1.2.3", "x"})
        EXPECT_FALSE(Rate::parse(QString::fromLatin1(bad)).has_value()) << bad;
    EXPECT_EQ(Rate::fromStored(0.856).toText(), QStringLiteral("0.86"));
    EXPECT_EQ(Rate::fromStored(1).toText(), QStringLiteral("1.00"));
    EXPECT_EQ(Rate::parse(QStringLiteral(".9"))->hundredths(), 90);
}

class StockLedgerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        addItem(QStringLiteral("S1"), true, 2);
        addItem(QStringLiteral("F1"), false, 0);
    }
    void addItem(const QString& code, bool counted, double stock)
    {
        db.dm().change(s(u"insert into [商品信息] ([商品编号],[商品名称],[单位],[是否计库存],[数量],[销售总数]) "
                         u"values (:b,:m,'个',:c,:q,0)"),
                       {{QStringLiteral("b"), code},
                        {QStringLiteral("m"), code + s(u"名")},
                        {QStringLiteral("c"), counted},
                        {QStringLiteral("q"), stock}});
    }
    StockMove move(StockMoveKind kind, const QString& code, const char* qty, const char* amount)
    {
        StockMove m;
        m.kind = kind;
        m.code = code;
        m.name = code + s(u"名");
        m.unit = s(u"个");
        m.price = money("2.50");
        m.quantity = quantity(qty);
        m.amount = money(amount);
        m.day = QDate(2024, 3, 15);
        m.operatorName = s(u"孙丽");
        return m;
    }
    Quantity stock(const QString& code, const char16_t* column = u"数量")
    {
        return Quantity::fromStored(
            db.dm()
                .list(QStringLiteral("select [%1] from [商品信息] where [商品编号]=:b").arg(QString::fromUtf16(column)),
                      {{QStringLiteral("b"), code}})
                .value(0, 0)
                .toDouble());
    }
    qint64 ledgerRows() { return db.db().scalar(s(u"select count(*) from [商品进退单]")).toInt(); }
    test::TestDatabase db;
};

TEST_F(StockLedgerTest, EveryKindMovesStockByItsSignedQuantity)
{
    EXPECT_EQ(recordStockMove(db.dm(), move(StockMoveKind::Purchase, QStringLiteral("S1"), "3", "7.50")),
              StockMoveResult::Written);
    EXPECT_EQ(stock(QStringLiteral("S1")), quantity("5")) << "2 + 3";
    EXPECT_EQ(recordStockMove(db.dm(), move(StockMoveKind::SupplierReturn, QStringLiteral("s1"), "-6", "15")),
              StockMoveResult::Written)
        << "codes compare as the column does";
    EXPECT_EQ(stock(QStringLiteral("S1")), quantity("-1")) << "a return may go below zero";
    recordStockMove(db.dm(), move(StockMoveKind::Sale, QStringLiteral("S1"), "-2", "-5"));
    recordStockMove(db.dm(), move(StockMoveKind::Sale, QStringLiteral("S1"), "-3", "-7.50"));
    EXPECT_EQ(stock(QStringLiteral("S1")), quantity("-6")) << "two lines of one item both count";
    EXPECT_EQ(stock(QStringLiteral("S1"), u"销售总数"), quantity("5"));
    recordStockMove(db.dm(), move(StockMoveKind::MemberReturn, QStringLiteral("S1"), "1", "2.50"));
    EXPECT_EQ(stock(QStringLiteral("S1"), u"销售总数"), quantity("4")) << "a member return is unsold";
    recordStockMove(db.dm(), move(StockMoveKind::Exchange, QStringLiteral("S1"), "-1", "0"));
    recordStockMove(db.dm(), move(StockMoveKind::ExchangeUndone, QStringLiteral("S1"), "1", "0"));
    EXPECT_EQ(stock(QStringLiteral("S1"), u"销售总数"), quantity("4")) << "exchanges are not sales";

    const ResultSet rows = db.dm().list(s(u"select [状态说明],[数量],[总金额],[折扣率],[日期],[操作员] from "
                                          u"[商品进退单] order by rowid"));
    ASSERT_EQ(rows.rowCount(), 7);
    const QStringList kinds{s(u"采购进货"), s(u"采购退货"), s(u"商品销售"),    s(u"商品销售"),
                            s(u"商品退货"), s(u"兑换商品"), s(u"兑换商品删除")};
    EXPECT_EQ(rows.texts(s(u"状态说明")), kinds);
    EXPECT_EQ(rows.value(1, s(u"数量")).toDouble(), -6);
    EXPECT_EQ(rows.value(1, s(u"总金额")).toMoney(), money("15")) << "a supplier return's amount stays positive";
    EXPECT_EQ(rows.value(0, s(u"折扣率")).toDouble(), 1);
    EXPECT_EQ(rows.value(0, s(u"日期")).toDateTime(), QDateTime(QDate(2024, 3, 15), QTime(0, 0)));
    EXPECT_EQ(rows.value(0, s(u"操作员")).toText(), s(u"孙丽"));
    double sum = 0;
    for (int i = 0; i < rows.rowCount(); ++i)
        sum += rows.value(i, s(u"数量")).toDouble();
    EXPECT_EQ(stock(QStringLiteral("S1")), Quantity::fromStored(2 + sum)) << "stock is the opening plus the ledger";
}

TEST_F(StockLedgerTest, ItemsThatDoNotCountStockOrAreGoneWriteNothing)
{
    EXPECT_EQ(recordStockMove(db.dm(), move(StockMoveKind::Sale, QStringLiteral("F1"), "-2", "-5")),
              StockMoveResult::NotCounted);
    EXPECT_EQ(recordStockMove(db.dm(), move(StockMoveKind::Purchase, QStringLiteral("GONE"), "2", "5")),
              StockMoveResult::NotCounted);
    EXPECT_EQ(ledgerRows(), 0);
    EXPECT_EQ(stock(QStringLiteral("F1")), Quantity());
    EXPECT_EQ(stock(QStringLiteral("F1"), u"销售总数"), Quantity());
}

} // namespace
