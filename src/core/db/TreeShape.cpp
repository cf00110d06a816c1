#include "TreeShape.h"

#include "DbError.h"
#include "ResultSet.h"

#include <QHash>

namespace tkd {

namespace {
// A misspelt column must not read as an empty tree.
int column(const ResultSet& result, const QString& name)
{
    const int index = result.columnIndex(name);
    if (index < 0)
        throw DbError(QStringLiteral("结果中没有列 [%1]").arg(name));
    return index;
}
} // namespace

std::vector<TreeNode> shapeTree(const std::vector<TreeRow>& rows, qint64 rootId, const QString& rootText)
{
    std::vector<TreeNode> nodes;
    nodes.reserve(rows.size() + 1);
    nodes.push_back({rootId, rootText, -1, {}});
    QHash<qint64, int> placed;
    placed.insert(rootId, 0);
    for (const TreeRow& row : rows) {
        const auto parent = placed.constFind(row.parent);
        if (parent == placed.constEnd())
            continue;
        const int parentIndex = parent.value();
        const int index = static_cast<int>(nodes.size());
        nodes.push_back({row.id, row.text, parentIndex, {}});
        nodes[static_cast<size_t>(parentIndex)].children.push_back(index);
        if (!placed.contains(row.id))
            placed.insert(row.id, index);
    }
    return nodes;
}

std::vector<TreeRow> treeRows(const ResultSet& result, const QString& idColumn, const QString& parentColumn,
                              const QString& textColumn)
{
    const int id = column(result, idColumn);
    const int parent = column(result, parentColumn);
    const int text = column(result, textColumn);
    std::vector<TreeRow> rows;
    rows.reserve(static_cast<size_t>(result.rowCount()));
    for (int i = 0; i < result.rowCount(); ++i)
        rows.push_back({result.value(i, id).toInt(), result.value(i, parent).toInt(), result.value(i, text).toText()});
    return rows;
}

} // namespace tkd
