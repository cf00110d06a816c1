#include "LoggedInProgram.h"
#include "ModalAnswer.h"
#include "Widgets.h"
#include "goods/StockLedger.h"
#include "goods/TjhsplrForm.h"
#include "goods/TspjhForm.h"
#include "goods/TspthForm.h"
#include "goods/TthsplrForm.h"
#include "kit/DataGrid.h"
#include "kit/ParentTree.h"
#include "security/Operators.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace tkd;
using test::in;
using test::s;

namespace {

// The hall's shop: 服装 > 儿童道服 holds 道服 (stock 2, bought in on 1 March), 护具类 holds 护具 (no stock);
// a drink that counts no stock.
class PurchasingWindow : public test::LoggedInProgram {
protected:
    void SetUp() override
    {
        LoggedInProgram::SetUp();
        if (HasFatalFailure())
            return;
        dm().change(s(u"insert into [商品类别] ([类别名称],[父结点]) values ('服装',0)"));
        dm().change(s(u"insert into [商品类别] ([类别名称],[父结点]) values ('儿童道服',1)"));
        dm().change(s(u"insert into [商品类别] ([类别名称],[父结点]) values ('护具类',0)"));
        addItem(QStringLiteral("A01"), s(u"道服"), true, 2, 50, s(u"儿童款"));
        addItem(QStringLiteral("B02"), s(u"护具"), true, 3, 80, {});
        addItem(QStringLiteral("F01"), s(u"矿泉水"), false, 3, 1, {});
        Transaction tx(dm().db());
        goods::StockMove opening;
        opening.code = QStringLiteral("A01");
        opening.name = s(u"道服");
        opening.unit = s(u"套");
        opening.price = Money::fromYuan(50);
        opening.quantity = goods::Quantity::whole(2);
        opening.amount = Money::fromYuan(100);
        opening.day = QDate(2024, 3, 1);
        opening.operatorName = s(u"超级用户");
        ASSERT_EQ(goods::recordStockMove(dm(), opening), goods::StockMoveResult::Written);
        tx.commit();
    }
    void addItem(const QString& code, const QString& name, bool counted, qint64 category, int price,
                 const QString& remark)
    {
        dm().change(s(u"insert into [商品信息] ([商品编号],[商品名称],[单位],[是否计库存],[预设进价],[数量],[销售总数],"
                      u"[备注],[父结点]) values (:b,:m,'套',:c,:p,0,0,:r,:f)"),
                    {{QStringLiteral("b"), code},
                     {QStringLiteral("m"), name},
                     {QStringLiteral("c"), counted},
                     {QStringLiteral("p"), Money::fromYuan(price)},
                     {QStringLiteral("r"), remark},
                     {QStringLiteral("f"), category}});
    }
    double stock(const char* code)
    {
        return dm()
            .list(s(u"select [数量] from [商品信息] where [商品编号]=:b"),
                  {{QStringLiteral("b"), QString::fromLatin1(code)}})
            .value(0, 0)
            .toDouble();
    }
    ResultSet postedRows()
    {
        return dm().list(s(u"select [状态说明],[商品编号],[单价],[数量],[总金额] from [商品进退单] where [日期]>:d "
                           u"order by rowid"),
                         {{QStringLiteral("d"), QDate(2024, 3, 1)}});
    }
    static int column(gui::DataGrid* grid, const char16_t* name) { return grid->result().columnIndex(s(name)); }
    static QStringList codes(gui::DataGrid* grid) { return grid->result().texts(s(u"商品编号")); }

    // Presses the button (or runs what opens the line dialog) and answers that dialog with fill.
    template <typename Dialog>
    void throughLineDialog(const std::function<void()>& open, const std::function<void(Dialog*)>& fill)
    {
        const auto answer = test::answerNextModal<Dialog>(fill);
        open();
        EXPECT_TRUE(answer->result());
    }
};

TEST_F(PurchasingWindow, APurchaseLineIsAddedEditedDeletedAndPosted)
{
    // A line left from an earlier visit is gone when the window opens.
    dm().change(s(u"insert into [选择商品] ([序号],[商品编号],[商品名称],[数量]) values (1,'B02','护具',9)"));

    const auto purchase = test::answerNextModal<gui::TspjhForm>([this](gui::TspjhForm* form) {
        EXPECT_EQ(form->windowTitle(), s(u"商品进货"));
        auto* goods = in<gui::DataGrid>(form, "goodsGrid");
        auto* lines = in<gui::DataGrid>(form, "linesGrid");
        EXPECT_EQ(lines->result().rowCount(), 0) << "the work list is emptied on opening";
        EXPECT_EQ(codes(goods), (QStringList{QStringLiteral("A01"), QStringLiteral("B02")})) << "stock goods only";
        EXPECT_TRUE(goods->isColumnHidden(column(goods, u"备注")));
        EXPECT_EQ(goods->columnWidth(column(goods, u"商品名称")), 120);
        EXPECT_TRUE(lines->isColumnHidden(column(lines, u"序号")));
        EXPECT_TRUE(lines->isColumnHidden(column(lines, u"商品编号")));
        EXPECT_EQ(lines->columnWidth(column(lines, u"总金额")), 50);

        auto* search = in<QLineEdit>(form, "goodsSearchEdit");
        search->setText(s(u"护具"));
        EXPECT_EQ(codes(goods), QStringList{QStringLiteral("B02")});
        search->setText(QStringLiteral("%"));
        EXPECT_EQ(codes(goods), QStringList()) << "typed text is literal";
        search->clear();
        goods->selectRow(0);

        auto* add = in<QPushButton>(form, "addLineButton");
        throughLineDialog<gui::TjhsplrForm>(
            [add] { add->click(); },
            [this](gui::TjhsplrForm* line) {
                EXPECT_EQ(line->windowTitle(), s(u"进货商品录入"));
                EXPECT_EQ(in<QLineEdit>(line, "nameEdit")->text(), s(u"道服"));
                EXPECT_EQ(in<QLineEdit>(line, "stockEdit")->text(), QStringLiteral("2"));
                EXPECT_EQ(in<QLineEdit>(line, "remarkEdit")->text(), s(u"儿童款"));
                EXPECT_EQ(in<QLineEdit>(line, "priceEdit")->text(), QStringLiteral("50.00")) << "the reference price";
                EXPECT_EQ(in<QLineEdit>(line, "quantityEdit")->text(), QStringLiteral("1"));
                auto* history = in<gui::DataGrid>(line, "historyGrid");
                ASSERT_EQ(history->result().rowCount(), 1) << "the opening stock";
                EXPECT_EQ(history->value(0, s(u"进货日期")).toDate(), QDate(2024, 3, 1));
                EXPECT_EQ(history->columnWidth(0), 110);

                in<QLineEdit>(line, "quantityEdit")->setText(QStringLiteral("1.2.3"));
                in<QPushButton>(line, "okButton")->click();
                EXPECT_EQ(messages.texts, QStringList{s(u"请输入正确的进货数量！")});
                EXPECT_TRUE(line->isVisible()) << "the dialog stays open";
                in<QLineEdit>(line, "quantityEdit")->setText(QStringLiteral("3"));
                in<QLineEdit>(line, "priceEdit")->setText(QStringLiteral("45.5"));
                EXPECT_EQ(in<QLineEdit>(line, "totalEdit")->text(), QStringLiteral("136.5"));
                // Enter from the quantity reaches 确定 past the shown values and the history, and presses it.
                QTest::keyClick(in<QLineEdit>(line, "quantityEdit"), Qt::Key_Return);
                ASSERT_EQ(line->focusWidget(), in<QPushButton>(line, "okButton"));
                QTest::keyClick(in<QPushButton>(line, "okButton"), Qt::Key_Return);
            });
        ASSERT_EQ(lines->result().rowCount(), 1);
        EXPECT_EQ(lines->value(0, s(u"商品名称")).toText(), s(u"道服"));
        EXPECT_EQ(lines->value(0, s(u"总金额")).toMoney(), Money::fromUnits(1365000));

        // The second tab: a leaf of the tree narrows the list; the button takes its current row.
        in<QTabWidget>(form, "goodsTabs")->setCurrentIndex(1);
        auto* tree = in<gui::ParentTree>(form, "categoryTree");
        auto* byCategory = in<gui::DataGrid>(form, "categoryGoodsGrid");
        EXPECT_TRUE(byCategory->isColumnHidden(column(byCategory, u"父结点")));
        QTreeWidgetItem* guards = tree->nodeFor(3);
        ASSERT_NE(guards, nullptr);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(guards).center());
        EXPECT_EQ(codes(byCategory), QStringList{QStringLiteral("B02")});
        throughLineDialog<gui::TjhsplrForm>([add] { add->click(); },
                                            [](gui::TjhsplrForm* line) {
                                                EXPECT_EQ(in<QLineEdit>(line, "nameEdit")->text(), s(u"护具"));
                                                in<QLineEdit>(line, "quantityEdit")->setText(QStringLiteral("2"));
                                                in<QPushButton>(line, "okButton")->click();
                                            });
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->root()).center());
        EXPECT_EQ(codes(byCategory), (QStringList{QStringLiteral("A01"), QStringLiteral("B02")}));
        // A double-click on a row adds that row.
        const QRect first = byCategory->visualRect(byCategory->model()->index(0, column(byCategory, u"商品名称")));
        throughLineDialog<gui::TjhsplrForm>(
            [byCategory, first] {
                // A real double click: the press that picks the row, then the second click.
                QTest::mouseClick(byCategory->viewport(), Qt::LeftButton, {}, first.center());
                QTest::mouseDClick(byCategory->viewport(), Qt::LeftButton, {}, first.center());
            },
            [](gui::TjhsplrForm* line) {
                EXPECT_EQ(in<QLineEdit>(line, "codeEdit")->text(), QStringLiteral("A01"));
                in<QPushButton>(line, "okButton")->click();
            });
        ASSERT_EQ(lines->result().rowCount(), 3);

        // Edit the second line, then delete the first: the others are numbered 1 and 2.
        lines->selectRow(1);
        throughLineDialog<gui::TjhsplrForm>(
            [form] { in<QPushButton>(form, "editLineButton")->click(); },
            [](gui::TjhsplrForm* line) {
                EXPECT_EQ(in<QLineEdit>(line, "quantityEdit")->text(), QStringLiteral("2"));
                EXPECT_EQ(in<QLineEdit>(line, "priceEdit")->text(), QStringLiteral("80.00"));
                in<QLineEdit>(line, "quantityEdit")->setText(QStringLiteral("5"));
                in<QPushButton>(line, "okButton")->click();
            });
        EXPECT_EQ(lines->value(1, s(u"数量")).toDouble(), 5);
        EXPECT_EQ(lines->value(1, s(u"总金额")).toMoney(), Money::fromYuan(400));
        lines->selectRow(0);
        messages.texts.clear();
        in<QPushButton>(form, "deleteLineButton")->click();
        EXPECT_EQ(messages.texts, QStringList{s(u"是否要删除当前记录？")});
        ASSERT_EQ(lines->result().rowCount(), 2);
        EXPECT_EQ(lines->result().texts(s(u"序号")), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
        EXPECT_EQ(codes(lines), (QStringList{QStringLiteral("B02"), QStringLiteral("A01")}));

        in<QPushButton>(form, "postButton")->click();
    });
    run("purchasing");
    ASSERT_TRUE(purchase->result());

    EXPECT_EQ(stock("B02"), 5);
    EXPECT_EQ(stock("A01"), 3) << "2 + the line of 1; the deleted line of 3 was not posted";
    const ResultSet rows = postedRows();
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.texts(s(u"状态说明")), (QStringList{s(u"采购进货"), s(u"采购进货")}));
    EXPECT_EQ(rows.value(0, s(u"总金额")).toMoney(), Money::fromYuan(400));
}

TEST_F(PurchasingWindow, AReturnToTheSupplierIsPosted)
{
    const auto giveBack = test::answerNextModal<gui::TspthForm>([this](gui::TspthForm* form) {
        EXPECT_EQ(form->windowTitle(), s(u"采购退货"));
        in<gui::DataGrid>(form, "goodsGrid")->selectRow(0);
        throughLineDialog<gui::TthsplrForm>(
            [form] { in<QPushButton>(form, "addLineButton")->click(); },
            [](gui::TthsplrForm* line) {
                EXPECT_EQ(line->windowTitle(), s(u"采购退货商品录入"));
                auto* price = in<QLineEdit>(line, "priceEdit");
                EXPECT_EQ(price->accessibleName(), s(u"退货价格"));
                QStringList groups;
                for (const QGroupBox* box : line->findChildren<QGroupBox*>())
                    groups << box->title();
                EXPECT_TRUE(groups.contains(s(u"采购退货历史"))) << groups.join(u',').toStdString();
                EXPECT_EQ(in<gui::DataGrid>(line, "historyGrid")->result().rowCount(), 0) << "nothing returned yet";
                in<QLineEdit>(line, "quantityEdit")->clear();
                in<QPushButton>(line, "okButton")->click();
                in<QLineEdit>(line, "quantityEdit")->setText(QStringLiteral("3"));
                in<QPushButton>(line, "okButton")->click();
            });
        EXPECT_EQ(messages.texts, QStringList{s(u"退货数量不能为空！")});
        in<QPushButton>(form, "postButton")->click();
    });
    run("supplierReturns");
    ASSERT_TRUE(giveBack->result());

    EXPECT_EQ(stock("A01"), -1) << "3 returned from 2";
    const ResultSet rows = postedRows();
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.first(s(u"状态说明")).toText(), s(u"采购退货"));
    EXPECT_EQ(rows.first(s(u"数量")).toDouble(), -3);
    EXPECT_EQ(rows.first(s(u"总金额")).toMoney(), Money::fromYuan(150)) << "positive";
}

TEST_F(PurchasingWindow, CancelPostsNothingAndAnOperatorWithoutTheRightIsRefused)
{
    const auto cancelled = test::answerNextModal<gui::TspjhForm>([this](gui::TspjhForm* form) {
        in<gui::DataGrid>(form, "goodsGrid")->selectRow(0);
        throughLineDialog<gui::TjhsplrForm>([form] { in<QPushButton>(form, "addLineButton")->click(); },
                                            [](gui::TjhsplrForm* line) { in<QPushButton>(line, "okButton")->click(); });
        in<QPushButton>(form, "cancelButton")->click();
    });
    run("purchasing");
    ASSERT_TRUE(cancelled->result());
    EXPECT_EQ(postedRows().rowCount(), 0);
    EXPECT_EQ(stock("A01"), 2);

    ASSERT_FALSE(
        security::addOperator(context().command(), {s(u"小王"), QStringLiteral("1111"), QStringLiteral("1111")})
            .refused());
    context().setCurrentOperator(s(u"小王"));
    messages.texts.clear();
    run("purchasing");
    run("supplierReturns");
    EXPECT_EQ(messages.texts,
              (QStringList{s(u"对不起，您无权进行商品进货操作！"), s(u"对不起，您无权进行商品退货操作！")}));
}

} // namespace
