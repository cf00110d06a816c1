#include "db/DbError.h"
#include "kit/DataGrid.h"
#include "kit/report/Report.h"
#include "kit/report/ReportRenderer.h"
#include "kit/report/ResultRows.h"

#include "PdfText.h"

#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tkd;
using namespace tkd::gui;
using tkd::test::PdfText;

namespace {

QString s(const char16_t* text)
{
    return QString::fromUtf16(text);
}

ChartData visitorFlow()
{
    ChartData data;
    data.title = s(u"客户流量分析");
    data.points = {{s(u"男"), 37}, {s(u"女"), 125}, {s(u"保密"), 8}};
    return data;
}

// A refund entered as a negative expense has no slice; the shares are of the positive 4000.00.
ChartData expenses()
{
    ChartData data;
    data.title = s(u"日常支出统计");
    data.decimals = 2;
    data.points = {{s(u"房租"), 3000}, {s(u"水电"), 450.5}, {s(u"器材"), 549.5}, {s(u"退款"), -100}};
    return data;
}

const PdfText::Word* word(const QList<PdfText::Word>& words, const QString& text)
{
    for (const PdfText::Word& w : words)
        if (w.text == text)
            return &w;
    ADD_FAILURE() << "no word " << text.toStdString();
    return nullptr;
}

bool sameLine(const PdfText::Word& a, const PdfText::Word& b)
{
    return std::abs(a.box.center().y() - b.box.center().y()) < 2;
}

class ReportElementsPdf : public ::testing::Test {
protected:
    PdfText render(const Report& report, const QString& name = QStringLiteral("report"))
    {
        const PdfText pdf(m_folder.filePath(name + QStringLiteral(".pdf")));
        EXPECT_TRUE(ReportRenderer(report).renderToPdf(pdf.path())) << pdf.path().toStdString();
        return pdf;
    }
    static void expectA4Portrait(const PdfText& pdf)
    {
        const QSizeF size = pdf.pageSizeMm();
        EXPECT_NEAR(size.width(), 210, 0.5);
        EXPECT_NEAR(size.height(), 297, 0.5);
    }
    QTemporaryDir m_folder;
};

TEST_F(ReportElementsPdf, BarChartReadsBackWithItsTitleLabelsAndValues)
{
    Report report(Paper::A4, s(u"会员来访统计"));
    report.addHeaderLine(s(u"统计日期：2024-03-01 至 2024-03-31"));
    report.addChart(ChartKind::Bar, visitorFlow());
    const PdfText pdf = render(report);
    ASSERT_EQ(pdf.pageCount(), 1);
    expectA4Portrait(pdf);
    for (const char16_t* expected : {u"会员来访统计", u"统计日期：2024-03-01 至 2024-03-31", u"客户流量分析", u"男",
                                     u"女", u"保密", u"37", u"125", u"8"})
        EXPECT_TRUE(pdf.shows(s(expected)))
            << "missing " << s(expected).toStdString() << " in " << pdf.text().toStdString();

    // Each value stands over its own label, the labels in order, a taller bar's value higher up.
    const QList<PdfText::Word> words = pdf.words();
    const PdfText::Word* male = word(words, s(u"男"));
    const PdfText::Word* female = word(words, s(u"女"));
    const PdfText::Word* unknown = word(words, s(u"保密"));
    const PdfText::Word* v37 = word(words, QStringLiteral("37"));
    const PdfText::Word* v125 = word(words, QStringLiteral("125"));
    const PdfText::Word* v8 = word(words, QStringLiteral("8"));
    ASSERT_TRUE(male && female && unknown && v37 && v125 && v8);
    EXPECT_LT(male->box.center().x(), female->box.center().x());
    EXPECT_LT(female->box.center().x(), unknown->box.center().x());
    EXPECT_NEAR(v37->box.center().x(), male->box.center().x(), 3);
    EXPECT_NEAR(v125->box.center().x(), female->box.center().x(), 3);
    EXPECT_NEAR(v8->box.center().x(), unknown->box.center().x(), 3);
    EXPECT_LT(v125->box.top(), v37->box.top());
    EXPECT_LT(v37->box.top(), v8->box.top());
    for (const PdfText::Word* value : {v37, v125, v8})
        EXPECT_LT(value->box.bottom(), male->box.top()) << "values stand above the labels";
}

TEST_F(ReportElementsPdf, BarChartOfManyDaysKeepsEveryLabelAndValue)
{
    ChartData days;
    days.title = s(u"客户流量分析");
    for (int day = 1; day <= 31; ++day)
        days.points.append({QDate(2024, 3, day).toString(QStringLiteral("yyyy-MM-dd")), double(100 + day)});
    Report report(Paper::A4, s(u"会员来访统计"));
    report.addChart(ChartKind::Bar, days);
    const PdfText pdf = render(report);
    ASSERT_EQ(pdf.pageCount(), 1);
    // Too narrow to lie flat, labels and values stand on end; each is still a word of its own.
    QStringList words;
    for (const PdfText::Word& w : pdf.words())
        words.append(w.text);
    for (int day = 1; day <= 31; ++day) {
        EXPECT_TRUE(words.contains(QDate(2024, 3, day).toString(QStringLiteral("yyyy-MM-dd"))))
            << "label of day " << day;
        EXPECT_TRUE(words.contains(QString::number(100 + day))) << "value of day " << day;
    }
}

TEST_F(ReportElementsPdf, PieChartListsEveryItemWithItsValueAndShare)
{
    Report report(Paper::A4, s(u"日常收支统计"));
    report.addChart(ChartKind::Pie, expenses(), 90);
    const PdfText pdf = render(report);
    ASSERT_EQ(pdf.pageCount(), 1);
    expectA4Portrait(pdf);
    EXPECT_TRUE(pdf.shows(s(u"日常支出统计")));

    // 3000 / 4000, 450.50 / 4000 = 11.26 %, 549.50 / 4000 = 13.74 %.
    const QList<PdfText::Word> words = pdf.words();
    const struct {
        const char16_t* label;
        const char* value;
        const char* share;
    } legend[] = {{u"房租", "3000.00", "75.0%"}, {u"水电", "450.50", "11.3%"}, {u"器材", "549.50", "13.7%"}};
    for (const auto& row : legend) {
        const PdfText::Word* label = word(words, s(row.label));
        const PdfText::Word* value = word(words, QString::fromLatin1(row.value));
        const PdfText::Word* share = word(words, QString::fromLatin1(row.share));
        ASSERT_TRUE(label && value && share) << s(row.label).toStdString();
        EXPECT_TRUE(sameLine(*label, *value) && sameLine(*label, *share))
            << s(row.label).toStdString() << ": label, value and share on one legend line";
        EXPECT_LT(label->box.right(), value->box.left());
        EXPECT_LT(value->box.right(), share->box.left());
    }
    const PdfText::Word* refund = word(words, s(u"退款"));
    const PdfText::Word* minus = word(words, QStringLiteral("-100.00"));
    ASSERT_TRUE(refund && minus);
    EXPECT_TRUE(sameLine(*refund, *minus));
    for (const PdfText::Word& w : words)
        EXPECT_FALSE(sameLine(w, *refund) && w.text.endsWith(QLatin1Char('%'))) << "a refund has no share of the pie";
}

TEST_F(ReportElementsPdf, PictureIsPlacedAtItsSize)
{
    QImage photo(120, 160, QImage::Format_RGB32);
    photo.fill(QColor(30, 120, 200));
    QPainter(&photo).fillRect(20, 20, 80, 60, Qt::yellow);
    Report report(Paper::A4, s(u"会员资料"));
    report.addHeaderField(s(u"会员姓名"), s(u"张小明"));
    report.addPicture(photo, QSizeF(30, 40), Qt::AlignRight);
    report.addFooterField(s(u"打印时间"), QStringLiteral("2024-03-15 18:00"));
    const PdfText pdf = render(report);
    ASSERT_EQ(pdf.pageCount(), 1);
    expectA4Portrait(pdf);
    EXPECT_TRUE(pdf.shows(s(u"会员姓名：张小明")));
    EXPECT_TRUE(pdf.shows(s(u"打印时间：2024-03-15 18:00")));

    const QList<PdfText::Image> images = pdf.images();
    ASSERT_EQ(images.size(), 1) << "the photo is an image of the page";
    EXPECT_EQ(images[0].page, 1);
    EXPECT_EQ(images[0].width, 120);
    EXPECT_EQ(images[0].height, 160);
    EXPECT_NEAR(images[0].width / images[0].xPpi * 25.4, 30, 0.5) << "30 mm wide on paper";
    EXPECT_NEAR(images[0].height / images[0].yPpi * 25.4, 40, 0.5) << "40 mm high on paper";
}

TEST_F(ReportElementsPdf, PictureTallerThanAPageShrinksOntoOne)
{
    QImage logo(100, 1000, QImage::Format_RGB32);
    logo.fill(Qt::darkGreen);
    Report report(Paper::A4, s(u"标志"));
    report.addPicture(logo, QSizeF(50, 0));
    EXPECT_EQ(ReportRenderer(report).pageCount(), 1);
    const QList<PdfText::Image> images = render(report).images();
    ASSERT_EQ(images.size(), 1);
    const double heightMm = images[0].height / images[0].yPpi * 25.4;
    EXPECT_LT(heightMm, 297 - 27) << "within the page's margins";
    EXPECT_NEAR(images[0].width / images[0].xPpi * 25.4, heightMm / 10, 0.5) << "the picture keeps its shape";
}

TEST_F(ReportElementsPdf, BodyPartsFollowTheOrderTheyWereAdded)
{
    ChartData ranking;
    ranking.title = s(u"教练上课分析");
    ranking.points = {{s(u"李教练"), 12}, {s(u"王教练"), 30}};
    Report report(Paper::A4, s(u"教练上课排行"));
    report.addChart(ChartKind::Bar, ranking, 80);
    report.addColumn(s(u"教练姓名"), 40);
    report.addColumn(s(u"次数合计"), 30, Qt::AlignRight);
    for (int i = 0; ReportRenderer(report).pageCount() < 2; ++i)
        report.addRow({QStringLiteral("T%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("1")});
    report.addTotals({s(u"合    计"), QStringLiteral("42")});
    report.addChart(ChartKind::Pie, ranking, 100);

    const PdfText pdf = render(report);
    const QString first = pdf.text(1);
    EXPECT_LT(first.indexOf(s(u"教练上课分析")), first.indexOf(s(u"教练姓名"))) << "the chart added first comes first";
    const QString last = pdf.text(pdf.pageCount());
    EXPECT_TRUE(PdfText::compact(last).contains(QStringLiteral("42")));
    EXPECT_LT(last.indexOf(QStringLiteral("42")), last.lastIndexOf(s(u"教练上课分析")))
        << "the pie follows the totals:\n"
        << last.toStdString();
    const int pages = pdf.pageCount();
    for (int page = 2; page <= pages; ++page)
        EXPECT_TRUE(pdf.shows(s(u"第 %1 页 / 共 %2 页").arg(page).arg(pages), page));
}

TEST_F(ReportElementsPdf, ChartThatDoesNotFitStartsANewPageWithoutColumnHeadings)
{
    Report report(Paper::A4, s(u"员工服务排行"));
    report.addColumn(s(u"员工姓名"), 40);
    report.addColumn(s(u"金额合计"), 30, Qt::AlignRight);
    for (int i = 0; i < 25; ++i)
        report.addRow({QStringLiteral("S%1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("10.00")});
    ASSERT_EQ(ReportRenderer(report).pageCount(), 1);
    report.addChart(ChartKind::Bar, visitorFlow(), 120);
    const PdfText pdf = render(report);
    ASSERT_EQ(pdf.pageCount(), 2);
    EXPECT_FALSE(pdf.shows(s(u"客户流量分析"), 1));
    EXPECT_TRUE(pdf.shows(s(u"客户流量分析"), 2));
    EXPECT_TRUE(pdf.shows(QStringLiteral("125"), 2));
    EXPECT_FALSE(pdf.shows(s(u"员工姓名"), 2)) << "column headings repeat only over rows";
}

ResultSet members()
{
    return ResultSet(
        {s(u"卡号"), s(u"余额"), s(u"加入时间"), s(u"可用"), s(u"次数")},
        {ColumnType::Text, ColumnType::Money, ColumnType::DateTime, ColumnType::YesNo, ColumnType::Integer},
        {
            {u"A001", Money::fromUnits(125000), QDateTime(QDate(2024, 3, 1), QTime(0, 0)), true, 3},
            {u"A002", 3.1, QDateTime(QDate(2024, 3, 2), QTime(18, 30, 5)), false, 0},
            {u"B003", Value(), Value(), Value(), 7},
        });
}

QList<ResultColumn> memberColumns()
{
    return {{s(u"卡号"), s(u"会员卡号"), 25},
            {s(u"余额"), QString(), 25, Qt::AlignRight},
            {s(u"加入时间"), s(u"加入日期"), 35},
            {s(u"可用"), QString(), 15, Qt::AlignHCenter},
            {s(u"次数"), QString(), 15, Qt::AlignRight}};
}

TEST(ReportRows, CellsReadAsTheGridShowsThem)
{
    const ResultSet result = members();
    DataGrid grid;
    grid.setResult(result);
    Report report(Paper::A4, s(u"会员名单"));
    addResultRows(report, result, memberColumns());

    ASSERT_EQ(report.columns().size(), 5);
    EXPECT_EQ(report.columns()[0].title, s(u"会员卡号"));
    EXPECT_EQ(report.columns()[1].title, s(u"余额")) << "without a title the column's name heads it";
    EXPECT_EQ(report.columns()[2].widthMm, 35);
    EXPECT_EQ(report.columns()[4].alignment, Qt::AlignRight);

    const QList<QStringList> expected{
        {QStringLiteral("A001"), QStringLiteral("12.50"), QStringLiteral("2024-03-01"), s(u"是"), QStringLiteral("3")},
        {QStringLiteral("A002"), QStringLiteral("3.10"), QStringLiteral("2024-03-02 18:30:05"), s(u"否"),
         QStringLiteral("0")},
        {QStringLiteral("B003"), QString(), QString(), s(u"否"), QStringLiteral("7")}};
    EXPECT_EQ(report.rows(), expected);

    // The grid shows yes/no as a check box and says it in words to a screen reader.
    const QAbstractItemModel* model = grid.model();
    for (int row = 0; row < result.rowCount(); ++row)
        for (int column = 0; column < 5; ++column) {
            const QModelIndex index = model->index(row, column);
            const int role = column == 3 ? Qt::AccessibleTextRole : Qt::DisplayRole;
            EXPECT_EQ(report.rows()[row][column], model->data(index, role).toString())
                << "row " << row << ", column " << column;
        }
}

TEST(ReportRows, FilteredRowsFormatsAndTotals)
{
    ResultSet result = members();
    result.setFilter(Filter::where(s(u"卡号"), Match::StartsWith, QStringLiteral("A")));
    Report report;
    addResultRows(report, result,
                  {{s(u"卡号")},
                   {s(u"加入时间"), QString(), 25, Qt::AlignLeft, CellFormat::Date},
                   {s(u"余额"), QString(), 20, Qt::AlignRight, CellFormat::Plain}});
    EXPECT_EQ(report.rows(),
              (QList<QStringList>{{QStringLiteral("A001"), QStringLiteral("2024-03-01"), QStringLiteral("12.50")},
                                  {QStringLiteral("A002"), QStringLiteral("2024-03-02"), QStringLiteral("3.1")}}))
        << "only the rows the filter shows, each column in the format asked for (a plain number is not money)";

    EXPECT_EQ(columnTotal(result, s(u"余额")), Value(Money::fromUnits(156000))) << "12.50 + 3.10 as money";
    EXPECT_EQ(cellText(columnTotal(result, s(u"余额")), CellFormat::Money), QStringLiteral("15.60"));
    EXPECT_EQ(columnTotal(result, s(u"次数")), Value(qint64(3)));
    result.clearFilter();
    EXPECT_EQ(columnTotal(result, s(u"次数")), Value(qint64(10)));
}

TEST(ReportRows, UnknownColumnAddsNothing)
{
    Report report(Paper::A4, s(u"会员名单"));
    EXPECT_THROW(addResultRows(report, members(), {{s(u"卡号")}, {s(u"余 额")}}), DbError);
    EXPECT_TRUE(report.columns().isEmpty());
    EXPECT_TRUE(report.rows().isEmpty());
    EXPECT_TRUE(report.body().isEmpty());
    EXPECT_THROW(columnTotal(members(), s(u"金额")), DbError);
}

TEST_F(ReportElementsPdf, RowsFromAResultPrintAsShown)
{
    Report report(Paper::A4, s(u"会员名单"));
    addResultRows(report, members(), memberColumns());
    const PdfText pdf = render(report);
    expectA4Portrait(pdf);
    for (const char16_t* expected :
         {u"会员卡号", u"加入日期", u"A001 12.50 2024-03-01 是 3", u"A002 3.10 2024-03-02 18:30:05 否 0", u"B003 否 7"})
        EXPECT_TRUE(pdf.shows(s(expected)))
            << "missing " << s(expected).toStdString() << " in " << pdf.text().toStdString();
}

TEST(ChartDataFromResult, LabelsAndValuesOfTheVisibleRows)
{
    ResultSet ranking(
        {s(u"教练姓名"), s(u"次数合计"), s(u"金额合计")}, {ColumnType::Text, ColumnType::Unknown, ColumnType::Money},
        {{u"李教练", 12, Money::fromUnits(15000000)}, {u"王教练", 30, Money::fromUnits(4505000)}, {u"", 4, Money()}});
    const ChartData money = ChartData::fromResult(s(u"私教销售分析"), ranking, s(u"教练姓名"), s(u"金额合计"));
    EXPECT_EQ(money.title, s(u"私教销售分析"));
    ASSERT_EQ(money.points.size(), 3);
    EXPECT_EQ(money.points[0].label, s(u"李教练"));
    EXPECT_DOUBLE_EQ(money.points[0].value, 1500);
    EXPECT_DOUBLE_EQ(money.points[1].value, 450.5);
    EXPECT_EQ(money.points[2].label, QString()) << "check-ins without a coach form a bar of their own";
    EXPECT_EQ(money.valueText(money.points[1].value), QStringLiteral("450.50"));

    ranking.setFilter(Filter::where(s(u"教练姓名"), Match::Equals, s(u"王教练")));
    const ChartData counts = ChartData::fromResult(s(u"教练上课分析"), ranking, s(u"教练姓名"), s(u"次数合计"));
    ASSERT_EQ(counts.points.size(), 1) << "the chart follows the filter";
    EXPECT_EQ(counts.valueText(counts.points[0].value), QStringLiteral("30"));
    EXPECT_THROW(ChartData::fromResult(QString(), ranking, s(u"教练"), s(u"次数合计")), DbError);
}

} // namespace
