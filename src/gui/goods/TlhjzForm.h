#pragma once

#include "db/Money.h"
#include "goods/Checkout.h"
#include "kit/FieldMap.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace tkd::gui {

// "付款" split over stored value, cash and credit card.
class TlhjzForm : public QDialog {
    Q_OBJECT
public:
    explicit TlhjzForm(QWidget* parent = nullptr);

    // Modal, every box clear and every amount 0; true once confirmed with amounts that add up to the
    // total and stored value within the balance.
    bool ask(Money due, Money balance);
    const goods::SplitAmounts& amounts() const { return m_amounts; }

private:
    struct Part {
        QCheckBox* box;
        QLineEdit* amount;
    };
    void toggled(int index, bool on);
    void confirm();

    Money m_due;
    Money m_balance;
    goods::SplitAmounts m_amounts;
    bool m_confirmed = false;
    QLineEdit* m_dueEdit;
    Part m_parts[3];
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
