#pragma once

#include "goods/Quantities.h"

#include <QString>
#include <gtest/gtest.h>

namespace tkd::test {

// Amounts and quantities written as the tests' hand-worked examples write them: "2.505", "-1".
inline Money money(const char* text)
{
    Money m;
    EXPECT_TRUE(Money::parse(QString::fromLatin1(text), &m)) << text;
    return m;
}

inline goods::Quantity quantity(const char* text)
{
    const auto q = goods::Quantity::parse(QString::fromLatin1(text));
    EXPECT_TRUE(q.has_value()) << text;
    return q.value_or(goods::Quantity());
}

} // namespace tkd::test
