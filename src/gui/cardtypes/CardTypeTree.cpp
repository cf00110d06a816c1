#include "CardTypeTree.h"

#include "cardtypes/CardTypes.h"

namespace tkd::gui {

CardTypeTree::CardTypeTree(QWidget* parent) : ParentTree(parent)
{
    setObjectName(QStringLiteral("cardTypeTree"));
    setAccessibleName(QStringLiteral("会员等级"));
    connect(this, &ParentTree::nodeChosen, this,
            [this](QTreeWidgetItem* node) { Q_EMIT typeChosen(isRoot(node) ? QString() : node->text(0)); });
}

void CardTypeTree::reload(TvelunDMForm& dm)
{
    setNodes(cardtypes::gradeTree(dm));
}

} // namespace tkd::gui
