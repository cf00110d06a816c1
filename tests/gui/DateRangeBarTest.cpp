#include "kit/DateRangeBar.h"
#include "Widgets.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace tkd;
using test::in;

namespace {
QString text(const QDateTime& moment)
{
    return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}
} // namespace

TEST(DateRangeBar, OpensAMonthBackAndGivesWholeDays)
{
    gui::DateRangeBar bar(QString::fromUtf16(u"登记日期："));
    bar.reset(QDate(2024, 3, 31));
    EXPECT_EQ(bar.from(), QDate(2024, 2, 29)) << "a month before the 31st is the last day of February";
    EXPECT_EQ(bar.to(), QDate(2024, 3, 31));
    const DayRange range = bar.range();
    EXPECT_EQ(text(range.first), QStringLiteral("2024-02-29 00:00:00"));
    EXPECT_EQ(text(range.last), QStringLiteral("2024-03-31 23:59:59"));

    // What the operator picks in the two fields is what the query gets.
    in<QDateEdit>(&bar, "fromDateEdit")->setDate(QDate(2024, 3, 10));
    in<QDateEdit>(&bar, "toDateEdit")->setDate(QDate(2024, 3, 10));
    EXPECT_EQ(text(bar.range().first), QStringLiteral("2024-03-10 00:00:00"));
    EXPECT_EQ(text(bar.range().last), QStringLiteral("2024-03-10 23:59:59"));
}

TEST(DateRangeBar, AWindowSetsItsOwnOpeningAndAsksWithQuery)
{
    gui::DateRangeBar bar(QString::fromUtf16(u"开始日期："));
    bar.setStartRule(gui::DateRangeBar::daysAgo(30));
    bar.reset(QDate(2024, 3, 15));
    EXPECT_EQ(bar.from(), QDate(2024, 2, 14));
    bar.setStartRule(gui::DateRangeBar::firstOfMonth());
    bar.reset(QDate(2024, 3, 15));
    EXPECT_EQ(bar.from(), QDate(2024, 3, 1));
    bar.setStartRule(gui::DateRangeBar::sameDay());
    bar.reset(QDate(2024, 3, 15));
    EXPECT_EQ(text(bar.range().first), QStringLiteral("2024-03-15 00:00:00"));
    EXPECT_EQ(text(bar.range().last), QStringLiteral("2024-03-15 23:59:59"));

    auto* first = in<QDateEdit>(&bar, "fromDateEdit");
    EXPECT_EQ(first->accessibleName(), QString::fromUtf16(u"开始日期"));
    EXPECT_EQ(in<QDateEdit>(&bar, "toDateEdit")->accessibleName(), QString::fromUtf16(u"开始日期 至"));

    QSignalSpy asked(&bar, &gui::DateRangeBar::queryRequested);
    in<QPushButton>(&bar, "queryButton")->click();
    EXPECT_EQ(asked.count(), 1);
}
