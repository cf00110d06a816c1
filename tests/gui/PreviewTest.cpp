#include "kit/report/Report.h"
#include "kit/report/TmypreviewForm.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
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
    // Enough rows for three pages of A4.
    for (int i = 0; i < 150; ++i)
        report.addRow({QStringLiteral("%1").arg(1000 + i), QStringLiteral("学员")});
    return report;
}

QToolButton* button(TmypreviewForm* form, const char* name)
{
    return form->findChild<QToolButton*>(QString::fromLatin1(name));
}

TEST(Preview, ZoomStartsAtTwiceTheSliderPosition)
{
    QPointer<TmypreviewForm> form = TmypreviewForm::open(threePages());
    auto* slider = form->findChild<QSlider*>(QStringLiteral("zoomSlider"));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->minimum(), 0);
    EXPECT_EQ(slider->maximum(), 100);
    EXPECT_EQ(slider->value(), 33);
    EXPECT_NEAR(form->zoomFactor(), 0.66, 1e-6);
    slider->setValue(75);
    EXPECT_NEAR(form->zoomFactor(), 1.5, 1e-6);
    button(form, "actualSizeButton")->click();
    EXPECT_NEAR(form->zoomFactor(), 1.0, 1e-6);
    EXPECT_EQ(TmypreviewForm::zoomForPosition(50), 1.0);
    form->close();
}

TEST(Preview, PagesMoveWithinTheReport)
{
    QPointer<TmypreviewForm> form = TmypreviewForm::open(threePages());
    ASSERT_EQ(form->pageCount(), form->renderer().pageCount());
    ASSERT_GE(form->pageCount(), 3);
    EXPECT_EQ(form->currentPage(), 1);
    button(form, "previousPageButton")->click();
    EXPECT_EQ(form->currentPage(), 1) << "never below the first page";
    button(form, "nextPageButton")->click();
    EXPECT_EQ(form->currentPage(), 2);
    button(form, "lastPageButton")->click();
    EXPECT_EQ(form->currentPage(), form->pageCount());
    button(form, "nextPageButton")->click();
    EXPECT_EQ(form->currentPage(), form->pageCount()) << "never beyond the last page";
    button(form, "firstPageButton")->click();
    EXPECT_EQ(form->currentPage(), 1);
    form->close();
}

TEST(Preview, ClosingFreesTheWindow)
{
    QPointer<TmypreviewForm> form = TmypreviewForm::open(threePages());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("打印预览"));
    button(form, "closeButton")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());
}

} // namespace
