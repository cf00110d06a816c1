#include "LoggedInProgram.h"
#include "ModalAnswer.h"
#include "PdfText.h"
#include "Previews.h"
#include "Widgets.h"
#include "coaching/CoachingMemberBox.h"
#include "coaching/Packages.h"
#include "coaching/TgmsjForm.h"
#include "coaching/TsjglForm.h"
#include "coaching/TsjxfForm.h"
#include "coaching/TsjxmForm.h"
#include "coaching/TsjxmglForm.h"
#include "kit/DataGrid.h"
#include "kit/DateRangeBar.h"
#include "kit/report/TmypreviewForm.h"
#include "members/TxzjsrForm.h"
#include "security/Operators.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tkd;
using namespace std::chrono_literals;
using test::in;
using test::s;

namespace {

// A window that stays open for a whole flow of nested dialogs.
const test::ModalBounds kWholeFlow{60s, 5s};

// Two coaches, two items and two members on the program's own file.
class CoachingWindows : public test::LoggedInProgram {
protected:
    void SetUp() override
    {
        LoggedInProgram::SetUp();
        if (HasFatalFailure())
            return;
        dm().change(s(u"insert into [员工设置] ([姓名],[职务],[状态]) values ('金教练','教练','正常')"));
        dm().change(s(u"insert into [员工设置] ([姓名],[职务],[状态]) values ('李教练','教练','正常')"));
        dm().change(s(u"insert into [员工设置] ([姓名],[职务],[状态]) values ('王顾问','会籍顾问','正常')"));
        dm().change(s(u"insert into [私教项目] ([项目编号],[项目名称],[项目单价]) values ('X1','品势',150)"));
        dm().change(s(u"insert into [私教项目] ([项目编号],[项目名称],[项目单价]) values ('X2','腿法',12.125)"));
        for (const auto& [card, name] : {std::pair{u"1001", u"张三"}, std::pair{u"1002", u"李四"}})
            dm().change(s(u"insert into [会员信息] ([会员卡号],[会员姓名],[会员类型],[会员状态],[到期日期],[会员生日]) "
                          u"values(:k,:n,'月卡','可用','2024-12-31','00-00')"),
                        {{QStringLiteral("k"), s(card)}, {QStringLiteral("n"), s(name)}});
    }
    void TearDown() override { test::closePreviews(); }

    qint64 buy(const QString& card, const QString& coach, const QString& item, const char* quantity,
               const QDate& day = QDate(2024, 3, 15))
    {
        coaching::PurchaseInput input;
        input.cardNumber = card;
        input.coach = coach;
        input.item = item;
        input.purchaseDate = day;
        input.price = QStringLiteral("150");
        input.quantity = QString::fromLatin1(quantity);
        const Outcome<qint64> bought = coaching::purchase(context().command(), input);
        EXPECT_TRUE(bought.ok());
        return bought.ok() ? *bought : -1;
    }
    void book(const QString& card, qint64 package, const char* quantity, const QDate& day = QDate(2024, 3, 15))
    {
        coaching::LessonInput input{card, package, QString::fromLatin1(quantity), day, {}};
        EXPECT_TRUE(coaching::bookLessons(context().command(), input).ok());
    }
    qint64 number(const QString& sql) { return dm().list(sql).first(QStringLiteral("n")).toInt(); }

    static void choose(QComboBox* combo, const QString& text)
    {
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
        Q_EMIT combo->activated(index);
    }
    static QStringList column(gui::DataGrid* grid, const QString& name)
    {
        QStringList values;
        for (int i = 0; i < grid->result().rowCount(); ++i)
            values << grid->value(i, name).toText();
        return values;
    }
    static QString label(QWidget* window, const char* name) { return in<QLabel>(window, name)->text(); }

    // The member picker answers with the member of that card.
    static std::unique_ptr<test::ModalAnswer> pickMember(const QString& card)
    {
        return test::answerNextModal<gui::TxzjsrForm>([card](gui::TxzjsrForm* picker) {
            const QStringList cards = column(picker->grid(), s(u"会员卡号"));
            ASSERT_TRUE(cards.contains(card));
            picker->grid()->selectRow(static_cast<int>(cards.indexOf(card)));
            in<QPushButton>(picker, "pickButton")->click();
        });
    }

    // The newest preview, printed to a PDF and read back.
    std::unique_ptr<test::PdfText> printedPreview()
    {
        gui::TmypreviewForm* preview = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<gui::TmypreviewForm*>(w))
                preview = p;
        EXPECT_NE(preview, nullptr) << "打印 opens the preview";
        if (!preview)
            return nullptr;
        const QString path = m_pdfs.filePath(QStringLiteral("report%1.pdf").arg(++m_printed));
        EXPECT_TRUE(preview->renderer().renderToPdf(path));
        test::closePreviews();
        return std::make_unique<test::PdfText>(path);
    }

    template <typename Flow> void withManagement(Flow flow)
    {
        const auto answer = test::answerNextModal<gui::TsjglForm>(
            [&](gui::TsjglForm* form) {
                flow(form);
                if (form->isVisible())
                    in<QPushButton>(form, "exitButton")->click();
            },
            {}, kWholeFlow);
        run("coachingManagement");
        EXPECT_TRUE(answer->result());
    }

private:
    QTemporaryDir m_pdfs;
    int m_printed = 0;
};

TEST_F(CoachingWindows, AtTheDeskTenLessonsAreBoughtAndTwoBooked)
{
    swipe(QStringLiteral("1001"));
    QToolButton* buyButton = tabs()->button(QStringLiteral("buyCoachingButton"));
    QToolButton* lessonButton = tabs()->button(QStringLiteral("addLessonButton"));
    ASSERT_TRUE(buyButton->isEnabled());
    ASSERT_TRUE(lessonButton->isEnabled());

    const auto bought = test::answerNextModal<gui::TgmsjForm>([&](gui::TgmsjForm* form) {
        EXPECT_FALSE(form->memberBox()->pickButton()->isVisible()) << "the desk's member is fixed";
        EXPECT_EQ(form->memberBox()->cardNumber(), QStringLiteral("1001"));
        EXPECT_EQ(label(form, "memberNameLabel"), s(u"张三"));
        EXPECT_EQ(label(form, "expiryLabel"), QStringLiteral("2024-12-31"));
        EXPECT_EQ(label(form, "lessonsLeftLabel"), s(u"0次"));
        EXPECT_EQ(label(form, "totalLabel"), s(u"0.00元"));
        auto* coach = in<QComboBox>(form, "coachCombo");
        EXPECT_EQ(coach->currentIndex(), -1) << "no coach chosen yet";
        EXPECT_EQ(coach->count(), 2) << "consultants are no coaches";
        EXPECT_TRUE(in<QDateEdit>(form, "validUntilEdit")->text().trimmed().isEmpty());

        in<QPushButton>(form, "saveButton")->click();
        EXPECT_EQ(messages.texts.value(0), s(u"请选择教练！"));
        choose(coach, s(u"金教练"));
        choose(in<QComboBox>(form, "itemCombo"), s(u"腿法"));
        EXPECT_EQ(in<QLineEdit>(form, "priceEdit")->text(), QStringLiteral("12.125")) << "the item's list price";
        in<QLineEdit>(form, "quantityEdit")->setText(QStringLiteral("10"));
        EXPECT_EQ(label(form, "totalLabel"), s(u"121.25元"));
        auto* validUntil = in<QDateEdit>(form, "validUntilEdit");
        validUntil->setDate(QDate(2024, 3, 14));
        in<QPushButton>(form, "saveButton")->click();
        EXPECT_EQ(messages.texts.value(1), s(u"有效日期不能小于购买日期！"));
        in<QToolButton>(form, "clearValidUntilButton")->click();
        EXPECT_TRUE(validUntil->text().trimmed().isEmpty());
        in<QPushButton>(form, "saveButton")->click();
    });
    buyButton->click();
    ASSERT_TRUE(bought->result());
    ASSERT_EQ(messages.texts, (QStringList{s(u"请选择教练！"), s(u"有效日期不能小于购买日期！")}));
    gui::DataGrid* packages = tabs()->grid(QStringLiteral("coachingGrid"));
    ASSERT_EQ(packages->result().rowCount(), 1) << "the coaching tab was read again";
    EXPECT_EQ(packages->value(0, s(u"数量")).toInt(), 10);
    const ResultSet stored = dm().list(s(u"select [总金额],[有效日期] from [购买私教]"));
    EXPECT_EQ(stored.first(s(u"总金额")).toMoney(), Money::fromUnits(1212500));
    EXPECT_TRUE(stored.first(s(u"有效日期")).isNull()) << "no last day";

    const auto booked = test::answerNextModal<gui::TsjxfForm>([&](gui::TsjxfForm* form) {
        EXPECT_EQ(label(form, "packageCoachLabel"), s(u"金教练"));
        EXPECT_EQ(label(form, "packageItemLabel"), s(u"腿法"));
        EXPECT_EQ(label(form, "packageLeftLabel"), QStringLiteral("10"));
        EXPECT_EQ(label(form, "lessonsLeftLabel"), s(u"10次"));
        EXPECT_EQ(in<QLineEdit>(form, "quantityEdit")->text(), QStringLiteral("1"));
        in<QLineEdit>(form, "quantityEdit")->setText(QStringLiteral("2"));
        in<QPushButton>(form, "okButton")->click();
    });
    lessonButton->click();
    ASSERT_TRUE(booked->result());
    EXPECT_EQ(packages->value(0, s(u"数量")).toInt(), 8);
    gui::DataGrid* lessons = tabs()->grid(QStringLiteral("lessonGrid"));
    ASSERT_EQ(lessons->result().rowCount(), 1);
    EXPECT_EQ(lessons->value(0, s(u"消费数量")).toInt(), 2);
    EXPECT_EQ(lessons->value(0, s(u"教练")).toText(), s(u"金教练"));
    EXPECT_EQ(messages.texts.size(), 2);
}

TEST_F(CoachingWindows, AnEmptiedPurchaseCountReadsZeroAndTheNextDigitReplacesIt)
{
    swipe(QStringLiteral("1001"));
    const auto typed = test::answerNextModal<gui::TgmsjForm>([&](gui::TgmsjForm* form) {
        auto* quantity = in<QLineEdit>(form, "quantityEdit");
        in<QLineEdit>(form, "priceEdit")->setText(QStringLiteral("150"));
        quantity->setText(QStringLiteral("12"));
        EXPECT_EQ(label(form, "totalLabel"), s(u"1800.00元"));
        quantity->setFocus();
        quantity->end(false);
        QTest::keyClick(quantity, Qt::Key_Backspace);
        EXPECT_EQ(label(form, "totalLabel"), s(u"150.00元"));
        QTest::keyClick(quantity, Qt::Key_Backspace);
        EXPECT_EQ(quantity->text(), QStringLiteral("0")) << "an empty count is written back as 0";
        EXPECT_EQ(label(form, "totalLabel"), s(u"0.00元"));
        QTest::keyClicks(quantity, QStringLiteral("3"));
        EXPECT_EQ(quantity->text(), QStringLiteral("3"));
        EXPECT_EQ(label(form, "totalLabel"), s(u"450.00元"));
        in<QPushButton>(form, "exitButton")->click();
    });
    tabs()->button(QStringLiteral("buyCoachingButton"))->click();
    EXPECT_TRUE(typed->result());
    EXPECT_EQ(number(s(u"select count(*) as [n] from [购买私教]")), 0);
}

TEST_F(CoachingWindows, AnEmptyLastDayOpensItsCalendarOnThePurchaseMonth)
{
    swipe(QStringLiteral("1001"));
    const auto opened = test::answerNextModal<gui::TgmsjForm>([&](gui::TgmsjForm* form) {
        auto* validUntil = in<QDateEdit>(form, "validUntilEdit");
        QCalendarWidget* calendar = validUntil->calendarWidget();
        // The drop-down arrow sits at the right end of the field.
        QTest::mouseClick(validUntil, Qt::LeftButton, {}, QPoint(validUntil->width() - 4, validUntil->height() / 2));
        ASSERT_TRUE(calendar->isVisible()) << "the arrow opens the calendar";
        EXPECT_EQ(calendar->yearShown(), 2024);
        EXPECT_EQ(calendar->monthShown(), 3) << "the month of the purchase date, today";
        EXPECT_TRUE(validUntil->text().trimmed().isEmpty()) << "still no last day until one is picked";
        calendar->window()->hide();

        in<QDateEdit>(form, "purchaseDateEdit")->setDate(QDate(2023, 11, 20));
        QTest::mouseClick(validUntil, Qt::LeftButton, {}, QPoint(validUntil->width() - 4, validUntil->height() / 2));
        ASSERT_TRUE(calendar->isVisible());
        EXPECT_EQ(calendar->yearShown(), 2023);
        EXPECT_EQ(calendar->monthShown(), 11) << "follows the purchase date chosen";
        calendar->window()->hide();
        in<QPushButton>(form, "exitButton")->click();
    });
    tabs()->button(QStringLiteral("buyCoachingButton"))->click();
    EXPECT_TRUE(opened->result());
}

TEST_F(CoachingWindows, AStaleBookingWindowIsRefusedAndShowsWhatIsLeft)
{
    const qint64 id = buy(QStringLiteral("1001"), s(u"金教练"), s(u"品势"), "3");
    // A later package with an earlier date: the oldest package is still the one preselected.
    buy(QStringLiteral("1001"), s(u"李教练"), s(u"腿法"), "7", QDate(2024, 1, 2));
    swipe(QStringLiteral("1001"));
    const auto booked = test::answerNextModal<gui::TsjxfForm>([&](gui::TsjxfForm* form) {
        EXPECT_EQ(form->packageGrid()->result().rowCount(), 2);
        EXPECT_EQ(label(form, "packageCoachLabel"), s(u"金教练"));
        EXPECT_EQ(label(form, "packageLeftLabel"), QStringLiteral("3"));
        // Another desk books two of the three meanwhile.
        book(QStringLiteral("1001"), id, "2");
        in<QLineEdit>(form, "quantityEdit")->setText(QStringLiteral("2"));
        in<QPushButton>(form, "okButton")->click();
        EXPECT_TRUE(form->isVisible()) << "the window stays open";
        EXPECT_EQ(label(form, "packageLeftLabel"), QStringLiteral("1")) << "the list is read again";
        in<QPushButton>(form, "cancelButton")->click();
    });
    tabs()->button(QStringLiteral("addLessonButton"))->click();
    ASSERT_TRUE(booked->result());
    EXPECT_EQ(messages.texts, QStringList{s(u"消费数量不能大于余额数量！")});
    EXPECT_EQ(number(s(u"select count(*) as [n] from [私教消费]")), 1);
    EXPECT_EQ(number(s(u"select [剩余数量] as [n] from [购买私教] where [编号]=") + QString::number(id)), 1);
}

TEST_F(CoachingWindows, PermissionsGuardManagementAndPurchasesButNotLessons)
{
    buy(QStringLiteral("1001"), s(u"金教练"), s(u"品势"), "3");
    ASSERT_FALSE(security::addOperator(context().command(),
                                       {QStringLiteral("xw"), QStringLiteral("1111"), QStringLiteral("1111")})
                     .refused());
    context().setCurrentOperator(QStringLiteral("xw"));
    run("coachingManagement");
    swipe(QStringLiteral("1001"));
    run("buyCoaching");
    EXPECT_EQ(messages.texts,
              (QStringList{s(u"对不起，您无权进行私教管理！"), s(u"对不起，您无权进行购买私教操作！")}));
    EXPECT_FALSE(registry().hasWindow<gui::TsjglForm>());
    EXPECT_FALSE(registry().hasWindow<gui::TgmsjForm>());

    // Lessons need no right of their own.
    const auto lesson = test::answerNextModal<gui::TsjxfForm>([](gui::TsjxfForm* form) { form->reject(); });
    run("addLesson");
    EXPECT_TRUE(lesson->result());

    // With the management right alone the window opens, but its purchase is refused.
    dm().change(s(u"update [工作人员操作权限] set [操作权限]=-1 where [操作人员]='xw' and [系统功能名称]='私教管理'"));
    messages.texts.clear();
    withManagement([&](gui::TsjglForm* form) { in<QPushButton>(form, "buyButton")->click(); });
    EXPECT_EQ(messages.texts, QStringList{s(u"对不起，您无权进行购买私教操作！")});
    EXPECT_FALSE(registry().hasWindow<gui::TgmsjForm>()) << "the purchase window never opened";

    // No member shown: the desk's buttons ask for one.
    desk()->clear();
    messages.texts.clear();
    run("addLesson");
    EXPECT_EQ(messages.texts, QStringList{s(u"请首先选择会员！")});
}

TEST_F(CoachingWindows, TheManagementWindowSummarisesFiltersDeletesAndPrints)
{
    const qint64 first = buy(QStringLiteral("1001"), s(u"金教练"), s(u"品势"), "3", QDate(2024, 3, 1));
    buy(QStringLiteral("1001"), s(u"金教练"), s(u"品势"), "4", QDate(2024, 3, 10));
    const qint64 other = buy(QStringLiteral("1002"), s(u"李教练"), s(u"腿法"), "5", QDate(2024, 3, 15));
    buy(QStringLiteral("1002"), s(u"李教练"), s(u"腿法"), "2", QDate(2024, 2, 13));
    book(QStringLiteral("1001"), first, "1", QDate(2024, 3, 12));
    book(QStringLiteral("1002"), other, "2", QDate(2024, 3, 15));

    withManagement([&](gui::TsjglForm* form) {
        EXPECT_TRUE(in<QRadioButton>(form, "summaryRadio")->isChecked());
        EXPECT_EQ(form->purchaseDates()->from(), QDate(2024, 2, 14)) << "30 days back";
        EXPECT_EQ(form->purchaseDates()->to(), QDate(2024, 3, 15));
        EXPECT_EQ(column(form->summaryGrid(), s(u"会员卡号")),
                  (QStringList{QStringLiteral("1001"), QStringLiteral("1002")}));
        EXPECT_EQ(column(form->summaryGrid(), s(u"数量")), (QStringList{QStringLiteral("6"), QStringLiteral("5")}))
            << "two packages of one coach and item make one row";
        EXPECT_EQ(in<QGroupBox>(form, "packageBox")->title(), s(u"（张三）购买消费私教明细"));
        EXPECT_EQ(form->packageGrid()->result().rowCount(), 2);
        auto* coach = in<QComboBox>(form, "summaryCoachCombo");
        EXPECT_EQ(coach->itemText(0), s(u"所有教练"));
        EXPECT_EQ(in<QComboBox>(form, "summaryItemCombo")->itemText(0), s(u"所有项目"));

        choose(coach, s(u"李教练"));
        in<QPushButton>(form, "summaryQueryButton")->click();
        EXPECT_EQ(column(form->summaryGrid(), s(u"会员卡号")), QStringList{QStringLiteral("1002")});
        EXPECT_EQ(in<QGroupBox>(form, "packageBox")->title(), s(u"（李四）购买消费私教明细"));
        in<QPushButton>(form, "printPurchasesButton")->click();
        if (const auto pdf = printedPreview()) {
            EXPECT_NEAR(pdf->pageSizeMm().width(), 210, 1) << "A4";
            for (const char16_t* text : {u"购买私教汇总表", u"会员卡号", u"李四", u"李教练", u"腿法", u"合计：", u"5"})
                EXPECT_TRUE(pdf->shows(s(text))) << s(text).toStdString() << " in " << pdf->text().toStdString();
            EXPECT_FALSE(pdf->shows(s(u"张三"))) << "filtered out";
        }

        // Deleting starts from the purchase list.
        messages.texts.clear();
        in<QPushButton>(form, "deleteRecordButton")->click();
        EXPECT_EQ(messages.texts, QStringList{s(u"请在明细记录中选择要删除的记录！")});
        EXPECT_TRUE(in<QRadioButton>(form, "detailRadio")->isChecked());
        EXPECT_EQ(column(form->purchaseGrid(), s(u"购买日期")).size(), 3) << "the 13th of February is out of range";
        form->purchaseDates()->setRange(QDate(2024, 3, 1), QDate(2024, 3, 10));
        in<QLineEdit>(form, "purchaseCardEdit")->setText(QStringLiteral("100"));
        in<QPushButton>(form->purchaseDates(), "queryButton")->click();
        ASSERT_EQ(column(form->purchaseGrid(), s(u"会员卡号")),
                  (QStringList{QStringLiteral("1001"), QStringLiteral("1001")}))
            << "both ends of the range are listed";
        in<QPushButton>(form, "printPurchasesButton")->click();
        if (const auto pdf = printedPreview()) {
            for (const char16_t* text :
                 {u"会员购买私教明细记录", u"查询时间：2024-03-01 至 2024-03-10", u"打印时间：2024-03-15 09:00:00",
                  u"数量合计：", u"7", u"金额合计：", u"1050.00", u"购买"})
                EXPECT_TRUE(pdf->shows(s(text))) << s(text).toStdString() << " in " << pdf->text().toStdString();
        }
        // The older package, bought on the 1st, is the second row.
        form->purchaseGrid()->selectRow(1);
        messages.texts.clear();
        messages.answer({true});
        in<QPushButton>(form, "deleteRecordButton")->click();
        EXPECT_EQ(messages.texts, QStringList{s(u"是否要删除当前记录？")});
        EXPECT_EQ(column(form->purchaseGrid(), s(u"会员卡号")).size(), 1);
        in<QRadioButton>(form, "summaryRadio")->click();
        EXPECT_EQ(column(form->summaryGrid(), s(u"数量")), QStringList{QStringLiteral("5")})
            << "the summary was read again, still filtered";
    });
    EXPECT_EQ(number(s(u"select count(*) as [n] from [购买私教] where [编号]=") + QString::number(first)), 0);
    EXPECT_EQ(number(s(u"select count(*) as [n] from [私教消费]")), 2) << "lessons stay";
}

TEST_F(CoachingWindows, PurchasesAndLessonsFromTheManagementWindowPickTheirMember)
{
    withManagement([&](gui::TsjglForm* form) {
        const auto bought = test::answerNextModal<gui::TgmsjForm>(
            [&](gui::TgmsjForm* purchase) {
                EXPECT_TRUE(purchase->memberBox()->pickButton()->isVisible());
                EXPECT_TRUE(purchase->memberBox()->cardNumber().isEmpty());
                in<QPushButton>(purchase, "saveButton")->click();
                const auto picked = pickMember(QStringLiteral("1002"));
                purchase->memberBox()->pickButton()->click();
                EXPECT_TRUE(picked->result());
                EXPECT_EQ(label(purchase, "memberNameLabel"), s(u"李四"));
                EXPECT_EQ(label(purchase, "lessonsLeftLabel"), s(u"0次"));
                choose(in<QComboBox>(purchase, "coachCombo"), s(u"李教练"));
                choose(in<QComboBox>(purchase, "itemCombo"), s(u"品势"));
                in<QLineEdit>(purchase, "quantityEdit")->setText(QStringLiteral("5"));
                in<QCheckBox>(purchase, "giftCheck")->setChecked(true);
                in<QPushButton>(purchase, "saveButton")->click();
            },
            {}, kWholeFlow);
        in<QPushButton>(form, "buyButton")->click();
        EXPECT_TRUE(bought->result());
        EXPECT_EQ(column(form->summaryGrid(), s(u"会员卡号")), QStringList{QStringLiteral("1002")});
        EXPECT_EQ(column(form->purchaseGrid(), s(u"状态")), QStringList{s(u"赠送")});

        form->tabs()->setCurrentIndex(1);
        const auto booked = test::answerNextModal<gui::TsjxfForm>(
            [&](gui::TsjxfForm* booking) {
                EXPECT_EQ(booking->packageGrid()->result().rowCount(), 0);
                in<QPushButton>(booking, "okButton")->click();
                const auto picked = pickMember(QStringLiteral("1002"));
                booking->memberBox()->pickButton()->click();
                EXPECT_TRUE(picked->result());
                EXPECT_TRUE(label(booking, "lessonsLeftLabel").isEmpty());
                EXPECT_EQ(label(booking, "packageLeftLabel"), QStringLiteral("5"));
                in<QPushButton>(booking, "okButton")->click();
            },
            {}, kWholeFlow);
        in<QPushButton>(form, "addLessonButton")->click();
        EXPECT_TRUE(booked->result());
        ASSERT_EQ(column(form->lessonGrid(), s(u"会员卡号")), QStringList{QStringLiteral("1002")});
        EXPECT_EQ(column(form->summaryGrid(), s(u"数量")), QStringList{QStringLiteral("4")});

        choose(in<QComboBox>(form, "lessonCoachCombo"), s(u"金教练"));
        in<QPushButton>(form->lessonDates(), "queryButton")->click();
        EXPECT_TRUE(form->lessonGrid()->result().isEmpty()) << "filtered by the lesson's coach";
        choose(in<QComboBox>(form, "lessonCoachCombo"), s(u"李教练"));
        in<QPushButton>(form->lessonDates(), "queryButton")->click();
        EXPECT_EQ(form->lessonGrid()->result().rowCount(), 1);
        // Dates changed without "查询" are not what the list shows.
        form->lessonDates()->setRange(QDate(2024, 1, 1), QDate(2024, 1, 2));
        in<QPushButton>(form, "printLessonsButton")->click();
        if (const auto pdf = printedPreview()) {
            for (const char16_t* text : {u"会员消费私教记录", u"消费时间：2024-02-14 至 2024-03-15", u"消费合计：",
                                         u"李四", u"李教练", u"品势"})
                EXPECT_TRUE(pdf->shows(s(text))) << s(text).toStdString() << " in " << pdf->text().toStdString();
        }
    });
    EXPECT_EQ(messages.texts, (QStringList{s(u"请选择会员！"), s(u"请选择会员！")}));
}

TEST_F(CoachingWindows, ItemsAreManagedFromTheManagementWindow)
{
    withManagement([&](gui::TsjglForm* form) {
        const auto managed = test::answerNextModal<gui::TsjxmglForm>(
            [&](gui::TsjxmglForm* items) {
                EXPECT_EQ(items->grid()->result().rowCount(), 2);
                const auto added = test::answerNextModal<gui::TsjxmForm>([&](gui::TsjxmForm* entry) {
                    in<QPushButton>(entry, "okButton")->click();
                    in<QLineEdit>(entry, "itemCodeEdit")->setText(QStringLiteral("X1"));
                    in<QLineEdit>(entry, "itemNameEdit")->setText(s(u"实战"));
                    in<QLineEdit>(entry, "itemPriceEdit")->setText(QStringLiteral("0"));
                    in<QPushButton>(entry, "okButton")->click();
                    in<QLineEdit>(entry, "itemPriceEdit")->setText(QStringLiteral("88"));
                    in<QPushButton>(entry, "okButton")->click();
                    in<QLineEdit>(entry, "itemCodeEdit")->setText(QStringLiteral("X3"));
                    in<QPushButton>(entry, "okButton")->click();
                });
                in<QPushButton>(items, "addButton")->click();
                EXPECT_TRUE(added->result());
                EXPECT_EQ(messages.texts,
                          (QStringList{s(u"项目编号不能为空！"), s(u"项目单价不能为零！"), s(u"重复的项目编号！")}));
                EXPECT_EQ(items->grid()->result().rowCount(), 3);

                items->grid()->selectRow(0);
                const auto changed = test::answerNextModal<gui::TsjxmForm>([&](gui::TsjxmForm* entry) {
                    EXPECT_TRUE(in<QLineEdit>(entry, "itemCodeEdit")->isReadOnly());
                    in<QLineEdit>(entry, "itemNameEdit")->setText(s(u"品势进阶"));
                    in<QPushButton>(entry, "okButton")->click();
                });
                in<QPushButton>(items, "editButton")->click();
                EXPECT_TRUE(changed->result());

                items->grid()->selectRow(1);
                messages.answer({true});
                in<QPushButton>(items, "deleteButton")->click();
                EXPECT_EQ(column(items->grid(), s(u"项目名称")), (QStringList{s(u"品势进阶"), s(u"实战")}));
                in<QPushButton>(items, "exitButton")->click();
            },
            {}, kWholeFlow);
        in<QPushButton>(form, "itemsButton")->click();
        EXPECT_TRUE(managed->result());
        auto* filter = in<QComboBox>(form, "purchaseItemCombo");
        EXPECT_EQ(filter->count(), 3);
        EXPECT_GE(filter->findText(s(u"品势进阶")), 0) << "the filters offer the new names";
        EXPECT_LT(filter->findText(s(u"腿法")), 0);
    });
}

TEST_F(CoachingWindows, ClearingTheCoachOfAMemberGoneMeanwhileIsRefused)
{
    dm().change(s(u"update [会员信息] set [健身教练]='金教练' where [会员卡号]='1001'"));
    swipe(QStringLiteral("1001"));
    ASSERT_EQ(shown(u"教练姓名："), s(u"金教练"));
    dm().change(QStringLiteral("delete from [会员信息] where [会员卡号]='1001'"));
    desk()->clearCoach();
    EXPECT_EQ(messages.texts, QStringList{s(u"会员卡号不存在！")});
    EXPECT_EQ(shown(u"教练姓名："), s(u"金教练")) << "nothing was cleared";
}

} // namespace
