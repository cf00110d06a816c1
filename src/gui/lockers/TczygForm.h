#pragma once

#include "db/Money.h"
#include "kit/FieldMap.h"
#include "lockers/Rentals.h"

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QToolButton;

namespace tkd {
class Session;
}

namespace tkd::gui {

class TxzjsrForm;

// "出租衣柜": long-term rental of the locker chosen in the management window, to a member picked
// with the member chooser.
class TczygForm : public QDialog {
    Q_OBJECT
public:
    TczygForm(Session& session, TxzjsrForm* memberPicker, QWidget* parent = nullptr);

    void prepare(const lockers::LockerView& locker);
    // What the last accepted rental wrote.
    const lockers::RentalTicket& ticket() const { return m_ticket; }
    bool printTicket() const;

private:
    void pickMember();
    void updateTotal();
    void save();

    Session& m_session;
    TxzjsrForm* m_picker;
    lockers::RentalTicket m_ticket;
    Money m_depositAmount;
    QLineEdit* m_card;
    QToolButton* m_find;
    QLabel* m_name;
    QLabel* m_type;
    QLabel* m_number;
    QLabel* m_lockerName;
    QLabel* m_deposit;
    QDateEdit* m_start;
    QDateEdit* m_end;
    QLineEdit* m_rent;
    QLabel* m_total;
    QLineEdit* m_remark;
    QCheckBox* m_print;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
