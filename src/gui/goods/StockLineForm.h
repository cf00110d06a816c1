#pragma once

#include "goods/Purchasing.h"
#include "kit/FieldMap.h"

#include <QDialog>
#include <optional>

class QLineEdit;

namespace tkd {
class Session;
}

namespace tkd::gui {

class DataGrid;

// The price and quantity of one line of the purchase or return work list, with the item's earlier
// purchases (returns) below. One implementation for both: TjhsplrForm and TthsplrForm.
class StockLineForm : public QDialog {
    Q_OBJECT
public:
    // A new line for an item taken from a goods list.
    void prepareAdd(const goods::purchasing::Item& item);
    // Line `line` of the work list as it stands; the item's reference price, stock and remark are read
    // again (empty when it is gone).
    void prepareEdit(int line, const goods::purchasing::Item& fromLine, Money price, goods::Quantity quantity);
    bool isEditing() const { return m_editLine.has_value(); }
    // The number of the line the last accepted add appended.
    int addedLine() const { return m_addedLine; }
    goods::purchasing::Direction direction() const { return m_direction; }

protected:
    StockLineForm(Session& session, goods::purchasing::Direction direction, QWidget* parent);
    // Closing drops the history.
    void done(int result) override;

private:
    void showItem(const goods::purchasing::Item& item);
    void showHistory(const QString& code);
    void showTotal();
    void save();

    Session& m_session;
    goods::purchasing::Direction m_direction;
    std::optional<int> m_editLine;
    int m_addedLine = 0;
    QLineEdit* m_code;
    QLineEdit* m_name;
    QLineEdit* m_unit;
    QLineEdit* m_stock;
    QLineEdit* m_remark;
    QLineEdit* m_referencePrice;
    QLineEdit* m_total;
    QLineEdit* m_price;
    QLineEdit* m_quantity;
    DataGrid* m_history;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
