#include "Money.h"

#include <cmath>

namespace tkd {

namespace {

std::int64_t divideRoundHalfAway(std::int64_t value, std::int64_t divisor)
{
    const std::int64_t q = value / divisor;
    const std::int64_t r = value % divisor;
    if (2 * std::llabs(r) >= divisor)
        return value < 0 ? q - 1 : q + 1;
    return q;
}

std::int64_t divideRoundHalfEven(std::int64_t value, std::int64_t divisor)
{
    std::int64_t q = value / divisor;
    const std::int64_t r = value % divisor;
    const std::int64_t twice = 2 * std::llabs(r);
    if (twice > divisor || (twice == divisor && (q % 2 != 0)))
        q += value < 0 ? -1 : 1;
    return q;
}

} // namespace

Money Money::fromDouble(double value)
{
    return Money(static_cast<std::int64_t>(std::llround(value * 10000.0)));
}

bool Money::parse(const QString& text, Money* out)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t.startsWith(QLatin1Char('-'));
        t.remove(0, 1);
    }
    const qsizetype dot = t.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? t : t.left(dot);
    const QString fraction = dot < 0 ? QString() : t.mid(dot + 1);
    if ((whole.isEmpty() && fraction.isEmpty()) || fraction.size() > 4 || whole.size() > 14)
        return false;
    for (const QChar c : whole + fraction)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    std::int64_t units = whole.isEmpty() ? 0 : whole.toLongLong() * 10000;
    if (!fraction.isEmpty())
        units += fraction.leftJustified(4, QLatin1Char('0')).toLongLong();
    *out = Money(negative ? -units : units);
    return true;
}

Money Money::roundedToCentsHalfEven() const
{
    return Money(divideRoundHalfEven(m_units, 100) * 100);
}

Money Money::roundedToYuan() const
{
    return Money(divideRoundHalfAway(m_units, 10000) * 10000);
}

QString Money::toString() const
{
    const std::int64_t cents = divideRoundHalfAway(m_units, 100);
    const std::int64_t absCents = std::llabs(cents);
    return QStringLiteral("%1%2.%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString())
        .arg(absCents / 100)
        .arg(absCents % 100, 2, 10, QLatin1Char('0'));
}

QString Money::toYuanText() const
{
    return toString() + QStringLiteral("元");
}

Money Money::times(double factor) const
{
    return Money(static_cast<std::int64_t>(std::llround(static_cast<double>(m_units) * factor)));
}

} // namespace tkd
