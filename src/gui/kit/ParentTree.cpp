#include "ParentTree.h"

#include <QApplication>
#include <QHeaderView>
#include <QStyle>
#include <QTreeWidgetItemIterator>

namespace tkd::gui {

namespace {
constexpr int kIdRole = Qt::UserRole;
constexpr int kRootRole = Qt::UserRole + 1;
} // namespace

ParentTree::ParentTree(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A closed folder, open while selected, as the category trees have always looked.
    QStyle* style = QApplication::style();
    m_folder.addPixmap(style->standardPixmap(QStyle::SP_DirClosedIcon), QIcon::Normal);
    m_folder.addPixmap(style->standardPixmap(QStyle::SP_DirOpenIcon), QIcon::Selected);
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { Q_EMIT nodeChosen(node); });
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* node) { Q_EMIT nodeChosen(node); });
}

QTreeWidgetItem* ParentTree::makeNode(QTreeWidgetItem* parent, qint64 id, const QString& text)
{
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    node->setText(0, text);
    node->setData(0, kIdRole, id);
    node->setData(0, kRootRole, parent == nullptr);
    node->setIcon(0, m_folder);
    return node;
}

void ParentTree::setNodes(const std::vector<TreeNode>& nodes)
{
    clear();
    if (nodes.empty())
        return;
    // Parents come before their children, so one pass from the front builds the tree.
    std::vector<QTreeWidgetItem*> items;
    items.reserve(nodes.size());
    for (const TreeNode& node : nodes)
        items.push_back(
            makeNode(node.parent < 0 ? nullptr : items.at(static_cast<size_t>(node.parent)), node.id, node.text));
    items.front()->setExpanded(true);
}

QTreeWidgetItem* ParentTree::root() const
{
    return topLevelItemCount() ? topLevelItem(0) : nullptr;
}

qint64 ParentTree::idOf(const QTreeWidgetItem* node)
{
    return node ? node->data(0, kIdRole).toLongLong() : 0;
}

bool ParentTree::isRoot(const QTreeWidgetItem* node)
{
    return node && node->data(0, kRootRole).toBool();
}

QTreeWidgetItem* ParentTree::nodeFor(qint64 id) const
{
    for (QTreeWidgetItemIterator it(const_cast<ParentTree*>(this)); *it; ++it)
        if (idOf(*it) == id)
            return *it;
    return nullptr;
}

QTreeWidgetItem* ParentTree::selectFirstContaining(const QString& text)
{
    if (text.isEmpty())
        return nullptr;
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if (!(*it)->text(0).contains(text, Qt::CaseInsensitive))
            continue;
        setCurrentItem(*it);
        scrollToItem(*it);
        return *it;
    }
    return nullptr;
}

QTreeWidgetItem* ParentTree::addNode(QTreeWidgetItem* parent, qint64 id, const QString& text)
{
    QTreeWidgetItem* node = makeNode(parent, id, text);
    scrollToItem(node);
    return node;
}

void ParentTree::renameNode(QTreeWidgetItem* node, const QString& text)
{
    node->setText(0, text);
}

void ParentTree::removeNode(QTreeWidgetItem* node)
{
    if (!node || isRoot(node))
        return;
    delete node;
}

} // namespace tkd::gui
