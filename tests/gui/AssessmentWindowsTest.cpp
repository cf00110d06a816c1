#include "LoggedInProgram.h"
#include "ModalAnswer.h"
#include "PdfText.h"
#include "Previews.h"
#include "Widgets.h"
#include "assessment/Levels.h"
#include "assessment/Results.h"
#include "assessment/TbkjbForm.h"
#include "assessment/TbkjbsForm.h"
#include "assessment/TkhbmreportForm.h"
#include "assessment/TxykhForm.h"
#include "assessment/TxykhcxForm.h"
#include "assessment/TxykhlrForm.h"
#include "assessment/TxykhpllrForm.h"
#include "assessment/TxykhreportForm.h"
#include "kit/DataGrid.h"
#include "kit/DateRangeBar.h"
#include "kit/ResultTableModel.h"
#include "kit/report/ReportRenderer.h"
#include "kit/report/TmypreviewForm.h"
#include "security/Operators.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

using namespace tkd;
using namespace std::chrono_literals;
using test::in;
using test::s;

namespace {

const test::ModalBounds kWholeFlow{60s, 5s};

// Three usable members and one disabled on the program's own file; it is 2024-03-15 09:00.
class AssessmentWindows : public test::LoggedInProgram {
protected:
    void SetUp() override
    {
        LoggedInProgram::SetUp();
        if (HasFatalFailure())
            return;
        for (const auto& [card, name, state] :
             {std::tuple{u"1001", u"张三", u"可用"}, std::tuple{u"1002", u"李四", u"可用"},
              std::tuple{u"1003", u"王五", u"禁用"}, std::tuple{u"1004", u"赵六", u"可用"}})
            dm().change(
                s(u"insert into [会员信息] ([会员卡号],[会员姓名],[会员类型],[会员状态],[会员生日],[会员级别],"
                  u"[完成课时],[剩余课时]) values(:k,:n,'月卡',:z,'00-00','白带',3,4)"),
                {{QStringLiteral("k"), s(card)}, {QStringLiteral("n"), s(name)}, {QStringLiteral("z"), s(state)}});
    }
    void TearDown() override { test::closePreviews(); }

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
    ResultSet member(const char16_t* card)
    {
        return dm().list(s(u"select * from [会员信息] where [会员卡号]=:k"), {{QStringLiteral("k"), s(card)}});
    }

    std::unique_ptr<test::PdfText> printedPreview()
    {
        gui::TmypreviewForm* preview = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<gui::TmypreviewForm*>(w))
                preview = p;
        EXPECT_NE(preview, nullptr) << "a preview is open";
        if (!preview)
            return nullptr;
        return render(preview->renderer());
    }
    std::unique_ptr<test::PdfText> render(const gui::ReportRenderer& renderer)
    {
        const QString path = m_pdfs.filePath(QStringLiteral("report%1.pdf").arg(++m_printed));
        EXPECT_TRUE(renderer.renderToPdf(path));
        test::closePreviews();
        return std::make_unique<test::PdfText>(path);
    }

    template <typename Flow> void withResults(Flow flow)
    {
        const auto answer = test::answerNextModal<gui::TxykhForm>(
            [&](gui::TxykhForm* form) {
                flow(form);
                if (form->isVisible())
                    in<QPushButton>(form, "exitButton")->click();
            },
            {}, kWholeFlow);
        run("assessmentManagement");
        EXPECT_TRUE(answer->result());
    }

private:
    QTemporaryDir m_pdfs;
    int m_printed = 0;
};

TEST_F(AssessmentWindows, ALevelIsAddedAndAPassRecordedWithItsReceipt)
{
    withResults([&](gui::TxykhForm* form) {
        EXPECT_EQ(form->dates()->from(), QDate(2024, 3, 1));
        EXPECT_EQ(form->dates()->to(), QDate(2024, 3, 15));
        EXPECT_EQ(in<QComboBox>(form, "levelCombo")->currentText(), s(u"所有级别"));

        const auto levels = test::answerNextModal<gui::TbkjbForm>(
            [&](gui::TbkjbForm* list) {
                const auto entry = test::answerNextModal<gui::TbkjbsForm>([](gui::TbkjbsForm* dialog) {
                    in<QPushButton>(dialog, "okButton")->click();
                    in<QLineEdit>(dialog, "levelNameEdit")->setText(s(u"黄带"));
                    in<QLineEdit>(dialog, "lessonsEdit")->setText(QStringLiteral("24"));
                    in<QLineEdit>(dialog, "feeEdit")->setText(QStringLiteral("100"));
                    in<QPushButton>(dialog, "okButton")->click();
                });
                in<QPushButton>(list, "addButton")->click();
                EXPECT_TRUE(entry->result());
                EXPECT_EQ(column(list->grid(), s(u"级别名称")), QStringList{s(u"黄带")});
                in<QPushButton>(list, "exitButton")->click();
            },
            {}, kWholeFlow);
        in<QPushButton>(form, "levelsButton")->click();
        ASSERT_TRUE(levels->result());
        EXPECT_EQ(messages.texts, QStringList{s(u"级别名称不能为空！")});

        const auto entry = test::answerNextModal<gui::TxykhlrForm>(
            [&](gui::TxykhlrForm* dialog) {
                auto* card = in<QLineEdit>(dialog, "cardNumberEdit");
                auto* level = in<QComboBox>(dialog, "levelCombo");
                EXPECT_EQ(level->currentIndex(), -1) << "no level chosen yet";
                EXPECT_EQ(in<QComboBox>(dialog, "resultCombo")->currentIndex(), -1);
                EXPECT_EQ(in<QDateEdit>(dialog, "dateEdit")->date(), QDate(2024, 3, 15));
                card->setText(QStringLiteral("1001"));
                Q_EMIT card->editingFinished();
                EXPECT_EQ(in<QLineEdit>(dialog, "nameEdit")->text(), s(u"张三"));
                choose(level, s(u"黄带"));
                EXPECT_EQ(in<QLineEdit>(dialog, "feeEdit")->text(), QStringLiteral("100"));
                choose(in<QComboBox>(dialog, "resultCombo"), s(u"通过"));
                in<QLineEdit>(dialog, "remarkEdit")->setText(s(u"首考"));
                in<QPushButton>(dialog, "okButton")->click();

                EXPECT_TRUE(dialog->isVisible()) << "adding stays open for the next student";
                EXPECT_TRUE(card->text().isEmpty());
                EXPECT_TRUE(in<QLineEdit>(dialog, "nameEdit")->text().isEmpty());
                EXPECT_TRUE(in<QLineEdit>(dialog, "remarkEdit")->text().isEmpty());
                EXPECT_EQ(level->currentText(), s(u"黄带"));
                EXPECT_EQ(in<QLineEdit>(dialog, "feeEdit")->text(), QStringLiteral("100"));
                const std::unique_ptr<test::PdfText> receipt = printedPreview();
                ASSERT_TRUE(receipt);
                const QSizeF page = receipt->pageSizeMm();
                EXPECT_NEAR(page.width(), 58, 0.5);
                EXPECT_NEAR(page.height(), 76, 0.5);
                EXPECT_EQ(receipt->pageCount(), 1);
                for (const char16_t* line :
                     {u"考级收款单", u"考核时间：2024年3月15日", u"会员卡号：1001", u"会员姓名：张三",
                      u"报考级别：黄带", u"考核费用：￥100", u"打印时间：2024-03-15 09:00"})
                    EXPECT_TRUE(receipt->shows(s(line)))
                        << QString::fromUtf16(line).toStdString() << " in " << receipt->text().toStdString();
                dialog->reject();
            },
            {}, kWholeFlow);
        in<QPushButton>(form, "addButton")->click();
        EXPECT_TRUE(entry->result());
        EXPECT_EQ(column(form->grid(), s(u"会员卡号")), QStringList{QStringLiteral("1001")})
            << "the list is read again";
    });
    const ResultSet row = member(u"1001");
    EXPECT_EQ(row.first(s(u"会员级别")).toText(), s(u"黄带"));
    EXPECT_EQ(row.first(s(u"完成课时")).toInt(), 0);
    EXPECT_EQ(row.first(s(u"剩余课时")).toInt(), 24);
}

TEST_F(AssessmentWindows, TwoStudentsTickedInTheBatchAreBothListed)
{
    ASSERT_TRUE(
        assessment::saveLevel(context().command(), {s(u"绿带"), QStringLiteral("30"), QStringLiteral("99.5")}).ok());
    withResults([&](gui::TxykhForm* form) {
        const auto batch = test::answerNextModal<gui::TxykhpllrForm>(
            [&](gui::TxykhpllrForm* dialog) {
                gui::DataGrid* grid = dialog->grid();
                ASSERT_EQ(column(grid, s(u"会员卡号")),
                          (QStringList{QStringLiteral("1001"), QStringLiteral("1002"), QStringLiteral("1004")}));
                const int tick = grid->result().columnIndex(s(u"选择学员"));
                const int name = grid->result().columnIndex(s(u"会员姓名"));
                const auto click = [grid](int row, int col) {
                    const QRect cell = grid->visualRect(grid->model()->index(row, col));
                    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
                };
                click(0, tick);
                click(2, tick);
                click(1, name);
                EXPECT_EQ(column(grid, s(u"选择学员")),
                          (QStringList{QStringLiteral("-1"), QStringLiteral("0"), QStringLiteral("-1")}))
                    << "only the tick column ticks";
                in<QPushButton>(dialog, "okButton")->click();
                EXPECT_EQ(messages.texts.value(0), s(u"报考级别不能为空！"));
                choose(in<QComboBox>(dialog, "levelCombo"), s(u"绿带"));
                EXPECT_EQ(in<QLineEdit>(dialog, "feeEdit")->text(), QStringLiteral("99.5"));
                choose(in<QComboBox>(dialog, "resultCombo"), s(u"通过"));
                in<QPushButton>(dialog, "okButton")->click();
            },
            {}, kWholeFlow);
        in<QPushButton>(form, "batchButton")->click();
        ASSERT_TRUE(batch->result());
        EXPECT_EQ(column(form->grid(), s(u"会员卡号")), (QStringList{QStringLiteral("1001"), QStringLiteral("1004")}));
        EXPECT_EQ(column(form->grid(), s(u"报考级别")), (QStringList{s(u"绿带"), s(u"绿带")}));
    });
    EXPECT_EQ(member(u"1001").first(s(u"会员级别")).toText(), s(u"白带")) << "a batch changes no member";
    EXPECT_EQ(member(u"1004").first(s(u"剩余课时")).toInt(), 4);
}

TEST_F(AssessmentWindows, TheReportTotalsTheFeesAndCountsTheRows)
{
    const auto add = [this](const char16_t* card, const char* fee, const QDate& day) {
        ASSERT_TRUE(
            assessment::saveResult(context().command(),
                                   {day, s(card), s(u"学员"), s(u"黄带"), QString::fromLatin1(fee), s(u"未通过"), {}})
                .ok());
    };
    add(u"1001", "50", QDate(2024, 3, 2));
    add(u"1002", "99.5", QDate(2024, 3, 9));
    add(u"1004", "100", QDate(2024, 3, 15));
    add(u"1004", "70", QDate(2024, 2, 29));
    withResults([&](gui::TxykhForm* form) {
        ASSERT_EQ(form->rows().rowCount(), 3) << "the first of the month to today";
        in<QPushButton>(form, "printButton")->click();
        const std::unique_ptr<test::PdfText> report = printedPreview();
        ASSERT_TRUE(report);
        EXPECT_TRUE(report->shows(s(u"学员考核信息")));
        EXPECT_TRUE(report->shows(s(u"费用合计：249.50"))) << report->text().toStdString();
        EXPECT_TRUE(report->shows(s(u"汇总人数：3")));
        EXPECT_NEAR(report->pageSizeMm().width(), 210, 1);

        const auto search = test::answerNextModal<gui::TxykhcxForm>([](gui::TxykhcxForm* dialog) {
            in<QLineEdit>(dialog, "cardNumberEdit")->setText(QStringLiteral("100"));
            choose(in<QComboBox>(dialog, "resultCombo"), s(u"未通过"));
            in<QDateEdit>(dialog, "toDateEdit")->setDate(QDate(2024, 3, 10));
            in<QPushButton>(dialog, "okButton")->click();
        });
        in<QPushButton>(form, "detailedSearchButton")->click();
        ASSERT_TRUE(search->result());
        EXPECT_EQ(column(form->grid(), s(u"会员卡号")), (QStringList{QStringLiteral("1001"), QStringLiteral("1002")}));
        EXPECT_EQ(form->dates()->to(), QDate(2024, 3, 15)) << "the window's own dates stay";

        form->grid()->selectRow(1);
        for (QAction* action : form->grid()->actions())
            if (action->objectName() == QStringLiteral("reprintAction"))
                action->trigger();
        const std::unique_ptr<test::PdfText> receipt = printedPreview();
        ASSERT_TRUE(receipt);
        EXPECT_TRUE(receipt->shows(s(u"考核费用：￥99.5")));
        EXPECT_TRUE(receipt->shows(s(u"考核时间：2024年3月9日")));
    });
}

TEST_F(AssessmentWindows, AResultIsChangedInItsDialogAndDeletedOnlyOnOk)
{
    ASSERT_TRUE(
        assessment::saveLevel(context().command(), {s(u"黄带"), QStringLiteral("24"), QStringLiteral("100")}).ok());
    ASSERT_TRUE(
        assessment::saveResult(context().command(), {QDate(2024, 3, 2), QStringLiteral("1001"), s(u"张三"), s(u"黄带"),
                                                     QStringLiteral("80"), s(u"未通过"), s(u"补考")})
            .ok());
    withResults([&](gui::TxykhForm* form) {
        ASSERT_EQ(form->rows().rowCount(), 1);
        const auto entry = test::answerNextModal<gui::TxykhlrForm>(
            [&](gui::TxykhlrForm* dialog) {
                auto* card = in<QLineEdit>(dialog, "cardNumberEdit");
                auto* level = in<QComboBox>(dialog, "levelCombo");
                EXPECT_EQ(in<QDateEdit>(dialog, "dateEdit")->date(), QDate(2024, 3, 2));
                EXPECT_EQ(card->text(), QStringLiteral("1001"));
                EXPECT_EQ(in<QLineEdit>(dialog, "nameEdit")->text(), s(u"张三"));
                EXPECT_EQ(level->currentText(), s(u"黄带"));
                EXPECT_EQ(in<QLineEdit>(dialog, "feeEdit")->text(), QStringLiteral("80"));
                EXPECT_EQ(in<QComboBox>(dialog, "resultCombo")->currentText(), s(u"未通过"));
                EXPECT_EQ(in<QLineEdit>(dialog, "remarkEdit")->text(), s(u"补考"));

                card->setText(QStringLiteral("  "));
                in<QPushButton>(dialog, "okButton")->click();
                EXPECT_EQ(messages.texts.value(0), s(u"会员卡号不能为空！"));
                EXPECT_EQ(dialog->focusWidget(), card);
                EXPECT_TRUE(dialog->isVisible());

                card->setText(QStringLiteral("1001"));
                level->setCurrentIndex(-1);
                in<QPushButton>(dialog, "okButton")->click();
                EXPECT_EQ(messages.texts.value(1), s(u"报考级别不能为空！"));
                EXPECT_EQ(dialog->focusWidget(), level);

                choose(level, s(u"黄带"));
                in<QLineEdit>(dialog, "feeEdit")->setText(QStringLiteral("80"));
                choose(in<QComboBox>(dialog, "resultCombo"), s(u"通过"));
                in<QPushButton>(dialog, "okButton")->click();
                EXPECT_FALSE(dialog->isVisible()) << "a change closes the dialog";
            },
            {}, kWholeFlow);
        in<QPushButton>(form, "editButton")->click();
        EXPECT_TRUE(entry->result());
        EXPECT_EQ(messages.texts.size(), 2);
        EXPECT_EQ(column(form->grid(), s(u"考核结果")), QStringList{s(u"通过")});
        EXPECT_EQ(column(form->grid(), s(u"备注")), QStringList{s(u"补考")});

        messages.answer({false});
        in<QPushButton>(form, "deleteButton")->click();
        EXPECT_EQ(messages.texts.value(2), s(u"是否要删除当前记录？"));
        EXPECT_EQ(form->rows().rowCount(), 1) << "Cancel deletes nothing";
        in<QPushButton>(form, "deleteButton")->click();
        EXPECT_EQ(form->rows().rowCount(), 0);
    });
    const ResultSet row = member(u"1001");
    EXPECT_EQ(row.first(s(u"会员级别")).toText(), s(u"黄带")) << "the row became a pass";
    EXPECT_EQ(row.first(s(u"完成课时")).toInt(), 0);
    EXPECT_EQ(row.first(s(u"剩余课时")).toInt(), 24);
    EXPECT_EQ(dm().list(s(u"select count(*) as n from [学员考核]")).first(QStringLiteral("n")).toInt(), 0);
}

TEST_F(AssessmentWindows, ALevelIsChangedWithItsStoredValuesAndKeptOnCancel)
{
    ASSERT_TRUE(
        assessment::saveLevel(context().command(), {s(u"绿带"), QStringLiteral("30"), QStringLiteral("99.5")}).ok());
    withResults([&](gui::TxykhForm* form) {
        const auto levels = test::answerNextModal<gui::TbkjbForm>(
            [&](gui::TbkjbForm* list) {
                const auto entry = test::answerNextModal<gui::TbkjbsForm>([](gui::TbkjbsForm* dialog) {
                    EXPECT_EQ(in<QLineEdit>(dialog, "levelNameEdit")->text(), s(u"绿带"));
                    EXPECT_EQ(in<QLineEdit>(dialog, "lessonsEdit")->text(), QStringLiteral("30"));
                    EXPECT_EQ(in<QLineEdit>(dialog, "feeEdit")->text(), QStringLiteral("99.5"));
                    in<QLineEdit>(dialog, "lessonsEdit")->setText(QStringLiteral("32"));
                    in<QPushButton>(dialog, "okButton")->click();
                });
                in<QPushButton>(list, "editButton")->click();
                EXPECT_TRUE(entry->result());
                EXPECT_EQ(column(list->grid(), s(u"所需课时")), QStringList{QStringLiteral("32")});

                messages.answer({false});
                in<QPushButton>(list, "deleteButton")->click();
                EXPECT_EQ(messages.texts, QStringList{s(u"是否要删除当前记录？")});
                EXPECT_EQ(list->rows().rowCount(), 1) << "Cancel keeps the level";
                in<QPushButton>(list, "exitButton")->click();
            },
            {}, kWholeFlow);
        in<QPushButton>(form, "levelsButton")->click();
        EXPECT_TRUE(levels->result());
    });
    EXPECT_EQ(assessment::levelByName(dm(), s(u"绿带"))->lessons, 32);
}

TEST_F(AssessmentWindows, TheWindowNeedsItsRight)
{
    ASSERT_FALSE(security::addOperator(context().command(),
                                       {QStringLiteral("xw"), QStringLiteral("1111"), QStringLiteral("1111")})
                     .refused());
    context().setCurrentOperator(QStringLiteral("xw"));
    run("assessmentManagement");
    EXPECT_EQ(messages.texts, QStringList{s(u"对不起，您无权进行学员考核管理！")});
    EXPECT_FALSE(registry().hasWindow<gui::TxykhForm>());
}

} // namespace
