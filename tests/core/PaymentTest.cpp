#include "ParamNames.h"
#include "TestDatabase.h"
#include "cardtypes/CardTypes.h"
#include "payments/PaymentHistory.h"
#include "payments/PaymentSaving.h"
#include "payments/Payments.h"
#include "sms/SmsState.h"

#include <gtest/gtest.h>

using namespace tkd;
using namespace tkd::payments;
using tkd::test::s;

namespace {

const QDateTime kNow(QDate(2024, 3, 15), QTime(10, 30));
const QDate kToday = kNow.date();

class Payments : public ::testing::Test {
protected:
    void SetUp() override
    {
        addType(QStringLiteral("Y"), s(u"月卡"), {}, QStringLiteral("30"), 300);
        addType(QStringLiteral("J"), s(u"季卡"), {}, QStringLiteral("90"), 800);
        addType(QStringLiteral("C"), s(u"次卡"), QStringLiteral("10"), {}, 500);
        addType(QStringLiteral("F"), s(u"长期卡"), {}, {}, 1000);
        // Not opened; opened and running; expired; expiring today; opened without expiry.
        addMember(QStringLiteral("N1"), s(u"月卡"), Value(), Value(), 30);
        addMember(QStringLiteral("O1"), s(u"月卡"), QDate(2024, 1, 1), QDate(2024, 4, 1), 30);
        addMember(QStringLiteral("E1"), s(u"月卡"), QDate(2023, 12, 1), QDate(2024, 3, 1), 30);
        addMember(QStringLiteral("T1"), s(u"月卡"), QDate(2024, 2, 14), kToday, 30);
        addMember(QStringLiteral("X1"), s(u"长期卡"), QDate(2024, 1, 1), Value(), 0);
        dm().change(QStringLiteral("update [用户信息] set [联系地址]='青年路8号',[联系电话]='0571-8888'"));
    }
    void addType(const QString& code, const QString& name, const QString& visits, const QString& days, int price)
    {
        cardtypes::Input input;
        input.code = code;
        input.name = name;
        input.visits = visits;
        input.days = days;
        input.price = Money::fromYuan(price);
        ASSERT_FALSE(cardtypes::save(context(), input).refused());
    }
    void addMember(const QString& card, const QString& type, const Value& opened, const Value& expiry, int days)
    {
        dm().change(QStringLiteral("insert into [会员信息] ([会员卡号],[会员姓名],[会员类型],[会员状态],[开卡日期],"
                                   "[到期日期],[有效天数],[有效次数],[售价],[卡内余额],[移动电话]) "
                                   "values(:k,'张小龙',:t,'可用',:o,:e,:d,3,300,50,'13800000000')"),
                    {{QStringLiteral("k"), card},
                     {QStringLiteral("t"), type},
                     {QStringLiteral("o"), opened},
                     {QStringLiteral("e"), expiry},
                     {QStringLiteral("d"), days}});
    }
    TvelunDMForm& dm() { return db.dm(); }
    Value stored(const QString& card, const char16_t* column)
    {
        return dm().open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), card}}).first(s(column));
    }
    int paymentRows() { return static_cast<int>(dm().list(QStringLiteral("select * from [会员充值]")).rowCount()); }
    ResultSet lastPayment() { return dm().list(QStringLiteral("select * from [会员充值]")); }
    PayingMember member(const QString& card) { return *loadMember(dm(), card, Opener::MemberList); }
    CardType type(const char16_t* name) { return *cardtypes::find(dm(), s(name)); }
    CommandContext context() { return {dm(), s(u"超级用户"), kNow, &sms}; }
    RenewalInput renewal(const QString& card, const char16_t* typeName, const QString& amount,
                         ExpiryChoice choice = ExpiryChoice::NotAsked)
    {
        RenewalInput input;
        input.cardNumber = card;
        input.typeName = s(typeName);
        input.amount = amount;
        input.method = s(u"现金");
        input.remark = s(u"续一期");
        input.choice = choice;
        return input;
    }

    test::TestDatabase db;
    SmsState sms;
};

struct ProposalRow {
    const char* card;
    const char16_t* type;
    bool changeGrade;
    const char16_t* expiry;
    int amount;
    const char16_t* visits;
};

void PrintTo(const ProposalRow& row, std::ostream* os)
{
    *os << row.card << ' ' << QString::fromUtf16(row.type).toStdString() << (row.changeGrade ? " grade change" : "")
        << " -> " << QString::fromUtf16(row.expiry).toStdString() << ", " << row.amount << ", "
        << QString::fromUtf16(row.visits).toStdString();
}

class RenewalProposals : public Payments, public ::testing::WithParamInterface<ProposalRow> {};

TEST_P(RenewalProposals, FollowTheTableOfCardStateAndGradeChange)
{
    const ProposalRow row = GetParam();
    const auto p = proposeRenewal(member(QString::fromLatin1(row.card)), type(row.type), row.changeGrade, kToday);
    EXPECT_EQ(p.expiry, s(row.expiry));
    EXPECT_EQ(p.amount, Money::fromYuan(row.amount)) << p.amount.toString().toStdString();
    EXPECT_EQ(p.visits, s(row.visits));
}

INSTANTIATE_TEST_SUITE_P(Table, RenewalProposals,
                         ::testing::Values(
                             // Not opened: the days count from the opening, the difference in price is due.
                             ProposalRow{"N1", u"季卡", false, u"开卡90天后", 500, u"不限次数"},
                             ProposalRow{"N1", u"季卡", true, u"开卡90天后", 500, u"不限次数"},
                             ProposalRow{"N1", u"长期卡", false, u"不限天数", 700, u"不限次数"},
                             // Opened, grade change: from the opening date, the difference in price.
                             ProposalRow{"O1", u"季卡", true, u"2024-03-31", 500, u"不限次数"},
                             ProposalRow{"O1", u"月卡", true, u"2024-01-31", 0, u"不限次数"},
                             ProposalRow{"O1", u"长期卡", true, u"不限天数", 700, u"不限次数"},
                             // Opened, plain renewal: on top of the old expiry, the full price.
                             ProposalRow{"O1", u"季卡", false, u"2024-06-30", 800, u"不限次数"},
                             ProposalRow{"O1", u"次卡", false, u"不限天数", 500, u"10次"},
                             // Opened without expiry: the days bought count from today, or from the
                             // opening day with a grade change.
                             ProposalRow{"X1", u"季卡", false, u"2024-06-13", 800, u"不限次数"},
                             ProposalRow{"X1", u"季卡", true, u"2024-03-31", 500, u"不限次数"},
                             ProposalRow{"X1", u"长期卡", false, u"不限天数", 1000, u"不限次数"}),
                         [](const auto& info) {
                             const ProposalRow& row = info.param;
                             return tkd::test::nameFrom(info.index,
                                                        std::string(row.card) +
                                                            (row.changeGrade ? " grade change " : " renewal ") +
                                                            std::to_string(row.amount));
                         });

TEST_F(Payments, FirstProposalIsThePriceOnlyForAnOpenedCardWithoutGradeChange)
{
    dm().change(QStringLiteral("update [会员卡类型] set [售价]=300.5 where [类型名称]='月卡'"));
    EXPECT_EQ(initialRenewal(member(QStringLiteral("O1")), type(u"月卡"), false, Opener::MemberList, kToday).amount,
              Money::fromYuan(301))
        << "rounded to whole yuan";
    EXPECT_EQ(initialRenewal(member(QStringLiteral("O1")), type(u"月卡"), false, Opener::Statistics, kToday).amount,
              Money::fromUnits(3005000));
    EXPECT_TRUE(
        initialRenewal(member(QStringLiteral("O1")), type(u"月卡"), true, Opener::MemberList, kToday).amount.isZero());
    EXPECT_TRUE(
        initialRenewal(member(QStringLiteral("N1")), type(u"月卡"), false, Opener::MemberList, kToday).amount.isZero());
    const auto desk = loadMember(dm(), QStringLiteral("O1"), Opener::FrontDesk);
    EXPECT_EQ(desk->recordedPrice, Money::fromYuan(301)) << "the desk records the type's price in whole yuan";
}

TEST_F(Payments, CustomPreviewAddsDaysAndVisits)
{
    auto p = previewCustom(member(QStringLiteral("N1")), QStringLiteral("10"), QStringLiteral("5"));
    EXPECT_EQ(p.expiry, s(u"开卡40天后"));
    EXPECT_EQ(p.visits, s(u"8次"));
    p = previewCustom(member(QStringLiteral("O1")), QStringLiteral("10"), QString());
    EXPECT_EQ(p.expiry, QStringLiteral("2024-04-11"));
    EXPECT_EQ(p.visits, s(u"3次"));
    EXPECT_EQ(previewCustom(member(QStringLiteral("X1")), QStringLiteral("10"), {}).expiry, s(u"不限天数"));
    addMember(QStringLiteral("N0"), s(u"长期卡"), Value(), Value(), 0);
    EXPECT_EQ(previewCustom(member(QStringLiteral("N0")), QStringLiteral("0"), {}).expiry, s(u"不限天数"))
        << "no days on an unopened card is no limit, not 开卡0天后";
}

struct ExpiredRow {
    ExpiryChoice choice;
    QDate expiry;
};

const char* choiceName(ExpiryChoice choice)
{
    switch (choice) {
    case ExpiryChoice::NotAsked:
        return "NotAsked";
    case ExpiryChoice::FromOldExpiry:
        return "FromOldExpiry";
    case ExpiryChoice::FromToday:
        return "FromToday";
    case ExpiryChoice::Cancel:
        return "Cancel";
    }
    return "";
}

void PrintTo(const ExpiredRow& row, std::ostream* os)
{
    *os << choiceName(row.choice) << " -> " << row.expiry.toString(Qt::ISODate).toStdString();
}

class ExpiredRenewal : public Payments, public ::testing::WithParamInterface<ExpiredRow> {};

TEST_P(ExpiredRenewal, TakesTheDateOfTheChosenLine)
{
    const auto prompt = renewalPrompt(dm(), QStringLiteral("E1"), s(u"月卡"), kToday);
    ASSERT_TRUE(prompt);
    EXPECT_EQ(prompt->fromOldExpiry, QDate(2024, 3, 31));
    EXPECT_EQ(prompt->fromToday, QDate(2024, 4, 14));
    const auto outcome =
        renew(context(), renewal(QStringLiteral("E1"), u"月卡", QStringLiteral("300"), GetParam().choice));
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(stored(QStringLiteral("E1"), u"到期日期").toDate(), GetParam().expiry);
    EXPECT_EQ(outcome->expiry, GetParam().expiry.toString(QStringLiteral("yyyy-MM-dd")));
    EXPECT_EQ(paymentRows(), 1);
}

INSTANTIATE_TEST_SUITE_P(Choices, ExpiredRenewal,
                         ::testing::Values(ExpiredRow{ExpiryChoice::FromOldExpiry, QDate(2024, 3, 31)},
                                           ExpiredRow{ExpiryChoice::FromToday, QDate(2024, 4, 14)}),
                         [](const auto& info) { return std::string(choiceName(info.param.choice)); });

TEST_F(Payments, CancellingOrSkippingThePromptWritesNothing)
{
    auto outcome =
        renew(context(), renewal(QStringLiteral("E1"), u"季卡", QStringLiteral("800"), ExpiryChoice::Cancel));
    EXPECT_TRUE(outcome.refused() && outcome.refusal().cancelled);
    CustomInput custom;
    custom.cardNumber = QStringLiteral("E1");
    custom.days = QStringLiteral("10");
    custom.choice = ExpiryChoice::Cancel;
    const auto customOutcome = renewCustom(context(), custom);
    EXPECT_TRUE(customOutcome.refused() && customOutcome.refusal().cancelled);
    // A save that never asked must not guess how to extend an expired membership.
    outcome = renew(context(), renewal(QStringLiteral("E1"), u"季卡", QStringLiteral("800")));
    ASSERT_TRUE(outcome.refused());
    EXPECT_EQ(paymentRows(), 0);
    EXPECT_EQ(stored(QStringLiteral("E1"), u"会员类型").toText(), s(u"月卡"));
    EXPECT_EQ(stored(QStringLiteral("E1"), u"到期日期").toDate(), QDate(2024, 3, 1));
}

TEST_F(Payments, ExpiryDayItselfNeedsNoPrompt)
{
    EXPECT_FALSE(renewalPrompt(dm(), QStringLiteral("T1"), s(u"月卡"), kToday));
    EXPECT_FALSE(customPrompt(dm(), QStringLiteral("T1"), QStringLiteral("5"), kToday));
    EXPECT_TRUE(customPrompt(dm(), QStringLiteral("E1"), QStringLiteral("5"), kToday));
    const auto outcome = renew(context(), renewal(QStringLiteral("T1"), u"月卡", QStringLiteral("300")));
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(stored(QStringLiteral("T1"), u"到期日期").toDate(), QDate(2024, 4, 14));
}

TEST_F(Payments, RenewalSetsTypeAndVisitsAndWritesTheFeeRow)
{
    RenewalInput input = renewal(QStringLiteral("O1"), u"次卡", QStringLiteral("500"));
    input.changeGrade = true;
    const auto outcome = renew(context(), input);
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(stored(QStringLiteral("O1"), u"有效次数").toInt(), 10) << "set to the type's visits, not added";
    EXPECT_EQ(stored(QStringLiteral("O1"), u"会员类型").toText(), s(u"次卡"));
    EXPECT_EQ(stored(QStringLiteral("O1"), u"售价").toMoney(), Money::fromYuan(500));
    EXPECT_EQ(stored(QStringLiteral("O1"), u"有效天数").toInt(), 0);
    EXPECT_TRUE(stored(QStringLiteral("O1"), u"到期日期").isNull()) << "a type without day limit ends the expiry";
    EXPECT_EQ(outcome->type, s(u"次卡"));
    EXPECT_EQ(outcome->visitsLeft, s(u"10次"));
    EXPECT_EQ(outcome->balance, s(u"50.00元"));
    const ResultSet row = lastPayment();
    ASSERT_EQ(row.rowCount(), 1);
    EXPECT_EQ(row.first(s(u"充值金额")).toMoney(), Money::fromYuan(500));
    EXPECT_EQ(row.first(s(u"实际存入金额")).toMoney(), Money::fromYuan(500));
    EXPECT_TRUE(row.first(s(u"优惠金额")).toMoney().isZero());
    EXPECT_EQ(row.first(s(u"充值说明")).toText(), s(u"交费等级：次卡"));
    EXPECT_EQ(row.first(s(u"结帐方式")).toText(), s(u"现金"));
    EXPECT_EQ(row.first(s(u"备注")).toText(), s(u"续一期"));
    EXPECT_EQ(row.first(s(u"操作员")).toText(), s(u"超级用户"));
    EXPECT_EQ(row.first(s(u"充值日期")).toDateTime(), kNow);
    EXPECT_EQ(outcome->smsText, s(u"学员：张小龙(O1)于3月15日 10:30充值￥500.00元【】"));
    EXPECT_EQ(outcome->mobile, QStringLiteral("13800000000"));
}

TEST_F(Payments, GradeChangeCountsFromTheOpeningAndAnUnopenedCardGetsNoExpiry)
{
    RenewalInput input = renewal(QStringLiteral("O1"), u"季卡", QStringLiteral("500"));
    input.changeGrade = true;
    ASSERT_TRUE(renew(context(), input).ok());
    EXPECT_EQ(stored(QStringLiteral("O1"), u"到期日期").toDate(), QDate(2024, 3, 31));
    const auto outcome = renew(context(), renewal(QStringLiteral("N1"), u"季卡", QStringLiteral("500")));
    ASSERT_TRUE(outcome.ok());
    EXPECT_TRUE(stored(QStringLiteral("N1"), u"到期日期").isNull());
    EXPECT_EQ(stored(QStringLiteral("N1"), u"有效天数").toInt(), 90) << "the first check-in counts these";
    EXPECT_TRUE(outcome->expiry.isEmpty());
}

TEST_F(Payments, OpenedCardWithoutExpiryGetsOneWhenRenewedToATypeWithDays)
{
    // Opened 2024-01-01 under a type without day limit; renewed on 2024-03-15 to 90 days.
    EXPECT_EQ(proposeRenewal(member(QStringLiteral("X1")), type(u"季卡"), false, kToday).expiry, s(u"2024-06-13"));
    const auto outcome = renew(context(), renewal(QStringLiteral("X1"), u"季卡", QStringLiteral("800")));
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(stored(QStringLiteral("X1"), u"到期日期").toDate(), QDate(2024, 6, 13)) << "today plus the days bought";
    EXPECT_EQ(outcome->expiry, s(u"2024-06-13"));
    EXPECT_EQ(stored(QStringLiteral("X1"), u"会员类型").toText(), s(u"季卡"));
    EXPECT_EQ(stored(QStringLiteral("X1"), u"有效天数").toInt(), 90);
    EXPECT_EQ(stored(QStringLiteral("X1"), u"开卡日期").toDate(), QDate(2024, 1, 1)) << "the opening stays";
    EXPECT_TRUE(outcome->receipt.lines.contains(s(u"到期日期：2024-06-13")));

    // A grade change counts from the opening day, as for every opened card.
    addMember(QStringLiteral("X2"), s(u"长期卡"), QDate(2024, 1, 1), Value(), 0);
    RenewalInput grade = renewal(QStringLiteral("X2"), u"月卡", QStringLiteral("0"));
    grade.changeGrade = true;
    ASSERT_TRUE(renew(context(), grade).ok());
    EXPECT_EQ(stored(QStringLiteral("X2"), u"到期日期").toDate(), QDate(2024, 1, 31));

    // Renewed to another type without day limit, it keeps none.
    addMember(QStringLiteral("X3"), s(u"长期卡"), QDate(2024, 1, 1), Value(), 0);
    ASSERT_TRUE(renew(context(), renewal(QStringLiteral("X3"), u"长期卡", QStringLiteral("1000"))).ok());
    EXPECT_TRUE(stored(QStringLiteral("X3"), u"到期日期").isNull());
}

TEST_F(Payments, RenewalToATypeWithoutDayLimitEndsTheExpiry)
{
    // Running, and expired: neither keeps a date a type without day limit never sets.
    for (const QString& card : {QStringLiteral("O1"), QStringLiteral("E1")}) {
        EXPECT_FALSE(renewalPrompt(dm(), card, s(u"长期卡"), kToday)) << card.toStdString();
        const auto outcome = renew(context(), renewal(card, u"长期卡", QStringLiteral("1000")));
        ASSERT_TRUE(outcome.ok()) << card.toStdString();
        EXPECT_TRUE(stored(card, u"到期日期").isNull()) << card.toStdString();
        EXPECT_TRUE(outcome->expiry.isEmpty());
    }
    EXPECT_EQ(paymentRows(), 2);
}

TEST_F(Payments, CustomRenewalAddsDaysAndVisits)
{
    CustomInput input;
    input.cardNumber = QStringLiteral("O1");
    input.days = QStringLiteral("10");
    input.visits = QStringLiteral("5");
    input.amount = QStringLiteral("120");
    input.method = s(u"银行卡");
    const auto outcome = renewCustom(context(), input);
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(stored(QStringLiteral("O1"), u"到期日期").toDate(), QDate(2024, 4, 11));
    EXPECT_EQ(stored(QStringLiteral("O1"), u"有效天数").toInt(), 40);
    EXPECT_EQ(stored(QStringLiteral("O1"), u"有效次数").toInt(), 8);
    EXPECT_EQ(stored(QStringLiteral("O1"), u"会员类型").toText(), s(u"月卡"));
    EXPECT_EQ(outcome->visitsLeft, s(u"8次"));
    EXPECT_EQ(outcome->expiry, QStringLiteral("2024-04-11"));
    EXPECT_EQ(lastPayment().first(s(u"充值说明")).toText(), s(u"自定义续费"));
    EXPECT_EQ(lastPayment().first(s(u"实际存入金额")).toMoney(), Money::fromYuan(120));

    input.cardNumber = QStringLiteral("E1");
    input.choice = ExpiryChoice::FromToday;
    ASSERT_TRUE(renewCustom(context(), input).ok());
    EXPECT_EQ(stored(QStringLiteral("E1"), u"到期日期").toDate(), QDate(2024, 3, 25));
}

TEST_F(Payments, RechargeStoresDiscountAndRaisesTheStoredBalance)
{
    const PayingMember shown = member(QStringLiteral("O1"));
    // Someone else paid in meanwhile: the window's balance of 50 is stale.
    dm().change(QStringLiteral("update [会员信息] set [卡内余额]=70 where [会员卡号]='O1'"));
    const auto outcome =
        recharge(context(), {shown.cardNumber, QStringLiteral("100"), QStringLiteral("90"), s(u"活动"), s(u"现金")});
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(stored(QStringLiteral("O1"), u"卡内余额").toMoney(), Money::fromYuan(170));
    EXPECT_EQ(outcome->balance, s(u"170.00元"));
    const ResultSet row = lastPayment();
    EXPECT_EQ(row.first(s(u"充值金额")).toMoney(), Money::fromYuan(100));
    EXPECT_EQ(row.first(s(u"优惠金额")).toMoney(), Money::fromYuan(10));
    EXPECT_EQ(row.first(s(u"实际存入金额")).toMoney(), Money::fromYuan(90));
    EXPECT_EQ(row.first(s(u"充值说明")).toText(), s(u"会员交费"));
    EXPECT_TRUE(outcome->smsText.contains(s(u"充值￥100.00元")));
}

TEST_F(Payments, BadInputIsRefusedBeforeAnyWrite)
{
    sms.afterPayment = true;
    EXPECT_EQ(renew(context(), renewal(QStringLiteral("O1"), u"季卡", QStringLiteral("800"))).refusal().message,
              s(u"请先登录再发短信！"));
    EXPECT_EQ(recharge(context(), {QStringLiteral("O1"), QStringLiteral("100"), QStringLiteral("100"), {}, {}})
                  .refusal()
                  .message,
              s(u"请先登录再发短信！"));
    CustomInput custom;
    custom.cardNumber = QStringLiteral("O1");
    custom.days = QStringLiteral("5");
    EXPECT_EQ(renewCustom(context(), custom).refusal().message, s(u"请先登录再发短信！"));
    sms.afterPayment = false;

    EXPECT_EQ(renew(context(), renewal(QString(), u"季卡", QStringLiteral("800"))).refusal().message,
              s(u"请选择会员！"));
    EXPECT_EQ(renew(context(), renewal(QStringLiteral("O1"), u"季卡", QStringLiteral("8..0"))).refusal().field,
              field::amount);
    EXPECT_EQ(renew(context(), renewal(QStringLiteral("O1"), u"金卡", QStringLiteral("800"))).refusal().field,
              field::type);
    EXPECT_EQ(renew(context(), renewal(QStringLiteral("GONE"), u"季卡", QStringLiteral("800"))).refusal().message,
              s(u"会员卡号不存在！"));
    custom.days = QStringLiteral("1x");
    EXPECT_EQ(renewCustom(context(), custom).refusal().field, field::days);
    EXPECT_EQ(recharge(context(), {QStringLiteral("O1"), QStringLiteral("abc"), {}, {}, {}}).refusal().field,
              field::deposit);
    EXPECT_EQ(paymentRows(), 0);
    EXPECT_EQ(stored(QStringLiteral("O1"), u"卡内余额").toMoney(), Money::fromYuan(50));
    EXPECT_EQ(stored(QStringLiteral("O1"), u"会员类型").toText(), s(u"月卡"));
}

TEST_F(Payments, ReceiptLinesForEachKind)
{
    const QStringList tail{s(u"收 款 人：超级用户"), s(u"地址：青年路8号"), s(u"电话：0571-8888")};
    const QStringList head{s(u"会员卡号：O1"), s(u"会员姓名：张小龙")};

    auto outcome = renew(context(), renewal(QStringLiteral("O1"), u"季卡", QStringLiteral("799.5")));
    EXPECT_EQ(outcome->receipt.title, s(u"澄岚跆拳道馆"));
    EXPECT_EQ(outcome->receipt.lines,
              (head +
               QStringList{s(u"会员类型：季卡"), s(u"交费金额：799.5"), s(u"到期日期：2024-06-30"),
                           s(u"累计次数：不限次数"), s(u"交费时间：24-03-15 10:30")} +
               tail));

    CustomInput custom;
    custom.cardNumber = QStringLiteral("O1");
    custom.days = QStringLiteral("7");
    custom.visits = QString();
    custom.amount = QStringLiteral("70");
    outcome = renewCustom(context(), custom);
    EXPECT_EQ(outcome->receipt.lines, (head +
                                       QStringList{s(u"会员类型：季卡"), s(u"交费金额：70"), s(u"可用天数：7天"),
                                                   s(u"可用次数：0次"), s(u"交费时间：24-03-15 10:30")} +
                                       tail));

    outcome = recharge(context(), {QStringLiteral("O1"), QStringLiteral("100"), QStringLiteral("90"), {}, {}});
    EXPECT_EQ(outcome->receipt.lines, (head +
                                       QStringList{s(u"会员类型：季卡"), s(u"充值金额：100"), s(u"优惠金额：10"),
                                                   s(u"卡内余额：150"), s(u"充值时间：24-03-15 10:30")} +
                                       tail));
}

TEST_F(Payments, HistoryListsTheMembersPaymentsWithSums)
{
    ASSERT_TRUE(recharge(context(), {QStringLiteral("O1"), QStringLiteral("100"), QStringLiteral("90"), {}, {}}).ok());
    ASSERT_TRUE(renew(context(), renewal(QStringLiteral("O1"), u"季卡", QStringLiteral("800.25"))).ok());
    ASSERT_TRUE(recharge(context(), {QStringLiteral("E1"), QStringLiteral("60"), QStringLiteral("50"), {}, {}}).ok());
    const PaymentHistory h = paymentHistory(dm(), QStringLiteral("O1"), kNow);
    EXPECT_EQ(h.rows.rowCount(), 2);
    EXPECT_EQ(h.charged, Money::fromUnits(9002500));
    EXPECT_EQ(h.discount, Money::fromYuan(10));
    EXPECT_EQ(h.printedAt, QStringLiteral("2024-03-15 10:30:00"));
    EXPECT_EQ(h.memberLine, s(u"O1  张小龙"));
}

TEST(PaymentTexts, AmountsWithoutFixedDecimals)
{
    EXPECT_EQ(plainAmount(Money::fromYuan(100)), QStringLiteral("100"));
    EXPECT_EQ(plainAmount(Money::fromUnits(995000)), QStringLiteral("99.5"));
    EXPECT_EQ(plainAmount(Money::fromUnits(-100)), QStringLiteral("-0.01"));
    EXPECT_EQ(plainAmount(Money()), QStringLiteral("0"));
    EXPECT_EQ(visitsText(0), s(u"不限次数"));
    EXPECT_EQ(visitsText(12), s(u"12次"));
    EXPECT_EQ(countFromText(QString()), 0);
    EXPECT_FALSE(countFromText(QStringLiteral("-3")));
    EXPECT_FALSE(amountFromText(QStringLiteral("1.2.3")));
}

} // namespace
