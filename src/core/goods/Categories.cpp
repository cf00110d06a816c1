#include "Categories.h"

#include "data/TvelunDMForm.h"

namespace tkd::goods {

namespace {

bool categoryExists(TvelunDMForm& dm, qint64 id)
{
    return !dm.list(QStringLiteral("select [编号] from [商品类别] where [编号]=:bh"), {{QStringLiteral("bh"), id}})
                .isEmpty();
}

Refusal categoryGone()
{
    return Refusal::warning(QStringLiteral("该类别已不存在！"));
}

} // namespace

std::vector<TreeNode> categoryTree(TvelunDMForm& dm)
{
    // Stored order is creation order, so a parent comes before its children.
    return shapeTree(treeRows(dm.open(QStringLiteral("ADODS_splb")), QStringLiteral("编号"), QStringLiteral("父结点"),
                              QStringLiteral("类别名称")),
                     kRootCategory, kAllCategories);
}

Filter categoryFilter(qint64 categoryId)
{
    return Filter::where(QStringLiteral("父结点"), Match::Equals, categoryId);
}

std::optional<Filter> filterForClick(const ClickedNode& node)
{
    if (node.root)
        return Filter();
    if (node.hasChildren)
        return std::nullopt;
    return categoryFilter(node.id);
}

std::optional<int> findCategory(const std::vector<TreeNode>& nodes, const QString& text)
{
    const QString wanted = text.trimmed();
    if (wanted.isEmpty() || nodes.empty())
        return std::nullopt;
    // From the top as the tree is drawn: a node, then everything under it, then its next sibling.
    std::vector<int> pending{0};
    while (!pending.empty()) {
        const int index = pending.back();
        pending.pop_back();
        const TreeNode& node = nodes.at(static_cast<size_t>(index));
        if (node.text.contains(wanted, Qt::CaseInsensitive))
            return index;
        pending.insert(pending.end(), node.children.rbegin(), node.children.rend());
    }
    return std::nullopt;
}

Outcome<qint64> addCategory(const CommandContext& context, qint64 parentId, const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return Refusal::error(QStringLiteral("类别名称不能为空！"), categoryField::name);
    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    // A category under a parent that is gone would never be shown.
    if (parentId != kRootCategory && !categoryExists(dm, parentId))
        return categoryGone();
    dm.change(QStringLiteral("insert into [商品类别] ([类别名称],[父结点]) values(:lbmc,:fjd)"),
              {{QStringLiteral("lbmc"), trimmed}, {QStringLiteral("fjd"), parentId}});
    const qint64 id = dm.db().lastInsertId();
    tx.commit();
    return id;
}

Outcome<> renameCategory(const CommandContext& context, qint64 id, const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return Refusal::error(QStringLiteral("类别名称不能为空！"), categoryField::name);
    Transaction tx(context.dm.db());
    if (context.dm.change(QStringLiteral("update [商品类别] set [类别名称]=:lbmc where [编号]=:bh"),
                          {{QStringLiteral("lbmc"), trimmed}, {QStringLiteral("bh"), id}}) == 0)
        return categoryGone();
    tx.commit();
    return Done{};
}

Outcome<> removeCategory(const CommandContext& context, qint64 id)
{
    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    // The table, not the tree: a child row the tree leaves out still hangs on this category.
    if (!dm.list(QStringLiteral("select [编号] from [商品类别] where [父结点]=:fjd"), {{QStringLiteral("fjd"), id}})
             .isEmpty())
        return Refusal::error(QStringLiteral("该类别下有子类别，不能删除！"));
    if (!dm.list(QStringLiteral("select [商品名称] from [商品信息] where [父结点]=:fjd"), {{QStringLiteral("fjd"), id}})
             .isEmpty())
        return Refusal::error(QStringLiteral("该类别下有货品信息，不能删除！"));
    if (dm.change(QStringLiteral("delete from [商品类别] where [编号]=:bh"), {{QStringLiteral("bh"), id}}) == 0)
        return categoryGone();
    tx.commit();
    return Done{};
}

} // namespace tkd::goods
