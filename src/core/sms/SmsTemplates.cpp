#include "SmsTemplates.h"

namespace tkd::sms {
namespace {

QString who(const QString& name, const QString& card, const QDateTime& moment)
{
    return QStringLiteral("学员：") + name + QStringLiteral("(") + card + QStringLiteral(")") + QStringLiteral("于") +
           messageTime(moment);
}

QString amountText(const QString& name, const QString& card, const QDateTime& moment, const QString& verb, Money amount,
                   const QString& signature)
{
    return who(name, card, moment) + verb + QStringLiteral("￥") + amount.toString() + QStringLiteral("元【") +
           signature + QStringLiteral("】");
}

} // namespace

QString messageTime(const QDateTime& moment)
{
    return QStringLiteral("%1月%2日 %3")
        .arg(moment.date().month())
        .arg(moment.date().day())
        .arg(moment.time().toString(QStringLiteral("hh:mm")));
}

QString rechargeText(const QString& name, const QString& card, const QDateTime& moment, Money amount,
                     const QString& signature)
{
    return amountText(name, card, moment, QStringLiteral("充值"), amount, signature);
}

QString consumptionText(const QString& name, const QString& card, const QDateTime& moment, Money amount,
                        const QString& signature)
{
    return amountText(name, card, moment, QStringLiteral("消费"), amount, signature);
}

QString returnText(const QString& name, const QString& card, const QDateTime& moment, Money amount,
                   const QString& signature)
{
    return amountText(name, card, moment, QStringLiteral("退货"), amount, signature);
}

QString checkInText(const QString& name, const QString& card, const QDateTime& moment, const QString& signature)
{
    return who(name, card, moment) + QStringLiteral("上课登记，勿念") + QStringLiteral("【") + signature +
           QStringLiteral("】");
}

} // namespace tkd::sms
