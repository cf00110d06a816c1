#include "LockerHall.h"
#include "LoggedInProgram.h"
#include "ModalAnswer.h"
#include "PdfText.h"
#include "Previews.h"
#include "Widgets.h"
#include "frontdesk/FrontDesk.h"
#include "frontdesk/MemberPanel.h"
#include "kit/DataGrid.h"
#include "kit/ResultTableModel.h"
#include "kit/report/TmypreviewForm.h"
#include "lockers/Rentals.h"
#include "lockers/TczygForm.h"
#include "lockers/ThytgForm.h"
#include "lockers/TxzygForm.h"
#include "lockers/TygglForm.h"
#include "lockers/TygszForm.h"
#include "lockers/TygxfForm.h"
#include "lockers/TzjygForm.h"
#include "members/TxzjsrForm.h"
#include "security/Operators.h"
#include "settings/UserInfo.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tkd;
using namespace std::chrono_literals;
using test::in;
using test::s;

namespace {

const test::ModalBounds kWholeFlow{60s, 5s};

class LockerWindows : public test::LoggedInProgram {
protected:
    void SetUp() override
    {
        LoggedInProgram::SetUp();
        if (HasFatalFailure())
            return;
        test::addMember(dm(), QStringLiteral("1001"), s(u"张小龙"), s(u"月卡"));
    }
    void TearDown() override { test::closePreviews(); }

    static void clickRow(gui::DataGrid* grid, int row)
    {
        const QRect cell = grid->visualRect(grid->model()->index(row, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
    static int rowOf(gui::DataGrid* grid, const QString& number)
    {
        const ResultSet& rows = grid->result();
        for (int i = 0; i < rows.rowCount(); ++i)
            if (rows.value(i, s(u"衣柜编号")).toText() == number)
                return i;
        return -1;
    }
    static gui::TmypreviewForm* lastPreview()
    {
        gui::TmypreviewForm* preview = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<gui::TmypreviewForm*>(w))
                preview = p;
        return preview;
    }
    // The shown preview's text, read back from the PDF it renders.
    QString previewText(const char* name)
    {
        gui::TmypreviewForm* preview = lastPreview();
        EXPECT_NE(preview, nullptr) << "a preview is open";
        if (!preview)
            return {};
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(preview->renderer().renderToPdf(path));
        const test::PdfText pdf(path);
        m_lastWidthMm = pdf.pageSizeMm().width();
        test::closePreviews();
        return pdf.text();
    }
    // Picks "会员退柜" or "衣柜续费" from the desk's locker menu, once it is open.
    void pickFromLockerMenu(const QString& entry)
    {
        QTimer::singleShot(0, main(), [entry] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr) << "the locker menu is open";
            EXPECT_EQ(menu->objectName(), QStringLiteral("lockerMenu"));
            for (QAction* a : menu->actions())
                if (a->text() == entry)
                    menu->setActiveAction(a);
            QTest::keyClick(menu, Qt::Key_Return);
        });
    }
    QTemporaryDir m_dir;
    // The paper width of the last preview read back.
    qreal m_lastWidthMm = 0;
};

TEST_F(LockerWindows, RegisterThreeMarkOneDamagedAndDeleteOne)
{
    const auto answer = test::answerNextModal<gui::TygszForm>(
        [&](gui::TygszForm* form) {
            const auto batch = test::answerNextModal<gui::TzjygForm>([](gui::TzjygForm* dialog) {
                EXPECT_EQ(in<QLineEdit>(dialog, "firstEdit")->text(), QStringLiteral("0"));
                EXPECT_FALSE(in<QComboBox>(dialog, "stateCombo")->isVisible()) << "no state for a batch";
                in<QLineEdit>(dialog, "prefixEdit")->setText(QStringLiteral("A"));
                in<QLineEdit>(dialog, "firstEdit")->setText(QStringLiteral("3"));
                in<QLineEdit>(dialog, "secondEdit")->setText(QStringLiteral("1"));
                in<QLineEdit>(dialog, "depositEdit")->setText(QStringLiteral("50"));
                in<QPushButton>(dialog, "okButton")->click();
                EXPECT_TRUE(dialog->isVisible()) << "the refused batch keeps the dialog open";
                in<QLineEdit>(dialog, "firstEdit")->setText(QStringLiteral("1"));
                in<QLineEdit>(dialog, "secondEdit")->setText(QStringLiteral("3"));
                in<QPushButton>(dialog, "okButton")->click();
            });
            in<QPushButton>(form, "addButton")->click();
            EXPECT_TRUE(batch->result());
            EXPECT_EQ(messages.texts, QStringList{s(u"结束编号不能小于起始编号！")});
            ASSERT_EQ(form->grid()->result().rowCount(), 3);

            form->grid()->selectRow(rowOf(form->grid(), QStringLiteral("A2")));
            const auto edit = test::answerNextModal<gui::TzjygForm>([](gui::TzjygForm* dialog) {
                auto* state = in<QComboBox>(dialog, "stateCombo");
                QStringList offered;
                for (int i = 0; i < state->count(); ++i)
                    offered << state->itemText(i);
                EXPECT_EQ(offered, (QStringList{s(u"可用"), s(u"损坏"), s(u"占用")}));
                EXPECT_EQ(in<QLineEdit>(dialog, "firstEdit")->text(), QStringLiteral("A2"));
                EXPECT_EQ(in<QLineEdit>(dialog, "secondEdit")->text(), s(u"A2衣柜"));
                state->setCurrentText(s(u"损坏"));
                in<QPushButton>(dialog, "okButton")->click();
            });
            in<QPushButton>(form, "editButton")->click();
            EXPECT_TRUE(edit->result());

            form->grid()->selectRow(rowOf(form->grid(), QStringLiteral("A3")));
            in<QPushButton>(form, "deleteButton")->click();
            in<QPushButton>(form, "exitButton")->click();
        },
        {}, kWholeFlow);
    run("lockerSetup");
    ASSERT_TRUE(answer->result());
    EXPECT_EQ(messages.texts, (QStringList{s(u"结束编号不能小于起始编号！"), s(u"是否要删除当前记录？")}));
    const ResultSet rows = dm().list(s(u"select [衣柜编号],[状态],[押金] from [衣柜设置] order by [衣柜编号]"));
    EXPECT_EQ(rows.texts(s(u"衣柜编号")), (QStringList{QStringLiteral("A1"), QStringLiteral("A2")}));
    EXPECT_EQ(rows.texts(s(u"状态")), (QStringList{s(u"可用"), s(u"损坏")}));
    EXPECT_EQ(rows.value(1, s(u"押金")).toMoney(), Money::fromYuan(50));
}

TEST_F(LockerWindows, RentRenewAndReturnInTheManagementWindow)
{
    test::addLocker(dm(), QStringLiteral("A1"), 50);
    test::addLocker(dm(), QStringLiteral("A2"), 30, s(u"损坏"));
    UserInfo hall = UserInfo::load(dm());
    hall.phone = QStringLiteral("0571-88886666");
    hall.address = s(u"文一路8号");
    ASSERT_TRUE(saveUserInfo(context().command(), hall).ok());
    swipe(QStringLiteral("1001"));

    const auto answer = test::answerNextModal<gui::TygglForm>(
        [&](gui::TygglForm* form) {
            gui::DataGrid* grid = form->stateGrid();
            ASSERT_EQ(grid->result().rowCount(), 2);
            auto* renew = in<QPushButton>(form, "renewButton");
            clickRow(grid, rowOf(grid, QStringLiteral("A1")));
            EXPECT_FALSE(renew->isEnabled()) << "a free locker cannot be renewed";
            clickRow(grid, rowOf(grid, QStringLiteral("A2")));
            EXPECT_FALSE(renew->isEnabled()) << "a damaged locker leaves the buttons as they were";
            in<QPushButton>(form, "rentButton")->click();
            EXPECT_EQ(messages.texts, QStringList{s(u"该衣柜处于不可用状态，不能出租！")});

            clickRow(grid, rowOf(grid, QStringLiteral("A1")));
            const auto rental = test::answerNextModal<gui::TczygForm>(
                [&](gui::TczygForm* dialog) {
                    EXPECT_EQ(in<QDateEdit>(dialog, "endDateEdit")->date(), QDate(2024, 4, 14));
                    in<QPushButton>(dialog, "okButton")->click();
                    EXPECT_EQ(messages.texts.back(), s(u"请首先选择会员！"));
                    const auto pick = test::answerNextModal<gui::TxzjsrForm>([](gui::TxzjsrForm* picker) {
                        EXPECT_EQ(picker->mode(), gui::TxzjsrForm::Mode::LockerRental);
                        in<QPushButton>(picker, "pickButton")->click();
                    });
                    in<QToolButton>(dialog, "findMemberButton")->click();
                    EXPECT_TRUE(pick->result());
                    EXPECT_EQ(in<QLabel>(dialog, "memberNameValue")->text(), s(u"张小龙"));
                    EXPECT_TRUE(in<QLineEdit>(dialog, "cardNumberEdit")->isReadOnly());
                    in<QLineEdit>(dialog, "rentEdit")->setText(QStringLiteral("100"));
                    EXPECT_EQ(in<QLabel>(dialog, "totalValue")->text(), s(u"150.00元"));
                    in<QCheckBox>(dialog, "printTicketCheck")->setChecked(true);
                    in<QPushButton>(dialog, "okButton")->click();
                },
                {}, kWholeFlow);
            in<QPushButton>(form, "rentButton")->click();
            EXPECT_TRUE(rental->result());
            const QString ticket = previewText("rental.pdf");
            for (const char16_t* line :
                 {u"出租衣柜", u"衣柜编号:A1", u"租用会员:张小龙(1001)", u"衣柜押金:50.00元", u"收费租金:100.00元",
                  u"起始日期:2024-03-15", u"结束日期:2024-04-14", u"电话:0571-88886666", u"地址:文一路8号"})
                EXPECT_TRUE(ticket.contains(s(line))) << s(line).toStdString() << " in " << ticket.toStdString();
            EXPECT_EQ(shown(u"衣柜编号："), QStringLiteral("A1")) << "the desk follows the rental";
            EXPECT_EQ(shown(u"衣柜效期："), QStringLiteral("2024-04-14"));
            EXPECT_EQ(form->recordGrid()->result().rowCount(), 1);
            const int a1 = rowOf(grid, QStringLiteral("A1"));
            EXPECT_EQ(grid->resultModel()->data(grid->model()->index(a1, 1), Qt::ForegroundRole).value<QColor>(),
                      QColor(Qt::red));
            EXPECT_EQ(grid->resultModel()
                          ->data(grid->model()->index(rowOf(grid, QStringLiteral("A2")), 1), Qt::ForegroundRole)
                          .value<QColor>(),
                      QColor(Qt::blue));

            clickRow(grid, a1);
            EXPECT_TRUE(renew->isEnabled());
            EXPECT_FALSE(in<QPushButton>(form, "rentButton")->isEnabled());
            const auto renewal = test::answerNextModal<gui::TygxfForm>([](gui::TygxfForm* dialog) {
                EXPECT_EQ(in<QLabel>(dialog, "expiryValue")->text(), QStringLiteral("2024-04-14"));
                EXPECT_EQ(in<QDateEdit>(dialog, "newEndEdit")->date(), QDate(2024, 7, 13));
                in<QLineEdit>(dialog, "amountEdit")->setText(QStringLiteral("60"));
                in<QCheckBox>(dialog, "printTicketCheck")->setChecked(true);
                in<QPushButton>(dialog, "saveButton")->click();
            });
            renew->click();
            EXPECT_TRUE(renewal->result());
            const QString renewalTicket = previewText("renewal.pdf");
            for (const char16_t* line :
                 {u"衣柜续费", u"续费金额:60.00元", u"起始日期:2024-04-14", u"结束日期:2024-07-13"})
                EXPECT_TRUE(renewalTicket.contains(s(line)))
                    << s(line).toStdString() << " in " << renewalTicket.toStdString();
            EXPECT_EQ(shown(u"衣柜效期："), QStringLiteral("2024-07-13"));

            clickRow(grid, rowOf(grid, QStringLiteral("A1")));
            const auto giveBack = test::answerNextModal<gui::ThytgForm>([](gui::ThytgForm* dialog) {
                EXPECT_EQ(in<QLabel>(dialog, "depositValue")->text(), s(u"50.00元"));
                in<QPushButton>(dialog, "returnButton")->click();
            });
            in<QPushButton>(form, "returnButton")->click();
            EXPECT_TRUE(giveBack->result());
            EXPECT_EQ(shown(u"衣柜编号："), QString()) << "the desk follows the return";
            EXPECT_EQ(shown(u"衣柜效期："), QString());
            ASSERT_EQ(form->recordGrid()->result().rowCount(), 2);

            // The records page, filtered and printed.
            in<QTabWidget>(form, "pages")->setCurrentIndex(1);
            in<QComboBox>(form, "recordKindCombo")->setCurrentText(s(u"退柜"));
            in<QPushButton>(form, "recordSearchButton")->click();
            EXPECT_EQ(form->recordGrid()->result().rowCount(), 1);
            in<QComboBox>(form, "recordKindCombo")->setCurrentText(s(u"所有"));
            in<QPushButton>(form, "recordSearchButton")->click();
            in<QPushButton>(form, "printButton")->click();
            const QString report = previewText("records.pdf");
            for (const char16_t* text : {u"衣柜出租记录", u"登记日期：2024-03-15 至 2024-03-15", u"租金合计：160.00",
                                         u"押金合计：0.00", u"退柜", u"租用"})
                EXPECT_TRUE(report.contains(s(text))) << s(text).toStdString() << " in " << report.toStdString();

            in<QTabWidget>(form, "pages")->setCurrentIndex(0);
            in<QComboBox>(form, "stateCombo")->setCurrentText(s(u"损坏"));
            in<QPushButton>(form, "stateSearchButton")->click();
            EXPECT_EQ(grid->result().rowCount(), 1);
            in<QPushButton>(form, "printButton")->click();
            const QString states = previewText("states.pdf");
            for (const char16_t* text : {u"衣柜状态统计", u"衣柜状态：损坏", u"打印时间：2024-03-15 09:00:00", u"A2"})
                EXPECT_TRUE(states.contains(s(text))) << s(text).toStdString() << " in " << states.toStdString();
            EXPECT_FALSE(states.contains(QStringLiteral("A1")));
            EXPECT_NEAR(m_lastWidthMm, 210, 1) << "the reports are A4";
            in<QPushButton>(form, "exitButton")->click();
        },
        {}, kWholeFlow);
    run("lockerQuery");
    ASSERT_TRUE(answer->result());
    const ResultSet records = test::rentalRows(dm());
    ASSERT_EQ(records.rowCount(), 2);
    EXPECT_EQ(records.value(0, s(u"租金")).toMoney(), Money::fromYuan(160));
    EXPECT_EQ(records.value(1, s(u"押金")).toMoney(), Money::fromYuan(-50));
    EXPECT_EQ(test::lockerRow(dm(), QStringLiteral("A1")).first(s(u"状态")).toText(), s(u"可用"));
}

TEST_F(LockerWindows, TheDeskRentsForTheDayAndForAMonth)
{
    test::addLocker(dm(), QStringLiteral("A1"), 50);
    test::addLocker(dm(), QStringLiteral("A2"), 30);
    // A stale number on the member's row: no locker of theirs, so the chooser opens.
    dm().change(s(u"update [会员信息] set [衣柜编号]='A2' where [会员卡号]='1001'"));
    swipe(QStringLiteral("1001"));
    EXPECT_EQ(shown(u"衣柜编号："), QStringLiteral("A2"));

    auto chooser = test::answerNextModal<gui::TxzygForm>([](gui::TxzygForm* form) {
        auto* pages = in<QTabWidget>(form, "rentalPages");
        EXPECT_EQ(pages->tabText(pages->currentIndex()), s(u"临时租用衣柜登记"));
        EXPECT_EQ(in<QLabel>(form, "tempLockerNumberValue")->text(), QStringLiteral("A1"));
        in<QCheckBox>(form, "printTicketCheck")->setChecked(true);
        in<QPushButton>(form, "saveButton")->click();
    });
    panel()->button(QStringLiteral("lockerButton"))->click();
    ASSERT_TRUE(chooser->result());
    EXPECT_EQ(shown(u"衣柜编号："), QStringLiteral("A1"));
    EXPECT_EQ(shown(u"衣柜效期："), QStringLiteral("2024-03-15"));
    const QString ticket = previewText("temporary.pdf");
    for (const char16_t* line : {u"出租类型:临时租用", u"起始日期:2024-03-15", u"结束日期:2024-03-15"})
        EXPECT_TRUE(ticket.contains(s(line))) << s(line).toStdString() << " in " << ticket.toStdString();
    EXPECT_FALSE(ticket.contains(s(u"收费租金")));
    EXPECT_NEAR(m_lastWidthMm, 58, 1) << "tickets are on the 58 mm roll";

    // The day's locker goes back at once.
    auto giveBack = test::answerNextModal<gui::ThytgForm>(
        [](gui::ThytgForm* dialog) { in<QPushButton>(dialog, "returnButton")->click(); });
    panel()->button(QStringLiteral("lockerButton"))->click();
    ASSERT_TRUE(giveBack->result());
    EXPECT_EQ(shown(u"衣柜编号："), QString());
    EXPECT_EQ(test::rentalRows(dm()).value(1, s(u"押金")).toMoney(), Money::fromYuan(-50));

    chooser = test::answerNextModal<gui::TxzygForm>([](gui::TxzygForm* form) {
        auto* pages = in<QTabWidget>(form, "rentalPages");
        pages->setCurrentIndex(1);
        in<QLineEdit>(form, "lockerFilterEdit")->setText(QStringLiteral("2"));
        in<QLineEdit>(form, "rentEdit")->setText(QStringLiteral("90"));
        EXPECT_EQ(in<QLabel>(form, "totalValue")->text(), s(u"120.00元"));
        in<QPushButton>(form, "saveButton")->click();
    });
    panel()->button(QStringLiteral("lockerButton"))->click();
    ASSERT_TRUE(chooser->result());
    EXPECT_EQ(shown(u"衣柜编号："), QStringLiteral("A2"));
    EXPECT_EQ(shown(u"衣柜效期："), QStringLiteral("2024-04-14"));
    EXPECT_NE(lastPreview(), nullptr) << "the ticket box kept its tick";
    test::closePreviews();

    auto renewal = test::answerNextModal<gui::TygxfForm>([](gui::TygxfForm* dialog) {
        in<QLineEdit>(dialog, "amountEdit")->setText(QStringLiteral("60"));
        in<QCheckBox>(dialog, "printTicketCheck")->setChecked(false);
        in<QPushButton>(dialog, "saveButton")->click();
    });
    pickFromLockerMenu(s(u"衣柜续费"));
    panel()->button(QStringLiteral("lockerButton"))->click();
    ASSERT_TRUE(renewal->result());
    EXPECT_EQ(shown(u"衣柜效期："), QStringLiteral("2024-07-13"));
    EXPECT_EQ(test::lockerRow(dm(), QStringLiteral("A2")).first(s(u"到期日期")).toDate(), QDate(2024, 7, 13));

    giveBack = test::answerNextModal<gui::ThytgForm>(
        [](gui::ThytgForm* dialog) { in<QPushButton>(dialog, "returnButton")->click(); });
    pickFromLockerMenu(s(u"会员退柜"));
    panel()->button(QStringLiteral("lockerButton"))->click();
    ASSERT_TRUE(giveBack->result());
    EXPECT_EQ(shown(u"衣柜编号："), QString());
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join(u',').toStdString();
}

TEST_F(LockerWindows, TheDesksRenewalAndReturnNameTheLockerByNumberAndTheRenterAsShown)
{
    test::addLocker(dm(), QStringLiteral("A1"), 50);
    dm().change(s(u"update [衣柜设置] set [衣柜名称]='东区一号' where [衣柜编号]='A1'"));
    lockers::RentalInput rental;
    rental.cardNumber = QStringLiteral("1001");
    rental.lockerNumber = QStringLiteral("A1");
    rental.start = QDate(2024, 3, 15);
    rental.end = QDate(2024, 4, 14);
    rental.rent = QStringLiteral("100");
    ASSERT_TRUE(lockers::rentLocker(context().command(), rental).ok());
    // Renamed after renting: the locker row still carries the old name.
    dm().change(s(u"update [会员信息] set [会员姓名]='张大龙' where [会员卡号]='1001'"));
    swipe(QStringLiteral("1001"));

    const auto renewal = test::answerNextModal<gui::TygxfForm>([](gui::TygxfForm* dialog) {
        EXPECT_EQ(in<QLabel>(dialog, "lockerNameValue")->text(), s(u"A1衣柜"));
        EXPECT_EQ(in<QLabel>(dialog, "memberValue")->text(), s(u"张大龙"));
        in<QLineEdit>(dialog, "amountEdit")->setText(QStringLiteral("60"));
        in<QCheckBox>(dialog, "printTicketCheck")->setChecked(true);
        in<QPushButton>(dialog, "saveButton")->click();
    });
    pickFromLockerMenu(s(u"衣柜续费"));
    panel()->button(QStringLiteral("lockerButton"))->click();
    ASSERT_TRUE(renewal->result());
    const QString ticket = previewText("desk-renewal.pdf");
    for (const char16_t* line : {u"衣柜名称:A1衣柜", u"租用会员:张大龙(1001)", u"续费金额:60.00元"})
        EXPECT_TRUE(ticket.contains(s(line))) << s(line).toStdString() << " in " << ticket.toStdString();

    const auto giveBack = test::answerNextModal<gui::ThytgForm>([](gui::ThytgForm* dialog) {
        EXPECT_EQ(in<QLabel>(dialog, "lockerNameValue")->text(), s(u"A1衣柜"));
        EXPECT_EQ(in<QLabel>(dialog, "memberValue")->text(), s(u"张大龙"));
        in<QPushButton>(dialog, "cancelButton")->click();
    });
    pickFromLockerMenu(s(u"会员退柜"));
    panel()->button(QStringLiteral("lockerButton"))->click();
    EXPECT_TRUE(giveBack->result());
    EXPECT_EQ(test::lockerRow(dm(), QStringLiteral("A1")).first(s(u"状态")).toText(), s(u"已租"));
}

TEST_F(LockerWindows, TheDeskRefusesADamagedLockerAndAnEmptyList)
{
    test::addLocker(dm(), QStringLiteral("B1"), 10, s(u"损坏"));
    run("chooseLocker");
    EXPECT_EQ(messages.texts, QStringList{s(u"请首先选择会员！")});
    swipe(QStringLiteral("1001"));
    const auto chooser = test::answerNextModal<gui::TxzygForm>([](gui::TxzygForm* form) {
        in<QPushButton>(form, "saveButton")->click();
        in<QCheckBox>(form, "showAllCheck")->setChecked(true);
        in<QPushButton>(form, "saveButton")->click();
        in<QPushButton>(form, "exitButton")->click();
    });
    panel()->button(QStringLiteral("lockerButton"))->click();
    ASSERT_TRUE(chooser->result());
    EXPECT_EQ(messages.texts, (QStringList{s(u"请首先选择会员！"), s(u"请选择衣柜！"),
                                           s(u"该衣柜处于非可用状态，请选择其它的衣柜！")}));
    EXPECT_TRUE(test::rentalRows(dm()).isEmpty());
}

TEST_F(LockerWindows, OnlyOperatorsWithTheRightsOpenTheLockerWindows)
{
    ASSERT_FALSE(security::addOperator(context().command(),
                                       {QStringLiteral("xw"), QStringLiteral("1111"), QStringLiteral("1111")})
                     .refused());
    context().setCurrentOperator(QStringLiteral("xw"));
    run("lockerSetup");
    run("lockerQuery");
    EXPECT_EQ(messages.texts,
              (QStringList{s(u"对不起，您无权进行衣柜设置！"), s(u"对不起，您无权进行衣柜查询管理！")}));
    EXPECT_FALSE(registry().hasWindow<gui::TygszForm>());
    EXPECT_FALSE(registry().hasWindow<gui::TygglForm>());
}

} // namespace
