#pragma once

#include "kit/FieldMap.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

namespace tkd {
class Session;
}

namespace tkd::goods {
class ShoppingList;
}

namespace tkd::gui {

// "修改消费": the editor of one line of a caller's list (the sale's basket, the return list). The line
// is rewritten through core; the caller sums its list again afterwards.
class TxgxfForm : public QDialog {
    Q_OBJECT
public:
    explicit TxgxfForm(Session& session, QWidget* parent = nullptr);

    // Modal on the line of that number; true when the line was changed.
    bool edit(goods::ShoppingList& list, int number);

private:
    void preview();
    void save();

    Session& m_session;
    goods::ShoppingList* m_list = nullptr;
    int m_number = 0;
    bool m_changed = false;
    QLabel* m_code;
    QLabel* m_name;
    QLabel* m_unit;
    QLabel* m_salePrice;
    QLineEdit* m_price;
    QLineEdit* m_quantity;
    QLineEdit* m_rate;
    QLabel* m_total;
    QLabel* m_staffCaption;
    QComboBox* m_staff;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
