#include "settings/OtherSettings.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

using namespace tkd;
using tkd::test::s;

namespace {
CommandContext admin(TvelunDMForm& dm)
{
    return {dm, s(u"超级用户"), QDateTime(QDate(2024, 3, 15), QTime(9, 0))};
}
} // namespace

TEST(OtherSettings, EmptyNumbersAreStoredAsZeroAndTheRowIsRewritten)
{
    tkd::test::TestDatabase db;
    settings::OtherSettingsInput input;
    input.referralYuanPerPoint = QStringLiteral("12.5");
    input.consumptionYuanPerPoint = QString();
    input.pointsPerExchange = QStringLiteral("100");
    input.daysPerExchange = QStringLiteral("7");
    input.memberLeadDays = QStringLiteral(" ");
    input.unattended = true;
    const auto result = settings::save(admin(db.dm()), input);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->message, s(u"设置保存成功！"));
    const settings::OtherSettings stored = settings::load(db.dm());
    EXPECT_EQ(stored.referralYuanPerPoint, Money::fromUnits(125000));
    EXPECT_TRUE(stored.consumptionYuanPerPoint.isZero());
    EXPECT_EQ(stored.pointsPerExchange, 100);
    EXPECT_EQ(stored.daysPerExchange, 7);
    EXPECT_EQ(stored.memberLeadDays, 0);
    EXPECT_TRUE(stored.unattended);
    EXPECT_FALSE(stored.dailyReminders);
    EXPECT_EQ(db.dm().list(QStringLiteral("select * from [其它设置]")).rowCount(), 1);
}

TEST(OtherSettings, TextThatIsNoNumberIsRefusedAndNothingWritten)
{
    tkd::test::TestDatabase db;
    const settings::OtherSettings before = settings::load(db.dm());
    settings::OtherSettingsInput input;
    input.lockerLeadDays = QStringLiteral("99999999999");
    input.unattended = !before.unattended;
    const auto result = settings::save(admin(db.dm()), input);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.refusal().message, s(u"积分、天数和课时必须是整数！"));
    EXPECT_EQ(settings::load(db.dm()).unattended, before.unattended);
    input.lockerLeadDays.clear();
    input.referralYuanPerPoint = QStringLiteral("1.2.3");
    EXPECT_EQ(settings::save(admin(db.dm()), input).refusal().message, s(u"积分金额必须是数字！"));
    EXPECT_EQ(settings::cardNumberHint(true), s(u"无人值守状态，会员刷卡后自动登记！"));
    EXPECT_EQ(settings::cardNumberHint(false), s(u"回车键确认会员卡号！"));
}
