#include "Quantities.h"

#include <cmath>
#include <limits>

namespace tkd::goods {

namespace {

// Products of three scaled numbers overflow 64 bits.
__extension__ typedef __int128 Wide;

// Rounds numerator / denominator to the nearest integer, halves to even.
std::int64_t divideHalfEven(Wide numerator, Wide denominator)
{
    Wide quotient = numerator / denominator;
    Wide remainder = numerator % denominator;
    if (remainder < 0)
        remainder = -remainder;
    const Wide twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0))
        quotient += numerator < 0 ? -1 : 1;
    return static_cast<std::int64_t>(quotient);
}

// Digits with at most `decimals` decimals and an optional leading minus, as scaled units.
std::optional<std::int64_t> parseScaled(const QString& text, int decimals, bool allowSign)
{
    const QString t = text.trimmed();
    qsizetype at = 0;
    bool negative = false;
    if (allowSign && at < t.size() && t[at] == QLatin1Char('-')) {
        negative = true;
        ++at;
    }
    std::int64_t whole = 0;
    std::int64_t fraction = 0;
    int fractionDigits = 0;
    bool digits = false;
    bool point = false;
    constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 100000;
    for (; at < t.size(); ++at) {
        const QChar c = t[at];
        if (c == QLatin1Char('.') && !point) {
            point = true;
            continue;
        }
        if (!c.isDigit() || c.unicode() > u'9')
            return std::nullopt;
        digits = true;
        const int digit = c.unicode() - u'0';
        if (point) {
            if (++fractionDigits > decimals)
                return std::nullopt;
            fraction = fraction * 10 + digit;
        } else {
            whole = whole * 10 + digit;
            if (whole > kLimit)
                return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    std::int64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    for (int i = fractionDigits; i < decimals; ++i)
        fraction *= 10;
    const std::int64_t units = whole * scale + fraction;
    return negative ? -units : units;
}

QString plain(std::int64_t units, int decimals)
{
    std::int64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const std::int64_t magnitude = units < 0 ? -units : units;
    QString text = QString::number(magnitude / scale);
    std::int64_t rest = magnitude % scale;
    if (rest != 0) {
        QString digits = QString::number(rest).rightJustified(decimals, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return units < 0 ? QLatin1Char('-') + text : text;
}

} // namespace

Quantity Quantity::fromStored(double number)
{
    return Quantity(static_cast<std::int64_t>(std::llround(number * 10000.0)));
}

std::optional<Quantity> Quantity::parse(const QString& text)
{
    const auto units = parseScaled(text, 4, true);
    return units ? std::optional<Quantity>(Quantity(*units)) : std::nullopt;
}

QString Quantity::toText() const
{
    return plain(m_units, 4);
}

QString Quantity::toFixed2() const
{
    return Money::fromUnits(m_units).toString();
}

Rate Rate::fromStored(double number)
{
    return Rate(static_cast<std::int64_t>(std::llround(number * 100.0)));
}

std::optional<Rate> Rate::parse(const QString& text)
{
    const auto hundredths = parseScaled(text, 2, false);
    return hundredths ? std::optional<Rate>(Rate(*hundredths)) : std::nullopt;
}

QString Rate::toText() const
{
    return Money::fromUnits(m_hundredths * 100).toString();
}

QString priceText(Money price)
{
    const std::int64_t units = price.units();
    const std::int64_t magnitude = units < 0 ? -units : units;
    QString fraction = QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
    while (fraction.size() > 2 && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    return QStringLiteral("%1%2.%3")
        .arg(units < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 10000)
        .arg(fraction);
}

Money lineTotal(Money price, Quantity quantity, Rate rate)
{
    // Ten-thousandths × ten-thousandths × hundredths: units of 1e-10 yuan; a cent is 1e8 of them.
    const Wide exact = Wide(price.units()) * quantity.units() * rate.hundredths();
    return Money::fromUnits(divideHalfEven(exact, Wide(100000000)) * 100);
}

Money purchaseTotal(Money price, Quantity quantity)
{
    const Wide exact = Wide(price.units()) * quantity.units();
    return Money::fromUnits(divideHalfEven(exact, Wide(10000)));
}

std::int64_t pointsEarned(Money total, Money yuanPerPoint)
{
    if (yuanPerPoint.units() <= 0)
        return 0;
    return total.units() / yuanPerPoint.units();
}

} // namespace tkd::goods
