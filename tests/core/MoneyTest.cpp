#include "db/Money.h"
#include "ParamNames.h"

#include <gtest/gtest.h>

using tkd::Money;

namespace {

Money m(const char* text)
{
    Money out;
    EXPECT_TRUE(Money::parse(QString::fromLatin1(text), &out)) << text;
    return out;
}

TEST(Money, AddsDecimalFractionsExactly)
{
    EXPECT_EQ(m("0.1") + m("0.2"), m("0.3"));
    EXPECT_EQ((m("0.1") + m("0.2")).toString(), QStringLiteral("0.30"));
    EXPECT_EQ(Money::fromDouble(0.1) + Money::fromDouble(0.2), Money::fromDouble(0.3));
}

TEST(Money, KeepsFourDecimals)
{
    EXPECT_EQ(m("36.375").units(), 363750);
    EXPECT_EQ(Money::fromDouble(36.375).units(), 363750);
    EXPECT_DOUBLE_EQ(m("36.375").toDouble(), 36.375);
}

struct HalfEvenCase {
    const char* in;
    const char* out;
};

void PrintTo(const HalfEvenCase& c, std::ostream* os)
{
    *os << c.in << " -> " << c.out;
}

class MoneyHalfEven : public ::testing::TestWithParam<HalfEvenCase> {};

TEST_P(MoneyHalfEven, RoundsToCentsHalvesToEven)
{
    EXPECT_EQ(m(GetParam().in).roundedToCentsHalfEven(), m(GetParam().out)) << GetParam().in;
}

INSTANTIATE_TEST_SUITE_P(Cases, MoneyHalfEven,
                         ::testing::Values(HalfEvenCase{"12.125", "12.12"}, HalfEvenCase{"12.135", "12.14"},
                                           HalfEvenCase{"12.1251", "12.13"}, HalfEvenCase{"-12.125", "-12.12"},
                                           HalfEvenCase{"-12.135", "-12.14"}, HalfEvenCase{"0.005", "0.00"},
                                           HalfEvenCase{"0.015", "0.02"}, HalfEvenCase{"7", "7.00"}),
                         [](const auto& info) {
                             return tkd::test::nameFrom(std::string(info.param.in) + " to " + info.param.out);
                         });

TEST(Money, FormatsTwoDecimalsWithYuan)
{
    EXPECT_EQ(Money().toString(), QStringLiteral("0.00"));
    EXPECT_EQ(m("1250").toYuanText(), QStringLiteral("1250.00元"));
    EXPECT_EQ(m("-3.5").toString(), QStringLiteral("-3.50"));
    EXPECT_EQ(m("0.005").toString(), QStringLiteral("0.01")) << "display rounds halves away from zero";
}

TEST(Money, ParseRefusesWhatIsNotAnAmount)
{
    Money out = Money::fromYuan(9);
    for (const char* bad : {"", "abc", "1.23456", "1..2", "1,5", "12a", "-"})
        EXPECT_FALSE(Money::parse(QString::fromLatin1(bad), &out)) << bad;
    EXPECT_EQ(out, Money::fromYuan(9)) << "a refused parse leaves the target alone";
    EXPECT_EQ(m(".5"), m("0.5"));
    EXPECT_EQ(m("  90 "), Money::fromYuan(90));
}

TEST(Money, MultipliesByRatesRoundingToUnits)
{
    EXPECT_EQ(m("100").times(0.9), m("90"));
    EXPECT_EQ(m("33.33").times(3), m("99.99"));
    EXPECT_EQ(m("10.005").times(1.0).roundedToCentsHalfEven(), m("10.00"));
    EXPECT_EQ(m("1249.5").roundedToYuan(), m("1250"));
}

} // namespace
