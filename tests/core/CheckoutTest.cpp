#include "goods/Checkout.h"
#include "GoodsValues.h"
#include "ParamNames.h"
#include "SmsSimulator.h"
#include "TestDatabase.h"
#include "cardtypes/CardTypes.h"
#include "db/DbError.h"
#include "goods/ShoppingList.h"
#include "goods/StockLedger.h"
#include "sms/AutoSms.h"
#include "sms/SmsOperations.h"
#include "sms/SmsState.h"

#include <gtest/gtest.h>

using namespace tkd;
using namespace tkd::goods;
using tkd::test::money;
using tkd::test::s;

namespace {

const QDateTime kNow(QDate(2024, 3, 15), QTime(10, 30, 12));

// A hall with a discount card (0.856) and a plain one, members on each, stock goods, a good that
// counts no stock and a service; ten yuan earn a point.
class Checkout : public ::testing::Test {
protected:
    void SetUp() override
    {
        addType(QStringLiteral("J"), s(u"金卡"), QStringLiteral("0.856"));
        addType(QStringLiteral("P"), s(u"普通卡"), QStringLiteral("1"));
        addMember(QStringLiteral("1001"), s(u"张小龙"), s(u"金卡"), "100");
        addMember(QStringLiteral("1002"), s(u"李小燕"), s(u"普通卡"), "0");
        addItem(QStringLiteral("A01"), s(u"护具"), "100", true, false, "10");
        addItem(QStringLiteral("A02"), s(u"道服"), "19.90", true, false, "0");
        addItem(QStringLiteral("B01"), s(u"矿泉水"), "2.50", false, false, "0");
        addItem(QStringLiteral("S01"), s(u"私教课"), "80", false, true, "0");
        dm().change(QStringLiteral("update [其它设置] set [消费积分]=10"));
        dm().change(QStringLiteral("update [用户信息] set [用户名称]='澄岚跆拳道馆',[联系电话]='0571-8888',"
                                   "[联系地址]='青年路8号'"));
        dm().change(QStringLiteral("insert into [员工设置] ([姓名],[职务],[状态]) values('王教练','教练','正常')"));
    }
    void addType(const QString& code, const QString& name, const QString& discount)
    {
        cardtypes::Input input;
        input.code = code;
        input.name = name;
        input.discount = discount;
        input.price = Money::fromYuan(300);
        ASSERT_FALSE(cardtypes::save(context(), input).refused());
    }
    void addMember(const QString& card, const QString& name, const QString& type, const char* balance)
    {
        dm().change(QStringLiteral("insert into [会员信息] ([会员卡号],[会员姓名],[会员类型],[会员状态],[卡内余额],"
                                   "[消费总额],[会员积分],[移动电话]) values(:k,:n,:t,'可用',:b,50,5,'13800000000')"),
                    {{QStringLiteral("k"), card},
                     {QStringLiteral("n"), name},
                     {QStringLiteral("t"), type},
                     {QStringLiteral("b"), money(balance)}});
    }
    // An item with its opening stock in the ledger, as the catalogue writes it.
    void addItem(const QString& code, const QString& name, const char* price, bool counted, bool service,
                 const char* stock)
    {
        dm().change(
            QStringLiteral("insert into [商品信息] ([商品编号],[商品名称],[单位],[是否计库存],[预售单价],[数量],"
                           "[销售总数],[人工服务]) values(:c,:n,'个',:k,:p,0,0,:s)"),
            {{QStringLiteral("c"), code},
             {QStringLiteral("n"), name},
             {QStringLiteral("k"), counted},
             {QStringLiteral("p"), money(price)},
             {QStringLiteral("s"), service}});
        const auto opening = Quantity::parse(QString::fromLatin1(stock));
        if (counted && opening && !opening->isZero()) {
            StockMove move;
            move.code = code;
            move.name = name;
            move.quantity = *opening;
            move.day = kNow.date();
            recordStockMove(dm(), move);
        }
    }
    TvelunDMForm& dm() { return db.dm(); }
    CommandContext context() { return CommandContext{dm(), s(u"前台"), kNow}.withSms(sms); }
    ShoppingLine add(const QString& code, const char* quantity, Rate rate = Rate::fromHundredths(86))
    {
        auto line = list.add(code, QString::fromLatin1(quantity), rate);
        EXPECT_TRUE(line.ok()) << (line.ok() ? "" : line.refusal().message.toStdString());
        return line.ok() ? *line : ShoppingLine{};
    }
    CheckoutInput input(PaymentMeans means, const QString& card = QStringLiteral("1001"))
    {
        CheckoutInput in;
        in.cardNumber = card;
        in.means = means;
        return in;
    }
    Value member(const char* card, const char16_t* column)
    {
        return dm()
            .open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), QString::fromLatin1(card)}})
            .first(s(column));
    }
    double stock(const char* code)
    {
        return dm()
            .open(QStringLiteral("ADOQ_spxx"), {{QStringLiteral("spbh"), QString::fromLatin1(code)}})
            .first(s(u"数量"))
            .toDouble();
    }
    double soldTotal(const char* code)
    {
        return dm()
            .open(QStringLiteral("ADOQ_spxx"), {{QStringLiteral("spbh"), QString::fromLatin1(code)}})
            .first(s(u"销售总数"))
            .toDouble();
    }
    ResultSet sales() { return dm().list(QStringLiteral("select * from [会员消费] order by [编号]")); }
    ResultSet payments() { return dm().list(QStringLiteral("select * from [金额记录]")); }
    ResultSet ledgerSales()
    {
        return dm().list(QStringLiteral("select * from [商品进退单] where [状态说明]='商品销售'"));
    }
    int ledgerRows() { return dm().list(QStringLiteral("select * from [商品进退单]")).rowCount(); }

    test::TestDatabase db;
    SmsState sms;
    ShoppingList list{db.dm()};
};

TEST_F(Checkout, OpeningShowsTheCardTypeRateToTwoDecimalsAndTheMembersFigures)
{
    const auto opened = openSale(dm(), QStringLiteral("1001"));
    ASSERT_TRUE(opened.ok());
    EXPECT_EQ(opened->name, s(u"张小龙"));
    EXPECT_EQ(opened->type, s(u"金卡"));
    EXPECT_EQ(opened->rate.toText(), QStringLiteral("0.86")) << "0.856 is shown as 0.86";
    EXPECT_EQ(opened->balance, Money::fromYuan(100));
    EXPECT_EQ(opened->balance.toYuanText(), s(u"100.00元"));
    EXPECT_EQ(totalSpentText(opened->totalSpent), s(u"50元"));
    EXPECT_EQ(opened->yuanPerPoint, Money::fromYuan(10));
    EXPECT_TRUE(offersStoredValue(opened->balance));
    EXPECT_FALSE(offersStoredValue(openSale(dm(), QStringLiteral("1002"))->balance)) << "a balance of 0";
    EXPECT_EQ(pointsLine(Money(), opened->yuanPerPoint), s(u"本次消费共积0分"));

    // The line is priced with the rate shown, not the stored 0.856: 10.05 x 0.86 = 8.643.
    dm().change(QStringLiteral("update [商品信息] set [预售单价]=10.05 where [商品编号]='A01'"));
    const ShoppingLine line = add(QStringLiteral("A01"), "1", opened->rate);
    EXPECT_EQ(line.total, money("8.64"));
    EXPECT_EQ(line.price, money("10.05"));
    EXPECT_EQ(line.name, s(u"护具"));

    dm().change(QStringLiteral("update [会员信息] set [会员类型]='已删除的卡' where [会员卡号]='1002'"));
    EXPECT_EQ(openSale(dm(), QStringLiteral("1002"))->rate, Rate::one()) << "no such card type: no discount";

    const auto missing = openSale(dm(), QStringLiteral("9999"));
    ASSERT_TRUE(missing.refused());
    EXPECT_EQ(missing.refusal().message, s(u"会员卡号不存在！"));
}

TEST_F(Checkout, TheChargeIsTheSumOfTheStoredLines)
{
    add(QStringLiteral("A01"), "1");   // 86.00
    add(QStringLiteral("A02"), "2");   // 19.90 x 2 x 0.86 = 34.228 -> 34.23
    add(QStringLiteral("B01"), "0.5"); // 2.50 x 0.5 x 0.86 = 1.075 -> 1.08
    ASSERT_EQ(list.total(), money("121.31"));

    const auto edited = list.change(2, {QStringLiteral("19.90"), QStringLiteral("3"), QStringLiteral("1"), {}});
    ASSERT_TRUE(edited.ok());
    EXPECT_EQ(edited->total, money("59.70"));
    list.remove(1);

    const auto lines = list.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].number, 1) << "renumbered after the deletion";
    EXPECT_EQ(lines[0].code, QStringLiteral("A02"));
    EXPECT_EQ(lines[1].number, 2);
    EXPECT_EQ(lines[1].code, QStringLiteral("B01"));
    EXPECT_EQ(list.total(), money("60.78"));

    const auto sale = checkout(context(), input(PaymentMeans::CreditCard));
    ASSERT_TRUE(sale.ok()) << sale.refusal().message.toStdString();
    EXPECT_EQ(sale->total, money("60.78"));
    const ResultSet rows = payments();
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.first(s(u"信用卡")).toMoney(), money("60.78"));
    EXPECT_EQ(rows.first(s(u"储值卡")).toMoney(), Money());
    EXPECT_EQ(rows.first(s(u"现金")).toMoney(), Money());
    EXPECT_EQ(member("1001", u"消费总额").toMoney(), money("110.78"));
    EXPECT_EQ(member("1001", u"会员积分").toInt(), 5 + 6);
    EXPECT_EQ(sales().rowCount(), 2);
}

TEST_F(Checkout, DeletingTheSecondOfThreeLeavesOneAndTwo)
{
    add(QStringLiteral("A01"), "1");
    add(QStringLiteral("A02"), "1");
    add(QStringLiteral("B01"), "1");
    list.remove(2);
    const auto lines = list.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].number, 1);
    EXPECT_EQ(lines[0].code, QStringLiteral("A01"));
    EXPECT_EQ(lines[1].number, 2);
    EXPECT_EQ(lines[1].code, QStringLiteral("B01"));
    list.remove(7);
    EXPECT_EQ(list.count(), 2) << "a number not in the list changes nothing";

    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(add(QStringLiteral("A02"), "1").number, 1);
}

struct TypedCase {
    const char* quantity;
    const char* rate;
    const char16_t* message;
};

TEST_F(Checkout, UnparsableQuantityOrRateChangesNothing)
{
    add(QStringLiteral("A01"), "2");
    for (const char* typed : {"1.2.3", "-", "1-2", "1.23456", "abc"}) {
        const auto refused = list.add(QStringLiteral("A02"), QString::fromLatin1(typed), Rate::one());
        ASSERT_TRUE(refused.refused()) << typed;
        EXPECT_EQ(refused.refusal().message, s(u"请输入正确的消费数量！")) << typed;
        EXPECT_EQ(refused.refusal().field, field::quantity);
    }
    EXPECT_EQ(list.count(), 1);

    const TypedCase edits[] = {
        {"1.2.3", "0.9", u"请输入正确的消费数量！"}, {"-", "0.9", u"请输入正确的消费数量！"},
        {"1-2", "0.9", u"请输入正确的消费数量！"},   {"3", "0.8.5", u"请输入正确的折扣率！"},
        {"3", ".", u"请输入正确的折扣率！"},         {"3", "-1", u"请输入正确的折扣率！"},
    };
    for (const TypedCase& c : edits) {
        const auto refused =
            list.change(1, {QStringLiteral("100"), QString::fromLatin1(c.quantity), QString::fromLatin1(c.rate), {}});
        ASSERT_TRUE(refused.refused()) << c.quantity << " " << c.rate;
        EXPECT_EQ(refused.refusal().message, s(c.message)) << c.quantity << " " << c.rate;
    }
    const auto line = list.line(1);
    EXPECT_EQ(line->quantity, Quantity::whole(2)) << "the line is as it was";
    EXPECT_EQ(line->total, money("172"));

    // Emptied fields count 0, as the editor always did.
    const auto zero = list.change(1, {QStringLiteral("100"), QString(), QStringLiteral("0.9"), {}});
    ASSERT_TRUE(zero.ok());
    EXPECT_EQ(zero->total, Money());
    EXPECT_EQ(add(QStringLiteral("A02"), "").quantity, Quantity());

    EXPECT_EQ(previewTotal(QStringLiteral("1.15"), QStringLiteral("1"), QStringLiteral("0.9")), money("1.04"));
    EXPECT_EQ(previewTotal(QStringLiteral("10"), QString(), QStringLiteral("0.9")), Money());
    EXPECT_FALSE(previewTotal(QStringLiteral("10"), QStringLiteral("1-2"), QStringLiteral("0.9")).has_value());
}

TEST_F(Checkout, StaffGoesOnTheNumberedLineAndOnlyOnServices)
{
    add(QStringLiteral("S01"), "1");
    add(QStringLiteral("A01"), "1");
    list.setStaff(1, s(u" 王教练 "));
    EXPECT_EQ(list.line(1)->staff, s(u"王教练"));
    EXPECT_TRUE(list.line(2)->staff.isEmpty());
    EXPECT_TRUE(list.line(1)->service);

    const auto kept = list.change(2, {QStringLiteral("100"), QStringLiteral("1"), QStringLiteral("1"), s(u"王教练")});
    ASSERT_TRUE(kept.ok());
    EXPECT_TRUE(kept->staff.isEmpty()) << "goods without manual service carry no staff";
}

TEST_F(Checkout, RowsCarryMeansRemarkStaffAndTheStoredName)
{
    add(QStringLiteral("S01"), "1");
    add(QStringLiteral("B01"), "2");
    list.setStaff(1, s(u"王教练"));
    dm().change(QStringLiteral("update [会员信息] set [会员姓名]='张大龙' where [会员卡号]='1001'"));
    CheckoutInput in = input(PaymentMeans::StoredValue);
    in.remark = s(u"  生日礼物 ");
    in.cardNumber = QStringLiteral("1001");
    // 80 x 0.86 = 68.80 and 2.50 x 2 x 0.86 = 4.30.
    const auto sale = checkout(context(), in);
    ASSERT_TRUE(sale.ok()) << sale.refusal().message.toStdString();
    const ResultSet rows = sales();
    ASSERT_EQ(rows.rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(rows.value(row, s(u"付款方式")).toText(), s(u"储值卡结帐"));
        EXPECT_EQ(rows.value(row, s(u"备注")).toText(), s(u"生日礼物"));
        EXPECT_EQ(rows.value(row, s(u"操作员")).toText(), s(u"前台"));
        EXPECT_EQ(rows.value(row, s(u"会员姓名")).toText(), s(u"张大龙")) << "the name as stored now";
        EXPECT_EQ(rows.value(row, s(u"消费日期")).toDateTime(), kNow);
    }
    EXPECT_EQ(rows.value(0, s(u"服务员工")).toText(), s(u"王教练"));
    EXPECT_EQ(rows.value(0, s(u"总金额")).toMoney(), money("68.80"));
    EXPECT_EQ(rows.value(1, s(u"服务员工")).toText(), QString());
    EXPECT_EQ(rows.value(1, s(u"数量")).toDouble(), 2.0);
    EXPECT_EQ(rows.value(1, s(u"折扣率")).toDouble(), 0.86);
    EXPECT_EQ(rows.value(1, s(u"总金额")).toMoney(), money("4.30"));
    EXPECT_EQ(payments().first(s(u"储值卡")).toMoney(), money("73.10"));
    EXPECT_EQ(payments().first(s(u"会员姓名")).toText(), s(u"张大龙"));
    EXPECT_EQ(member("1001", u"卡内余额").toMoney(), money("26.90"));
    EXPECT_EQ(sale->balance, s(u"26.90元"));
    EXPECT_EQ(sale->points, s(u"12分")) << "5 + 73.10 / 10 truncated";
}

TEST_F(Checkout, BalanceEqualToTheTotalPassesAndLeavesZero)
{
    dm().change(QStringLiteral("update [会员信息] set [卡内余额]=86 where [会员卡号]='1001'"));
    add(QStringLiteral("A01"), "1");
    const auto sale = checkout(context(), input(PaymentMeans::StoredValue));
    ASSERT_TRUE(sale.ok()) << sale.refusal().message.toStdString();
    EXPECT_EQ(member("1001", u"卡内余额").toMoney(), Money());
    EXPECT_EQ(sale->balance, s(u"0.00元"));
    EXPECT_EQ(sale->receipt.balance, s(u"0.00元"));
}

TEST_F(Checkout, StoredValueBeyondTheBalanceIsRefusedAndWritesNothing)
{
    dm().change(QStringLiteral("update [会员信息] set [卡内余额]=-5 where [会员卡号]='1001'"));
    EXPECT_TRUE(offersStoredValue(Money::fromYuan(-5))) << "a negative balance may choose it";
    add(QStringLiteral("B01"), "1");
    const auto refused = checkout(context(), input(PaymentMeans::StoredValue));
    ASSERT_TRUE(refused.refused());
    EXPECT_EQ(refused.refusal().message, s(u"卡内余额不足，请选用其它方式结帐！"));
    EXPECT_EQ(refused.refusal().icon, Refusal::Icon::Warning);

    dm().change(QStringLiteral("update [会员信息] set [卡内余额]=2.14 where [会员卡号]='1001'"));
    EXPECT_TRUE(checkout(context(), input(PaymentMeans::StoredValue)).refused()) << "2.15 is due";
    EXPECT_EQ(payments().rowCount(), 0);
    EXPECT_EQ(sales().rowCount(), 0);
    EXPECT_EQ(member("1001", u"卡内余额").toMoney(), money("2.14"));
    EXPECT_EQ(member("1001", u"会员积分").toInt(), 5);
    EXPECT_EQ(list.count(), 1) << "the list stays for another means";
}

TEST_F(Checkout, EmptyListOrMissingMemberIsRefusedAndWritesNothing)
{
    const auto empty = checkout(context(), input(PaymentMeans::CreditCard));
    ASSERT_TRUE(empty.refused());
    EXPECT_EQ(empty.refusal().message, s(u"请选择要消费的商品！"));
    EXPECT_EQ(empty.refusal().field, field::search);
    EXPECT_TRUE(readyForCheckout(list).has_value());

    add(QStringLiteral("A01"), "1");
    EXPECT_FALSE(readyForCheckout(list).has_value());
    dm().change(QStringLiteral("delete from [会员信息] where [会员卡号]='1001'"));
    const auto gone = checkout(context(), input(PaymentMeans::CreditCard));
    ASSERT_TRUE(gone.refused());
    EXPECT_EQ(gone.refusal().message, s(u"会员卡号不存在！"));
    EXPECT_EQ(payments().rowCount(), 0);
    EXPECT_EQ(sales().rowCount(), 0);
    EXPECT_EQ(stock("A01"), 10.0);
    EXPECT_EQ(ledgerSales().rowCount(), 0);
}

TEST_F(Checkout, SaleMovesStockThroughTheLedger)
{
    add(QStringLiteral("A01"), "2", Rate::one());
    add(QStringLiteral("A01"), "3", Rate::one());
    add(QStringLiteral("A02"), "2.5", Rate::one()); // stock 0
    add(QStringLiteral("B01"), "4", Rate::one());   // counts no stock
    ASSERT_TRUE(checkout(context(), input(PaymentMeans::CreditCard)).ok());

    EXPECT_EQ(stock("A01"), 5.0) << "lines of 2 and 3 move the stock by 5";
    EXPECT_EQ(soldTotal("A01"), 5.0);
    EXPECT_EQ(stock("A02"), -2.5) << "stock 0 sold goes below zero";
    EXPECT_EQ(soldTotal("A02"), 2.5);
    EXPECT_EQ(stock("B01"), 0.0);
    EXPECT_EQ(soldTotal("B01"), 0.0);

    const ResultSet ledger = ledgerSales();
    ASSERT_EQ(ledger.rowCount(), 3) << "no row for goods that count no stock";
    EXPECT_EQ(ledger.value(0, s(u"数量")).toDouble(), -2.0);
    EXPECT_EQ(ledger.value(0, s(u"总金额")).toMoney(), Money::fromYuan(-200));
    EXPECT_EQ(ledger.value(0, s(u"日期")).toDateTime(), QDateTime(kNow.date(), QTime(0, 0))) << "the day, no time";
    EXPECT_EQ(ledger.value(0, s(u"操作员")).toText(), s(u"前台"));
    EXPECT_EQ(ledger.value(2, s(u"数量")).toDouble(), -2.5);
    EXPECT_EQ(ledger.value(2, s(u"总金额")).toMoney(), money("-49.75"));
    EXPECT_EQ(sales().rowCount(), 4);

    // The stock equals its ledger.
    const double ledgerA01 =
        dm().db().scalar(QStringLiteral("select sum([数量]) from [商品进退单] where [商品编号]='A01'")).toDouble();
    EXPECT_EQ(ledgerA01, stock("A01"));
}

TEST_F(Checkout, QuantityMinusOneRaisesStockWithAPositiveLedgerRow)
{
    add(QStringLiteral("A01"), "-1", Rate::one());
    EXPECT_EQ(list.total(), Money::fromYuan(-100));
    const auto sale = checkout(context(), input(PaymentMeans::StoredValue));
    ASSERT_TRUE(sale.ok()) << sale.refusal().message.toStdString();
    EXPECT_EQ(stock("A01"), 11.0);
    EXPECT_EQ(soldTotal("A01"), -1.0);
    const ResultSet ledger = ledgerSales();
    ASSERT_EQ(ledger.rowCount(), 1);
    EXPECT_EQ(ledger.first(s(u"数量")).toDouble(), 1.0);
    EXPECT_EQ(ledger.first(s(u"总金额")).toMoney(), Money::fromYuan(100));
    EXPECT_EQ(member("1001", u"卡内余额").toMoney(), Money::fromYuan(200));
}

TEST_F(Checkout, ACodeGoneFromTheCatalogueIsSoldWithoutStockMove)
{
    add(QStringLiteral("A01"), "1", Rate::one());
    dm().change(QStringLiteral("delete from [商品信息] where [商品编号]='A01'"));
    const int before = ledgerRows();
    ASSERT_TRUE(checkout(context(), input(PaymentMeans::CreditCard)).ok());
    EXPECT_EQ(ledgerRows(), before);
    ASSERT_EQ(sales().rowCount(), 1);
    EXPECT_EQ(sales().first(s(u"商品名称")).toText(), s(u"护具")) << "the row keeps the line's name";

    const auto gone = list.add(QStringLiteral("A01"), QStringLiteral("1"), Rate::one());
    ASSERT_TRUE(gone.refused());
    EXPECT_EQ(gone.refusal().message, s(u"该商品已不存在！"));
}

struct PointsCase {
    const char* price;
    const char* yuanPerPoint;
    int points;
};

void PrintTo(const PointsCase& c, std::ostream* os)
{
    *os << c.price << " at " << c.yuanPerPoint << " -> " << c.points;
}

class PointsOfASale : public Checkout, public ::testing::WithParamInterface<PointsCase> {};

TEST_P(PointsOfASale, AreTheTotalOverTheRateTruncated)
{
    const PointsCase c = GetParam();
    dm().change(QStringLiteral("update [其它设置] set [消费积分]=:r"), {{QStringLiteral("r"), money(c.yuanPerPoint)}});
    dm().change(QStringLiteral("update [商品信息] set [预售单价]=:p where [商品编号]='B01'"),
                {{QStringLiteral("p"), money(c.price)}});
    add(QStringLiteral("B01"), "1", Rate::one());
    EXPECT_EQ(pointsLine(list.total(), money(c.yuanPerPoint)), QStringLiteral("本次消费共积%1分").arg(c.points));
    ASSERT_TRUE(checkout(context(), input(PaymentMeans::Cash)).refused()) << "nothing handed over";
    CheckoutInput cash = input(PaymentMeans::Cash);
    cash.cashPaid = money(c.price);
    ASSERT_TRUE(checkout(context(), cash).ok());
    EXPECT_EQ(member("1001", u"会员积分").toInt(), 5 + c.points);
    EXPECT_EQ(member("1001", u"消费总额").toMoney(), money("50") + money(c.price));
}

INSTANTIATE_TEST_SUITE_P(Table, PointsOfASale,
                         ::testing::Values(PointsCase{"19.90", "10", 1}, PointsCase{"19.90", "0", 0},
                                           PointsCase{"0.30", "0.10", 3}, PointsCase{"9.99", "10", 0},
                                           PointsCase{"100", "7", 14}),
                         [](const auto& info) {
                             return test::nameFrom(info.index,
                                                   std::string(info.param.price) + " at " + info.param.yuanPerPoint);
                         });

TEST_F(Checkout, CashRecordsTheTotalAndGivesChange)
{
    dm().change(QStringLiteral("update [商品信息] set [预售单价]=80 where [商品编号]='B01'"));
    add(QStringLiteral("B01"), "1", Rate::one());
    const auto handed = checkCash(Money::fromYuan(80), QStringLiteral("100"));
    ASSERT_TRUE(handed.ok());
    EXPECT_EQ(handed->change, Money::fromYuan(20));

    const auto short70 = checkCash(Money::fromYuan(80), QStringLiteral("70"));
    ASSERT_TRUE(short70.refused());
    EXPECT_EQ(short70.refusal().message, s(u"付款金额小于应付金额，请重新输入！"));
    EXPECT_EQ(short70.refusal().field, field::paid);
    EXPECT_EQ(checkCash(Money::fromYuan(80), QStringLiteral("1.2.3")).refusal().field, field::paid);

    CheckoutInput cash = input(PaymentMeans::Cash);
    cash.cashPaid = Money::fromYuan(70);
    const auto refused = checkout(context(), cash);
    ASSERT_TRUE(refused.refused());
    EXPECT_EQ(refused.refusal().message, s(u"付款金额小于应付金额，请重新输入！"));
    EXPECT_EQ(payments().rowCount(), 0);

    cash.cashPaid = Money::fromYuan(100);
    const auto sale = checkout(context(), cash);
    ASSERT_TRUE(sale.ok());
    EXPECT_EQ(sale->change, Money::fromYuan(20));
    EXPECT_EQ(payments().first(s(u"现金")).toMoney(), Money::fromYuan(80)) << "what was due, not what was handed";
    EXPECT_EQ(member("1001", u"卡内余额").toMoney(), Money::fromYuan(100)) << "cash leaves the card alone";
    EXPECT_EQ(sales().first(s(u"付款方式")).toText(), s(u"现金结帐"));
}

TEST_F(Checkout, SplitWritesOneRowAndTakesOnlyTheStoredValuePart)
{
    dm().change(QStringLiteral("update [商品信息] set [预售单价]=100 where [商品编号]='B01'"));
    add(QStringLiteral("B01"), "1", Rate::one());
    SplitTyped typed{true, true, true, QStringLiteral("50"), QStringLiteral("30"), QStringLiteral("20")};
    const auto amounts = checkSplit(Money::fromYuan(100), Money::fromYuan(100), typed);
    ASSERT_TRUE(amounts.ok()) << amounts.refusal().message.toStdString();
    CheckoutInput split = input(PaymentMeans::Split);
    split.split = *amounts;
    const auto sale = checkout(context(), split);
    ASSERT_TRUE(sale.ok()) << sale.refusal().message.toStdString();
    const ResultSet rows = payments();
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.first(s(u"储值卡")).toMoney(), Money::fromYuan(50));
    EXPECT_EQ(rows.first(s(u"现金")).toMoney(), Money::fromYuan(30));
    EXPECT_EQ(rows.first(s(u"信用卡")).toMoney(), Money::fromYuan(20));
    EXPECT_EQ(rows.first(s(u"日期")).toDateTime(), kNow);
    EXPECT_EQ(rows.first(s(u"操作员")).toText(), s(u"前台"));
    EXPECT_EQ(member("1001", u"卡内余额").toMoney(), Money::fromYuan(50)) << "lowered by the stored-value 50";
    EXPECT_EQ(member("1001", u"会员积分").toInt(), 15) << "the whole 100 earns points";
    EXPECT_EQ(sales().first(s(u"付款方式")).toText(), s(u"联合结帐"));
}

TEST_F(Checkout, SplitOfCentsAddsUpExactly)
{
    dm().change(QStringLiteral("update [商品信息] set [预售单价]=0.30 where [商品编号]='B01'"));
    add(QStringLiteral("B01"), "1", Rate::one());
    const SplitTyped typed{false, true, true, {}, QStringLiteral("0.10"), QStringLiteral("0.20")};
    const auto amounts = checkSplit(money("0.30"), Money(), typed);
    ASSERT_TRUE(amounts.ok()) << amounts.refusal().message.toStdString();
    CheckoutInput split = input(PaymentMeans::Split, QStringLiteral("1002"));
    split.split = *amounts;
    ASSERT_TRUE(checkout(context(), split).ok());
    EXPECT_EQ(payments().first(s(u"现金")).toMoney(), money("0.10"));
    EXPECT_EQ(member("1002", u"卡内余额").toMoney(), Money()) << "no stored value taken";
}

struct SplitCase {
    const char* label;
    SplitTyped typed;
    const char16_t* message;
    const char* field;
};

TEST_F(Checkout, SplitRefusalsNameTheirField)
{
    const QString none;
    const SplitCase cases[] = {
        {"cash 80 card 50 leaves stored value -30",
         {true, true, true, QStringLiteral("-30"), QStringLiteral("80"), QStringLiteral("50")},
         u"付款金额不能为负数，请重新输入！",
         "storedValue"},
        {"negative cash",
         {false, true, true, none, QStringLiteral("-10"), QStringLiteral("110")},
         u"付款金额不能为负数，请重新输入！",
         "cash"},
        {"short of the total",
         {true, true, false, QStringLiteral("50"), QStringLiteral("30"), QStringLiteral("20")},
         u"付款金额不等于应付金额，请重新输入！",
         ""},
        {"beyond the balance",
         {true, true, false, QStringLiteral("90"), QStringLiteral("10"), none},
         u"储值卡内余额不足，请重新输入！",
         "storedValue"},
        {"not a number",
         {false, true, true, none, QStringLiteral("."), QStringLiteral("100")},
         u"请输入正确的付款金额！",
         "cash"},
    };
    for (const SplitCase& c : cases) {
        const auto refused = checkSplit(Money::fromYuan(100), Money::fromYuan(60), c.typed);
        ASSERT_TRUE(refused.refused()) << c.label;
        EXPECT_EQ(refused.refusal().message, s(c.message)) << c.label;
        EXPECT_EQ(refused.refusal().field, QString::fromLatin1(c.field)) << c.label;
    }
    EXPECT_EQ(splitRemainder(Money::fromYuan(100), QStringLiteral("80"), QStringLiteral("50")),
              QStringLiteral("-30.00"));
    EXPECT_EQ(splitRemainder(Money::fromYuan(100), QString(), QStringLiteral("30")), QStringLiteral("70.00"));
}

TEST_F(Checkout, MemberInDebtMaySplitWithoutStoredValue)
{
    const QString none;
    const SplitTyped cashAndCard{false, true, true, none, QStringLiteral("60"), QStringLiteral("40")};
    EXPECT_TRUE(checkSplit(Money::fromYuan(100), money("-5"), cashAndCard).ok())
        << "the stored-value box is not ticked: the balance does not matter";
    const SplitTyped withStoredValue{true, true, false, QStringLiteral("10"), QStringLiteral("90"), none};
    const auto refused = checkSplit(Money::fromYuan(100), money("-5"), withStoredValue);
    ASSERT_TRUE(refused.refused());
    EXPECT_EQ(refused.refusal().message, s(u"储值卡内余额不足，请重新输入！"));

    dm().change(s(u"update [会员信息] set [卡内余额]=-5 where [会员卡号]='1002'"));
    add(QStringLiteral("B01"), "1", Rate::one());
    const Money total = ShoppingList(dm()).total();
    CheckoutInput split = input(PaymentMeans::Split, QStringLiteral("1002"));
    split.split = {Money(), total, Money()};
    ASSERT_TRUE(checkout(context(), split).ok()) << "cash only, balance -5";
    EXPECT_EQ(member("1002", u"卡内余额").toMoney(), money("-5"));
}

TEST_F(Checkout, SplitIsCheckedAgainAgainstTheStoredBalanceAndTotal)
{
    dm().change(QStringLiteral("update [商品信息] set [预售单价]=100 where [商品编号]='B01'"));
    add(QStringLiteral("B01"), "1", Rate::one());
    // The dialog passed against the balance read at opening; the card was spent meanwhile.
    const SplitTyped typed{true, true, false, QStringLiteral("80"), QStringLiteral("20"), {}};
    const auto amounts = checkSplit(Money::fromYuan(100), Money::fromYuan(100), typed);
    ASSERT_TRUE(amounts.ok());
    dm().change(QStringLiteral("update [会员信息] set [卡内余额]=30 where [会员卡号]='1001'"));
    CheckoutInput split = input(PaymentMeans::Split);
    split.split = *amounts;
    const auto refused = checkout(context(), split);
    ASSERT_TRUE(refused.refused());
    EXPECT_EQ(refused.refusal().message, s(u"储值卡内余额不足，请重新输入！"));

    // The list grew after the dialog: the sum no longer matches.
    dm().change(QStringLiteral("update [会员信息] set [卡内余额]=100 where [会员卡号]='1001'"));
    add(QStringLiteral("B01"), "1", Rate::one());
    EXPECT_EQ(checkout(context(), split).refusal().message, s(u"付款金额不等于应付金额，请重新输入！"));

    split.split = {Money::fromYuan(-30), Money::fromYuan(130), Money::fromYuan(100)};
    EXPECT_EQ(checkout(context(), split).refusal().message, s(u"付款金额不能为负数，请重新输入！"));
    EXPECT_EQ(payments().rowCount(), 0);
    EXPECT_EQ(sales().rowCount(), 0);
    EXPECT_EQ(member("1001", u"卡内余额").toMoney(), Money::fromYuan(100));
}

TEST_F(Checkout, FailureOfTheLastSalesRowUndoesTheWholeCheckout)
{
    dm().change(QStringLiteral("update [会员信息] set [卡内余额]=1000 where [会员卡号]='1001'"));
    add(QStringLiteral("A01"), "2");
    add(QStringLiteral("A02"), "1");
    add(QStringLiteral("S01"), "1");
    const int ledgerBefore = ledgerRows();
    dm().change(QStringLiteral("create temp trigger [拒绝私教] before insert on [会员消费] when new.[商品编号]='S01' "
                               "begin select raise(abort, '拒绝写入'); end"));
    EXPECT_THROW(checkout(context(), input(PaymentMeans::StoredValue)), DbError);

    EXPECT_EQ(stock("A01"), 10.0);
    EXPECT_EQ(soldTotal("A01"), 0.0);
    EXPECT_EQ(stock("A02"), 0.0);
    EXPECT_EQ(ledgerRows(), ledgerBefore);
    EXPECT_EQ(member("1001", u"卡内余额").toMoney(), Money::fromYuan(1000));
    EXPECT_EQ(member("1001", u"会员积分").toInt(), 5);
    EXPECT_EQ(member("1001", u"消费总额").toMoney(), Money::fromYuan(50));
    EXPECT_EQ(payments().rowCount(), 0);
    EXPECT_EQ(sales().rowCount(), 0);
    EXPECT_EQ(list.count(), 3);

    dm().change(QStringLiteral("drop trigger [拒绝私教]"));
    EXPECT_TRUE(checkout(context(), input(PaymentMeans::CreditCard)).ok()) << "the same list sells afterwards";
    EXPECT_EQ(sales().rowCount(), 3);
}

TEST_F(Checkout, ReceiptHoldsTheLinesAndTheBalanceAfterTheSale)
{
    add(QStringLiteral("A01"), "1");
    add(QStringLiteral("B01"), "2.5", Rate::one());
    const auto sale = checkout(context(), input(PaymentMeans::StoredValue));
    ASSERT_TRUE(sale.ok());
    const SaleReceipt& r = sale->receipt;
    EXPECT_EQ(r.hallName, s(u"澄岚跆拳道馆"));
    EXPECT_EQ(r.member, s(u"张小龙/1001"));
    EXPECT_EQ(r.cashier, s(u"前台"));
    EXPECT_EQ(r.time, QStringLiteral("2024-03-15 10:30"));
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0].name, s(u"护具"));
    EXPECT_EQ(r.lines[0].quantity, QStringLiteral("1"));
    EXPECT_EQ(r.lines[0].amount, QStringLiteral("86.00"));
    EXPECT_EQ(r.lines[1].quantity, QStringLiteral("2.5"));
    EXPECT_EQ(r.lines[1].amount, QStringLiteral("6.25"));
    EXPECT_EQ(r.quantitySum, QStringLiteral("3.5"));
    EXPECT_EQ(r.totalSum, QStringLiteral("92.25"));
    EXPECT_EQ(r.balance, s(u"7.75元"));
    EXPECT_EQ(r.phone, QStringLiteral("0571-8888"));
    EXPECT_EQ(r.address, s(u"青年路8号"));
}

TEST_F(Checkout, SaleSmsGoesThroughTheAutomaticPathAndCountsDown)
{
    test::SmsSimulator simulator({QStringLiteral("--account"), QStringLiteral("demo:demo:5")});
    ASSERT_TRUE(simulator.started());
    sms.url = simulator.url();
    sms.signature = s(u"澄岚");
    sms.afterConsumption = true;
    ASSERT_TRUE(sms::login(sms, QStringLiteral("demo"), QStringLiteral("demo"), sms::directCall()).ok());
    simulator.takeOutput();

    add(QStringLiteral("A01"), "1");
    const auto sale = checkout(context(), input(PaymentMeans::StoredValue));
    ASSERT_TRUE(sale.ok());
    const QString text = s(u"学员：张小龙(1001)于3月15日 10:30消费￥86.00元【澄岚】");
    EXPECT_EQ(sale->smsText, text);
    const auto sent =
        sms::sendAfterCommand(context(), sms::AutoSwitch::Consumption, sale->mobile, sale->smsText, sms::directCall());
    EXPECT_EQ(sent.status, sms::AutoSendResult::Status::Sent);
    EXPECT_EQ(sent.message, s(u"短信发送成功！"));
    EXPECT_EQ(simulator.takeOutput(), QStringList{QStringLiteral("sent to 13800000000: ") + text});
    EXPECT_EQ(sms.remaining, QStringLiteral("4"));
}

TEST_F(Checkout, SaleSmsWithoutLoginKeepsTheSale)
{
    sms.afterConsumption = true;
    add(QStringLiteral("A01"), "1");
    const auto sale = checkout(context(), input(PaymentMeans::StoredValue));
    ASSERT_TRUE(sale.ok());
    const auto held =
        sms::sendAfterCommand(context(), sms::AutoSwitch::Consumption, sale->mobile, sale->smsText, sms::directCall());
    EXPECT_EQ(held.status, sms::AutoSendResult::Status::NotLoggedIn);
    EXPECT_EQ(held.message, s(u"请先登录再发短信！"));
    EXPECT_EQ(sales().rowCount(), 1);
    EXPECT_EQ(member("1001", u"卡内余额").toMoney(), Money::fromYuan(14));
}

} // namespace
