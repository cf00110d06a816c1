#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"
#include "db/Filter.h"
#include "db/TreeShape.h"

#include <QString>
#include <optional>
#include <vector>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::goods {

// The root every category tree starts from; made by the program, never stored.
inline const QString kAllCategories = QStringLiteral("所有类别");
inline constexpr qint64 kRootCategory = 0;

namespace categoryField {
inline const QString name = QStringLiteral("categoryName");
} // namespace categoryField

// The goods categories shaped as the catalogue and the pickers show them: the root "所有类别"
// (id 0), each category the last child of its parent in creation order. A category whose parent
// row comes after it, or is missing, is left out with everything below it.
std::vector<TreeNode> categoryTree(TvelunDMForm& dm);

// The goods list of one category: its items by their 父结点 (0 holds items of no category).
Filter categoryFilter(qint64 categoryId);

// A node of a shown tree, as far as a click on it matters.
struct ClickedNode {
    qint64 id = kRootCategory;
    bool root = false;
    bool hasChildren = false;
};

// What a click on a node does to the goods list: the root shows every item (an empty filter), a
// category without children shows its items, a category with children leaves the list as it is
// (nullopt).
std::optional<Filter> filterForClick(const ClickedNode& node);

// The tree search: the first node from the top, depth first and the root included, whose name
// contains the trimmed text (without regard to case); nullopt for blank text or no match. The
// index is into the nodes.
std::optional<int> findCategory(const std::vector<TreeNode>& nodes, const QString& text);

// Adds a category under the parent (kRootCategory for the top level) and gives its id, the key
// its own insert made. Refuses a blank name ("类别名称不能为空！") and a parent that is gone.
Outcome<qint64> addCategory(const CommandContext& context, qint64 parentId, const QString& name);
// Renames a category. Items keep the category name they were saved with.
Outcome<> renameCategory(const CommandContext& context, qint64 id, const QString& name);
// Deletes a category that has neither child categories nor items in the table, whatever a tree
// or a filtered list happens to show.
Outcome<> removeCategory(const CommandContext& context, qint64 id);

} // namespace tkd::goods
