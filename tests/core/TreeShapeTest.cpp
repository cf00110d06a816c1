#include "db/TreeShape.h"
#include "TestDatabase.h"
#include "db/DbError.h"

#include <gtest/gtest.h>

using namespace tkd;
using tkd::test::s;

namespace {

// The tree written out as "text(child,child(grandchild))", so a whole shape is one comparison.
QString written(const std::vector<TreeNode>& nodes, int index = 0)
{
    const TreeNode& node = nodes.at(static_cast<size_t>(index));
    QStringList children;
    for (int child : node.children)
        children << written(nodes, child);
    return children.isEmpty() ? node.text
                              : node.text + QLatin1Char('(') + children.join(QLatin1Char(',')) + QLatin1Char(')');
}

int depth(const std::vector<TreeNode>& nodes, int index)
{
    int d = 0;
    for (int at = index; nodes.at(static_cast<size_t>(at)).parent >= 0; at = nodes.at(static_cast<size_t>(at)).parent)
        ++d;
    return d;
}

} // namespace

TEST(TreeShape, RowsGoUnderTheirParentsInTableOrderAndOrphansAreDropped)
{
    // Table order is creation order: 6 names a parent created after it, 7 hangs under 6.
    const std::vector<TreeRow> rows{
        {1, 0, s(u"服装")}, {2, 1, s(u"道服")},     {3, 0, s(u"护具")}, {4, 2, s(u"儿童道服")}, {6, 5, s(u"孤儿")},
        {5, 0, s(u"饮料")}, {7, 6, s(u"孤儿之子")}, {8, 1, s(u"腰带")}, {9, 42, s(u"无父")},
    };
    const std::vector<TreeNode> nodes = shapeTree(rows, 0, s(u"所有类别"));
    EXPECT_EQ(written(nodes), s(u"所有类别(服装(道服(儿童道服),腰带),护具,饮料)"));
    ASSERT_EQ(nodes.size(), 7u);
    EXPECT_EQ(nodes.front().id, 0);
    EXPECT_EQ(nodes.front().parent, -1);
    for (size_t i = 1; i < nodes.size(); ++i)
        EXPECT_LT(nodes[i].parent, static_cast<int>(i)) << "a parent comes before its children";
}

TEST(TreeShape, AnyDepthAndAnEmptyTable)
{
    std::vector<TreeRow> chain;
    for (qint64 id = 1; id <= 60; ++id)
        chain.push_back({id, id - 1, QStringLiteral("L%1").arg(id)});
    const std::vector<TreeNode> nodes = shapeTree(chain, 0, s(u"所有类别"));
    ASSERT_EQ(nodes.size(), 61u);
    EXPECT_EQ(nodes.back().text, QStringLiteral("L60"));
    EXPECT_EQ(depth(nodes, 60), 60);

    const std::vector<TreeNode> empty = shapeTree({}, 0, s(u"所有类别"));
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(written(empty), s(u"所有类别"));
    EXPECT_TRUE(empty.front().children.empty()) << "with no categories the root is a leaf";
}

TEST(TreeShape, ReadsTheCategoryTableByColumnName)
{
    test::TestDatabase db;
    for (const auto& [name, parent] :
         std::vector<std::pair<QString, int>>{{s(u"器材"), 0}, {s(u"拳套"), 1}, {s(u"脚靶"), 1}})
        db.dm().change(QStringLiteral("insert into [商品类别] ([类别名称],[父结点]) values(:lbmc,:fjd)"),
                       {{QStringLiteral("lbmc"), name}, {QStringLiteral("fjd"), parent}});
    const ResultSet rows = db.dm().open(QStringLiteral("ADODS_splb"));
    const std::vector<TreeNode> nodes =
        shapeTree(treeRows(rows, s(u"编号"), s(u"父结点"), s(u"类别名称")), 0, s(u"所有类别"));
    EXPECT_EQ(written(nodes), s(u"所有类别(器材(拳套,脚靶))"));
    EXPECT_THROW(treeRows(rows, s(u"编号"), s(u"父节点"), s(u"类别名称")), DbError) << "a misspelt column is an error";
}
