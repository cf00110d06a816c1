#include "kit/ChartViews.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QPieSeries>
#include <QPieSlice>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <gtest/gtest.h>

using namespace tkd::gui;

namespace {

QString s(const char16_t* text)
{
    return QString::fromUtf16(text);
}

ChartData visitorFlow()
{
    return {s(u"客户流量分析"), {{s(u"男"), 37}, {s(u"女"), 125}, {s(u"保密"), 8}}, 0};
}

TEST(ChartViews, BarChartHasOneColouredBarPerPointWithItsValue)
{
    BarChartView view;
    view.resize(600, 400);
    view.show();
    view.setData(visitorFlow());
    EXPECT_EQ(view.chart()->title(), s(u"客户流量分析"));
    ASSERT_EQ(view.chart()->series().size(), 1);
    auto* series = qobject_cast<QStackedBarSeries*>(view.chart()->series().first());
    ASSERT_NE(series, nullptr);
    EXPECT_TRUE(series->isLabelsVisible()) << "each bar shows its value";
    ASSERT_EQ(series->count(), 3);
    const QList<QBarSet*> sets = series->barSets();
    const double expected[] = {37, 125, 8};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(sets[i]->count(), 3);
        for (int j = 0; j < 3; ++j)
            EXPECT_DOUBLE_EQ(sets[i]->at(j), i == j ? expected[i] : 0) << "bar " << i << " at " << j;
        EXPECT_EQ(sets[i]->color(), chartColor(i));
    }
    EXPECT_NE(sets[0]->color(), sets[1]->color());
    EXPECT_NE(sets[1]->color(), sets[2]->color());

    const QList<QAbstractAxis*> across = view.chart()->axes(Qt::Horizontal);
    ASSERT_EQ(across.size(), 1);
    auto* labels = qobject_cast<QBarCategoryAxis*>(across.first());
    ASSERT_NE(labels, nullptr);
    EXPECT_EQ(labels->categories(), (QStringList{s(u"男"), s(u"女"), s(u"保密")}));
    const QList<QAbstractAxis*> up = view.chart()->axes(Qt::Vertical);
    ASSERT_EQ(up.size(), 1);
    EXPECT_GE(qobject_cast<QValueAxis*>(up.first())->max(), 125) << "the tallest bar fits";

    // A later query replaces the series and the labels; nothing of the first stays behind.
    view.setData({s(u"客户流量分析"), {{s(u"03月"), 40}, {s(u"03月"), 2}}, 0});
    ASSERT_EQ(view.chart()->series().size(), 1);
    series = qobject_cast<QStackedBarSeries*>(view.chart()->series().first());
    ASSERT_EQ(series->count(), 2);
    EXPECT_DOUBLE_EQ(series->barSets()[1]->at(1), 2);
    EXPECT_EQ(view.chart()->axes(Qt::Horizontal).size(), 1);
    EXPECT_EQ(qobject_cast<QBarCategoryAxis*>(view.chart()->axes(Qt::Horizontal).first())->count(), 2)
        << "a repeated label still gets its own bar";
}

TEST(ChartViews, PieChartHasASliceWithItsShareForEachPositiveValue)
{
    PieChartView view;
    view.resize(600, 400);
    view.show();
    view.setData({s(u"日常支出统计"), {{s(u"房租"), 3000}, {s(u"退款"), -100}, {s(u"水电"), 1000}}, 2});
    EXPECT_EQ(view.chart()->title(), s(u"日常支出统计"));
    ASSERT_EQ(view.chart()->series().size(), 1);
    auto* pie = qobject_cast<QPieSeries*>(view.chart()->series().first());
    ASSERT_NE(pie, nullptr);
    ASSERT_EQ(pie->count(), 2) << "a negative amount has no slice";
    EXPECT_DOUBLE_EQ(pie->slices()[0]->value(), 3000);
    EXPECT_DOUBLE_EQ(pie->slices()[1]->value(), 1000);
    EXPECT_EQ(pie->slices()[0]->label(), s(u"房租 75.0%"));
    EXPECT_EQ(pie->slices()[1]->label(), s(u"水电 25.0%"));
    EXPECT_TRUE(pie->slices()[0]->isLabelVisible());
    EXPECT_EQ(pie->slices()[0]->color(), chartColor(0));
    EXPECT_EQ(pie->slices()[1]->color(), chartColor(2)) << "a slice keeps the colour of its item";

    view.setData({s(u"日常支出统计"), {{s(u"房租"), 500}}, 2});
    ASSERT_EQ(view.chart()->series().size(), 1);
    EXPECT_EQ(qobject_cast<QPieSeries*>(view.chart()->series().first())->count(), 1);
}

} // namespace
