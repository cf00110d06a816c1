#include "kit/DataGrid.h"
#include "db/DbError.h"
#include "kit/GridDelegate.h"
#include "kit/ResultTableModel.h"

#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace tkd;
using tkd::gui::DataGrid;
using tkd::gui::GridDelegate;
using tkd::gui::ResultTableModel;

namespace {

ResultSet members()
{
    return ResultSet({QStringLiteral("卡号"), QStringLiteral("姓名"), QStringLiteral("余额"), QStringLiteral("可用"),
                      QStringLiteral("次数")},
                     {ColumnType::Text, ColumnType::Text, ColumnType::Money, ColumnType::YesNo, ColumnType::Integer},
                     {
                         {u"A001", u"张伟", Money::fromUnits(125000), true, 3},
                         {u"A002", u"李娜", 3.1, false, 0},
                         {u"B003", u"王芳", Value(), Value(), 7},
                         {u"B004", u"刘洋", Money::fromYuan(8), true, 1},
                     });
}

// The same rows with the columns in another order, as another select of the list gives them.
ResultSet membersReordered()
{
    return ResultSet({QStringLiteral("可用"), QStringLiteral("余额"), QStringLiteral("姓名"), QStringLiteral("卡号")},
                     {ColumnType::YesNo, ColumnType::Money, ColumnType::Text, ColumnType::Text},
                     {{true, Money::fromYuan(1), u"张伟", u"A001"}, {false, Money::fromYuan(2), u"李娜", u"A002"}});
}

QString shown(const ResultTableModel& model, int row, int column)
{
    return model.data(model.index(row, column)).toString();
}

TEST(DataGridModel, ShowsMoneyWithTwoDecimalsAndYesNoAsCheckBoxes)
{
    ResultTableModel model;
    model.setResult(members());
    ASSERT_EQ(model.rowCount(), 4);
    ASSERT_EQ(model.columnCount(), 5);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("姓名"));

    EXPECT_EQ(shown(model, 0, 2), QStringLiteral("12.50"));
    EXPECT_EQ(shown(model, 1, 2), QStringLiteral("3.10")) << "a plain number in a money column is money too";
    EXPECT_EQ(shown(model, 2, 2), QString()) << "Null money shows nothing, not 0.00";
    EXPECT_EQ(shown(model, 3, 2), QStringLiteral("8.00"));
    EXPECT_EQ(shown(model, 0, 4), QStringLiteral("3"));

    const auto check = [&](int row) { return model.data(model.index(row, 3), Qt::CheckStateRole); };
    EXPECT_EQ(check(0).value<Qt::CheckState>(), Qt::Checked);
    EXPECT_EQ(check(1).value<Qt::CheckState>(), Qt::Unchecked);
    EXPECT_EQ(check(2).value<Qt::CheckState>(), Qt::Unchecked);
    EXPECT_FALSE(model.data(model.index(0, 3)).isValid()) << "a yes/no cell shows no -1 or 0";
    EXPECT_FALSE(model.data(model.index(0, 2), Qt::CheckStateRole).isValid()) << "only yes/no cells have a check box";
    EXPECT_FALSE(model.flags(model.index(0, 3)).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(model.flags(model.index(0, 3)).testFlag(Qt::ItemIsUserCheckable));
}

TEST(DataGridModel, FilteredResultShowsOnlyTheVisibleRows)
{
    ResultSet result = members();
    result.setFilter(Filter::where(QStringLiteral("卡号"), Match::StartsWith, QStringLiteral("B")));
    ResultTableModel model;
    model.setResult(result);
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(shown(model, 0, 1), QStringLiteral("王芳"));
    EXPECT_EQ(model.value(1, QStringLiteral("姓名")).toText(), QStringLiteral("刘洋"));

    result.clearFilter();
    EXPECT_EQ(model.rowCount(), 2) << "the model holds its own copy";
}

class DataGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.resize(600, 300);
        grid.setResult(members());
        grid.show();
    }
    int column(const QString& name) const { return grid.resultModel()->columnIndex(name); }
    QRect cell(int row, const QString& name) const
    {
        return grid.visualRect(grid.resultModel()->index(row, column(name)));
    }
    DataGrid grid;
};

TEST_F(DataGridTest, ColumnLayoutFollowsTheNamesAcrossRefreshes)
{
    grid.setColumnWidths({{QStringLiteral("姓名"), 150}, {QStringLiteral("卡号"), 70}});
    grid.hideColumn(QStringLiteral("余额"));
    EXPECT_EQ(grid.columnWidth(column(QStringLiteral("姓名"))), 150);
    EXPECT_EQ(grid.columnWidth(column(QStringLiteral("卡号"))), 70);
    EXPECT_TRUE(grid.isColumnHidden(column(QStringLiteral("余额"))));
    EXPECT_FALSE(grid.isColumnHidden(column(QStringLiteral("可用"))));

    grid.setColumnWidth(column(QStringLiteral("可用")), 40);
    grid.setResult(membersReordered());
    ASSERT_EQ(column(QStringLiteral("姓名")), 2);
    EXPECT_EQ(grid.columnWidth(2), 150);
    EXPECT_EQ(grid.columnWidth(column(QStringLiteral("卡号"))), 70);
    EXPECT_EQ(grid.columnWidth(column(QStringLiteral("可用"))), 40) << "widths set by position are kept by name too";
    EXPECT_TRUE(grid.isColumnHidden(column(QStringLiteral("余额"))));
    EXPECT_FALSE(grid.isColumnHidden(2)) << "the hidden column moved, the hiding went with it";

    grid.showColumn(QStringLiteral("余额"));
    EXPECT_FALSE(grid.isColumnHidden(column(QStringLiteral("余额"))));
}

TEST(DataGridLayout, LayoutSetBeforeTheFirstResultAppliesWhenItArrives)
{
    DataGrid grid;
    grid.setColumnWidth(QStringLiteral("[姓名]"), 123);
    grid.hideColumn(QStringLiteral("卡号"));
    grid.setResult(members());
    EXPECT_EQ(grid.columnWidth(1), 123);
    EXPECT_TRUE(grid.isColumnHidden(0));
    EXPECT_EQ(grid.currentRowIndex(), 0) << "a fresh grid starts on the first row";
    EXPECT_EQ(grid.currentValue(QStringLiteral("姓名")).toText(), QStringLiteral("张伟"));
}

TEST_F(DataGridTest, SelectedRowIsGreenWithRedTextAndOtherCellsHaveOrangeEdges)
{
    grid.selectRow(1);
    const QImage image = grid.viewport()->grab().toImage();
    const QRect selected = cell(1, QStringLiteral("姓名"));
    ASSERT_TRUE(image.rect().contains(selected));
    EXPECT_EQ(image.pixelColor(selected.left() + 1, selected.top() + 1), GridDelegate::selectedFillColor());
    EXPECT_EQ(image.pixelColor(selected.right(), selected.center().y()), GridDelegate::selectedFillColor())
        << "a selected cell has no grid line";
    bool redText = false;
    for (int x = selected.left(); x <= selected.right(); ++x)
        for (int y = selected.top(); y <= selected.bottom(); ++y)
            redText = redText || image.pixelColor(x, y).red() > image.pixelColor(x, y).green();
    EXPECT_TRUE(redText) << "the selected row's text is red";

    const QRect plain = cell(2, QStringLiteral("卡号"));
    EXPECT_EQ(image.pixelColor(plain.right(), plain.center().y()), GridDelegate::gridLineColor());
    EXPECT_EQ(image.pixelColor(plain.center().x(), plain.bottom()), GridDelegate::gridLineColor());
    EXPECT_NE(image.pixelColor(plain.left() + 1, plain.top() + 1), GridDelegate::selectedFillColor());
    EXPECT_NE(image.pixelColor(plain.left() + 1, plain.top() + 1), GridDelegate::gridLineColor());
}

TEST_F(DataGridTest, CheckBoxIsCentredInItsCell)
{
    const QImage image = grid.viewport()->grab().toImage();
    // Inside the grid lines, everything that is not background belongs to the check box.
    const QRect inner = cell(2, QStringLiteral("可用")).adjusted(0, 0, -1, -1);
    const QColor background = image.pixelColor(inner.topLeft());
    QRect drawn;
    for (int x = inner.left(); x <= inner.right(); ++x)
        for (int y = inner.top(); y <= inner.bottom(); ++y)
            if (image.pixelColor(x, y) != background)
                drawn |= QRect(x, y, 1, 1);
    ASSERT_FALSE(drawn.isEmpty()) << "an unchecked box is drawn too";
    EXPECT_NEAR(drawn.center().x(), inner.center().x(), 2);
    EXPECT_NEAR(drawn.center().y(), inner.center().y(), 2);
}

TEST_F(DataGridTest, ClickingACellReportsItsRowAndColumnName)
{
    QSignalSpy rows(&grid, &DataGrid::rowClicked);
    QSignalSpy cells(&grid, &DataGrid::cellClicked);
    QSignalSpy current(&grid, &DataGrid::currentRowChanged);
    QSignalSpy doubles(&grid, &DataGrid::rowDoubleClicked);

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell(2, QStringLiteral("姓名")).center());
    ASSERT_EQ(rows.count(), 1);
    EXPECT_EQ(rows.at(0).at(0).toInt(), 2);
    ASSERT_EQ(cells.count(), 1);
    EXPECT_EQ(cells.at(0).at(0).toInt(), 2);
    EXPECT_EQ(cells.at(0).at(1).toString(), QStringLiteral("姓名"));
    ASSERT_EQ(current.count(), 1);
    EXPECT_EQ(current.at(0).at(0).toInt(), 2);
    EXPECT_EQ(grid.currentRowIndex(), 2);
    EXPECT_EQ(grid.selectionModel()->selectedRows().size(), 1) << "the whole row, alone, is selected";
    EXPECT_EQ(grid.currentValue(QStringLiteral("卡号")).toText(), QStringLiteral("B003"));

    // The offscreen platform delivers no double-click of its own; the view's signal stands in for it.
    const int balance = grid.result().columnIndex(QStringLiteral("余额"));
    grid.selectRow(3);
    Q_EMIT grid.doubleClicked(grid.model()->index(3, balance));
    ASSERT_GE(doubles.count(), 1);
    EXPECT_EQ(doubles.last().at(0).toInt(), 3);
    EXPECT_EQ(grid.currentRowIndex(), 3);
    EXPECT_EQ(grid.findChild<QLineEdit*>(), nullptr) << "double-click opens no editor";
}

TEST_F(DataGridTest, RefreshWithKeepRowKeepsTheCurrentRow)
{
    grid.selectRow(2);
    QSignalSpy current(&grid, &DataGrid::currentRowChanged);
    grid.setResult(members(), DataGrid::KeepRow);
    EXPECT_EQ(grid.currentRowIndex(), 2);
    EXPECT_EQ(grid.selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(current.count(), 0) << "the row did not change";

    ResultSet shorter = members();
    shorter.setFilter(Filter::where(QStringLiteral("卡号"), Match::StartsWith, QStringLiteral("A")));
    grid.setResult(shorter, DataGrid::KeepRow);
    EXPECT_EQ(grid.currentRowIndex(), 1) << "past the end it stays on the last row";
    EXPECT_EQ(grid.currentValue(QStringLiteral("姓名")).toText(), QStringLiteral("李娜"));

    shorter.setFilter(Filter::where(QStringLiteral("卡号"), Match::Equals, QStringLiteral("无")));
    grid.setResult(shorter, DataGrid::KeepRow);
    EXPECT_EQ(grid.currentRowIndex(), -1);
    ASSERT_FALSE(current.isEmpty());
    EXPECT_EQ(current.last().at(0).toInt(), -1);
    EXPECT_TRUE(grid.currentValue(QStringLiteral("姓名")).isNull());
    EXPECT_THROW(grid.currentValue(QStringLiteral("姓")), DbError) << "a misspelt name never reads as Null";
}

// Another member's history: the previous member's row number means nothing for it.
TEST_F(DataGridTest, RefillStartsOnTheFirstRow)
{
    grid.resize(600, 80);
    grid.selectRow(3);
    ASSERT_GT(grid.verticalScrollBar()->value(), 0) << "the last row is scrolled into a short grid";
    QSignalSpy current(&grid, &DataGrid::currentRowChanged);

    grid.setResult(membersReordered());
    EXPECT_EQ(grid.currentRowIndex(), 0);
    EXPECT_EQ(grid.currentValue(QStringLiteral("卡号")).toText(), QStringLiteral("A001"));
    EXPECT_EQ(grid.selectionModel()->selectedRows().size(), 1);
    ASSERT_FALSE(current.isEmpty());
    EXPECT_EQ(current.last().at(0).toInt(), 0);
    EXPECT_EQ(grid.verticalScrollBar()->value(), 0) << "the first row is in sight";

    grid.selectRow(1);
    grid.setResult(members());
    EXPECT_EQ(grid.currentRowIndex(), 0) << "a longer result starts on its first row too";

    grid.setResult(ResultSet());
    EXPECT_EQ(grid.currentRowIndex(), -1) << "nothing to show, no current row";
    grid.setResult(members(), DataGrid::KeepRow);
    EXPECT_EQ(grid.currentRowIndex(), 0) << "keeping a row there was none of starts on the first";
}

TEST_F(DataGridTest, SelectRowOutOfRangeClearsTheCurrentRow)
{
    grid.selectRow(3);
    EXPECT_EQ(grid.currentRowIndex(), 3);
    grid.selectRow(4);
    EXPECT_EQ(grid.currentRowIndex(), -1);
    EXPECT_TRUE(grid.selectionModel()->selectedRows().isEmpty());
}

} // namespace
