#pragma once

#include "db/Money.h"
#include "kit/FieldMap.h"

#include <QDialog>

class QLineEdit;

namespace tkd::gui {

// "付款" in cash: what is due, what was handed over, the change.
class TxjjzForm : public QDialog {
    Q_OBJECT
public:
    explicit TxjjzForm(QWidget* parent = nullptr);

    // Modal, the paid amount preset to the total; true once confirmed with enough money.
    bool ask(Money due);
    Money paid() const { return m_paid; }

private:
    void showChange();
    void confirm();

    Money m_due;
    Money m_paid;
    bool m_confirmed = false;
    QLineEdit* m_dueEdit;
    QLineEdit* m_paidEdit;
    QLineEdit* m_changeEdit;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
