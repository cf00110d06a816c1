#include "StockEntryForm.h"

#include "TjhsplrForm.h"
#include "TthsplrForm.h"
#include "app/Session.h"
#include "goods/Categories.h"
#include "kit/DataGrid.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"
#include "kit/ParentTree.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tkd::gui {

namespace purchasing = goods::purchasing;
using purchasing::Direction;

StockEntryForm::StockEntryForm(Session& session, Direction direction, QWidget* parent)
    : QDialog(parent), m_session(session), m_direction(direction)
{
    const bool purchase = direction == Direction::Purchase;
    setObjectName(purchase ? QStringLiteral("spjhForm") : QStringLiteral("spthForm"));
    setWindowTitle(purchase ? QStringLiteral("商品进货") : QStringLiteral("采购退货"));
    m_lineForm =
        purchase ? static_cast<StockLineForm*>(new TjhsplrForm(session, this)) : new TthsplrForm(session, this);

    auto* query = new QGroupBox(QStringLiteral("查询商品列表"), this);
    auto* queryLayout = new QVBoxLayout(query);
    auto* hint = new QLabel(QStringLiteral("请输入商品编号或名称查询商品，查询到商品后添加到右边所选商品"), query);
    hint->setWordWrap(true);
    m_search = new QLineEdit(query);
    m_search->setObjectName(QStringLiteral("goodsSearchEdit"));
    InputMethodFields::markFreeText(m_search);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(kit::captionFor(m_search, QStringLiteral("输入商品编号或名称查询商品："), query));
    searchRow->addWidget(m_search, 1);
    QPushButton* add = kit::pushButton(query, QStringLiteral("加入所选商品"), "addLineButton", searchRow);
    queryLayout->addWidget(hint);
    queryLayout->addLayout(searchRow);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("goodsTabs"));
    m_goodsGrid = new DataGrid(m_tabs);
    m_goodsGrid->setObjectName(QStringLiteral("goodsGrid"));
    m_goodsGrid->setColumnWidths({{QStringLiteral("商品编号"), 80},
                                  {QStringLiteral("商品名称"), 120},
                                  {QStringLiteral("单位"), 50},
                                  {QStringLiteral("参考进价"), 60},
                                  {QStringLiteral("库存数"), 50}});
    m_goodsGrid->hideColumn(QStringLiteral("备注"));
    m_tabs->addTab(m_goodsGrid, QStringLiteral("商品清单"));

    auto* byCategory = new QWidget(m_tabs);
    auto* byCategoryLayout = new QHBoxLayout(byCategory);
    m_tree = new ParentTree(byCategory);
    m_tree->setObjectName(QStringLiteral("categoryTree"));
    m_categoryGrid = new DataGrid(byCategory);
    m_categoryGrid->setObjectName(QStringLiteral("categoryGoodsGrid"));
    m_categoryGrid->hideColumn(QStringLiteral("父结点"));
    m_categoryGrid->setColumnWidths({{QStringLiteral("商品编号"), 60},
                                     {QStringLiteral("商品名称"), 90},
                                     {QStringLiteral("单位"), 40},
                                     {QStringLiteral("参考进价"), 55},
                                     {QStringLiteral("库存数"), 50}});
    m_categoryGrid->hideColumn(QStringLiteral("备注"));
    byCategoryLayout->addWidget(m_tree, 1);
    byCategoryLayout->addWidget(m_categoryGrid, 2);
    m_tabs->addTab(byCategory, QStringLiteral("商品列表"));

    auto* left = new QVBoxLayout;
    left->addWidget(query);
    left->addWidget(m_tabs, 1);

    auto* chosen = new QGroupBox(QStringLiteral("所选商品"), this);
    auto* chosenLayout = new QVBoxLayout(chosen);
    m_lines = new DataGrid(chosen);
    m_lines->setObjectName(QStringLiteral("linesGrid"));
    m_lines->hideColumn(QStringLiteral("序号"));
    m_lines->hideColumn(QStringLiteral("商品编号"));
    m_lines->setColumnWidths({{QStringLiteral("商品名称"), 100},
                              {QStringLiteral("单位"), 40},
                              {QStringLiteral("单价"), 45},
                              {QStringLiteral("数量"), 45},
                              {QStringLiteral("总金额"), 50}});
    chosenLayout->addWidget(m_lines, 1);
    auto* buttons = new QHBoxLayout;
    QPushButton* edit = kit::pushButton(chosen, QStringLiteral("修改"), "editLineButton", buttons);
    QPushButton* remove = kit::pushButton(chosen, QStringLiteral("删除"), "deleteLineButton", buttons);
    QPushButton* ok = kit::pushButton(chosen, QStringLiteral("确定"), "postButton", buttons);
    QPushButton* cancel = kit::pushButton(chosen, QStringLiteral("取消"), "cancelButton", buttons);
    chosenLayout->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addWidget(chosen, 2);
    resize(900, 540);

    connect(m_search, &QLineEdit::textChanged, this, kit::guard(this, [this] { search(); }));
    connect(m_tree, &ParentTree::nodeChosen, this,
            kit::guard(this, [this](QTreeWidgetItem* node) { chooseCategory(node); }));
    connect(add, &QPushButton::clicked, this, kit::guard(this, [this] { addCurrent(); }));
    connect(m_goodsGrid, &DataGrid::rowDoubleClicked, this,
            kit::guard(this, [this](int row) { addFrom(m_goodsGrid, row); }));
    connect(m_categoryGrid, &DataGrid::rowDoubleClicked, this,
            kit::guard(this, [this](int row) { addFrom(m_categoryGrid, row); }));
    connect(edit, &QPushButton::clicked, this, kit::guard(this, [this] { editLine(); }));
    connect(m_lines, &DataGrid::rowDoubleClicked, this, kit::guard(this, [this] { editLine(); }));
    connect(remove, &QPushButton::clicked, this, kit::guard(this, [this] { deleteLine(); }));
    connect(ok, &QPushButton::clicked, this, kit::guard(this, [this] { post(); }));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void StockEntryForm::prepare()
{
    TvelunDMForm& dm = m_session.velunDMForm();
    {
        const QSignalBlocker quiet(m_search);
        m_search->clear();
    }
    m_goods = purchasing::stockList(dm);
    m_goodsGrid->setResult(m_goods);
    m_byCategory = purchasing::stockListByCategory(dm);
    m_categoryGrid->setResult(m_byCategory);
    m_tree->setNodes(goods::categoryTree(dm));
    purchasing::openWorkList(dm);
    showLines(0);
    m_tabs->setCurrentIndex(0);
    m_search->setFocus();
}

void StockEntryForm::done(int result)
{
    m_goods = ResultSet();
    m_byCategory = ResultSet();
    m_goodsGrid->setResult(m_goods);
    m_categoryGrid->setResult(m_byCategory);
    m_lines->setResult(ResultSet());
    QDialog::done(result);
}

void StockEntryForm::search()
{
    const Filter filter = purchasing::searchFilter(m_search->text());
    if (filter.isEmpty())
        m_goods.clearFilter();
    else
        m_goods.setFilter(filter);
    m_goodsGrid->setResult(m_goods);
}

void StockEntryForm::chooseCategory(QTreeWidgetItem* node)
{
    const std::optional<Filter> filter =
        goods::filterForClick({ParentTree::idOf(node), ParentTree::isRoot(node), node->childCount() > 0});
    if (!filter)
        return;
    if (filter->isEmpty())
        m_byCategory.clearFilter();
    else
        m_byCategory.setFilter(*filter);
    m_categoryGrid->setResult(m_byCategory);
}

void StockEntryForm::addCurrent()
{
    DataGrid* list = m_tabs->currentIndex() == 0 ? m_goodsGrid : m_categoryGrid;
    addFrom(list, list->currentRowIndex());
}

void StockEntryForm::addFrom(DataGrid* list, int row)
{
    if (row < 0 || row >= list->result().rowCount())
        return;
    const purchasing::Item item{list->value(row, QStringLiteral("商品编号")).toText(),
                                list->value(row, QStringLiteral("商品名称")).toText(),
                                list->value(row, QStringLiteral("单位")).toText(),
                                goods::Quantity::fromStored(list->value(row, QStringLiteral("库存数")).toDouble()),
                                list->value(row, QStringLiteral("备注")).toText(),
                                list->value(row, QStringLiteral("参考进价")).toMoney()};
    m_lineForm->prepareAdd(item);
    if (m_lineForm->exec() == QDialog::Accepted)
        showLines(m_lineForm->addedLine() - 1);
}

void StockEntryForm::editLine()
{
    const int row = m_lines->currentRowIndex();
    if (row < 0)
        return;
    const purchasing::Item fromLine{m_lines->value(row, QStringLiteral("商品编号")).toText(),
                                    m_lines->value(row, QStringLiteral("商品名称")).toText(),
                                    m_lines->value(row, QStringLiteral("单位")).toText(),
                                    {},
                                    {},
                                    {}};
    m_lineForm->prepareEdit(static_cast<int>(m_lines->value(row, QStringLiteral("序号")).toInt()), fromLine,
                            m_lines->value(row, QStringLiteral("单价")).toMoney(),
                            goods::Quantity::fromStored(m_lines->value(row, QStringLiteral("数量")).toDouble()));
    if (m_lineForm->exec() == QDialog::Accepted)
        showLines(row);
}

void StockEntryForm::deleteLine()
{
    const int row = m_lines->currentRowIndex();
    if (row < 0)
        return;
    if (!Messages::confirmDelete(this))
        return;
    purchasing::deleteLine(m_session.velunDMForm(),
                           static_cast<int>(m_lines->value(row, QStringLiteral("序号")).toInt()));
    showLines(row);
}

void StockEntryForm::post()
{
    const Outcome<int> posted = purchasing::post(m_session.command(), m_direction);
    if (posted.refused()) {
        Messages::refusal(this, posted.refusal());
        return;
    }
    accept();
}

void StockEntryForm::showLines(int current)
{
    m_lines->setResult(purchasing::workList(m_session.velunDMForm()));
    m_lines->selectRow(std::min(current, m_lines->result().rowCount() - 1));
}

} // namespace tkd::gui
