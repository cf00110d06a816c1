#include "kit/report/Report.h"
#include "kit/report/ReportRenderer.h"

#include "PdfText.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tkd::gui::Paper;
using tkd::gui::Report;
using tkd::gui::ReportRenderer;
using tkd::test::PdfText;

namespace {

constexpr qreal kPointsPerMm = 72 / 25.4;

bool shows(const QString& text, const QString& expected)
{
    return PdfText::compact(text).contains(PdfText::compact(expected));
}

Report memberStatement()
{
    Report report(Paper::A4, QStringLiteral("会员消费明细"));
    report.addHeaderField(QStringLiteral("会员卡号"), QStringLiteral("1001"));
    report.addHeaderField(QStringLiteral("会员姓名"), QStringLiteral("张小明"));
    report.addColumn(QStringLiteral("日期"), 30);
    report.addColumn(QStringLiteral("项目"), 60);
    report.addColumn(QStringLiteral("数量"), 20, Qt::AlignRight);
    report.addColumn(QStringLiteral("金额"), 30, Qt::AlignRight);
    report.addRow(
        {QStringLiteral("2024-03-01"), QStringLiteral("道服"), QStringLiteral("1"), QStringLiteral("250.00")});
    report.addRow(
        {QStringLiteral("2024-03-02"), QStringLiteral("季度学费"), QStringLiteral("1"), QStringLiteral("1000.00")});
    report.addTotals({QStringLiteral("合计"), QString(), QString(), QStringLiteral("1250.00")});
    report.addFooterField(QStringLiteral("打印时间"), QStringLiteral("2024-03-15 18:00"));
    return report;
}

Report receipt(int goodsLines)
{
    Report report(Paper::Receipt58, QStringLiteral("澄岚跆拳道馆收款单"));
    report.addHeaderField(QStringLiteral("会员卡号"), QStringLiteral("1001"));
    report.addHeaderField(QStringLiteral("姓名"), QStringLiteral("张小明"));
    for (int i = 1; i <= goodsLines; ++i)
        report.addRow({QStringLiteral("护具%1").arg(i), QStringLiteral("35.00")});
    report.addTotals({QStringLiteral("合计"), QStringLiteral("%1.00").arg(35 * goodsLines)});
    report.addFooterLine(QStringLiteral("电话：0571-88886666"));
    report.addFooterLine(QStringLiteral("谢谢惠顾"));
    return report;
}

class ReportPdf : public ::testing::Test {
protected:
    PdfText render(const Report& report, const QString& name = QStringLiteral("report"))
    {
        const PdfText pdf(m_folder.filePath(name + QStringLiteral(".pdf")));
        EXPECT_TRUE(ReportRenderer(report).renderToPdf(pdf.path())) << pdf.path().toStdString();
        return pdf;
    }
    QTemporaryDir m_folder;
};

TEST_F(ReportPdf, A4ReportShowsEverySectionAsExtractableChinese)
{
    const QString text = render(memberStatement()).text();
    for (const char* expected :
         {"会员消费明细", "会员卡号：1001", "会员姓名：张小明", "日期", "项目", "数量", "金额", "季度学费", "1000.00",
          "合计", "1250.00", "打印时间：2024-03-15 18:00", "第 1 页 / 共 1 页"})
        EXPECT_TRUE(shows(text, QString::fromUtf8(expected))) << "missing " << expected << " in:\n"
                                                              << text.toStdString();
    EXPECT_LT(text.indexOf(QStringLiteral("1000.00")), text.indexOf(QStringLiteral("合计")))
        << "totals come after the detail rows";
}

TEST_F(ReportPdf, LongReportBreaksPagesAndRepeatsTheColumnHeadings)
{
    Report report = memberStatement();
    for (int i = 1; i <= 120; ++i)
        report.addRow({QStringLiteral("R%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("课时"),
                       QStringLiteral("1"), QStringLiteral("80.00")});
    const ReportRenderer renderer(report);
    ASSERT_GT(renderer.pageCount(), 1);
    const PdfText pdf = render(report);
    ASSERT_EQ(pdf.pageCount(), renderer.pageCount());

    for (int page = 1; page <= pdf.pageCount(); ++page) {
        const QString text = pdf.text(page);
        EXPECT_TRUE(shows(text, QStringLiteral("项目")) && shows(text, QStringLiteral("金额")))
            << "no column headings on page " << page;
        EXPECT_TRUE(shows(text, QStringLiteral("第 %1 页 / 共 %2 页").arg(page).arg(pdf.pageCount())))
            << "no page number on page " << page << ":\n"
            << text.toStdString();
    }
    EXPECT_FALSE(pdf.text(1).contains(QStringLiteral("R120")));

    // Every row exactly once, in order, across the breaks.
    QStringList codes;
    for (const auto& match : QRegularExpression(QStringLiteral("R\\d{3}")).globalMatch(pdf.text()))
        codes.append(match.captured());
    QStringList expected;
    for (int i = 1; i <= 120; ++i)
        expected.append(QStringLiteral("R%1").arg(i, 3, 10, QLatin1Char('0')));
    EXPECT_EQ(codes, expected);

    const QString last = pdf.text(pdf.pageCount());
    EXPECT_GT(last.indexOf(QStringLiteral("合计")), last.indexOf(QStringLiteral("R120")))
        << "totals follow the last row on the last page";
}

TEST_F(ReportPdf, A4PaperInBothOrientations)
{
    const QSizeF portrait = render(memberStatement(), QStringLiteral("portrait")).pageSizePoints();
    EXPECT_NEAR(portrait.width(), 595.3, 0.5);
    EXPECT_NEAR(portrait.height(), 841.9, 0.5);

    Report wide = memberStatement();
    wide.setLandscape(true);
    EXPECT_EQ(ReportRenderer(wide).pageSizeMm(), QSizeF(297, 210));
    const QSizeF landscape = render(wide, QStringLiteral("landscape")).pageSizePoints();
    EXPECT_NEAR(landscape.width(), 841.9, 0.5);
    EXPECT_NEAR(landscape.height(), 595.3, 0.5);
}

TEST_F(ReportPdf, ReportWithoutRowsIsOnePage)
{
    const Report empty(Paper::A4, QStringLiteral("空白报表"));
    EXPECT_EQ(ReportRenderer(empty).pageCount(), 1);
    const PdfText pdf = render(empty);
    EXPECT_EQ(pdf.pageCount(), 1);
    EXPECT_TRUE(shows(pdf.text(), QStringLiteral("空白报表")));
}

TEST_F(ReportPdf, LongCellIsElidedWithinItsColumn)
{
    const QString longName = QStringLiteral("澄岚跆拳道馆青少年黑带考级集训营全日制寒假特别班");
    Report report(Paper::A4, QStringLiteral("课程列表"));
    report.addColumn(QStringLiteral("课程"), 30);
    report.addColumn(QStringLiteral("编号"), 30);
    report.addRow({longName, QStringLiteral("KC-2024-007")});
    const QString text = render(report).text();
    EXPECT_TRUE(shows(text, QStringLiteral("KC-2024-007"))) << text.toStdString();
    EXPECT_TRUE(shows(text, longName.left(4))) << "the start of the long cell stays";
    EXPECT_FALSE(shows(text, longName)) << "the long cell must be cut at its column";
}

TEST_F(ReportPdf, UnwritableFileIsReportedAsFailure)
{
    EXPECT_FALSE(ReportRenderer(memberStatement()).renderToPdf(m_folder.filePath(QStringLiteral("missing/a.pdf"))));
}

TEST_F(ReportPdf, ReceiptIsOne58mmPageAsLongAsItsLines)
{
    const ReportRenderer shortRenderer(receipt(2));
    const ReportRenderer longRenderer(receipt(80));
    EXPECT_EQ(shortRenderer.pageCount(), 1);
    EXPECT_EQ(longRenderer.pageCount(), 1);
    EXPECT_DOUBLE_EQ(shortRenderer.pageSizeMm().width(), 58);
    EXPECT_GT(longRenderer.pageSizeMm().height(), 297) << "a long receipt is never broken into pages";

    const PdfText shortPdf = render(receipt(2), QStringLiteral("short"));
    const PdfText longPdf = render(receipt(80), QStringLiteral("long"));
    EXPECT_EQ(shortPdf.pageCount(), 1);
    EXPECT_EQ(longPdf.pageCount(), 1);
    const QSizeF shortSize = shortPdf.pageSizePoints();
    const QSizeF longSize = longPdf.pageSizePoints();
    EXPECT_NEAR(shortSize.width(), 58 * kPointsPerMm, 1.0);
    EXPECT_NEAR(longSize.width(), 58 * kPointsPerMm, 1.0);
    EXPECT_NEAR(shortSize.height(), shortRenderer.pageSizeMm().height() * kPointsPerMm, 1.0);
    EXPECT_NEAR(longSize.height(), longRenderer.pageSizeMm().height() * kPointsPerMm, 1.0);
    EXPECT_GT(longSize.height(), shortSize.height() + 78 * 2 * kPointsPerMm) << "each line adds to the length";

    const QString text = longPdf.text();
    for (const char* expected : {"澄岚跆拳道馆收款单", "会员卡号：1001", "护具80", "2800.00", "谢谢惠顾"})
        EXPECT_TRUE(shows(text, QString::fromUtf8(expected))) << "missing " << expected;
    EXPECT_FALSE(shows(text, QStringLiteral("第 1 页"))) << "receipts carry no page number";
}

TEST(ReportLayout, ColumnsWiderThanThePaperShrinkInProportion)
{
    Report narrow(Paper::Receipt58);
    narrow.addColumn(QStringLiteral("品名"), 40);
    narrow.addColumn(QStringLiteral("数量"), 20);
    narrow.addColumn(QStringLiteral("金额"), 20);
    const QList<qreal> widths = ReportRenderer(narrow).columnWidthsMm();
    ASSERT_EQ(widths.size(), 3);
    EXPECT_LT(widths[0] + widths[1] + widths[2], 58);
    EXPECT_NEAR(widths[0], 2 * widths[1], 1e-6);
    EXPECT_NEAR(widths[1], widths[2], 1e-6);

    const QList<qreal> fitting = ReportRenderer(memberStatement()).columnWidthsMm();
    EXPECT_EQ(fitting, (QList<qreal>{30, 60, 20, 30})) << "columns that fit keep their widths";
}

} // namespace

TEST_F(ReportPdf, ReceiptWithItsOwnPaperKeepsItsLengthUnlessTheLinesNeedMore)
{
    Report paper = receipt(2);
    paper.setReceiptPaper(80, QMarginsF(5, 5, 8, 5));
    EXPECT_DOUBLE_EQ(ReportRenderer(paper).pageSizeMm().height(), 80);
    const PdfText pdf = render(paper, QStringLiteral("paper"));
    EXPECT_NEAR(pdf.pageSizePoints().height(), 80 * kPointsPerMm, 1.0);
    EXPECT_NEAR(pdf.pageSizePoints().width(), 58 * kPointsPerMm, 1.0);
    Report longer = receipt(80);
    longer.setReceiptPaper(80, QMarginsF(5, 5, 8, 5));
    EXPECT_GT(ReportRenderer(longer).pageSizeMm().height(), 80) << "never cut off";
}
