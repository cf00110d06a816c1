#pragma once

#include <QString>
#include <vector>

namespace tkd {

class ResultSet;

// One row of a table that keeps its tree in a parent column (the goods categories: 编号,
// 父结点, 类别名称).
struct TreeRow {
    qint64 id = 0;
    qint64 parent = 0;
    QString text;
};

// A shaped tree, flat: node 0 is the root, and every node comes after its parent, so a
// window can build its items in one pass from the front.
struct TreeNode {
    qint64 id = 0;
    QString text;
    int parent = -1;           // index of the parent node; -1 for the root
    std::vector<int> children; // indexes, in the order the rows came
};

// Places the rows in table order under a root that the program makes (not stored) with the
// given id and text: each row becomes the last child of the node whose id is its parent. A
// row whose parent is not placed yet is dropped with everything below it, as the category
// trees have always shown it: creation order puts a parent before its children. Ids are a
// key; should one repeat, rows attach to the node that was placed first.
std::vector<TreeNode> shapeTree(const std::vector<TreeRow>& rows, qint64 rootId, const QString& rootText);

// The rows of a result, read by column name, in its row order (through its filter).
std::vector<TreeRow> treeRows(const ResultSet& result, const QString& idColumn, const QString& parentColumn,
                              const QString& textColumn);

} // namespace tkd
