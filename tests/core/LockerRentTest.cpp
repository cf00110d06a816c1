#include "TestDatabase.h"
#include "lockers/Rent.h"

#include <gtest/gtest.h>

using namespace tkd;
using tkd::test::s;

TEST(LockerRent, DefaultEndsAreThirtyDaysForARentalAndNinetyMoreForARenewal)
{
    EXPECT_EQ(lockers::defaultRentalEnd(QDate(2024, 3, 15)), QDate(2024, 4, 14));
    EXPECT_EQ(lockers::defaultRentalEnd(QDate(2024, 12, 10)), QDate(2025, 1, 9));
    EXPECT_EQ(lockers::defaultRenewalEnd(QDate(2024, 4, 14)), QDate(2024, 7, 13));
}

TEST(LockerRent, TotalIsDepositPlusTheRentAsTyped)
{
    const Money deposit = Money::fromYuan(50);
    struct Case {
        QString typed;
        QString total;
    };
    for (const Case& c : std::vector<Case>{{QStringLiteral("100"), s(u"150.00元")},
                                           {QStringLiteral("12.5"), s(u"62.50元")},
                                           {QString(), s(u"50.00元")},
                                           {QStringLiteral("  "), s(u"50.00元")},
                                           {QStringLiteral("1.2.3"), s(u"50.00元")}}) {
        SCOPED_TRACE(c.typed.toStdString());
        EXPECT_EQ(lockers::rentalTotal(deposit, c.typed).toYuanText(), c.total);
    }
}

TEST(LockerRent, RentThatIsNoAmountIsRefused)
{
    EXPECT_EQ(lockers::rentFromText(QStringLiteral(" 60 ")).value(), Money::fromYuan(60));
    EXPECT_TRUE(lockers::rentFromText(QString()).value().isZero()) << "blank is no rent";
    const Outcome<Money> refused = lockers::rentFromText(QStringLiteral("1.2.3"));
    ASSERT_TRUE(refused.refused());
    EXPECT_EQ(refused.refusal().message, s(u"租金必须是金额！"));
    EXPECT_EQ(refused.refusal().icon, Refusal::Icon::Error);
    EXPECT_EQ(refused.refusal().field, lockers::rentField);
}
