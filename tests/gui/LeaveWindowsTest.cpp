#include "LoggedInProgram.h"
#include "ModalAnswer.h"
#include "Widgets.h"
#include "demo/DemoHall.h"
#include "frontdesk/ThydjForm.h"
#include "kit/DataGrid.h"
#include "kit/DateRangeBar.h"
#include "members/Leave.h"
#include "members/LeaveMemberBox.h"
#include "members/ThyqjForm.h"
#include "members/ThyqjlrForm.h"
#include "members/ThyxjForm.h"
#include "members/TxzjsrForm.h"
#include "security/Operators.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

QString dayText(const QDate& day)
{
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

// The sample hall, made on the program's own file for today.
class LeaveWindows : public test::LoggedInProgram {
protected:
    void SetUp() override
    {
        LoggedInProgram::SetUp();
        if (HasFatalFailure())
            return;
        demo::HallSize size;
        size.members = 24;
        size.visitsPerMember = 8;
        size.busiestVisits = 30;
        demo::generate(dm(), size, today());
        m_card = freeMember();
        ASSERT_FALSE(m_card.isEmpty()) << "the hall has a member with time left and no leave to come";
    }
    static QDate today() { return startMoment().date(); }

    // A member with months left, not on leave today or later.
    QString freeMember()
    {
        const ResultSet found = dm().list(
            s(u"select [会员卡号] from [会员信息] where [会员状态]='可用' and [开卡日期] is not null and "
              u"[到期日期]>:dqrq and [会员卡号] not in (select [会员卡号] from [会员请假] where [结束日期]>=:jsrq) "
              u"order by [会员卡号]"),
            {{QStringLiteral("dqrq"), today().addDays(60)}, {QStringLiteral("jsrq"), today()}});
        return found.first(s(u"会员卡号")).toText();
    }
    QDate storedExpiry()
    {
        return dm()
            .list(s(u"select [到期日期] from [会员信息] where [会员卡号]=:hykh"), {{QStringLiteral("hykh"), m_card}})
            .first(s(u"到期日期"))
            .toDate();
    }
    qint64 record(const QDate& start, const QDate& end)
    {
        const Outcome<qint64> id = members::recordLeave(context().command(), {m_card, start, end, {}});
        EXPECT_TRUE(id.ok());
        return id.ok() ? *id : 0;
    }
    // The row of the grid whose leave starts on that day; -1 when none does.
    static int rowStarting(gui::DataGrid* grid, const QDate& start, const QString& card = {})
    {
        for (int i = 0; i < grid->result().rowCount(); ++i) {
            const bool cardMatches =
                card.isEmpty() || grid->value(i, s(u"会员卡号")).toText().compare(card, Qt::CaseInsensitive) == 0;
            if (cardMatches && grid->value(i, s(u"开始日期")).toDate() == start)
                return i;
        }
        return -1;
    }
    static void doubleClick(gui::DataGrid* grid, int row)
    {
        grid->selectRow(row);
        const QRect cell = grid->visualRect(grid->model()->index(row, grid->horizontalHeader()->logicalIndexAt(5)));
        // A real double click: the press that picks the row, then the second click.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
    static QString label(QWidget* window, const char* name) { return in<QLabel>(window, name)->text(); }
    void showLeaveTab()
    {
        for (int i = 0; i < tabs()->count(); ++i)
            if (tabs()->tabText(i) == s(u"会员请假管理"))
                tabs()->setCurrentIndex(i);
    }

    QString m_card;
};

TEST_F(LeaveWindows, ALeaveFromTodayAtTheDeskMovesTheExpiryAndADoubleClickEndsIt)
{
    swipe(m_card);
    const QDate expiry = QDate::fromString(shown(u"到期日期："), QStringLiteral("yyyy-MM-dd"));
    ASSERT_TRUE(expiry.isValid());
    const QString name = shown(u"会员名称：");

    const auto entry = test::answerNextModal<gui::ThyqjlrForm>([&](gui::ThyqjlrForm* form) {
        EXPECT_EQ(form->memberBox()->cardNumber(), m_card);
        EXPECT_TRUE(form->memberBox()->pickButton()->isHidden()) << "the desk's member is fixed";
        EXPECT_EQ(label(form, "memberNameLabel"), name);
        EXPECT_EQ(label(form, "expiryLabel"), dayText(expiry));
        EXPECT_EQ(in<QDateEdit>(form, "startDateEdit")->date(), today());
        EXPECT_EQ(in<QDateEdit>(form, "endDateEdit")->date(), today().addDays(30));
        EXPECT_EQ(label(form, "daysLabel"), s(u"30天"));
        in<QDateEdit>(form, "endDateEdit")->setDate(today().addDays(10));
        EXPECT_EQ(label(form, "daysLabel"), s(u"10天"));
        in<QLineEdit>(form, "remarkEdit")->setText(s(u"回老家"));
        in<QPushButton>(form, "saveButton")->click();
    });
    tabs()->button(QStringLiteral("addLeaveButton"))->click();
    ASSERT_TRUE(entry->result());
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join(u'\n').toStdString();
    EXPECT_EQ(shown(u"到期日期："), dayText(expiry.addDays(10)));
    EXPECT_TRUE(shown(u"提示信息：").contains(s(u"该会员今天请假，请假日期为2024-03-15 至 2024-03-25。")))
        << shown(u"提示信息：").toStdString();
    gui::DataGrid* leaves = tabs()->grid(QStringLiteral("leaveGrid"));
    const int row = rowStarting(leaves, today());
    ASSERT_GE(row, 0) << "the tab shows the new leave";
    EXPECT_EQ(leaves->value(row, s(u"备注")).toText(), s(u"回老家"));

    const auto confirm =
        test::answerNextModal<gui::ThydjForm>([](gui::ThydjForm* form) { in<QPushButton>(form, "okButton")->click(); });
    run("checkIn");
    ASSERT_TRUE(confirm->result());
    EXPECT_EQ(messages.texts, QStringList{s(u"该会员今天请假，不能登记！")});

    showLeaveTab();
    const auto ending = test::answerNextModal<gui::ThyxjForm>([&](gui::ThyxjForm* form) {
        EXPECT_EQ(form->memberBox()->cardNumber(), m_card);
        EXPECT_EQ(label(form, "startLabel"), QStringLiteral("2024-03-15"));
        EXPECT_EQ(label(form, "endLabel"), QStringLiteral("2024-03-25"));
        EXPECT_EQ(form->untilEdit()->date(), today());
        in<QPushButton>(form, "saveButton")->click();
    });
    doubleClick(leaves, rowStarting(leaves, today()));
    ASSERT_TRUE(ending->result());
    EXPECT_EQ(shown(u"到期日期："), dayText(expiry)) << "every day given back";
    EXPECT_EQ(storedExpiry(), expiry);
    EXPECT_TRUE(shown(u"提示信息：").contains(s(u"该会员今天请假，请假日期为2024-03-15 至 2024-03-15。")))
        << "today stays part of the leave";
    EXPECT_EQ(leaves->value(rowStarting(leaves, today()), s(u"结束日期")).toDate(), today());
}

TEST_F(LeaveWindows, AFutureLeaveIsDeletedAtTheDeskOnlyAfterTheQuestion)
{
    const QDate expiry = storedExpiry();
    record(today().addDays(5), today().addDays(8));
    swipe(m_card);
    ASSERT_EQ(shown(u"到期日期："), dayText(expiry.addDays(3)));
    gui::DataGrid* leaves = tabs()->grid(QStringLiteral("leaveGrid"));
    leaves->selectRow(rowStarting(leaves, today().addDays(5)));

    messages.answer({false});
    tabs()->button(QStringLiteral("deleteLeaveButton"))->click();
    EXPECT_EQ(messages.texts, QStringList{s(u"是否要删除当前记录？")});
    EXPECT_GE(rowStarting(leaves, today().addDays(5)), 0) << "cancelled: the leave stays";
    EXPECT_EQ(storedExpiry(), expiry.addDays(3));

    leaves->selectRow(rowStarting(leaves, today().addDays(5)));
    tabs()->button(QStringLiteral("deleteLeaveButton"))->click();
    EXPECT_EQ(messages.texts.size(), 2);
    EXPECT_EQ(rowStarting(leaves, today().addDays(5)), -1);
    EXPECT_EQ(shown(u"到期日期："), dayText(expiry));
    EXPECT_EQ(storedExpiry(), expiry);
}

TEST_F(LeaveWindows, TheListAddsThroughThePickerEndsAndDeletesAndTheDeskFollows)
{
    const QDate expiry = storedExpiry();
    swipe(m_card);
    const auto list = test::answerNextModal<gui::ThyqjForm>(
        [&](gui::ThyqjForm* form) {
            EXPECT_EQ(form->dates()->from(), today().addDays(-30));
            EXPECT_EQ(form->dates()->to(), today());
            EXPECT_TRUE(in<QLineEdit>(form, "searchEdit")->text().isEmpty());

            const auto entry = test::answerNextModal<gui::ThyqjlrForm>(
                [&](gui::ThyqjlrForm* entryForm) {
                    EXPECT_FALSE(entryForm->memberBox()->pickButton()->isHidden());
                    EXPECT_TRUE(entryForm->memberBox()->cardNumber().isEmpty());
                    const auto pick = test::answerNextModal<gui::TxzjsrForm>([&](gui::TxzjsrForm* picker) {
                        EXPECT_EQ(picker->mode(), gui::TxzjsrForm::Mode::Leave);
                        for (int i = 0; i < picker->grid()->result().rowCount(); ++i)
                            if (picker->grid()->value(i, s(u"会员卡号")).toText() == m_card)
                                picker->grid()->selectRow(i);
                        in<QPushButton>(picker, "pickButton")->click();
                    });
                    in<QToolButton>(entryForm, "pickMemberButton")->click();
                    ASSERT_TRUE(pick->result());
                    EXPECT_EQ(entryForm->memberBox()->cardNumber(), m_card);
                    EXPECT_EQ(label(entryForm, "expiryLabel"), dayText(expiry));
                    EXPECT_FALSE(label(entryForm, "memberNameLabel").isEmpty());
                    in<QDateEdit>(entryForm, "startDateEdit")->setDate(today().addDays(2));
                    in<QDateEdit>(entryForm, "endDateEdit")->setDate(today().addDays(4));
                    in<QPushButton>(entryForm, "saveButton")->click();
                },
                {}, kWholeFlow);
            in<QPushButton>(form, "addButton")->click();
            ASSERT_TRUE(entry->result());
            gui::DataGrid* grid = form->findChild<gui::DataGrid*>(QStringLiteral("leaveGrid"));
            ASSERT_GE(rowStarting(grid, today().addDays(2), m_card), 0) << "recorded today, inside the period";
            EXPECT_EQ(shown(u"到期日期："), dayText(expiry.addDays(2))) << "the desk shows the member again";

            // Typed text is a value: a quote or "*" matches only names that hold one.
            for (const char16_t* text : {u"'", u"*"}) {
                in<QLineEdit>(form, "searchEdit")->setText(s(text));
                in<QPushButton>(form, "searchButton")->click();
                EXPECT_EQ(grid->result().rowCount(), 0) << s(text).toStdString();
            }
            in<QLineEdit>(form, "searchEdit")->setText(m_card);
            in<QPushButton>(form, "searchButton")->click();
            ASSERT_GE(grid->result().rowCount(), 1);
            for (int i = 0; i < grid->result().rowCount(); ++i)
                EXPECT_EQ(grid->value(i, s(u"会员卡号")).toText(), m_card);

            // Ended a day early; the first try names a day before the start.
            const auto ending = test::answerNextModal<gui::ThyxjForm>([&](gui::ThyxjForm* endForm) {
                in<QPushButton>(endForm, "saveButton")->click();
                EXPECT_TRUE(endForm->isVisible()) << "a refused day keeps the window open";
                endForm->untilEdit()->setDate(today().addDays(3));
                in<QPushButton>(endForm, "saveButton")->click();
            });
            doubleClick(grid, rowStarting(grid, today().addDays(2), m_card));
            ASSERT_TRUE(ending->result());
            EXPECT_EQ(messages.texts, QStringList{s(u"销假时间不能小于开始时间！")});
            const int ended = rowStarting(grid, today().addDays(2), m_card);
            ASSERT_GE(ended, 0);
            EXPECT_EQ(grid->value(ended, s(u"结束日期")).toDate(), today().addDays(3));
            EXPECT_EQ(grid->value(ended, s(u"请假天数")).toInt(), 1);
            EXPECT_EQ(shown(u"到期日期："), dayText(expiry.addDays(1)));

            grid->selectRow(ended);
            in<QPushButton>(form, "deleteButton")->click();
            EXPECT_EQ(messages.texts.last(), s(u"是否要删除当前记录？"));
            EXPECT_EQ(rowStarting(grid, today().addDays(2), m_card), -1);
            EXPECT_EQ(shown(u"到期日期："), dayText(expiry));
            in<QPushButton>(form, "exitButton")->click();
        },
        {}, kWholeFlow);
    run("leaveManagement");
    ASSERT_TRUE(list->result());
    EXPECT_EQ(storedExpiry(), expiry);
}

TEST_F(LeaveWindows, ARowGoneSinceTheListWasReadIsNamedAndLeavesTheList)
{
    const qint64 first = record(today().addDays(3), today().addDays(4));
    const qint64 second = record(today().addDays(10), today().addDays(12));
    const auto list = test::answerNextModal<gui::ThyqjForm>(
        [&](gui::ThyqjForm* form) {
            gui::DataGrid* grid = form->findChild<gui::DataGrid*>(QStringLiteral("leaveGrid"));
            ASSERT_GE(rowStarting(grid, today().addDays(3), m_card), 0);
            ASSERT_GE(rowStarting(grid, today().addDays(10), m_card), 0);
            // Another desk removes each while this list still shows it.
            const auto removeBehind = [&](qint64 id) {
                dm().change(s(u"delete from [会员请假] where [编号]=:bh"), {{QStringLiteral("bh"), id}});
            };
            removeBehind(first);
            grid->selectRow(rowStarting(grid, today().addDays(3), m_card));
            in<QPushButton>(form, "deleteButton")->click();
            EXPECT_EQ(messages.texts, QStringList{s(u"该记录已不存在！")}) << "named, and no question asked";
            EXPECT_EQ(rowStarting(grid, today().addDays(3), m_card), -1) << "the list shows what is stored";

            messages.texts.clear();
            removeBehind(second);
            grid->selectRow(rowStarting(grid, today().addDays(10), m_card));
            in<QPushButton>(form, "endButton")->click();
            EXPECT_EQ(messages.texts, QStringList{s(u"该记录已不存在！")});
            EXPECT_EQ(rowStarting(grid, today().addDays(10), m_card), -1);
            in<QPushButton>(form, "exitButton")->click();
        },
        {}, kWholeFlow);
    run("leaveManagement");
    ASSERT_TRUE(list->result());
    EXPECT_FALSE(registry().hasWindow<gui::ThyxjForm>()) << "nothing opened for a row that is gone";
}

TEST_F(LeaveWindows, TheListsButtonsNeedTheRightsOfTheirDeskTwins)
{
    ASSERT_FALSE(security::addOperator(context().command(),
                                       {QStringLiteral("xw"), QStringLiteral("1111"), QStringLiteral("1111")})
                     .refused());
    context().setCurrentOperator(QStringLiteral("xw"));
    run("leaveManagement");
    swipe(m_card);
    run("addLeave");
    EXPECT_EQ(messages.texts,
              (QStringList{s(u"对不起，您无权进行会员请假管理！"), s(u"对不起，您无权进行会员请假操作！")}));
    EXPECT_FALSE(registry().hasWindow<gui::ThyqjlrForm>());

    dm().change(
        s(u"update [工作人员操作权限] set [操作权限]=-1 where [操作人员]='xw' and [系统功能名称]='会员请假管理'"));
    record(today().addDays(3), today().addDays(4));
    messages.texts.clear();
    const auto list = test::answerNextModal<gui::ThyqjForm>(
        [&](gui::ThyqjForm* form) {
            gui::DataGrid* grid = form->findChild<gui::DataGrid*>(QStringLiteral("leaveGrid"));
            grid->selectRow(rowStarting(grid, today().addDays(3), m_card));
            for (const char* button : {"addButton", "endButton", "deleteButton"})
                in<QPushButton>(form, button)->click();
            in<QPushButton>(form, "exitButton")->click();
        },
        {}, kWholeFlow);
    run("leaveManagement");
    ASSERT_TRUE(list->result());
    EXPECT_EQ(messages.texts,
              (QStringList{s(u"对不起，您无权进行会员请假操作！"), s(u"对不起，您无权进行会员销假操作！"),
                           s(u"对不起，您无权进行删除请假操作！")}));
    EXPECT_FALSE(registry().hasWindow<gui::ThyxjForm>());
}

TEST_F(LeaveWindows, AMemberGoneWhileShownIsNamedAndNothingOpens)
{
    swipe(m_card);
    dm().change(s(u"update [会员信息] set [会员卡号]='X' || [会员卡号] where [会员卡号]=:hykh"),
                {{QStringLiteral("hykh"), m_card}});
    run("addLeave");
    EXPECT_EQ(messages.texts, QStringList{s(u"会员卡号不存在！")});
    EXPECT_FALSE(window<gui::ThyqjlrForm>()->isVisible());
}

} // namespace
