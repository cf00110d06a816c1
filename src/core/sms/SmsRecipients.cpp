#include "SmsRecipients.h"

#include "db/ResultSet.h"

namespace tkd::sms {

Filter activeMembers()
{
    return Filter::where(QStringLiteral("会员状态"), Match::Equals, QStringLiteral("可用"));
}

Filter membersWithMobile()
{
    return Filter::where(QStringLiteral("移动电话"), Match::NotEquals, QString());
}

Filter birthdayOn(const QDate& day)
{
    return Filter::where(QStringLiteral("会员生日"), Match::Equals, day.toString(QStringLiteral("MM-dd")));
}

QString appendMobiles(const QString& numbersField, const ResultSet& members)
{
    QStringList lines;
    if (!numbersField.isEmpty())
        lines << (numbersField.endsWith(QLatin1Char('\n')) ? numbersField.chopped(1) : numbersField);
    for (int i = 0; i < members.rowCount(); ++i) {
        const QString mobile = members.value(i, QStringLiteral("移动电话")).toText().trimmed();
        if (!mobile.isEmpty())
            lines << mobile;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace tkd::sms
