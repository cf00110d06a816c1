#include "ExchangeHall.h"
#include "ParamNames.h"
#include "db/DbError.h"
#include "points/PointsRate.h"

#include <gtest/gtest.h>

using namespace tkd;
using test::s;

namespace {

class Exchange : public test::ExchangeHall {};

TEST_F(Exchange, LinesCarryTheRunningBalanceAndOnlyCountedGoodsMoveStock)
{
    addGoods(QStringLiteral("A01"), "3", s(u" 比赛用 "));
    addGoods(QStringLiteral("B01"), "1");
    const points::SavedExchange saved = save();
    EXPECT_EQ(saved.lines, 2);
    EXPECT_EQ(saved.points, 50);

    const ResultSet rows = exchanges();
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.value(0, s(u"会员积分")).toInt(), 100);
    EXPECT_EQ(rows.value(1, s(u"会员积分")).toInt(), 70);
    EXPECT_EQ(rows.value(0, s(u"兑换积分")).toInt(), 30);
    EXPECT_EQ(rows.value(1, s(u"兑换积分")).toInt(), 20);
    EXPECT_EQ(rows.value(0, s(u"数量")).toDouble(), 3.0);
    EXPECT_EQ(rows.value(0, s(u"商品名称")).toText(), s(u"护具"));
    EXPECT_EQ(rows.value(0, s(u"会员姓名")).toText(), s(u"张小龙"));
    EXPECT_EQ(rows.value(0, s(u"备注")).toText(), s(u"比赛用"));
    EXPECT_EQ(rows.value(0, s(u"兑换日期")).toDateTime(), QDateTime(QDate(2024, 3, 15), QTime(0, 0)));
    EXPECT_EQ(rows.value(0, s(u"会籍天数")).toInt(), 0);
    EXPECT_EQ(points("1001"), 50);
    EXPECT_EQ(expiry("1001"), QDate(2024, 6, 30)) << "goods move no expiry";

    EXPECT_EQ(stock("A01"), 2.0);
    const ResultSet moves = ledger(u"兑换商品");
    ASSERT_EQ(moves.rowCount(), 1) << "only the stock-counted item has a ledger row";
    EXPECT_EQ(moves.first(s(u"商品编号")).toText(), QStringLiteral("A01"));
    EXPECT_EQ(moves.first(s(u"数量")).toDouble(), -3.0);
    EXPECT_EQ(moves.first(s(u"单价")).toMoney(), Money());
    EXPECT_EQ(moves.first(s(u"折扣率")).toDouble(), 1.0);
    EXPECT_EQ(moves.first(s(u"总金额")).toMoney(), Money());
    EXPECT_EQ(moves.first(s(u"单位")).toText(), s(u"个"));
    EXPECT_EQ(moves.first(s(u"操作员")).toText(), s(u"前台"));
    EXPECT_EQ(moves.first(s(u"日期")).toDate(), QDate(2024, 3, 15));
}

TEST_F(Exchange, TwoDaysLinesEachStartWhereTheEarlierOneEnded)
{
    dm().change(QStringLiteral("update [会员信息] set [会员积分]=250 where [会员卡号]='1001'"));
    addDays(QStringLiteral("1001"), "100");
    addDays(QStringLiteral("1001"), "150");
    const auto lines = basket.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].remark, s(u"会籍增加30天，截止日期到2024-07-30"));
    EXPECT_EQ(lines[1].remark, s(u"会籍增加45天，截止日期到2024-09-13"));
    EXPECT_EQ(lines[1].code, QStringLiteral("000000"));
    const auto ledgerBefore = ledger().rowCount();

    const points::SavedExchange saved = save();
    EXPECT_EQ(saved.expiry.date(), QDate(2024, 9, 13));
    EXPECT_EQ(expiry("1001"), QDate(2024, 9, 13));
    EXPECT_EQ(points("1001"), 0);
    const ResultSet rows = exchanges();
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.value(0, s(u"备注")).toText(), s(u"会籍增加30天，截止日期到2024-07-30"));
    EXPECT_EQ(rows.value(1, s(u"备注")).toText(), s(u"会籍增加45天，截止日期到2024-09-13"));
    EXPECT_EQ(rows.value(0, s(u"会籍天数")).toInt(), 30);
    EXPECT_EQ(rows.value(1, s(u"会籍天数")).toInt(), 45);
    EXPECT_EQ(rows.value(0, s(u"商品名称")).toText(), s(u"积分换会籍"));
    EXPECT_EQ(rows.value(1, s(u"数量")).toDouble(), 1.0);
    EXPECT_EQ(rows.value(1, s(u"会员积分")).toInt(), 150);
    EXPECT_EQ(ledger().rowCount(), ledgerBefore) << "membership days are no stock";
}

TEST_F(Exchange, ARateChangedWhileTheBasketIsOpenRewordsItsDaysLinesAsSavingCountsThem)
{
    dm().change(QStringLiteral("update [会员信息] set [会员积分]=300 where [会员卡号]='1001'"));
    addDays(QStringLiteral("1001"), "100");
    addGoods(QStringLiteral("A01"), "1", s(u"比赛用"));
    addDays(QStringLiteral("1001"), "150");
    ASSERT_EQ(basket.lines()[2].remark, s(u"会籍增加45天，截止日期到2024-09-13"));

    // At 100 : 10, 100 points buy 10 days (to 07-10), then 150 points 15 more (to 07-25).
    setRate(100, 10);
    basket.restateDays(QDateTime(QDate(2024, 6, 30), QTime(0, 0)), points::PointsRate{100, 10});
    auto lines = basket.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].remark, s(u"会籍增加10天，截止日期到2024-07-10"));
    EXPECT_EQ(lines[1].remark, s(u"比赛用")) << "goods lines keep their remark";
    EXPECT_EQ(lines[2].remark, s(u"会籍增加15天，截止日期到2024-07-25"));
    EXPECT_EQ(lines[2].points, 150);

    const points::SavedExchange saved = save();
    EXPECT_EQ(saved.expiry.date(), QDate(2024, 7, 25));
    const ResultSet rows = exchanges();
    ASSERT_EQ(rows.rowCount(), 3);
    EXPECT_EQ(rows.value(0, s(u"备注")).toText(), lines[0].remark) << "saved as the basket showed it";
    EXPECT_EQ(rows.value(2, s(u"备注")).toText(), lines[2].remark);
}

TEST_F(Exchange, AtARateOfNoDaysTheDaysLinesSayTheyBuyNone)
{
    addDays(QStringLiteral("1001"), "60");
    setRate(0, 30);
    basket.restateDays(QDateTime(QDate(2024, 6, 30), QTime(0, 0)), points::PointsRate{0, 30});
    EXPECT_EQ(basket.lines()[0].remark, s(u"会籍增加0天，截止日期到2024-06-30"));
    EXPECT_EQ(refusalOfSave(), s(u"兑换积分不足以兑换一天会籍！"));
}

TEST_F(Exchange, BusinessRefusalsAreWarningsAndAMissingQuantityAnError)
{
    const auto warning = Refusal::Icon::Warning;
    EXPECT_EQ(points::offerDays(dm(), QStringLiteral("1003")).refusal().icon, warning) << "card not opened";
    EXPECT_EQ(points::offerDays(dm(), QStringLiteral("1002")).refusal().icon, warning) << "count card";
    const auto offer = points::offerDays(dm(), QStringLiteral("1001"));
    ASSERT_TRUE(offer.ok());
    EXPECT_EQ(basket.addDays(*offer, QStringLiteral("101")).refusal().icon, warning) << "more than the points";
    EXPECT_EQ(basket.addGoods(QStringLiteral("A01"), QString(), {}).refusal().icon, Refusal::Icon::Error);

    addGoods(QStringLiteral("A01"), "11");
    const auto saved = points::saveExchange(context(), QStringLiteral("1001"));
    ASSERT_TRUE(saved.refused());
    EXPECT_EQ(saved.refusal().icon, warning) << "110 points out of 100";
}

TEST_F(Exchange, ASumOverTheStoredPointsIsRefusedAndWritesNothing)
{
    addGoods(QStringLiteral("A01"), "3");
    addGoods(QStringLiteral("B01"), "4");
    const auto ledgerBefore = ledger().rowCount();
    EXPECT_EQ(refusalOfSave(), s(u"兑换商品所需积分大于余额积分，不能兑换！"));

    // Points lowered by hand after the basket opened: 30 no longer fit into 20.
    basket.remove(2);
    dm().change(QStringLiteral("update [会员信息] set [会员积分]=20 where [会员卡号]='1001'"));
    EXPECT_EQ(refusalOfSave(), s(u"兑换商品所需积分大于余额积分，不能兑换！"));

    EXPECT_EQ(exchanges().rowCount(), 0);
    EXPECT_EQ(stock("A01"), 5.0);
    EXPECT_EQ(ledger().rowCount(), ledgerBefore);
    EXPECT_EQ(points("1001"), 20);
    EXPECT_EQ(basket.count(), 1) << "the basket stays for another try";
}

TEST_F(Exchange, PointsEarnedAfterTheBasketOpenedStayWithTheMember)
{
    const auto opened = points::readMember(dm(), QStringLiteral("1001"));
    ASSERT_TRUE(opened.ok());
    EXPECT_EQ(opened->points, 100);
    addGoods(QStringLiteral("A01"), "3");
    // A sale at the desk earns 40 points meanwhile.
    dm().change(QStringLiteral("update [会员信息] set [会员积分]=[会员积分]+40 where [会员卡号]='1001'"));

    EXPECT_EQ(save().points, 110);
    EXPECT_EQ(points("1001"), 110);
    EXPECT_EQ(exchanges().first(s(u"会员积分")).toInt(), 140) << "the balance the line was taken from";
}

TEST_F(Exchange, EmptyBasketWritesNothing)
{
    const auto ledgerBefore = ledger().rowCount();
    const points::SavedExchange saved = save();
    EXPECT_EQ(saved.lines, 0);
    EXPECT_EQ(saved.points, 100);
    EXPECT_EQ(exchanges().rowCount(), 0);
    EXPECT_EQ(ledger().rowCount(), ledgerBefore);
    EXPECT_EQ(points("1001"), 100);
}

TEST_F(Exchange, QuantityMustBeGivenAndNotZero)
{
    const auto empty = basket.addGoods(QStringLiteral("A01"), QStringLiteral("  "), {});
    ASSERT_TRUE(empty.refused());
    EXPECT_EQ(empty.refusal().message, s(u"兑换数量不能为空！"));
    EXPECT_EQ(empty.refusal().field, points::field::quantity);
    EXPECT_EQ(basket.addGoods(QStringLiteral("A01"), QStringLiteral("0"), {}).refusal().message,
              s(u"兑换数量不能为零！"));
    EXPECT_EQ(basket.addGoods(QStringLiteral("A01"), QStringLiteral("000"), {}).refusal().message,
              s(u"兑换数量不能为零！"));
    EXPECT_TRUE(basket.addGoods(QStringLiteral("A01"), QStringLiteral("1x"), {}).refused());
    EXPECT_TRUE(basket.addGoods(QStringLiteral("A01"), QStringLiteral("1234567890"), {}).refused());
    EXPECT_EQ(basket.addGoods(QStringLiteral("Z99"), QStringLiteral("1"), {}).refusal().message,
              s(u"该商品已不存在！"));
    EXPECT_EQ(basket.count(), 0);

    addGoods(QStringLiteral("A01"), "007");
    ASSERT_EQ(basket.lines().size(), 1u);
    EXPECT_EQ(basket.lines()[0].quantity, goods::Quantity::whole(7));
    EXPECT_EQ(basket.lines()[0].points, 70);
}

TEST_F(Exchange, PointsBeyondThirtyTwoBitsAreKeptWhole)
{
    // 3,000,000,000 points a unit, three units: 9,000,000,000 out of 10,000,000,000.
    addItem(QStringLiteral("G01"), s(u"金腰带"), false, 3000000000LL, "0");
    dm().change(QStringLiteral("update [会员信息] set [会员积分]=10000000000 where [会员卡号]='1001'"));
    EXPECT_EQ(points::requiredPoints(QStringLiteral("3"), 3000000000LL), 9000000000LL);
    addGoods(QStringLiteral("G01"), "3");
    ASSERT_EQ(basket.lines().size(), 1u);
    EXPECT_EQ(basket.lines()[0].points, 9000000000LL);
    EXPECT_EQ(save().points, 1000000000LL);
    EXPECT_EQ(points("1001"), 1000000000LL);
    EXPECT_EQ(exchanges().first(s(u"兑换积分")).toInt(), 9000000000LL);
    EXPECT_EQ(exchanges().first(s(u"会员积分")).toInt(), 10000000000LL);
}

TEST_F(Exchange, RequiredPointsFollowTheQuantityAsTyped)
{
    EXPECT_EQ(points::requiredPoints(QStringLiteral("3"), 10), 30);
    EXPECT_EQ(points::requiredPoints(QString(), 10), 0) << "an empty quantity counts as 0";
    EXPECT_EQ(points::requiredPoints(QStringLiteral("12"), 0), 0);
}

TEST_F(Exchange, RemovingALineNumbersTheRestAgain)
{
    addGoods(QStringLiteral("A01"), "1");
    addGoods(QStringLiteral("B01"), "1");
    addGoods(QStringLiteral("A01"), "2");
    basket.remove(2);
    const auto lines = basket.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].number, 1);
    EXPECT_EQ(lines[1].number, 2);
    EXPECT_EQ(lines[1].code, QStringLiteral("A01"));
    EXPECT_EQ(lines[1].points, 20);
    addGoods(QStringLiteral("B01"), "1");
    EXPECT_EQ(basket.lines().back().number, 3);
}

// Days the days window offers for the points typed, member 1001 holding 1000 points, rate 100 : 30.
struct DaysCase {
    const char* typed;
    qint64 ratePoints;
    qint64 days;             // the line's days; 0 when refused
    const char16_t* refusal; // nullptr when accepted
};

void PrintTo(const DaysCase& c, std::ostream* os)
{
    *os << '"' << c.typed << "\" at " << c.ratePoints << ":30";
}

class DaysForPoints : public Exchange, public ::testing::WithParamInterface<DaysCase> {};

TEST_P(DaysForPoints, BuyTheIntegerQuotientAndNeverNothing)
{
    const DaysCase c = GetParam();
    dm().change(QStringLiteral("update [会员信息] set [会员积分]=1000 where [会员卡号]='1001'"));
    setRate(c.ratePoints, 30);
    const auto offer = points::offerDays(dm(), QStringLiteral("1001"));
    ASSERT_TRUE(offer.ok());
    const auto line = basket.addDays(*offer, QString::fromLatin1(c.typed));
    if (c.refusal) {
        ASSERT_TRUE(line.refused());
        EXPECT_EQ(line.refusal().message, s(c.refusal));
        EXPECT_EQ(line.refusal().field, points::field::points);
        EXPECT_EQ(basket.count(), 0);
        return;
    }
    ASSERT_TRUE(line.ok()) << line.refusal().message.toStdString();
    const QDate until = QDate(2024, 6, 30).addDays(c.days);
    EXPECT_EQ(line->remark, s(u"会籍增加%1天，截止日期到%2").arg(c.days).arg(until.toString(Qt::ISODate)));
    EXPECT_EQ(offer->preview(QString::fromLatin1(c.typed)), line->remark);
}

INSTANTIATE_TEST_SUITE_P(Table, DaysForPoints,
                         ::testing::Values(DaysCase{"250", 100, 75, nullptr}, DaysCase{"99", 100, 29, nullptr},
                                           DaysCase{"1000", 100, 300, nullptr},
                                           DaysCase{"3", 100, 0, u"兑换积分不足以兑换一天会籍！"},
                                           DaysCase{"", 100, 0, u"兑换积分不足以兑换一天会籍！"},
                                           DaysCase{"0", 100, 0, u"兑换积分不足以兑换一天会籍！"},
                                           DaysCase{"500", 0, 0, u"兑换积分不足以兑换一天会籍！"},
                                           DaysCase{"1001", 100, 0, u"兑换积分不能大于可用积分！"},
                                           DaysCase{"99999999999999999999", 100, 0, u"兑换积分不能大于可用积分！"}),
                         [](const auto& info) {
                             return test::nameFrom(info.index, std::string(info.param.typed) + " at " +
                                                                   std::to_string(info.param.ratePoints));
                         });

TEST_F(Exchange, TheDaysWindowRefusesCardsWithoutExpiry)
{
    const auto countCard = points::offerDays(dm(), QStringLiteral("1002"));
    ASSERT_TRUE(countCard.refused());
    EXPECT_EQ(countCard.refusal().message, s(u"该会员卡为计次卡，不用兑换会籍！"));
    EXPECT_EQ(points::offerDays(dm(), QStringLiteral("1003")).refusal().message,
              s(u"该会员卡尚未开卡，请在开卡后兑换！"));
    EXPECT_EQ(points::offerDays(dm(), QStringLiteral("9999")).refusal().message, s(u"会员卡号不存在！"));

    const auto offer = points::offerDays(dm(), QStringLiteral("1001"));
    ASSERT_TRUE(offer.ok());
    EXPECT_EQ(offer->available, 100);
    EXPECT_EQ(offer->rate.text(), s(u"使用100积分可换30天会籍"));
    EXPECT_EQ(offer->preview(QString()), s(u"会籍增加0天，截止日期到2024-06-30"));
}

TEST_F(Exchange, TheDaysWindowStartsAfterTheDaysAlreadyInTheBasket)
{
    dm().change(QStringLiteral("update [会员信息] set [会员积分]=400 where [会员卡号]='1001'"));
    addGoods(QStringLiteral("A01"), "1");
    addDays(QStringLiteral("1001"), "100");
    const auto offer = points::offerDays(dm(), QStringLiteral("1001"));
    ASSERT_TRUE(offer.ok());
    EXPECT_EQ(offer->from().date(), QDate(2024, 7, 30));
    EXPECT_EQ(offer->preview(QStringLiteral("10")), s(u"会籍增加3天，截止日期到2024-08-02"));
    // Compared alone with the member's points: the basket's total is tested at saving.
    EXPECT_TRUE(basket.addDays(*offer, QStringLiteral("400")).ok());
    EXPECT_EQ(refusalOfSave(), s(u"兑换商品所需积分大于余额积分，不能兑换！"));
}

TEST_F(Exchange, SavingTestsTheStoredCardAgain)
{
    addDays(QStringLiteral("1001"), "100");
    const auto ledgerBefore = ledger().rowCount();

    dm().change(QStringLiteral("update [会员信息] set [到期日期]=NULL where [会员卡号]='1001'"));
    EXPECT_EQ(refusalOfSave(), s(u"该会员卡为计次卡，不用兑换会籍！"));
    dm().change(
        QStringLiteral("update [会员信息] set [开卡日期]=NULL,[到期日期]='2024-06-30' where [会员卡号]='1001'"));
    EXPECT_EQ(refusalOfSave(), s(u"该会员卡尚未开卡，请在开卡后兑换！"));
    dm().change(QStringLiteral("update [会员信息] set [开卡日期]='2024-01-01' where [会员卡号]='1001'"));
    setRate(0, 30);
    EXPECT_EQ(refusalOfSave(), s(u"兑换积分不足以兑换一天会籍！"));

    EXPECT_EQ(exchanges().rowCount(), 0);
    EXPECT_EQ(points("1001"), 100);
    EXPECT_EQ(expiry("1001"), QDate(2024, 6, 30));
    EXPECT_EQ(ledger().rowCount(), ledgerBefore);
}

TEST_F(Exchange, SavingUsesTheRateAndTheExpiryAsStoredThen)
{
    // Added at 100 : 30 for 2024-07-30; meanwhile a leave moved the expiry 10 days and the rate became
    // 100 : 10.
    addDays(QStringLiteral("1001"), "100");
    EXPECT_EQ(basket.lines()[0].remark, s(u"会籍增加30天，截止日期到2024-07-30"));
    dm().change(QStringLiteral("update [会员信息] set [到期日期]='2024-07-10' where [会员卡号]='1001'"));
    setRate(100, 10);

    const points::SavedExchange saved = save();
    EXPECT_EQ(saved.expiry.date(), QDate(2024, 7, 20));
    EXPECT_EQ(expiry("1001"), QDate(2024, 7, 20));
    EXPECT_EQ(exchanges().first(s(u"备注")).toText(), s(u"会籍增加10天，截止日期到2024-07-20"));
    EXPECT_EQ(exchanges().first(s(u"会籍天数")).toInt(), 10);
}

TEST_F(Exchange, AMemberGoneOrRenumberedIsRefused)
{
    addGoods(QStringLiteral("A01"), "1");
    dm().change(QStringLiteral("update [会员信息] set [会员卡号]='2001' where [会员卡号]='1001'"));
    EXPECT_EQ(refusalOfSave(), s(u"会员卡号不存在！"));
    EXPECT_EQ(points::readMember(dm(), QStringLiteral("1001")).refusal().message, s(u"会员卡号不存在！"));
    dm().change(QStringLiteral("delete from [会员信息] where [会员卡号]='2001'"));
    EXPECT_EQ(refusalOfSave(QStringLiteral("2001")), s(u"会员卡号不存在！"));
    EXPECT_EQ(exchanges().rowCount(), 0);
    EXPECT_EQ(stock("A01"), 5.0);
}

TEST_F(Exchange, AFailureAtTheLastWriteLeavesEverythingAsItWas)
{
    addGoods(QStringLiteral("A01"), "3");
    addDays(QStringLiteral("1001"), "60");
    const auto ledgerBefore = ledger().rowCount();
    dm().change(QStringLiteral("create temp trigger [stop_member] before update on [会员信息] "
                               "begin select raise(abort, 'stopped'); end"));
    EXPECT_THROW(points::saveExchange(context(), QStringLiteral("1001")), DbError);

    EXPECT_EQ(exchanges().rowCount(), 0);
    EXPECT_EQ(stock("A01"), 5.0);
    EXPECT_EQ(ledger().rowCount(), ledgerBefore);
    EXPECT_EQ(points("1001"), 100);
    EXPECT_EQ(expiry("1001"), QDate(2024, 6, 30));
    EXPECT_EQ(basket.count(), 2);

    dm().change(QStringLiteral("drop trigger [stop_member]"));
    EXPECT_EQ(save().expiry.date(), QDate(2024, 7, 18)) << "60 points buy 18 days";
    EXPECT_EQ(points("1001"), 10);
}

TEST_F(Exchange, TypedSearchTextIsLiteral)
{
    addItem(QStringLiteral("Q01"), s(u"O'Neil护具"), false, 5, "0");
    addItem(QStringLiteral("S01"), s(u"*特价*饮料"), false, 5, "0");
    ResultSet goods = points::exchangeableGoods(dm());
    const int all = goods.rowCount();
    EXPECT_EQ(goods.texts(s(u"商品编号")),
              (QStringList{QStringLiteral("000000"), QStringLiteral("A01"), QStringLiteral("B01"),
                           QStringLiteral("Q01"), QStringLiteral("S01")}));
    goods.setFilter(points::goodsFilter(QStringLiteral("'")));
    EXPECT_EQ(goods.texts(s(u"商品编号")), QStringList{QStringLiteral("Q01")});
    goods.setFilter(points::goodsFilter(QStringLiteral(" * ")));
    EXPECT_EQ(goods.texts(s(u"商品编号")), QStringList{QStringLiteral("S01")});
    goods.setFilter(points::goodsFilter(QStringLiteral("a0")));
    EXPECT_EQ(goods.texts(s(u"商品编号")), QStringList{QStringLiteral("A01")}) << "codes compare without case";
    goods.setFilter(points::goodsFilter(s(u"护具")));
    EXPECT_EQ(goods.rowCount(), 2);
    goods.setFilter(points::goodsFilter(QString()));
    EXPECT_EQ(goods.rowCount(), all);
}

TEST(PointsRate, DaysAreTheIntegerQuotientEvenForHugeBalances)
{
    const points::PointsRate rate{100, 30};
    EXPECT_EQ(rate.daysFor(250), 75);
    EXPECT_EQ(rate.daysFor(99), 29);
    EXPECT_EQ(rate.daysFor(3), 0);
    EXPECT_EQ(rate.daysFor(9000000000000000000LL), 2700000000000000000LL);
    EXPECT_EQ((points::PointsRate{0, 30}.daysFor(1000)), 0);
    EXPECT_EQ((points::PointsRate{7, 3}.daysFor(20)), 8) << "20 x 3 / 7 = 8.57";
    EXPECT_EQ(rate.text(), s(u"使用100积分可换30天会籍"));
    EXPECT_EQ(points::daysRemark(45, QDate(2024, 9, 13)), s(u"会籍增加45天，截止日期到2024-09-13"));
    EXPECT_FALSE(points::movedExpiry(QDateTime(QDate(2024, 6, 30), QTime()), 9000000000LL).isValid());
}

} // namespace
