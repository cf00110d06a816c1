#include "Payments.h"

#include "app/CommandContext.h"
#include "data/TvelunDMForm.h"
#include "sms/SmsState.h"

#include <cstdlib>

namespace tkd::payments {
namespace {

const QString kDate = QStringLiteral("yyyy-MM-dd");
const QString kNoDayLimit = QStringLiteral("不限天数");

QString afterOpening(int days)
{
    return QStringLiteral("开卡") + QString::number(days) + QStringLiteral("天后");
}

} // namespace

std::optional<PayingMember> loadMember(TvelunDMForm& dm, const QString& cardNumber, Opener opener)
{
    const ResultSet row = dm.open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), cardNumber.trimmed()}});
    if (row.isEmpty())
        return std::nullopt;
    PayingMember m;
    m.cardNumber = row.first(QStringLiteral("会员卡号")).toText();
    m.name = row.first(QStringLiteral("会员姓名")).toText();
    m.type = row.first(QStringLiteral("会员类型")).toText();
    m.mobile = row.first(QStringLiteral("移动电话")).toText();
    m.opened = row.first(QStringLiteral("开卡日期")).toDate();
    m.expiry = row.first(QStringLiteral("到期日期")).toDate();
    m.days = static_cast<int>(row.first(QStringLiteral("有效天数")).toInt());
    m.visitsLeft = static_cast<int>(row.first(QStringLiteral("有效次数")).toInt());
    m.balance = row.first(QStringLiteral("卡内余额")).toMoney();
    m.recordedPrice = row.first(QStringLiteral("售价")).toMoney();
    if (opener == Opener::FrontDesk) {
        // The desk records the price of the type as it is now, not as it was sold.
        const auto type = cardtypes::find(dm, m.type);
        m.recordedPrice = type ? type->price.roundedToYuan() : Money();
    }
    return m;
}

QStringList cardTypeNames(TvelunDMForm& dm)
{
    const ResultSet rows = dm.list(QStringLiteral("select [类型名称] from [会员卡类型] order by [编号]"));
    QStringList names;
    for (int i = 0; i < rows.rowCount(); ++i)
        names << rows.value(i, 0).toText();
    return names;
}

QString plainAmount(Money amount)
{
    const std::int64_t units = amount.units();
    const std::int64_t magnitude = std::llabs(units);
    QString text = QString::number(magnitude / 10000);
    QString fraction = QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += QLatin1Char('.') + fraction;
    return units < 0 ? QLatin1Char('-') + text : text;
}

std::optional<int> countFromText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    bool ok = false;
    const int n = t.toInt(&ok);
    // A count beyond any real membership would overflow the date arithmetic.
    if (!ok || n > 100000)
        return std::nullopt;
    return n;
}

std::optional<Money> amountFromText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return Money();
    Money m;
    if (!Money::parse(t, &m))
        return std::nullopt;
    return m;
}

QString visitsText(int visits)
{
    return visits == 0 ? QStringLiteral("不限次数") : QString::number(visits) + QStringLiteral("次");
}

RenewalProposal proposeRenewal(const PayingMember& member, const CardType& type, bool changeGrade, const QDate& today)
{
    RenewalProposal p;
    const bool opened = member.opened.isValid();
    p.amount = !opened || changeGrade ? type.price - member.recordedPrice : type.price;
    p.visits = visitsText(type.visits);
    if (type.days == 0)
        p.expiry = kNoDayLimit;
    else if (!opened)
        p.expiry = afterOpening(type.days);
    else if (!member.expiry.isValid())
        // An opened card without expiry gets one on saving: the days bought from today.
        p.expiry = (changeGrade ? member.opened : today).addDays(type.days).toString(kDate);
    else
        p.expiry = (changeGrade ? member.opened : member.expiry).addDays(type.days).toString(kDate);
    return p;
}

RenewalProposal initialRenewal(const PayingMember& member, const CardType& type, bool changeGrade, Opener opener,
                               const QDate& today)
{
    RenewalProposal p = proposeRenewal(member, type, changeGrade, today);
    if (member.opened.isValid() && !changeGrade)
        p.amount = opener == Opener::Statistics ? type.price : type.price.roundedToYuan();
    else
        p.amount = Money();
    return p;
}

CustomPreview previewCustom(const PayingMember& member, const QString& days, const QString& visits)
{
    const int d = countFromText(days).value_or(0);
    const int n = countFromText(visits).value_or(0);
    CustomPreview p;
    if (!member.opened.isValid())
        p.expiry = member.days + d == 0 ? kNoDayLimit : afterOpening(member.days + d);
    else if (member.expiry.isValid())
        p.expiry = member.expiry.addDays(d).toString(kDate);
    else
        p.expiry = kNoDayLimit;
    p.visits = QString::number(member.visitsLeft + n) + QStringLiteral("次");
    return p;
}

namespace {

std::optional<QDate> storedExpiredDate(TvelunDMForm& dm, const QString& cardNumber, const QDate& today)
{
    const ResultSet row = dm.open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), cardNumber.trimmed()}});
    const QDate expiry = row.first(QStringLiteral("到期日期")).toDate();
    if (!expiry.isValid() || expiry >= today)
        return std::nullopt;
    return expiry;
}

} // namespace

std::optional<ExpiredPrompt> renewalPrompt(TvelunDMForm& dm, const QString& cardNumber, const QString& typeName,
                                           const QDate& today)
{
    const auto expiry = storedExpiredDate(dm, cardNumber, today);
    const auto type = cardtypes::find(dm, typeName);
    // A type without a day limit ends the expiry altogether; there is nothing to choose.
    if (!expiry || !type || type->days == 0)
        return std::nullopt;
    return ExpiredPrompt{expiry->addDays(type->days), today.addDays(type->days)};
}

std::optional<ExpiredPrompt> customPrompt(TvelunDMForm& dm, const QString& cardNumber, const QString& days,
                                          const QDate& today)
{
    const auto expiry = storedExpiredDate(dm, cardNumber, today);
    const auto d = countFromText(days);
    if (!expiry || !d)
        return std::nullopt;
    return ExpiredPrompt{expiry->addDays(*d), today.addDays(*d)};
}

MaybeRefusal precheck(const CommandContext& context, const QString& cardNumber)
{
    if (cardNumber.trimmed().isEmpty())
        return Refusal::warning(QStringLiteral("请选择会员！"));
    if (context.sms && context.sms->afterPayment && !context.sms->loggedIn())
        return Refusal::warning(QStringLiteral("请先登录再发短信！"));
    return std::nullopt;
}

} // namespace tkd::payments
