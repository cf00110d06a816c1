#include "kit/report/Report.h"
#include "kit/report/TmypreviewForm.h"

#include "PdfText.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tkd::gui;
using tkd::test::PdfText;

namespace {

Report threePages()
{
    Report report(Paper::A4, QStringLiteral("会员名单"));
    report.addColumn(QStringLiteral("卡号"), 40);
    report.addColumn(QStringLiteral("姓名"), 40);
    for (int card = 1000; ReportRenderer(report).pageCount() < 3; ++card)
        report.addRow({QString::number(card), QStringLiteral("学员")});
    return report;
}

class PreviewWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_form = TmypreviewForm::open(threePages());
        ASSERT_EQ(m_form->renderer().pageCount(), 3);
    }
    void TearDown() override { delete m_form.data(); }

    void click(const char* name)
    {
        auto* button = m_form->findChild<QToolButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    QSlider* slider() const { return m_form->findChild<QSlider*>(QStringLiteral("zoomSlider")); }
    QPrintPreviewWidget* preview() const
    {
        return m_form->findChild<QPrintPreviewWidget*>(QStringLiteral("previewWidget"));
    }
    QString pageLabel() const { return m_form->findChild<QLabel*>(QStringLiteral("pageLabel"))->text(); }

    QPointer<TmypreviewForm> m_form;
};

TEST_F(PreviewWindow, OpensMaximisedOnTheFirstOfEveryPage)
{
    EXPECT_EQ(m_form->objectName(), QStringLiteral("mypreviewForm"));
    EXPECT_EQ(m_form->windowTitle(), QStringLiteral("打印预览"));
    EXPECT_TRUE(m_form->isVisible());
    EXPECT_TRUE(m_form->isMaximized());
    EXPECT_FALSE(m_form->isModal());
    EXPECT_EQ(m_form->pageCount(), 3) << "the preview shows every page the renderer lays out";
    EXPECT_EQ(m_form->currentPage(), 1);
    EXPECT_EQ(pageLabel(), QStringLiteral("第 1 页 / 共 3 页"));
}

TEST_F(PreviewWindow, ZoomIsTwiceTheSliderPosition)
{
    ASSERT_NE(slider(), nullptr);
    EXPECT_EQ(slider()->minimum(), 0);
    EXPECT_EQ(slider()->maximum(), 100);
    EXPECT_EQ(slider()->value(), 33);
    EXPECT_NEAR(m_form->zoomFactor(), 0.66, 1e-9);

    slider()->setValue(75);
    EXPECT_NEAR(m_form->zoomFactor(), 1.5, 1e-9);
    slider()->setValue(0);
    EXPECT_GT(m_form->zoomFactor(), 0) << "the page never shrinks to nothing";

    click("actualSizeButton");
    EXPECT_NEAR(m_form->zoomFactor(), 1.0, 1e-9);
    EXPECT_EQ(slider()->value(), 50) << "the slider follows the buttons";
}

TEST_F(PreviewWindow, FitButtonsChooseTheirFitting)
{
    click("fitWidthButton");
    EXPECT_EQ(preview()->zoomMode(), QPrintPreviewWidget::FitToWidth);
    click("fitPageButton");
    EXPECT_EQ(preview()->zoomMode(), QPrintPreviewWidget::FitInView);
    click("actualSizeButton");
    EXPECT_EQ(preview()->zoomMode(), QPrintPreviewWidget::CustomZoom);
}

// On a desktop the maximised preview shows the whole page at the opening zoom of 66 %; the
// fit command must still fit the page to the window's height.
TEST_F(PreviewWindow, FitPageWorksAtTheOpeningZoom)
{
    m_form->showNormal();
    m_form->resize(1400, 1500);
    QApplication::processEvents();
    const qreal pageHeight = 297 / 25.4 * preview()->logicalDpiY();
    ASSERT_LT(pageHeight * 0.66, preview()->height() * 0.8) << "the whole page is in view before fitting";
    ASSERT_NEAR(m_form->zoomFactor(), 0.66, 1e-9);

    click("fitPageButton");
    const qreal fitted = m_form->zoomFactor();
    EXPECT_GT(fitted, 0.8) << "the page grows to fill the window";
    EXPECT_LE(pageHeight * fitted, preview()->height()) << "and still fits in it";
    EXPECT_GT(pageHeight * fitted, preview()->height() * 0.85) << "the page's height fills the view";
    EXPECT_EQ(slider()->value(), qRound(fitted * 50)) << "the slider follows";

    click("actualSizeButton");
    click("fitPageButton");
    EXPECT_NEAR(m_form->zoomFactor(), fitted, 1e-6) << "fitting gives the same zoom from any zoom";
}

TEST_F(PreviewWindow, PrintingGoesThroughTheSamePagesAsThePreview)
{
    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("printed.pdf")));
    ASSERT_TRUE(m_form->renderer().print(&printer));

    const PdfText pdf(printer.outputFileName());
    ASSERT_EQ(pdf.pageCount(), m_form->pageCount());
    const QSizeF a4 = pdf.pageSizeMm(3);
    EXPECT_NEAR(a4.width(), 210, 0.5);
    EXPECT_NEAR(a4.height(), 297, 0.5);
    EXPECT_TRUE(pdf.shows(QStringLiteral("会员名单"), 1));
    EXPECT_TRUE(pdf.shows(QStringLiteral("第 3 页 / 共 3 页"), 3));
    EXPECT_TRUE(pdf.shows(QStringLiteral("1000"), 1));
    EXPECT_FALSE(pdf.shows(QStringLiteral("1000"), 3));
}

TEST(PreviewOfAChart, ShowsAndPrintsTheChartTheReportDraws)
{
    ChartData data;
    data.title = QStringLiteral("客户流量分析");
    data.points = {{QStringLiteral("03月"), 260}, {QStringLiteral("04月"), 174}};
    Report report(Paper::A4, QStringLiteral("会员来访统计"));
    report.addChart(ChartKind::Bar, data);
    QPointer<TmypreviewForm> form = TmypreviewForm::open(report);
    EXPECT_EQ(form->pageCount(), 1);

    // The preview paints the bars in their colours (give or take the rounding of its scaling).
    const QImage shown = form->findChild<QPrintPreviewWidget*>(QStringLiteral("previewWidget"))->grab().toImage();
    const auto showsColour = [&](const QColor& colour) {
        for (int y = 0; y < shown.height(); y += 2)
            for (int x = 0; x < shown.width(); x += 2) {
                const QColor pixel = shown.pixelColor(x, y);
                if (std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                        std::abs(pixel.blue() - colour.blue()) <=
                    6)
                    return true;
            }
        return false;
    };
    EXPECT_TRUE(showsColour(chartColor(0)));
    EXPECT_TRUE(showsColour(chartColor(1)));

    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("chart.pdf")));
    ASSERT_TRUE(form->renderer().print(&printer));
    const PdfText pdf(printer.outputFileName());
    for (const char* expected : {"会员来访统计", "客户流量分析", "03月", "04月", "260", "174"})
        EXPECT_TRUE(pdf.shows(QString::fromUtf8(expected))) << "printed chart lacks " << expected;
    delete form.data();
}

TEST_F(PreviewWindow, PageButtonsStayWithinTheReport)
{
    click("previousPageButton");
    EXPECT_EQ(m_form->currentPage(), 1) << "never below the first page";
    click("nextPageButton");
    EXPECT_EQ(m_form->currentPage(), 2);
    click("nextPageButton");
    click("nextPageButton");
    EXPECT_EQ(m_form->currentPage(), 3) << "never beyond the last page";
    EXPECT_EQ(pageLabel(), QStringLiteral("第 3 页 / 共 3 页"));
    click("previousPageButton");
    EXPECT_EQ(m_form->currentPage(), 2);
    click("firstPageButton");
    EXPECT_EQ(m_form->currentPage(), 1);
    click("lastPageButton");
    EXPECT_EQ(m_form->currentPage(), 3);
}

TEST_F(PreviewWindow, ClosingFreesTheWindow)
{
    click("closeButton");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_form.isNull());
}

TEST_F(PreviewWindow, EscapeClosesTheWindowEvenWhenTheBarOverflows)
{
    m_form->showNormal();
    m_form->resize(420, 500);
    m_form->activateWindow();
    QCoreApplication::processEvents();
    QTest::keyClick(m_form->findChild<QPrintPreviewWidget*>(QStringLiteral("previewWidget")), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_form.isNull()) << "Escape closes the preview";
}

} // namespace
