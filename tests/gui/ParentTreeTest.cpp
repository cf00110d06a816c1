#include "kit/ParentTree.h"
#include "TestDatabase.h"
#include "app/AppContext.h"
#include "cardtypes/CardTypeTree.h"
#include "cardtypes/CardTypes.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tkd;
using test::s;

namespace {

void clickOn(QTreeWidget* tree, QTreeWidgetItem* node)
{
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
}

QStringList childTexts(const QTreeWidgetItem* node)
{
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i)
        texts << node->child(i)->text(0);
    return texts;
}

} // namespace

TEST(ParentTree, ShowsTheShapeAndFindsTheFirstNodeContainingAText)
{
    gui::ParentTree tree;
    tree.setNodes(shapeTree({{1, 0, s(u"服装")}, {2, 1, s(u"儿童道服")}, {3, 0, s(u"道具")}, {4, 2, s(u"小号道服")}}, 0,
                            s(u"所有类别")));
    QTreeWidgetItem* root = tree.root();
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(gui::ParentTree::isRoot(root));
    EXPECT_TRUE(root->isExpanded());
    EXPECT_FALSE(root->child(0)->isExpanded()) << "only the root is opened";
    EXPECT_EQ(childTexts(root), (QStringList{s(u"服装"), s(u"道具")}));
    EXPECT_EQ(gui::ParentTree::idOf(tree.nodeFor(4)), 4);
    EXPECT_EQ(tree.nodeFor(4)->parent(), tree.nodeFor(2));

    EXPECT_EQ(tree.selectFirstContaining(s(u"道服")), tree.nodeFor(2)) << "depth first: the parent before its child";
    EXPECT_EQ(tree.currentItem(), tree.nodeFor(2));
    EXPECT_EQ(tree.selectFirstContaining(s(u"类")), root) << "the root takes part";
    EXPECT_EQ(tree.selectFirstContaining(s(u"饮料")), nullptr);
    EXPECT_EQ(tree.currentItem(), root) << "no match changes nothing";

    QTreeWidgetItem* added = tree.addNode(tree.nodeFor(3), 5, s(u"脚靶"));
    EXPECT_EQ(childTexts(tree.nodeFor(3)), QStringList{s(u"脚靶")});
    tree.renameNode(added, s(u"手靶"));
    EXPECT_EQ(tree.nodeFor(5)->text(0), s(u"手靶"));
    tree.removeNode(tree.nodeFor(1));
    EXPECT_EQ(tree.nodeFor(4), nullptr) << "a removed node takes its children with it";
    tree.removeNode(root);
    EXPECT_EQ(tree.root(), root) << "the root stays";
}

TEST(CardTypeTree, ClickingATypeNamesItAndTheRootMeansEveryType)
{
    QTemporaryDir folder;
    AppContext context(AppPaths::inFolder(folder.path()),
                       std::make_unique<FixedClock>(QDateTime(QDate(2024, 3, 15), QTime(9, 30))));
    context.openDatabase();
    for (const auto& [code, name] : std::vector<std::pair<QString, QString>>{{QStringLiteral("Y"), s(u"年卡")},
                                                                             {QStringLiteral("M"), s(u"月卡")}}) {
        cardtypes::Input input;
        input.code = code;
        input.name = name;
        ASSERT_FALSE(cardtypes::save(context.command(), input).refused());
    }
    gui::CardTypeTree tree;
    tree.reload(context.velunDMForm());
    tree.resize(200, 200);
    tree.show();
    ASSERT_EQ(tree.root()->text(0), s(u"所有等级"));
    EXPECT_EQ(childTexts(tree.root()), (QStringList{s(u"年卡"), s(u"月卡")}));

    QSignalSpy chosen(&tree, &gui::CardTypeTree::typeChosen);
    clickOn(&tree, tree.root()->child(1));
    clickOn(&tree, tree.root());
    ASSERT_EQ(chosen.count(), 2);
    EXPECT_EQ(chosen.at(0).at(0).toString(), s(u"月卡"));
    EXPECT_TRUE(chosen.at(1).at(0).toString().isEmpty());
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(150, 190));
    EXPECT_EQ(chosen.count(), 2) << "a click beside the nodes chooses nothing";
}
