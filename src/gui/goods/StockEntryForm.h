#pragma once

#include "db/ResultSet.h"
#include "goods/Purchasing.h"

#include <QDialog>

class QLineEdit;
class QTabWidget;
class QTreeWidgetItem;

namespace tkd {
class Session;
}

namespace tkd::gui {

class DataGrid;
class ParentTree;
class StockLineForm;

// The purchase or supplier-return window: stock-counted goods on the left (a searched list, and a
// list by category beside the category tree), the work list on the right, posted as a whole by
// "确定". One implementation for both: TspjhForm and TspthForm.
class StockEntryForm : public QDialog {
    Q_OBJECT
public:
    // Reads both goods lists and the category tree, empties the work list, clears the search and
    // shows the first tab, as the command does before showing the window.
    void prepare();

    goods::purchasing::Direction direction() const { return m_direction; }
    StockLineForm* lineForm() const { return m_lineForm; }

protected:
    StockEntryForm(Session& session, goods::purchasing::Direction direction, QWidget* parent);
    // Closing drops the lists; prepare() reads them again.
    void done(int result) override;

private:
    void search();
    void chooseCategory(QTreeWidgetItem* node);
    void addFrom(DataGrid* list, int row);
    void addCurrent();
    void editLine();
    void deleteLine();
    void post();
    void showLines(int current);

    Session& m_session;
    goods::purchasing::Direction m_direction;
    ResultSet m_goods;
    ResultSet m_byCategory;
    QLineEdit* m_search;
    QTabWidget* m_tabs;
    DataGrid* m_goodsGrid;
    ParentTree* m_tree;
    DataGrid* m_categoryGrid;
    DataGrid* m_lines;
    StockLineForm* m_lineForm;
};

} // namespace tkd::gui
