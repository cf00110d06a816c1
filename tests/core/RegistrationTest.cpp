#include "members/Registration.h"
#include "TestDatabase.h"
#include "cardtypes/CardTypes.h"
#include "lockers/LockerChoice.h"
#include "sms/SmsState.h"

#include <gtest/gtest.h>

using namespace tkd;
using tkd::test::s;

namespace {

class Registration : public ::testing::Test {
protected:
    void SetUp() override
    {
        cardtypes::Input type;
        type.code = QStringLiteral("Y");
        type.name = s(u"月卡");
        type.days = QStringLiteral("30");
        type.price = Money::fromYuan(1250);
        ASSERT_FALSE(cardtypes::save(desk(), type).refused());
        type.code = QStringLiteral("F");
        type.name = s(u"长期卡");
        type.days.clear();
        ASSERT_FALSE(cardtypes::save(desk(), type).refused());
        sms.signature = s(u"澄岚软件");
    }
    members::MemberInput valid(const QString& card = QStringLiteral("8001"))
    {
        members::MemberInput in;
        in.cardNumber = card;
        in.name = s(u"赵小虎");
        in.type = s(u"月卡");
        in.mobile = QStringLiteral("13900000000");
        in.joined = QDate(2024, 3, 1);
        in.visits = QStringLiteral("0");
        in.days = QStringLiteral("45");
        in.price = Money::fromYuan(1250);
        in.birthMonth = QStringLiteral("5");
        in.birthDay = QStringLiteral("6");
        return in;
    }
    CommandContext desk() { return {dm(), s(u"前台"), now, &sms}; }
    Outcome<members::Registration> save(const members::MemberInput& in) { return members::registerMember(desk(), in); }
    qint64 rows(const char16_t* table)
    {
        return dm().list(QStringLiteral("select * from [%1]").arg(QString::fromUtf16(table))).rowCount();
    }
    Value member(const QString& card, const char16_t* column)
    {
        return dm()
            .open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), card}})
            .first(QString::fromUtf16(column));
    }
    void setReferralRate(int yuan)
    {
        dm().change(QStringLiteral("update [其它设置] set [介绍积分]=:r"),
                    {{QStringLiteral("r"), Money::fromYuan(yuan)}});
    }
    TvelunDMForm& dm() { return m_db.dm(); }

    tkd::test::TestDatabase m_db;
    SmsState sms;
    const QDateTime now{QDate(2024, 3, 15), QTime(10, 30)};
};

struct RefusalCase {
    const char* name;
    std::function<void(members::MemberInput&)> spoil;
    const char16_t* message;
};

} // namespace

TEST_F(Registration, EveryRuleRefusesInOrderAndWritesNothing)
{
    ASSERT_FALSE(save(valid(QStringLiteral("7000"))).refused());
    const qint64 membersBefore = rows(u"会员信息");
    const qint64 paymentsBefore = rows(u"会员充值");
    const RefusalCase cases[] = {
        {"card",
         [](auto& in) {
             in.cardNumber = QStringLiteral("  ");
             in.name.clear();
         },
         u"会员卡号不能为空！"},
        {"name",
         [](auto& in) {
             in.name = QStringLiteral(" ");
             in.type.clear();
         },
         u"会员姓名不能为空！"},
        {"type",
         [](auto& in) {
             in.type.clear();
             in.password = QStringLiteral("1");
         },
         u"会员类型不能为空！"},
        {"password",
         [](auto& in) {
             in.password = QStringLiteral("12");
             in.cardNumber = QStringLiteral("7000");
         },
         u"两次输入的密码不相同，请重新输入！"},
        {"duplicate",
         [](auto& in) {
             in.cardNumber = QStringLiteral(" 7000 ");
             in.birthMonth = QStringLiteral("13");
         },
         u"该会员卡号已存在！"},
        {"sms", [](auto& in) { in.birthMonth = QStringLiteral("13"); }, u"请先登录再发短信！"},
        {"month", [](auto& in) { in.birthMonth = QStringLiteral("13"); }, u"请输入正确的会员生日！"},
        {"day", [](auto& in) { in.birthDay = QStringLiteral("32"); }, u"请输入正确的会员生日！"},
        {"half", [](auto& in) { in.birthDay = QString(); }, u"会员生日“05-00”不合法！"},
        {"april31",
         [](auto& in) {
             in.birthMonth = QStringLiteral("4");
             in.birthDay = QStringLiteral("31");
         },
         u"会员生日“04-31”不合法！"},
        {"feb30",
         [](auto& in) {
             in.birthMonth = QStringLiteral("2");
             in.birthDay = QStringLiteral("30");
         },
         u"会员生日“02-30”不合法！"},
    };
    for (const RefusalCase& c : cases) {
        members::MemberInput in = valid();
        c.spoil(in);
        // The SMS login is asked after the card checks and before the birthday.
        sms.afterPayment = std::string(c.name) == "sms" || std::string(c.name) == "duplicate";
        const auto outcome = save(in);
        ASSERT_TRUE(outcome.refused()) << c.name;
        EXPECT_EQ(outcome.refusal().message, QString::fromUtf16(c.message)) << c.name;
    }
    EXPECT_EQ(rows(u"会员信息"), membersBefore);
    EXPECT_EQ(rows(u"会员充值"), paymentsBefore);
}

TEST_F(Registration, SavesTheMemberWithAFirstPaymentAndNoPointsOrBalance)
{
    ASSERT_FALSE(save(valid()).refused());
    EXPECT_EQ(member(QStringLiteral("8001"), u"会员状态").toText(), s(u"可用"));
    EXPECT_TRUE(member(QStringLiteral("8001"), u"开卡日期").isNull());
    EXPECT_EQ(member(QStringLiteral("8001"), u"有效天数").toInt(), 45) << "the box's days are kept";
    EXPECT_EQ(member(QStringLiteral("8001"), u"会员生日").toText(), QStringLiteral("05-06"));
    EXPECT_EQ(member(QStringLiteral("8001"), u"会员积分").toInt(), 0);
    EXPECT_TRUE(member(QStringLiteral("8001"), u"卡内余额").toMoney().isZero());
    const ResultSet payment = dm().list(QStringLiteral("select * from [会员充值]"));
    ASSERT_EQ(payment.rowCount(), 1);
    EXPECT_EQ(payment.first(s(u"充值金额")).toMoney(), Money::fromYuan(1250));
    EXPECT_EQ(payment.first(s(u"实际存入金额")).toMoney(), Money::fromYuan(1250));
    EXPECT_EQ(payment.first(s(u"充值说明")).toText(), s(u"续费等级：月卡"));
    EXPECT_EQ(payment.first(s(u"备注")).toText(), s(u"添加会员时续费"));
    EXPECT_EQ(payment.first(s(u"操作员")).toText(), s(u"前台"));
}

TEST_F(Registration, FreeCardNeedsNoPaymentAndNoSmsLogin)
{
    sms.afterPayment = true;
    members::MemberInput in = valid();
    const auto refused = save(in);
    ASSERT_TRUE(refused.refused());
    EXPECT_EQ(refused.refusal().message, s(u"请先登录再发短信！"));
    EXPECT_EQ(rows(u"会员信息"), 0);
    in.price = Money();
    const auto saved = save(in);
    ASSERT_FALSE(saved.refused());
    EXPECT_FALSE(saved->paymentWritten);
    EXPECT_EQ(rows(u"会员充值"), 0);

    sms.loginState = s(u"已登录");
    const auto paid = save(valid(QStringLiteral("8002")));
    ASSERT_FALSE(paid.refused());
    EXPECT_EQ(paid->smsText, s(u"学员：赵小虎(8002)于3月15日 10:30充值￥1250.00元【澄岚软件】"));
}

TEST_F(Registration, OpeningOnSaveUsesTodayAndTheTypesOwnDays)
{
    members::MemberInput in = valid();
    in.openOnSave = true;
    ASSERT_FALSE(save(in).refused());
    EXPECT_EQ(member(QStringLiteral("8001"), u"开卡日期").toDate(), QDate(2024, 3, 15)) << "not the joining day";
    EXPECT_EQ(member(QStringLiteral("8001"), u"到期日期").toDate(), QDate(2024, 4, 14)) << "30 days, not the 45 typed";
    in = valid(QStringLiteral("8002"));
    in.type = s(u"长期卡");
    in.openOnSave = true;
    ASSERT_FALSE(save(in).refused());
    EXPECT_EQ(member(QStringLiteral("8002"), u"开卡日期").toDate(), QDate(2024, 3, 15));
    EXPECT_TRUE(member(QStringLiteral("8002"), u"到期日期").isNull());
}

TEST_F(Registration, IntroducerEarnsWholePointsAndARateOfZeroEarnsNone)
{
    ASSERT_FALSE(save(valid(QStringLiteral("1"))).refused());
    setReferralRate(100);
    members::MemberInput in = valid(QStringLiteral("2"));
    in.introducer = s(u"赵小虎");
    in.introducerCard = QStringLiteral("1");
    ASSERT_FALSE(save(in).refused());
    EXPECT_EQ(member(QStringLiteral("1"), u"会员积分").toInt(), 12);
    EXPECT_EQ(member(QStringLiteral("2"), u"介绍人卡号").toText(), QStringLiteral("1"));

    setReferralRate(0);
    in.cardNumber = QStringLiteral("3");
    ASSERT_FALSE(save(in).refused()) << "a rate of 0 no longer stops the registration";
    EXPECT_EQ(member(QStringLiteral("1"), u"会员积分").toInt(), 12);
    EXPECT_EQ(members::referralPoints(Money::fromUnits(12509999), Money::fromUnits(1005000)), 12);

    // An introducer whose points were never set still earns them.
    setReferralRate(100);
    dm().change(QStringLiteral("update [会员信息] set [会员积分]=null where [会员卡号]='1'"));
    in.cardNumber = QStringLiteral("4");
    ASSERT_FALSE(save(in).refused());
    EXPECT_EQ(member(QStringLiteral("1"), u"会员积分").toInt(), 12);
}

TEST_F(Registration, BirthdaysAsStored)
{
    EXPECT_EQ(members::birthdayFrom(QString(), QString()).value(), QStringLiteral("00-00"));
    EXPECT_EQ(members::birthdayFrom(QStringLiteral("0"), QStringLiteral("0")).value(), QStringLiteral("00-00"));
    EXPECT_EQ(members::birthdayFrom(QStringLiteral("2"), QStringLiteral("29")).value(), QStringLiteral("02-29"));
    EXPECT_EQ(members::birthdayFrom(QStringLiteral("12"), QStringLiteral("31")).value(), QStringLiteral("12-31"));
    const auto half = members::birthdayFrom(QStringLiteral("0"), QStringLiteral("9"));
    ASSERT_TRUE(half.refused());
    EXPECT_EQ(half.refusal().field, members::field::birthMonth);
    EXPECT_EQ(half.refusal().clear.size(), 2) << "both boxes are emptied";
}

TEST_F(Registration, HeldLockerIsRentedWithTheMember)
{
    dm().change(
        QStringLiteral("insert into [衣柜设置] ([衣柜编号],[衣柜名称],[押金],[状态]) values('A1','A1衣柜',50,'可用')"));
    lockers::RentalChoice choice{QStringLiteral("A1"), s(u"A1衣柜"),        QDate(2024, 3, 15), QDate(2024, 6, 15),
                                 Money::fromYuan(100), Money::fromYuan(50), s(u"新会员")};
    ASSERT_FALSE(lockers::holdForRegistration(desk(), choice).refused());
    EXPECT_EQ(rows(u"衣柜出租"), 0) << "nothing is rented before the member is saved";
    members::MemberInput in = valid();
    in.locker = QStringLiteral("A1");
    ASSERT_FALSE(save(in).refused());
    const ResultSet rental = dm().list(QStringLiteral("select * from [衣柜出租]"));
    ASSERT_EQ(rental.rowCount(), 1);
    EXPECT_EQ(rental.first(s(u"出租状态")).toText(), s(u"租用"));
    EXPECT_EQ(rental.first(s(u"租金")).toMoney(), Money::fromYuan(100));
    const ResultSet locker = dm().open(QStringLiteral("ADOQ_ygbhxx"), {{QStringLiteral("ygbh"), QStringLiteral("A1")}});
    EXPECT_EQ(locker.first(s(u"状态")).toText(), s(u"已租"));
    EXPECT_EQ(locker.first(s(u"会员卡号")).toText(), QStringLiteral("8001"));
    EXPECT_EQ(locker.first(s(u"到期日期")).toDate(), QDate(2024, 6, 15));
    EXPECT_EQ(locker.first(s(u"出租编号")).toInt(), rental.first(s(u"编号")).toInt());
    EXPECT_EQ(member(QStringLiteral("8001"), u"衣柜编号").toText(), QStringLiteral("A1"));

    // The same locker for a second member is refused before anything is written.
    EXPECT_TRUE(lockers::holdForRegistration(desk(), choice).refused());
    in = valid(QStringLiteral("8002"));
    in.locker = QStringLiteral("A1");
    const auto refused = save(in);
    ASSERT_TRUE(refused.refused());
    EXPECT_EQ(refused.refusal().message, s(u"该衣柜处于非可用状态，请选择其它的衣柜！"));
    EXPECT_EQ(rows(u"会员信息"), 1);
}

TEST_F(Registration, EditingNeverTouchesCardTypeCountersOrPrice)
{
    ASSERT_FALSE(save(valid()).refused());
    dm().change(QStringLiteral("update [会员信息] set [有效次数]=7,[卡内余额]=30 where [会员卡号]='8001'"));
    members::MemberInput in = valid();
    in.name = s(u"赵大虎");
    in.type = s(u"长期卡");
    in.visits = QStringLiteral("99");
    in.days = QStringLiteral("99");
    in.price = Money::fromYuan(1);
    in.coach = s(u"金教练");
    ASSERT_FALSE(members::editMember(desk(), in).refused());
    EXPECT_EQ(member(QStringLiteral("8001"), u"会员姓名").toText(), s(u"赵大虎"));
    EXPECT_EQ(member(QStringLiteral("8001"), u"健身教练").toText(), s(u"金教练"));
    EXPECT_EQ(member(QStringLiteral("8001"), u"会员类型").toText(), s(u"月卡"));
    EXPECT_EQ(member(QStringLiteral("8001"), u"有效次数").toInt(), 7);
    EXPECT_EQ(member(QStringLiteral("8001"), u"有效天数").toInt(), 45);
    EXPECT_EQ(member(QStringLiteral("8001"), u"售价").toMoney(), Money::fromYuan(1250));
    EXPECT_EQ(member(QStringLiteral("8001"), u"卡内余额").toMoney(), Money::fromYuan(30));
    in.cardNumber = QStringLiteral("404");
    const auto missing = members::editMember(desk(), in);
    ASSERT_TRUE(missing.refused());
    EXPECT_EQ(missing.refusal().message, s(u"会员卡号不存在！"));
}
