#pragma once

#include "kit/ParentTree.h"

namespace tkd {
class TvelunDMForm;
}

namespace tkd::gui {

// The tree "会员等级" of the member lists (the member list, the reminders' maintenance tab):
// the root "所有等级" and one node per card type, expanded.
//
//     m_grades = new CardTypeTree(this);
//     addLeftPane(m_grades);                       // in a ListWindow
//     connect(m_grades, &CardTypeTree::typeChosen, this, &TfooForm::filterByType);
//     // opening: m_grades->reload(dm());
class CardTypeTree : public ParentTree {
    Q_OBJECT
public:
    explicit CardTypeTree(QWidget* parent = nullptr);
    void reload(TvelunDMForm& dm);

Q_SIGNALS:
    // The chosen type's name; empty for "所有等级" (every type).
    void typeChosen(const QString& type);
};

} // namespace tkd::gui
