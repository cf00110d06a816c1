#include "PointsRate.h"

#include "data/TvelunDMForm.h"

#include <limits>

namespace tkd::points {

namespace {

// Past year 9999 the stored "yyyy-MM-dd" text would no longer sort as a date.
const QDate kLastDay(9999, 12, 31);

} // namespace

PointsRate PointsRate::load(TvelunDMForm& dm)
{
    const ResultSet row = dm.list(QStringLiteral("select [使用积分],[兑换会籍] from [其它设置]"));
    return {row.first(QStringLiteral("使用积分")).toInt(), row.first(QStringLiteral("兑换会籍")).toInt()};
}

qint64 PointsRate::daysFor(qint64 spent) const
{
    if (points <= 0 || days <= 0 || spent <= 0)
        return 0;
    // spent = q × points + r, so spent × days ÷ points = q × days + r × days ÷ points exactly; r × days
    // stays small where spent × days may not fit.
    const qint64 whole = spent / points;
    const qint64 rest = spent % points;
    qint64 result = 0;
    qint64 restDays = 0;
    if (__builtin_mul_overflow(whole, days, &result) || __builtin_mul_overflow(rest, days, &restDays) ||
        __builtin_add_overflow(result, restDays / points, &result))
        return std::numeric_limits<qint64>::max();
    return result;
}

QString PointsRate::text() const
{
    return QStringLiteral("使用%1积分可换%2天会籍").arg(points).arg(days);
}

QString daysRemark(qint64 days, const QDate& until)
{
    return QStringLiteral("会籍增加%1天，截止日期到%2").arg(days).arg(until.toString(QStringLiteral("yyyy-MM-dd")));
}

QDateTime movedExpiry(const QDateTime& expiry, qint64 days)
{
    if (!expiry.isValid())
        return {};
    const qint64 room = expiry.date().daysTo(kLastDay);
    const qint64 back = QDate(1, 1, 1).daysTo(expiry.date());
    if (days > room || -days > back)
        return {};
    return expiry.addDays(days);
}

QString pointsText(qint64 points)
{
    return QString::number(points) + QStringLiteral("分");
}

} // namespace tkd::points
