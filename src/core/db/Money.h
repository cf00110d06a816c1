#pragma once

#include <QString>
#include <compare>
#include <cstdint>

namespace tkd {

// Currency amount held as whole ten-thousandths, the precision of a currency column.
// All arithmetic on money goes through this type so that 0.1 + 0.2 is exactly 0.30.
class Money {
public:
    constexpr Money() = default;

    static constexpr Money fromUnits(std::int64_t tenThousandths) { return Money(tenThousandths); }
    static constexpr Money fromYuan(std::int64_t yuan) { return Money(yuan * 10000); }
    // Rounds to the nearest ten-thousandth (halves away from zero), as a currency column does.
    static Money fromDouble(double value);
    // Parses "12", "12.5", "-0.0001"; returns false for anything else (more than four decimals included).
    static bool parse(const QString& text, Money* out);

    constexpr std::int64_t units() const { return m_units; }
    double toDouble() const { return static_cast<double>(m_units) / 10000.0; }
    constexpr bool isZero() const { return m_units == 0; }

    // To 0.01, halves to even (the rounding the goods amounts use).
    Money roundedToCentsHalfEven() const;
    // To whole yuan, halves away from zero.
    Money roundedToYuan() const;
    std::int64_t wholeYuan() const { return m_units / 10000; }

    // Two decimals, halves away from zero, as "0.00" formatting shows it.
    QString toString() const;
    // toString() followed by "元".
    QString toYuanText() const;

    constexpr Money operator+(Money o) const { return Money(m_units + o.m_units); }
    constexpr Money operator-(Money o) const { return Money(m_units - o.m_units); }
    constexpr Money operator-() const { return Money(-m_units); }
    Money& operator+=(Money o)
    {
        m_units += o.m_units;
        return *this;
    }
    Money& operator-=(Money o)
    {
        m_units -= o.m_units;
        return *this;
    }
    // Multiplies by a factor (a quantity or a discount rate), rounding to the nearest ten-thousandth.
    Money times(double factor) const;
    constexpr auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(std::int64_t units) : m_units(units) {}
    std::int64_t m_units = 0;
};

} // namespace tkd
