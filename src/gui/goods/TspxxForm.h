#pragma once

#include "kit/ListWindow.h"

class QLineEdit;
class QTreeWidgetItem;

namespace tkd::gui {

class ParentTree;
class TeditlbForm;
class TspxxlrForm;

// "商品基本信息": the category tree beside the goods list. A click on the root shows every item, on a
// category without children its items; the tree search and the text search filter the list too.
class TspxxForm : public ListWindow {
    Q_OBJECT
public:
    explicit TspxxForm(Session& session, QWidget* parent = nullptr);
    // Reads the list and the tree again, empties both searches; no category is selected.
    void prepare();

    ParentTree* categoryTree() const { return m_tree; }
    TspxxlrForm* entryForm() const { return m_entry; }
    TeditlbForm* categoryForm() const { return m_categoryForm; }
    // The node the category buttons act on; null when none was chosen since the window opened.
    QTreeWidgetItem* selectedCategory() const { return m_selected; }

protected:
    // The code or name containing the typed text; replaces a category filter.
    Filter queryFilter() const override;

private:
    void nodeChosen(QTreeWidgetItem* node);
    void searchTree();
    void addCategory();
    void renameCategory();
    void deleteCategory();
    void addItem();
    void editItem();
    void deleteItem();
    void print();

    ParentTree* m_tree;
    QLineEdit* m_categorySearch;
    QTreeWidgetItem* m_selected = nullptr;
    TspxxlrForm* m_entry;
    TeditlbForm* m_categoryForm;
};

} // namespace tkd::gui
