#include "DueRules.h"

#include "data/ScratchList.h"
#include "data/TvelunDMForm.h"
#include "settings/OtherSettings.h"

namespace tkd::reminders {

double daysFromToday(const QDate& today, const QDateTime& moment)
{
    // Calendar days, so a clock change in between never adds or loses an hour.
    return static_cast<double>(today.daysTo(moment.date())) +
           static_cast<double>(moment.time().msecsSinceStartOfDay()) / 86400000.0;
}

std::optional<QDate> birthdayThisYear(const QString& monthDay, const QDate& today)
{
    if (monthDay.trimmed() == QStringLiteral("00-00") || monthDay.size() != 5)
        return std::nullopt;
    const QDate day =
        QDate::fromString(QString::number(today.year()) + QLatin1Char('-') + monthDay, QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid())
        return std::nullopt;
    return day;
}

bool birthdayDue(const QString& monthDay, const QDate& today, int leadDays)
{
    const auto day = birthdayThisYear(monthDay, today);
    if (!day)
        return false;
    const qint64 ahead = today.daysTo(*day);
    return ahead >= 0 && ahead <= leadDays;
}

bool expiryDue(const QDateTime& expiry, const QDate& today, int leadDays)
{
    return expiry.isValid() && daysFromToday(today, expiry) <= leadDays;
}

bool gradingDue(int lessonsLeft, int threshold)
{
    return lessonsLeft <= threshold;
}

bool eventDue(int kind, const QString& when, const QDate& today)
{
    switch (kind) {
    case 0: {
        const QString day = today.toString(QStringLiteral("yyyy-MM-dd"));
        return when >= day + QStringLiteral(" 00:00:00") && when <= day + QStringLiteral(" 23:59:59");
    }
    case 1:
        return true;
    case 2: {
        bool ok = false;
        const int day = when.left(2).toInt(&ok);
        return ok && day == today.day();
    }
    case 3:
        return QDate::fromString(QString::number(today.year()) + QLatin1Char('-') + when.left(5),
                                 QStringLiteral("yyyy-MM-dd")) == today;
    default:
        return false;
    }
}

QString kindLabel(int kind)
{
    switch (kind) {
    case 0:
        return QStringLiteral("一次性提醒");
    case 1:
        return QStringLiteral("每天提醒");
    case 2:
        return QStringLiteral("每月提醒");
    case 3:
        return QStringLiteral("每年提醒");
    default:
        return {};
    }
}

void buildMemberReminders(TvelunDMForm& dm, const QString& cardNumber, const QDate& today)
{
    buildMemberReminders(dm, cardNumber, today, settings::load(dm));
}

void buildMemberReminders(TvelunDMForm& dm, const QString& cardNumber, const QDate& today,
                          const settings::OtherSettings& lead)
{
    ScratchList(dm, QStringLiteral("会员提醒")).refill([&](TvelunDMForm&) {
        const QString insert =
            QStringLiteral("insert into [会员提醒] ([提醒类型],[提醒时间],[提醒内容]) values(:txlx,:txsj,:txnr)");
        auto add = [&](const QString& kind, const QString& when, const QString& what) {
            dm.change(insert,
                      {{QStringLiteral("txlx"), kind}, {QStringLiteral("txsj"), when}, {QStringLiteral("txnr"), what}});
        };
        const ResultSet member = dm.open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), cardNumber}});
        if (!member.isEmpty()) {
            const QString birthday = member.first(QStringLiteral("会员生日")).toText();
            if (birthdayDue(birthday, today, lead.birthdayLeadDays))
                add(QStringLiteral("生日提醒"), birthday, QStringLiteral("会员生日提醒"));
            const Value expiry = member.first(QStringLiteral("到期日期"));
            if (!expiry.isNull() && member.first(QStringLiteral("会员状态")).toText() == QStringLiteral("可用") &&
                expiryDue(expiry.toDateTime(), today, lead.memberLeadDays))
                add(QStringLiteral("会员到期提醒"), expiry.toText(), QStringLiteral("会员到期提醒"));
        }
        const ResultSet locker =
            dm.list(QStringLiteral("select [到期日期] from [衣柜设置] where [会员卡号]=:hykh and [状态]=\"已租\" and "
                                   "[临时出租]=0"),
                    {{QStringLiteral("hykh"), cardNumber}});
        if (!locker.isEmpty()) {
            const Value expiry = locker.first(QStringLiteral("到期日期"));
            if (!expiry.isNull() && expiryDue(expiry.toDateTime(), today, lead.lockerLeadDays))
                add(QStringLiteral("衣柜到期提醒"), expiry.toText(), QStringLiteral("衣柜到期提醒"));
        }
        const ResultSet events = dm.list(
            QStringLiteral(
                "select [提醒类型],[提醒时间],[提醒内容] from [事件提醒] where [会员卡号]=:hykh order by [提醒类型]"),
            {{QStringLiteral("hykh"), cardNumber}});
        for (int i = 0; i < events.rowCount(); ++i) {
            const int kind = static_cast<int>(events.value(i, QStringLiteral("提醒类型")).toInt());
            const QString when = events.value(i, QStringLiteral("提醒时间")).toText();
            if (eventDue(kind, when, today))
                add(kindLabel(kind), when, events.value(i, QStringLiteral("提醒内容")).toText());
        }
    });
}

} // namespace tkd::reminders
