#include "LoggedInProgram.h"
#include "ModalAnswer.h"
#include "PdfText.h"
#include "Previews.h"
#include "Widgets.h"
#include "goods/Catalogue.h"
#include "goods/Categories.h"
#include "goods/TeditlbForm.h"
#include "goods/TspxxForm.h"
#include "goods/TspxxlrForm.h"
#include "kit/DataGrid.h"
#include "kit/ParentTree.h"
#include "kit/report/TmypreviewForm.h"
#include "security/Operators.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tkd;
using namespace std::chrono_literals;
using test::in;
using test::s;

namespace {

// The catalogue window stays open for a whole flow of nested dialogs.
const test::ModalBounds kWholeFlow{60s, 5s};

class GoodsCatalogueWindow : public test::LoggedInProgram {
protected:
    void TearDown() override { test::closePreviews(); }

    static void click(QTreeWidget* tree, QTreeWidgetItem* node)
    {
        ASSERT_NE(node, nullptr);
        tree->scrollToItem(node);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
    }
    static QTreeWidgetItem* child(QTreeWidgetItem* node, const QString& text)
    {
        for (int i = 0; node && i < node->childCount(); ++i)
            if (node->child(i)->text(0) == text)
                return node->child(i);
        return nullptr;
    }
    static QStringList shownCodes(gui::TspxxForm* form)
    {
        QStringList codes;
        for (int i = 0; i < form->grid()->result().rowCount(); ++i)
            codes << form->grid()->value(i, s(u"商品编号")).toText();
        return codes;
    }
    // "添加类别" on the node, the name typed into the category dialog.
    void addCategoryUnder(gui::TspxxForm* form, QTreeWidgetItem* parent, const QString& name)
    {
        click(form->categoryTree(), parent);
        const auto answer = test::answerNextModal<gui::TeditlbForm>([&](gui::TeditlbForm* dialog) {
            EXPECT_TRUE(dialog->isAdding());
            EXPECT_TRUE(in<QLineEdit>(dialog, "categoryNameEdit")->text().isEmpty());
            in<QLineEdit>(dialog, "categoryNameEdit")->setText(name);
            in<QPushButton>(dialog, "okButton")->click();
        });
        in<QPushButton>(form, "addCategoryButton")->click();
        EXPECT_TRUE(answer->result()) << name.toStdString();
    }
    // The catalogue opened by its command; the flow runs with it on screen and closes it with "退出".
    template <typename Flow> void withCatalogue(Flow flow)
    {
        const auto answer = test::answerNextModal<gui::TspxxForm>(
            [&](gui::TspxxForm* form) {
                flow(form);
                in<QPushButton>(form, "exitButton")->click();
            },
            {}, kWholeFlow);
        run("goodsCatalogue");
        EXPECT_TRUE(answer->result());
    }
};

TEST_F(GoodsCatalogueWindow, OnlyOperatorsWithTheRightOpenIt)
{
    ASSERT_FALSE(security::addOperator(context().command(),
                                       {QStringLiteral("xw"), QStringLiteral("1111"), QStringLiteral("1111")})
                     .refused());
    context().setCurrentOperator(QStringLiteral("xw"));
    run("goodsCatalogue");
    EXPECT_EQ(messages.texts, QStringList{s(u"对不起，您无权进行商品基本信息操作！")});
    EXPECT_FALSE(registry().hasWindow<gui::TspxxForm>()) << "nothing opens";
}

TEST_F(GoodsCatalogueWindow, NestedCategoriesAndAnItemWithOpeningStock)
{
    withCatalogue([&](gui::TspxxForm* form) {
        EXPECT_EQ(form->windowTitle(), s(u"商品基本信息"));
        gui::DataGrid* grid = form->grid();
        const ResultSet& rows = grid->result();
        EXPECT_EQ(grid->columnWidth(rows.columnIndex(s(u"商品编号"))), 70);
        EXPECT_EQ(grid->columnWidth(rows.columnIndex(s(u"备注"))), 122);
        for (const char16_t* hidden :
             {u"商品类别", u"是否计库存", u"销售总数", u"是否兑换", u"兑换积分", u"人工服务", u"父结点"})
            EXPECT_TRUE(grid->isColumnHidden(rows.columnIndex(s(hidden)))) << s(hidden).toStdString();
        EXPECT_EQ(shownCodes(form), QStringList{QStringLiteral("000000")});

        gui::ParentTree* tree = form->categoryTree();
        in<QPushButton>(form, "addCategoryButton")->click();
        EXPECT_TRUE(messages.texts.isEmpty()) << "no category chosen yet: nothing happens";

        click(tree, tree->root());
        const auto blankFirst = test::answerNextModal<gui::TeditlbForm>([&](gui::TeditlbForm* dialog) {
            in<QPushButton>(dialog, "okButton")->click();
            EXPECT_TRUE(dialog->isVisible()) << "a blank name keeps the dialog open";
            EXPECT_EQ(messages.texts, QStringList{s(u"类别名称不能为空！")});
            in<QLineEdit>(dialog, "categoryNameEdit")->setText(s(u"服装"));
            in<QPushButton>(dialog, "okButton")->click();
        });
        in<QPushButton>(form, "addCategoryButton")->click();
        ASSERT_TRUE(blankFirst->result());
        addCategoryUnder(form, child(tree->root(), s(u"服装")), s(u"道服"));
        addCategoryUnder(form, child(child(tree->root(), s(u"服装")), s(u"道服")), s(u"儿童道服"));
        QTreeWidgetItem* kids = child(child(child(tree->root(), s(u"服装")), s(u"道服")), s(u"儿童道服"));
        ASSERT_NE(kids, nullptr) << "three levels in the tree";

        const ResultSet stored = dm().list(s(u"select * from [商品类别] order by [编号]"));
        ASSERT_EQ(stored.rowCount(), 3);
        EXPECT_EQ(stored.value(0, s(u"父结点")).toInt(), 0);
        EXPECT_EQ(stored.value(1, s(u"父结点")).toInt(), stored.value(0, s(u"编号")).toInt());
        EXPECT_EQ(stored.value(2, s(u"父结点")).toInt(), stored.value(1, s(u"编号")).toInt());
        EXPECT_EQ(gui::ParentTree::idOf(kids), stored.value(2, s(u"编号")).toInt());

        const auto entry = test::answerNextModal<gui::TspxxlrForm>([&](gui::TspxxlrForm* dialog) {
            EXPECT_FALSE(dialog->isEditing());
            EXPECT_FALSE(in<QLineEdit>(dialog, "quantityEdit")->isEnabled());
            EXPECT_FALSE(in<QLineEdit>(dialog, "pointsEdit")->isEnabled());
            in<QToolButton>(dialog, "pickCategoryButton")->click();
            ASSERT_TRUE(dialog->pickerPanel()->isVisible());
            gui::ParentTree* picker = dialog->pickerTree();
            QTreeWidgetItem* clothes = child(child(picker->root(), s(u"服装")), s(u"道服"));
            ASSERT_NE(clothes, nullptr);
            picker->setCurrentItem(clothes);
            in<QPushButton>(dialog, "pickerOkButton")->click();
            EXPECT_TRUE(dialog->pickerPanel()->isVisible()) << "a category with children is not taken";
            EXPECT_TRUE(in<QLineEdit>(dialog, "categoryEdit")->text().isEmpty());
            QTreeWidgetItem* leaf = child(clothes, s(u"儿童道服"));
            ASSERT_NE(leaf, nullptr);
            click(picker, leaf);
            // The offscreen platform delivers no double-click of its own; the tree's signal stands in for it.
            Q_EMIT picker->itemDoubleClicked(leaf, 0);
            EXPECT_FALSE(dialog->pickerPanel()->isVisible()) << "a double-click takes the leaf";
            EXPECT_EQ(in<QLineEdit>(dialog, "categoryEdit")->text(), s(u"儿童道服"));

            in<QLineEdit>(dialog, "codeEdit")->setText(QStringLiteral("D01"));
            in<QLineEdit>(dialog, "nameEdit")->setText(s(u"儿童道服S"));
            in<QComboBox>(dialog, "unitCombo")->setEditText(s(u"套"));
            in<QLineEdit>(dialog, "purchasePriceEdit")->setText(QStringLiteral("2.50"));
            in<QLineEdit>(dialog, "salePriceEdit")->setText(QStringLiteral("5"));
            in<QCheckBox>(dialog, "countedCheck")->click();
            auto* quantity = in<QLineEdit>(dialog, "quantityEdit");
            EXPECT_TRUE(quantity->isEnabled());
            quantity->clear();
            QTest::keyClicks(quantity, QStringLiteral("4-"));
            EXPECT_EQ(quantity->text(), QStringLiteral("4")) << "the stock field takes digits and a point";
            in<QPushButton>(dialog, "okButton")->click();
        });
        in<QPushButton>(form, "addButton")->click();
        ASSERT_TRUE(entry->result());

        EXPECT_EQ(shownCodes(form), QStringList())
            << "the list is read again under the filter in force: 道服, clicked while it was a leaf";
        const ResultSet item = dm().list(s(u"select * from [商品信息] where [商品编号]='D01'"));
        ASSERT_EQ(item.rowCount(), 1);
        EXPECT_EQ(item.first(s(u"商品类别")).toText(), s(u"儿童道服"));
        EXPECT_EQ(item.first(s(u"父结点")).toInt(), gui::ParentTree::idOf(kids));
        EXPECT_DOUBLE_EQ(item.first(s(u"数量")).toDouble(), 4.0);
        const ResultSet ledger = dm().list(s(u"select * from [商品进退单]"));
        ASSERT_EQ(ledger.rowCount(), 1);
        EXPECT_EQ(ledger.first(s(u"状态说明")).toText(), s(u"采购进货"));
        EXPECT_EQ(ledger.first(s(u"总金额")).toMoney(), Money::fromYuan(10));
        EXPECT_EQ(ledger.first(s(u"操作员")).toText(), s(u"超级用户"));

        click(tree, kids);
        EXPECT_EQ(shownCodes(form), QStringList{QStringLiteral("D01")}) << "a leaf shows its items";
        click(tree, kids->parent());
        EXPECT_EQ(shownCodes(form), QStringList{QStringLiteral("D01")}) << "a parent leaves the list alone";
        click(tree, tree->root());
        EXPECT_EQ(shownCodes(form).size(), 2) << "the root shows everything";

        auto* search = in<QLineEdit>(form, "categorySearchEdit");
        search->setText(s(u"类别"));
        QTest::keyClick(search, Qt::Key_Return);
        EXPECT_EQ(tree->currentItem(), tree->root());
        EXPECT_EQ(shownCodes(form), QStringList{QStringLiteral("000000")}) << "the root's own id, 0";
        search->setText(s(u"道服"));
        QTest::keyClick(search, Qt::Key_Return);
        EXPECT_EQ(tree->currentItem(), kids->parent()) << "the first match from the top";
        EXPECT_EQ(shownCodes(form), QStringList()) << "filtered on 道服 itself, though it has children";

        messages.answer({true, true});
        in<QPushButton>(form, "deleteCategoryButton")->click();
        click(tree, kids);
        in<QLineEdit>(form, "goodsSearchEdit")->setText(QStringLiteral("no such item"));
        in<QPushButton>(form, "searchButton")->click();
        ASSERT_EQ(shownCodes(form), QStringList()) << "the category's item is filtered out";
        in<QPushButton>(form, "deleteCategoryButton")->click();
        EXPECT_EQ(messages.texts.mid(1),
                  (QStringList{s(u"该类别将会被删除，确认吗？"), s(u"该类别下有子类别，不能删除！"),
                               s(u"该类别将会被删除，确认吗？"), s(u"该类别下有货品信息，不能删除！")}));
        EXPECT_EQ(dm().list(s(u"select count(*) as [n] from [商品类别]")).first(QStringLiteral("n")).toInt(), 3);
    });
}

TEST_F(GoodsCatalogueWindow, ThePrintedListHoldsTheFilteredRowsOnA4)
{
    const qint64 pads = *goods::addCategory(context().command(), goods::kRootCategory, s(u"护具"));
    for (const auto& [code, name] :
         {std::pair{u"H01", u"护头"}, std::pair{u"H02", u"护手"}, std::pair{u"H03", u"护腿"}}) {
        goods::ItemEntry input;
        input.categoryId = pads;
        input.categoryName = s(u"护具");
        input.code = s(code);
        input.name = s(name);
        input.unit = s(u"个");
        input.purchasePrice = QStringLiteral("30");
        input.salePrice = QStringLiteral("45.5");
        ASSERT_TRUE(goods::saveItem(context().command(), input).ok());
    }
    withCatalogue([&](gui::TspxxForm* form) {
        EXPECT_EQ(shownCodes(form).size(), 4);
        in<QLineEdit>(form, "goodsSearchEdit")->setText(s(u"护头"));
        in<QPushButton>(form, "searchButton")->click();
        EXPECT_EQ(shownCodes(form), QStringList{QStringLiteral("H01")});

        form->grid()->selectRow(0);
        messages.answer({false});
        in<QPushButton>(form, "deleteButton")->click();
        EXPECT_EQ(messages.texts, QStringList{s(u"是否要删除当前记录？")});
        in<QPushButton>(form, "printButton")->click();
    });
    EXPECT_EQ(dm().list(s(u"select count(*) as [n] from [商品信息]")).first(QStringLiteral("n")).toInt(), 4)
        << "the delete was cancelled";

    gui::TmypreviewForm* preview = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<gui::TmypreviewForm*>(w))
            preview = p;
    ASSERT_NE(preview, nullptr) << "打印 opens the preview";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("goods.pdf"));
    ASSERT_TRUE(preview->renderer().renderToPdf(path));
    test::PdfText pdf(path);
    ASSERT_EQ(pdf.pageCount(), 1);
    EXPECT_NEAR(pdf.pageSizeMm().width(), 210, 1) << "A4 upright";
    EXPECT_NEAR(pdf.pageSizeMm().height(), 297, 1);
    for (const char16_t* expected : {u"商品信息列表", u"商品编号", u"商品名称", u"单位", u"预设进价", u"预售单价",
                                     u"数量", u"H01", u"护头", u"30.00", u"45.50"})
        EXPECT_TRUE(pdf.shows(s(expected))) << s(expected).toStdString() << " in " << pdf.text().toStdString();
    for (const char16_t* filteredOut : {u"H02", u"护手", u"H03", u"000000", u"积分换会籍"})
        EXPECT_FALSE(pdf.shows(s(filteredOut))) << s(filteredOut).toStdString();
}

TEST_F(GoodsCatalogueWindow, ModifyingAnItemLeavesItsCodeAndStock)
{
    goods::ItemEntry input;
    input.categoryId = goods::kRootCategory;
    input.categoryName = goods::kAllCategories;
    input.code = QStringLiteral("W01");
    input.name = s(u"矿泉水");
    input.unit = s(u"瓶");
    input.purchasePrice = QStringLiteral("1.2345");
    input.salePrice = QStringLiteral("3");
    input.counted = true;
    input.quantity = QStringLiteral("4");
    ASSERT_TRUE(goods::saveItem(context().command(), input).ok());
    dm().change(s(u"update [商品信息] set [数量]=-3.5 where [商品编号]='W01'"));

    withCatalogue([&](gui::TspxxForm* form) {
        ASSERT_EQ(shownCodes(form), (QStringList{QStringLiteral("000000"), QStringLiteral("W01")}));
        form->grid()->selectRow(1);
        const auto entry = test::answerNextModal<gui::TspxxlrForm>([&](gui::TspxxlrForm* dialog) {
            EXPECT_TRUE(dialog->isEditing());
            auto* quantity = in<QLineEdit>(dialog, "quantityEdit");
            EXPECT_FALSE(in<QLineEdit>(dialog, "codeEdit")->isEnabled());
            EXPECT_FALSE(quantity->isEnabled());
            EXPECT_EQ(quantity->text(), QStringLiteral("-3.5"));
            EXPECT_EQ(in<QLineEdit>(dialog, "purchasePriceEdit")->text(), QStringLiteral("1.2345"));
            EXPECT_EQ(in<QLineEdit>(dialog, "categoryEdit")->text(), s(u"所有类别"));
            auto* counted = in<QCheckBox>(dialog, "countedCheck");
            EXPECT_TRUE(counted->isChecked());
            counted->click();
            counted->click();
            EXPECT_FALSE(quantity->isEnabled()) << "stock is not typed when modifying";
            EXPECT_EQ(quantity->text(), QStringLiteral("-3.5"));
            auto* points = in<QLineEdit>(dialog, "pointsEdit");
            EXPECT_FALSE(points->isEnabled());
            in<QCheckBox>(dialog, "exchangeableCheck")->click();
            EXPECT_TRUE(points->isEnabled());
            points->setText(QStringLiteral("99999999999"));
            in<QPushButton>(dialog, "okButton")->click();
            EXPECT_EQ(messages.texts, QStringList{s(u"请输入正确的兑换积分！")});
            EXPECT_EQ(dialog->focusWidget(), points) << "the refused field takes the focus";
            points->setText(QStringLiteral("20"));
            in<QLineEdit>(dialog, "salePriceEdit")->setText(QStringLiteral("3.5"));
            in<QPushButton>(dialog, "okButton")->click();
        });
        // A double-click on the row is "修改"; the offscreen platform needs the view's signal for it.
        Q_EMIT form->grid()->doubleClicked(form->grid()->model()->index(1, 0));
        ASSERT_TRUE(entry->result());
        EXPECT_EQ(form->grid()->value(1, s(u"预售单价")).toMoney(), Money::fromUnits(35000));
    });
    const ResultSet item = dm().list(s(u"select * from [商品信息] where [商品编号]='W01'"));
    EXPECT_DOUBLE_EQ(item.first(s(u"数量")).toDouble(), -3.5) << "a price change leaves the stock";
    EXPECT_EQ(item.first(s(u"兑换积分")).toInt(), 20);
    EXPECT_EQ(item.first(s(u"预设进价")).toMoney(), Money::fromUnits(12345)) << "shown and saved with its decimals";
}

TEST_F(GoodsCatalogueWindow, TheSystemItemRefusesChangeAndDelete)
{
    withCatalogue([&](gui::TspxxForm* form) {
        ASSERT_EQ(shownCodes(form), QStringList{QStringLiteral("000000")});
        form->grid()->selectRow(0);
        in<QPushButton>(form, "editButton")->click();
        in<QPushButton>(form, "deleteButton")->click();
        EXPECT_EQ(messages.texts, (QStringList{s(u"该商品为系统默认，不能修改！"), s(u"该商品为系统默认，不能删除！")}))
            << "no dialog and no delete question";
        EXPECT_EQ(messages.icons,
                  (std::vector<gui::MessageIcon>{gui::MessageIcon::Warning, gui::MessageIcon::Warning}));
        EXPECT_FALSE(form->entryForm()->isVisible());
    });
}

} // namespace
