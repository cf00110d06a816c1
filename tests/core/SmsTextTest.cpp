#include "ParamNames.h"
#include "TestDatabase.h"
#include "sms/SmsOperations.h"
#include "sms/SmsTemplates.h"

#include <gtest/gtest.h>

using namespace tkd;
using tkd::test::s;

TEST(SmsTemplates, CheckInAndAmountTexts)
{
    const QDateTime checkIn(QDate(2024, 3, 7), QTime(9, 5));
    EXPECT_EQ(sms::checkInText(s(u"张三"), QStringLiteral("0001"), checkIn, s(u"澄岚软件")),
              s(u"学员：张三(0001)于3月7日 09:05上课登记，勿念【澄岚软件】"));
    const QDateTime late(QDate(2024, 12, 17), QTime(21, 30));
    EXPECT_EQ(sms::rechargeText(s(u"李四"), QStringLiteral("0002"), late, Money::fromYuan(100), s(u"馆")),
              s(u"学员：李四(0002)于12月17日 21:30充值￥100.00元【馆】"));
    EXPECT_EQ(sms::consumptionText(s(u"李四"), QStringLiteral("0002"), late, Money::fromUnits(125050), s(u"馆")),
              s(u"学员：李四(0002)于12月17日 21:30消费￥12.51元【馆】"));
    EXPECT_EQ(sms::returnText(s(u"李四"), QStringLiteral("0002"), late, Money::fromUnits(5000), s(u"馆")),
              s(u"学员：李四(0002)于12月17日 21:30退货￥0.50元【馆】"));
}

struct NumberCase {
    const char* field;
    bool passes;
    const char* badLine;
    int badIndex;
};

void PrintTo(const NumberCase& c, std::ostream* os)
{
    *os << ::testing::PrintToString(std::string(c.field)) << (c.passes ? " passes" : " is refused at line ")
        << (c.passes ? std::string() : std::to_string(c.badIndex));
}

class SmsNumberCheck : public ::testing::TestWithParam<NumberCase> {};

TEST_P(SmsNumberCheck, EveryLineElevenDigits)
{
    const NumberCase& c = GetParam();
    const auto check = sms::checkNumbers(QString::fromUtf8(c.field));
    EXPECT_EQ(check.passed, c.passes);
    if (c.passes) {
        EXPECT_EQ(check.notice.message, s(u"检查完成，手机号码全部正确！"));
    } else {
        EXPECT_EQ(check.notice.message,
                  s(u"有不正确的手机号[") + QString::fromUtf8(c.badLine) + s(u"]，请修改后再发送短信！"));
        EXPECT_EQ(check.badLine, c.badIndex);
        EXPECT_EQ(check.notice.icon, Refusal::Icon::Error);
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, SmsNumberCheck,
                         ::testing::Values(NumberCase{"13800000000", true, "", -1},
                                           NumberCase{"23800000000\r\n13900000000\n", true, "", -1},
                                           NumberCase{"138000000001", false, "138000000001", 0},
                                           NumberCase{"13800000000\n1380000000a", false, "1380000000a", 1},
                                           NumberCase{"13800000000\n 13800000000", false, " 13800000000", 1},
                                           NumberCase{"13800000000 \n13900000000", false, "13800000000 ", 0},
                                           NumberCase{"\n13800000000", false, "", 0},
                                           NumberCase{"13800000000\n\n13800000000", false, "", 1}),
                         [](const auto& info) {
                             return tkd::test::nameFrom(info.index, std::string(info.param.field) +
                                                                        (info.param.passes ? " passes" : " refused"));
                         });

TEST(SmsNumberField, EmptyFieldIsRefused)
{
    const auto check = sms::checkNumbers(QStringLiteral(" \n "));
    EXPECT_FALSE(check.passed);
    EXPECT_EQ(check.notice.message, s(u"手机号码不能为空！"));
}

TEST(SmsRecipients, LinesAreJoinedWithCrLf)
{
    EXPECT_EQ(sms::recipientsFromField(QStringLiteral("1\n2\r\n3")), QStringLiteral("1\r\n2\r\n3"));
}
