#pragma once

#include "db/TreeShape.h"

#include <QTreeWidget>
#include <vector>

namespace tkd::gui {

// A tree over a table with a parent column, of any depth (the goods categories), or a root
// with one level under it (the card types of the member list). The shaping is core's
// shapeTree; this shows it, with closed folders that open when selected.
//
//     m_tree = new ParentTree(this);
//     m_tree->setObjectName(QStringLiteral("categoryTree"));
//     const ResultSet rows = dm.open(QStringLiteral("ADODS_splb"));
//     m_tree->setNodes(shapeTree(treeRows(rows, "编号", "父结点", "类别名称"), 0, QStringLiteral("所有类别")));
//     connect(m_tree, &ParentTree::nodeChosen, this, [this](QTreeWidgetItem* node) {
//         if (ParentTree::isRoot(node)) showAll();
//         else if (node->childCount() == 0) showCategory(ParentTree::idOf(node));
//     });
//
// Nodes added, renamed or removed by the window afterwards (addNode, renameNode, removeNode)
// need no rebuild.
class ParentTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit ParentTree(QWidget* parent = nullptr);

    // Shows the nodes; the root is expanded one level.
    void setNodes(const std::vector<TreeNode>& nodes);

    QTreeWidgetItem* root() const;
    static qint64 idOf(const QTreeWidgetItem* node);
    static bool isRoot(const QTreeWidgetItem* node);
    // The first node, from the top and depth first, carrying the id; null for none.
    QTreeWidgetItem* nodeFor(qint64 id) const;

    // Makes the first node from the top (depth first, the root included) whose text contains
    // the text current and selected and scrolls to it; null when none does.
    QTreeWidgetItem* selectFirstContaining(const QString& text);

    // A new last child of the node; it is scrolled into view.
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, qint64 id, const QString& text);
    void renameNode(QTreeWidgetItem* node, const QString& text);
    // The node and everything under it; never the root.
    void removeNode(QTreeWidgetItem* node);

Q_SIGNALS:
    // A click on a node, or Enter on the current one. A click beside the nodes chooses nothing.
    void nodeChosen(QTreeWidgetItem* node);

private:
    QTreeWidgetItem* makeNode(QTreeWidgetItem* parent, qint64 id, const QString& text);

    QIcon m_folder;
};

} // namespace tkd::gui
