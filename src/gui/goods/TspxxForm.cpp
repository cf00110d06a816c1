#include "TspxxForm.h"

#include "TeditlbForm.h"
#include "TspxxlrForm.h"
#include "TspxxreportForm.h"
#include "app/Session.h"
#include "goods/Catalogue.h"
#include "goods/Categories.h"
#include "kit/DataGrid.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"
#include "kit/ParentTree.h"
#include "kit/report/TmypreviewForm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

TspxxForm::TspxxForm(Session& session, QWidget* parent)
    : ListWindow(session, QStringLiteral("spxxForm"), QStringLiteral("商品基本信息"), parent),
      m_entry(new TspxxlrForm(session, this)), m_categoryForm(new TeditlbForm(session, this))
{
    resize(860, 520);
    grid()->setObjectName(QStringLiteral("goodsGrid"));
    grid()->setAccessibleName(QStringLiteral("商品列表"));
    setSource([this] { return goods::catalogue(dm()); });
    setColumns({{QStringLiteral("商品编号"), 70},
                {QStringLiteral("商品名称"), 90},
                {QStringLiteral("单位"), 60},
                {QStringLiteral("预设进价"), 70},
                {QStringLiteral("预售单价"), 70},
                {QStringLiteral("数量"), 70},
                {QStringLiteral("备注"), 122}},
               {QStringLiteral("商品类别"), QStringLiteral("是否计库存"), QStringLiteral("销售总数"),
                QStringLiteral("是否兑换"), QStringLiteral("兑换积分"), QStringLiteral("人工服务"),
                QStringLiteral("父结点")});

    addButton(QStringLiteral("增加"), "addButton", kit::guard(this, [this] { addItem(); }));
    actOnDoubleClick(addButton(QStringLiteral("修改"), "editButton", kit::guard(this, [this] { editItem(); })));
    addButton(QStringLiteral("删除"), "deleteButton", kit::guard(this, [this] { deleteItem(); }));
    addButton(QStringLiteral("打印"), "printButton", kit::guard(this, [this] { print(); }));
    addExitButton();
    addSearch(QStringLiteral("商品编号或名称："), "goodsSearchEdit", {});
    addQueryButton();

    auto* categories = new QGroupBox(QStringLiteral("商品类别"), this);
    categories->setObjectName(QStringLiteral("categoryPanel"));
    auto* pane = new QVBoxLayout(categories);
    m_categorySearch = new QLineEdit(categories);
    m_categorySearch->setObjectName(QStringLiteral("categorySearchEdit"));
    InputMethodFields::markFreeText(m_categorySearch);
    kit::markEnterSubmits(m_categorySearch);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(kit::captionFor(m_categorySearch, QStringLiteral("类别名称："), categories));
    searchRow->addWidget(m_categorySearch, 1);
    pane->addLayout(searchRow);
    m_tree = new ParentTree(categories);
    m_tree->setObjectName(QStringLiteral("categoryTree"));
    m_tree->setAccessibleName(QStringLiteral("商品类别"));
    pane->addWidget(m_tree, 1);
    auto* buttons = new QHBoxLayout;
    connect(kit::pushButton(categories, QStringLiteral("添加类别"), "addCategoryButton", buttons),
            &QPushButton::clicked, this, kit::guard(this, [this] { addCategory(); }));
    connect(kit::pushButton(categories, QStringLiteral("修改类别"), "renameCategoryButton", buttons),
            &QPushButton::clicked, this, kit::guard(this, [this] { renameCategory(); }));
    connect(kit::pushButton(categories, QStringLiteral("删除类别"), "deleteCategoryButton", buttons),
            &QPushButton::clicked, this, kit::guard(this, [this] { deleteCategory(); }));
    pane->addLayout(buttons);
    addLeftPane(categories);

    connect(m_tree, &ParentTree::nodeChosen, this, &TspxxForm::nodeChosen);
    connect(m_categorySearch, &QLineEdit::returnPressed, this, kit::guard(this, [this] { searchTree(); }));
}

void TspxxForm::prepare()
{
    clearQuery();
    m_categorySearch->clear();
    m_selected = nullptr;
    m_tree->setNodes(goods::categoryTree(dm()));
    reload();
}

Filter TspxxForm::queryFilter() const
{
    return goods::catalogueSearch(searchText());
}

void TspxxForm::nodeChosen(QTreeWidgetItem* node)
{
    m_selected = node;
    const std::optional<Filter> filter =
        goods::filterForClick({ParentTree::idOf(node), ParentTree::isRoot(node), node->childCount() > 0});
    if (filter)
        setFilter(*filter);
}

void TspxxForm::searchTree()
{
    const std::vector<TreeNode> nodes = goods::categoryTree(dm());
    const std::optional<int> found = goods::findCategory(nodes, m_categorySearch->text());
    if (!found)
        return;
    const qint64 id = nodes.at(static_cast<size_t>(*found)).id;
    QTreeWidgetItem* node = *found == 0 ? m_tree->root() : m_tree->nodeFor(id);
    if (!node)
        return;
    m_tree->setCurrentItem(node);
    m_tree->scrollToItem(node);
    m_tree->setFocus();
    // The highlighted node is the one the category buttons then act on.
    m_selected = node;
    setFilter(goods::categoryFilter(id));
}

void TspxxForm::addCategory()
{
    if (!m_selected)
        return;
    m_categoryForm->prepareAdd(ParentTree::idOf(m_selected));
    if (m_categoryForm->exec() != QDialog::Accepted)
        return;
    m_tree->addNode(m_selected, m_categoryForm->savedId(), m_categoryForm->savedName());
}

void TspxxForm::renameCategory()
{
    if (!m_selected || ParentTree::isRoot(m_selected))
        return;
    m_categoryForm->prepareRename(ParentTree::idOf(m_selected), m_selected->text(0));
    if (m_categoryForm->exec() != QDialog::Accepted)
        return;
    m_tree->renameNode(m_selected, m_categoryForm->savedName());
}

void TspxxForm::deleteCategory()
{
    if (!m_selected || ParentTree::isRoot(m_selected))
        return;
    if (!Messages::confirm(this, QStringLiteral("该类别将会被删除，确认吗？")))
        return;
    const Outcome<> removed = goods::removeCategory(session().command(), ParentTree::idOf(m_selected));
    if (removed.refused()) {
        Messages::refusal(this, removed.refusal());
        return;
    }
    m_tree->removeNode(m_selected);
    m_selected = nullptr;
}

void TspxxForm::addItem()
{
    m_entry->prepareAdd();
    runEntry(m_entry);
}

void TspxxForm::editItem()
{
    if (!hasCurrentRow())
        return;
    const QString code = current(QStringLiteral("商品编号")).toText();
    if (const MaybeRefusal refusal = goods::refuseItemEdit(dm(), code)) {
        Messages::refusal(this, *refusal);
        // An item deleted meanwhile leaves the list.
        reload();
        return;
    }
    if (m_entry->prepareEdit(code))
        runEntry(m_entry);
}

void TspxxForm::deleteItem()
{
    if (!hasCurrentRow())
        return;
    const QString code = current(QStringLiteral("商品编号")).toText();
    deleteCurrent([this, code] { return goods::removeItem(session().command(), code); },
                  [this, code] { return goods::refuseItemRemoval(dm(), code); });
}

void TspxxForm::print()
{
    TmypreviewForm::open(TspxxreportForm::build(rows()), this);
}

} // namespace tkd::gui
