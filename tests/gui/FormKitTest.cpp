#include "kit/FormKit.h"

#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QValidator>
#include <QWidget>
#include <gtest/gtest.h>

namespace kit = tkd::gui::kit;

namespace {

class FormKitEnter : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* form = new QFormLayout(&window);
        first = new QLineEdit(&window);
        remark = new QPlainTextEdit(&window);
        card = new QLineEdit(&window);
        last = new QLineEdit(&window);
        form->addRow(QStringLiteral("姓名："), first);
        form->addRow(QStringLiteral("备注："), remark);
        form->addRow(QStringLiteral("卡号："), card);
        form->addRow(QStringLiteral("电话："), last);
        kit::installEnterMovesFocus(&window);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWidget window;
    QLineEdit* first;
    QPlainTextEdit* remark;
    QLineEdit* card;
    QLineEdit* last;
};

TEST_F(FormKitEnter, EnterGoesToTheNextFieldButStaysALineBreakInARemark)
{
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), remark);
    QTest::keyClicks(remark, QStringLiteral("ab"));
    QTest::keyClick(remark, Qt::Key_Return);
    QTest::keyClicks(remark, QStringLiteral("cd"));
    EXPECT_EQ(remark->toPlainText(), QStringLiteral("ab\ncd"));
    EXPECT_EQ(QApplication::focusWidget(), remark);
}

TEST_F(FormKitEnter, SubmittingFieldKeepsItsReturn)
{
    kit::markEnterSubmits(card);
    QSignalSpy submitted(card, &QLineEdit::returnPressed);
    card->setFocus();
    QTest::keyClick(card, Qt::Key_Enter);
    EXPECT_EQ(submitted.count(), 1);
    EXPECT_EQ(QApplication::focusWidget(), card);
    kit::installEnterMovesFocus(&window);
    QTest::keyClick(card, Qt::Key_Return);
    EXPECT_EQ(submitted.count(), 2) << "installing twice changes nothing";
}

TEST(FormKitFilters, DigitsOnlyRefusesEverythingElse)
{
    QLineEdit edit;
    kit::digitsOnly(&edit);
    QTest::keyClicks(&edit, QStringLiteral("12a.3-"));
    EXPECT_EQ(edit.text(), QStringLiteral("123"));
    int pos = 0;
    QString pasted = QStringLiteral("45x");
    EXPECT_NE(edit.validator()->validate(pasted, pos), QValidator::Acceptable) << "pasting letters fails too";
}

TEST(FormKitFilters, MoneyAndRatesTakeOnePoint)
{
    QLineEdit money;
    kit::moneyOnly(&money);
    QTest::keyClicks(&money, QStringLiteral("12.5.0a"));
    EXPECT_EQ(money.text(), QStringLiteral("12.50"));
    QLineEdit rate;
    kit::rateOnly(&rate);
    QTest::keyClicks(&rate, QStringLiteral("0.85"));
    EXPECT_EQ(rate.text(), QStringLiteral("0.85"));
}

TEST(FormKitCaptions, CaptionIsTheBuddyAndTheAccessibleName)
{
    QWidget window;
    auto* edit = new QLineEdit(&window);
    QLabel* label = kit::captionFor(edit, QStringLiteral("会员卡号："), &window);
    EXPECT_EQ(label->buddy(), edit);
    EXPECT_EQ(label->text(), QStringLiteral("会员卡号："));
    EXPECT_EQ(edit->accessibleName(), QStringLiteral("会员卡号"));
}

} // namespace
