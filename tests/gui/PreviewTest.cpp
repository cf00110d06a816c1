#include "kit/report/Report.h"
#include "kit/report/TmypreviewForm.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QSlider>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tkd::gui;

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

} // namespace
