#include "OtherSettings.h"

#include "data/TvelunDMForm.h"

namespace tkd::settings {
namespace {

bool wholeNumber(const QString& text, int* out)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        *out = 0;
        return true;
    }
    bool ok = false;
    const int value = trimmed.toInt(&ok);
    if (!ok || value < 0)
        return false;
    *out = value;
    return true;
}

bool money(const QString& text, Money* out)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        *out = Money();
        return true;
    }
    return Money::parse(trimmed, out) && *out >= Money();
}

} // namespace

OtherSettings load(TvelunDMForm& dm)
{
    const ResultSet row = dm.open(QStringLiteral("ADODS_qtsz"));
    OtherSettings s;
    s.referralYuanPerPoint = row.first(QStringLiteral("介绍积分")).toMoney();
    s.consumptionYuanPerPoint = row.first(QStringLiteral("消费积分")).toMoney();
    s.pointsPerExchange = static_cast<int>(row.first(QStringLiteral("使用积分")).toInt());
    s.daysPerExchange = static_cast<int>(row.first(QStringLiteral("兑换会籍")).toInt());
    s.lockerLeadDays = static_cast<int>(row.first(QStringLiteral("衣柜提醒")).toInt());
    s.memberLeadDays = static_cast<int>(row.first(QStringLiteral("会员提醒")).toInt());
    s.birthdayLeadDays = static_cast<int>(row.first(QStringLiteral("生日提醒")).toInt());
    s.gradingLessons = static_cast<int>(row.first(QStringLiteral("考核提醒")).toInt());
    s.dailyReminders = row.first(QStringLiteral("每日提醒")).toBool();
    s.unattended = row.first(QStringLiteral("无人值守")).toBool();
    return s;
}

Outcome<SavedSettings> save(const CommandContext& context, const OtherSettingsInput& input)
{
    SavedSettings result;
    OtherSettings& s = result.settings;
    // The inputs only take digits, but a pasted or over-long value must not be stored as garbage.
    if (!money(input.referralYuanPerPoint, &s.referralYuanPerPoint) ||
        !money(input.consumptionYuanPerPoint, &s.consumptionYuanPerPoint))
        return Refusal::error(QStringLiteral("积分金额必须是数字！"));
    if (!wholeNumber(input.pointsPerExchange, &s.pointsPerExchange) ||
        !wholeNumber(input.daysPerExchange, &s.daysPerExchange) ||
        !wholeNumber(input.lockerLeadDays, &s.lockerLeadDays) ||
        !wholeNumber(input.memberLeadDays, &s.memberLeadDays) ||
        !wholeNumber(input.birthdayLeadDays, &s.birthdayLeadDays) ||
        !wholeNumber(input.gradingLessons, &s.gradingLessons))
        return Refusal::error(QStringLiteral("积分、天数和课时必须是整数！"));
    s.dailyReminders = input.dailyReminders;
    s.unattended = input.unattended;
    Transaction tx(context.dm.db());
    context.dm.change(
        QStringLiteral("update [其它设置] set [介绍积分]=:jsjf,[消费积分]=:xfjf,[使用积分]=:syjf,[兑换会籍]=:dhhj,"
                       "[衣柜提醒]=:ygtx,[会员提醒]=:hytx,[生日提醒]=:srtx,[考核提醒]=:khtx,[每日提醒]=:mrtx,"
                       "[无人值守]=:wrzs"),
        {{QStringLiteral("jsjf"), s.referralYuanPerPoint},
         {QStringLiteral("xfjf"), s.consumptionYuanPerPoint},
         {QStringLiteral("syjf"), s.pointsPerExchange},
         {QStringLiteral("dhhj"), s.daysPerExchange},
         {QStringLiteral("ygtx"), s.lockerLeadDays},
         {QStringLiteral("hytx"), s.memberLeadDays},
         {QStringLiteral("srtx"), s.birthdayLeadDays},
         {QStringLiteral("khtx"), s.gradingLessons},
         {QStringLiteral("mrtx"), s.dailyReminders},
         {QStringLiteral("wrzs"), s.unattended}});
    tx.commit();
    result.message = QStringLiteral("设置保存成功！");
    return result;
}

QString cardNumberHint(bool unattended)
{
    return unattended ? QStringLiteral("无人值守状态，会员刷卡后自动登记！") : QStringLiteral("回车键确认会员卡号！");
}

} // namespace tkd::settings
