#pragma once

#include "db/Money.h"

#include <QString>
#include <compare>
#include <cstdint>
#include <optional>

namespace tkd::goods {

// A quantity of goods: up to four decimals, held as whole ten-thousandths so that lines of 2 and 3,
// or of 0.1 and 0.2, add up exactly. Stored in the file as a number.
class Quantity {
public:
    constexpr Quantity() = default;
    static constexpr Quantity fromUnits(std::int64_t tenThousandths) { return Quantity(tenThousandths); }
    static constexpr Quantity whole(std::int64_t count) { return Quantity(count * 10000); }
    // The stored number, to the nearest ten-thousandth.
    static Quantity fromStored(double number);
    // "3", "0.5", "-1", ".5"; nullopt for anything else: empty text, "1.2.3", "-", "1-2", five decimals,
    // more than a quantity can hold.
    static std::optional<Quantity> parse(const QString& text);

    constexpr std::int64_t units() const { return m_units; }
    double toDouble() const { return static_cast<double>(m_units) / 10000.0; }
    constexpr bool isZero() const { return m_units == 0; }
    // A plain number: "5", "0.5", "-1.25".
    QString toText() const;
    // Two decimals, as "0.00" formatting shows it.
    QString toFixed2() const;

    constexpr Quantity operator+(Quantity o) const { return Quantity(m_units + o.m_units); }
    constexpr Quantity operator-(Quantity o) const { return Quantity(m_units - o.m_units); }
    constexpr Quantity operator-() const { return Quantity(-m_units); }
    constexpr auto operator<=>(const Quantity&) const = default;

private:
    constexpr explicit Quantity(std::int64_t units) : m_units(units) {}
    std::int64_t m_units = 0;
};

// A discount rate as the sale shows it: two decimals (a card type's 0.856 is shown and priced as 0.86).
class Rate {
public:
    constexpr Rate() = default;
    static constexpr Rate one() { return Rate(100); }
    static constexpr Rate fromHundredths(std::int64_t hundredths) { return Rate(hundredths); }
    // The stored number rounded to two decimals, halves away from zero, as "0.00" formatting rounds.
    static Rate fromStored(double number);
    // "0.9", "1", ".85"; nullopt for anything else, including a sign or three decimals.
    static std::optional<Rate> parse(const QString& text);

    constexpr std::int64_t hundredths() const { return m_hundredths; }
    double toDouble() const { return static_cast<double>(m_hundredths) / 100.0; }
    // "0.90".
    QString toText() const;
    constexpr auto operator<=>(const Rate&) const = default;

private:
    constexpr explicit Rate(std::int64_t hundredths) : m_hundredths(hundredths) {}
    std::int64_t m_hundredths = 100;
};

// A price as a money field shows it: two decimals at least, the third and fourth when the price has
// them, so that showing a price and saving it again never rounds it ("45.00", "6.1234").
QString priceText(Money price);

// Price × quantity × rate, worked exactly and rounded once to 0.01, halves to even:
// 1.15 × 1 × 0.90 = 1.04, 10.05 × 1 × 0.90 = 9.04, 0.25 × 0.5 × 1 = 0.12.
Money lineTotal(Money price, Quantity quantity, Rate rate);
// Price × quantity to four decimals (a purchase line keeps them: 1.2345 × 3 = 3.7035).
Money purchaseTotal(Money price, Quantity quantity);
// Points a total earns at so many yuan a point: truncated towards zero; none when the rate is 0.
std::int64_t pointsEarned(Money total, Money yuanPerPoint);

} // namespace tkd::goods
